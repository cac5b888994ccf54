// The rules behind the feature dialogs: test-frequency rasters, the debug mode's timing, and
// what the optional-function, key and embedded-text boxes accept.

#include "editor/debugmode.h"
#include "editor/settingsrules.h"
#include "editor/testfrequencyrules.h"

#include <QTest>

using Row = TestFrequencyRules::Row;

class TestDialogRules : public QObject
{
    Q_OBJECT

private slots:
    void testFrequencies_data()
    {
        QTest::addColumn<int>("column"); // 1 receive, 2 transmit
        QTest::addColumn<QString>("rx"); // the row before the edit
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("after"); // rx, tx; empty list: refused
        QTest::newRow("5 kHz nearer") << 1 << "" << "" << "436.123" << QStringList {"436.12000", "436.12000"};
        QTest::newRow("on 5 kHz") << 1 << "" << "" << "436.13" << QStringList {"436.13000", "436.13000"};
        QTest::newRow("on 6.25 kHz") << 1 << "" << "" << "436.125" << QStringList {"436.12500", "436.12500"};
        QTest::newRow("replaces TX") << 1 << "430.00000" << "431.00000" << "436.125" << QStringList {"436.12500", "436.12500"};
        QTest::newRow("not a number") << 1 << "" << "" << "abc" << QStringList {"0.00000", "0.00000"};
        QTest::newRow("two digits") << 1 << "" << "" << "99.5" << QStringList {"99.50000", "99.50000"};
        QTest::newRow("leading number") << 1 << "" << "" << "145.0271MHz" << QStringList {"145.02500", "145.02500"};
        QTest::newRow("emptied RX empties TX") << 1 << "436.12500" << "438.00000" << "" << QStringList {"", ""};
        QTest::newRow("RX too large") << 1 << "436.12500" << "436.12500" << "1234" << QStringList {};
        QTest::newRow("RX whole just below 1000") << 1 << "" << "" << "999.9999999999999" << QStringList {};
        QTest::newRow("TX on RX's 6.25 kHz") << 2 << "436.12500" << "436.12500" << "438.13" << QStringList {"436.12500", "438.12500"};
        QTest::newRow("TX on RX's 5 kHz") << 2 << "436.13000" << "436.13000" << "438.13" << QStringList {"436.13000", "438.13000"};
        QTest::newRow("emptied TX takes RX") << 2 << "436.13000" << "438.00000" << "" << QStringList {"436.13000", "436.13000"};
        QTest::newRow("TX too large") << 2 << "436.13000" << "436.13000" << "1000" << QStringList {};
    }
    void testFrequencies()
    {
        QFETCH(int, column);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, typed);
        QFETCH(QStringList, after);
        const Row row {rx, tx};
        const auto result = column == 1 ? TestFrequencyRules::afterReceiveEdit(row, typed)
                                        : TestFrequencyRules::afterTransmitEdit(row, typed);
        QCOMPARE(result.has_value(), !after.isEmpty());
        if (result)
            QCOMPARE((QStringList {result->rx, result->tx}), after);
        QCOMPARE(TestFrequencyRules::transmitEditable(row), !rx.isEmpty());
    }

    // Clicks on the designated captions (caption, time of day in seconds) and whether each
    // unlocks.
    void unlockGesture_data()
    {
        QTest::addColumn<QList<int>>("captions");
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<QList<bool>>("unlocks");
        QTest::newRow("three within 5 s, any order")
            << QList<int> {3, 1, 2} << QList<double> {100.2, 102, 104.9} << QList<bool> {false, false, true};
        QTest::newRow("two only") << QList<int> {1, 2, 2} << QList<double> {100, 101, 102} << QList<bool> {false, false, false};
        QTest::newRow("third after 6 s restarts")
            << QList<int> {1, 2, 3, 1, 2} << QList<double> {100, 101, 106, 107, 108}
            << QList<bool> {false, false, false, false, true};
        QTest::newRow("across midnight")
            << QList<int> {1, 2, 3} << QList<double> {86397, 86399.5, 1} << QList<bool> {false, false, true};
        QTest::newRow("completed: two clicks unlock again")
            << QList<int> {1, 2, 3, 1, 2} << QList<double> {100, 101, 102, 200, 201}
            << QList<bool> {false, false, true, false, true};
    }
    void unlockGesture()
    {
        QFETCH(QList<int>, captions);
        QFETCH(QList<double>, times);
        QFETCH(QList<bool>, unlocks);
        DebugUnlockGesture gesture;
        QList<bool> actual;
        for (qsizetype i = 0; i < captions.size(); ++i)
            actual << gesture.click(captions[i], times[i]);
        QCOMPARE(actual, unlocks);
        gesture.reset(); // the relock: the full gesture is needed again
        QVERIFY(!gesture.click(1, 300) && !gesture.click(2, 301));
    }

    void relock_data()
    {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::addColumn<bool>("relocks");
        for (double start : {100.0, 100.4, 100.6})
            QTest::addRow("0.5 s apart from %.1f", start) << start << start + 0.5 << true;
        for (double start : {100.0, 100.4, 100.6})
            QTest::addRow("1.5 s apart from %.1f", start) << start << start + 1.5 << false;
        QTest::newRow("across midnight") << 86399.7 << 0.1 << true;
    }
    void relock()
    {
        QFETCH(double, first);
        QFETCH(double, second);
        QFETCH(bool, relocks);
        DebugRelock relock;
        QVERIFY(!relock.click(first));
        QCOMPARE(relock.click(second), relocks);
    }

    void delayTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        for (const char *text : {"", "0", "7", "120", "300", "007"})
            QTest::newRow(text) << QString(text) << true;
        for (const char *text : {"301", "1000", "-1", "12a", "1.5", " 1", "0300"})
            QTest::newRow(text) << QString(text) << false;
    }
    void delayTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(SettingsRules::delayTextAccepted(text), accepted);
    }

    void lists()
    {
        const QStringList revert = SettingsRules::revertTimeItems("空");
        QCOMPARE(revert.size(), 92);
        QCOMPARE(revert.mid(0, 3), (QStringList {"空", "0.50 S", "0.55 S"}));
        QCOMPARE(revert[91], QString("5.00 S"));
        QCOMPARE(SettingsRules::listPositionOf(91, 92), 91);
        QCOMPARE(SettingsRules::listPositionOf(0, 3), 0);
        QCOMPARE(SettingsRules::listPositionOf(3, 3), -1);
        QCOMPARE(SettingsRules::listPositionOf(-1, 3), -1);
        QCOMPARE(SettingsRules::keyFunctionShown(11), 11);
        QCOMPARE(SettingsRules::keyFunctionShown(12), 1);
        QCOMPARE(SettingsRules::keyFunctionShown(-1), 1);
    }

    void dtmfCodes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken"); // "-": refused
        QTest::newRow("digits and signs") << "0123456789*#" << "0123456789*#";
        QTest::newRow("letters up") << "abcdABCD" << "ABCDABCD";
        QTest::newRow("empty") << "" << "";
        for (const char *refused : {"e", "E", "1 2", "x", "+", "１"})
            QTest::newRow(refused) << QString::fromUtf8(refused) << "-";
    }
    void dtmfCodes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, taken);
        QCOMPARE(SettingsRules::typedDtmfCode(typed).value_or("-"), taken);
    }

    // The first digit's delay: 100 to 1000 ms on its 50 ms steps have a list position; any other
    // duration none, so that an untouched list keeps it.
    void firstDigitDelay()
    {
        QCOMPARE(SettingsRules::firstDigitDelayPosition(100), 0);
        QCOMPARE(SettingsRules::firstDigitDelayPosition(250), 3);
        QCOMPARE(SettingsRules::firstDigitDelayPosition(1000), 18);
        for (int other : {0, 50, 120, 1050, 2550})
            QCOMPARE(SettingsRules::firstDigitDelayPosition(other), -1);
        for (int position = 0; position <= 18; ++position)
            QCOMPARE(SettingsRules::firstDigitDelayPosition(SettingsRules::firstDigitDelayOf(position)), position);
        QCOMPARE(SettingsRules::pttCodeShown(QString("12") + QString(8, QChar(0xFF))), QString("12"));
    }

    void embeddedCharacters()
    {
        QVERIFY(SettingsRules::embeddedCharacterStorable(u'A'));
        QVERIFY(SettingsRules::embeddedCharacterStorable(u'é'));
        QVERIFY(!SettingsRules::embeddedCharacterStorable(u'张')); // no single-byte code
        QVERIFY(!SettingsRules::embeddedCharacterStorable(QChar(0xFF))); // the field's filler
        QVERIFY(!SettingsRules::embeddedCharacterStorable(u'\t'));
        QCOMPARE(SettingsRules::storableEmbeddedText(u"张三 Depot ÿ7"), QString(" Depot 7"));
        QVERIFY(!SettingsRules::embeddedKeyAccepted(32, 0, u'x'));
        QVERIFY(SettingsRules::embeddedKeyAccepted(32, 3, u'x'));
        QVERIFY(SettingsRules::embeddedKeyAccepted(31, 0, u'x'));
    }
};

QTEST_APPLESS_MAIN(TestDialogRules)
#include "tst_dialogrules.moc"

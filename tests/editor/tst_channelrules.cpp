#include "editor/channelrules.h"
#include "i18n/celltexts.h"
#include "image/tonelist.h"

#include <QTest>

#include "common/richstates.h"

using namespace ChannelRules;
using Column = EditorState::Column;

namespace {

const CellTexts English = CellTexts::forLanguage(Language::English);
const CellTexts Simplified = CellTexts::forLanguage(Language::Simplified);
const Bands::Limits Band400To500 {400, 500};

// A grid cell as the window shows it.
QString cell(const EditorState &state, int row, int column, const CellTexts &texts = English)
{
    return cellText(state, row, column, texts);
}

QStringList rowCells(const EditorState &state, int row, const CellTexts &texts = English)
{
    QStringList cells;
    for (int column = 1; column <= 8; ++column)
        cells << cell(state, row, column, texts);
    return cells;
}

// The tone list item a tone cell falls back on, or the list item an option cell shows.
int item(const EditorState &state, int column, int row)
{
    if (column == Column::RxTone || column == Column::TxTone)
        return ToneList::indexOf(state.toneFallback(row, column));
    return optionItem(*state.channel(row), column);
}

// Channel 1 as a user made it: 436.12500 with tones, low power, lockout on, narrow, no scan.
EditorState stateWithChannel()
{
    EditorState state;
    endFrequencyEdit(state, 1, Column::RxFrequency, u"436.125", Band400To500);
    state.channel(1)->tx = mhz(u"446.12500");
    pickTone(state, 1, Column::RxTone, 9); // 88.5
    state.channel(1)->txTone = tone(u"D023N");
    pickOption(state, 1, Column::Power, 0);
    pickOption(state, 1, Column::BusyLock, 1);
    pickOption(state, 1, Column::Bandwidth, 0);
    pickOption(state, 1, Column::Scan, 0);
    return state;
}

} // namespace

class TestChannelRules : public QObject
{
    Q_OBJECT

private slots:
    void newChannel()
    {
        EditorState state;
        QCOMPARE(endFrequencyEdit(state, 3, Column::RxFrequency, u"438.12345", Band400To500), FrequencyEdit::Stored);
        QCOMPARE(rowCells(state, 3), (QStringList {"438.12000", "Off", "438.12000", "Off", "Hight", "Off", "Wide", "Have"}));
        const QList<int> options {item(state, 2, 3), item(state, 4, 3), item(state, 5, 3), item(state, 6, 3), item(state, 7, 3), item(state, 8, 3)};
        QCOMPARE(options, (QList<int> {0, 0, 1, 0, 1, 1}));
    }

    void frequencyEdit_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<FrequencyEdit>("outcome");
        QTest::addColumn<QString>("cell"); // the edited cell afterwards
        const int rx = Column::RxFrequency, tx = Column::TxFrequency;
        QTest::newRow("5 kHz raster kept") << 400 << 500 << rx << "438.12500" << FrequencyEdit::Stored << "438.12500";
        QTest::newRow("both remainders 100") << 400 << 500 << rx << "438.12600" << FrequencyEdit::Stored << "438.12500";
        QTest::newRow("6.25 kHz nearer") << 400 << 500 << rx << "438.00700" << FrequencyEdit::Stored << "438.00625";
        QTest::newRow("6.25 kHz raster kept") << 400 << 500 << rx << "438.00625" << FrequencyEdit::Stored << "438.00625";
        QTest::newRow("10 kHz kept") << 400 << 500 << rx << "438.01000" << FrequencyEdit::Stored << "438.01000";
        QTest::newRow("rounded to 10 Hz first") << 136 << 174 << rx << "145.0271" << FrequencyEdit::Stored << "145.02500";
        QTest::newRow("whole MHz") << 400 << 500 << tx << "450" << FrequencyEdit::Stored << "450.00000";
        QTest::newRow("below the edge of 136-174") << 136 << 174 << rx << "173.99999" << FrequencyEdit::Stored << "173.99500";
        QTest::newRow("upper limit is outside") << 400 << 500 << rx << "500" << FrequencyEdit::OutOfBand << "436.12500";
        QTest::newRow("just below the band") << 400 << 500 << rx << "399.99999" << FrequencyEdit::OutOfBand << "436.12500";
        QTest::newRow("174 in 136-174") << 136 << 174 << tx << "174.00000" << FrequencyEdit::OutOfBand << "446.12500";
        QTest::newRow("lone point") << 400 << 500 << rx << "." << FrequencyEdit::Unchanged << "436.12500";
        QTest::newRow("two points") << 400 << 500 << rx << "43.6.1" << FrequencyEdit::Unchanged << "436.12500";
        QTest::newRow("pasted letters") << 400 << 500 << rx << "4e2" << FrequencyEdit::Unchanged << "436.12500";
        QTest::newRow("huge pasted number") << 400 << 500 << rx << QString(30, '9') << FrequencyEdit::OutOfBand << "436.12500";
        QTest::newRow("fourteen digits") << 400 << 500 << rx << "60602599602599" << FrequencyEdit::OutOfBand << "436.12500";
        QTest::newRow("rounds up onto the top") << 400 << 500 << rx << "499.999996" << FrequencyEdit::OutOfBand << "436.12500";
        QTest::newRow("emptied TX") << 400 << 500 << tx << "" << FrequencyEdit::Unchanged << "446.12500";
        QTest::newRow("emptied RX") << 400 << 500 << rx << "" << FrequencyEdit::Erased << "";
    }
    void frequencyEdit()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(FrequencyEdit, outcome);
        QFETCH(QString, cell);
        EditorState state = stateWithChannel();
        const QStringList before = rowCells(state, 1);
        QCOMPARE(endFrequencyEdit(state, 1, column, typed, {low, high}), outcome);
        QCOMPARE(::cell(state, 1, column), cell);
        QStringList expected = before;
        if (outcome == FrequencyEdit::Erased)
            expected = QStringList(8, QString());
        else
            expected[column - 1] = cell;
        QCOMPARE(rowCells(state, 1), expected); // an existing channel keeps everything else
    }

    void erasedChannelForgetsItsTones()
    {
        EditorState state = stateWithChannel();
        endFrequencyEdit(state, 1, Column::RxFrequency, u"", Band400To500);
        for (int column : {Column::RxTone, Column::TxTone})
            QCOMPARE(item(state, column, 1), 0);
    }

    void toneEdit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell"); // the cell afterwards; it showed D023N, last picked 88.5
        QTest::newRow("whole hertz") << "85" << "85.0";
        QTest::newRow("one decimal") << "88.5" << "88.5";
        QTest::newRow("lowest") << "67" << "67.0";
        QTest::newRow("highest") << "254.1" << "254.1";
        QTest::newRow("two decimals round") << "88.55" << "88.6";
        QTest::newRow("number then letters") << "100.0N" << "100.0";
        QTest::newRow("too high") << "300" << "88.5";
        QTest::newRow("just too high") << "254.15" << "88.5";
        QTest::newRow("too low") << "50" << "88.5";
        QTest::newRow("emptied") << "" << "88.5";
        QTest::newRow("lone point") << "." << "88.5";
        QTest::newRow("DCS padded") << "D23N" << "D023N";
        QTest::newRow("DCS one digit") << "D7I" << "D007I";
        QTest::newRow("DCS above 777") << "D999I" << "D777I";
        QTest::newRow("DCS not octal") << "D089N" << "D023N";
        QTest::newRow("DCS four digits") << "D0023N" << "D023N";
        QTest::newRow("DCS with point") << "D12.5N" << "D023N";
        QTest::newRow("DCS without letter") << "D23" << "D023N";
        QTest::newRow("DCS letter only") << "DN" << "D023N";
        QTest::newRow("pasted lower case") << "d23n" << "88.5";
        QTest::newRow("Off item selected") << "Off" << "D023N";
    }
    void toneEdit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        EditorState state = stateWithChannel();
        state.channel(1)->rxTone = tone(u"D023N");
        endToneEdit(state, 1, Column::RxTone, typed, typed == English.toneOff);
        QCOMPARE(::cell(state, 1, Column::RxTone), cell);
        QCOMPARE(item(state, Column::RxTone, 1), 9); // typing never changes the remembered item
    }

    void refusedToneWithoutPickGivesOff()
    {
        EditorState state = stateWithChannel();
        endToneEdit(state, 1, Column::TxTone, u"300", false);
        QCOMPARE(cell(state, 1, Column::TxTone, Simplified), QString("关闭"));
    }

    void pickedTone()
    {
        EditorState state = stateWithChannel();
        pickTone(state, 1, Column::TxTone, 163);
        QCOMPARE(cell(state, 1, Column::TxTone), QString("D047I"));
        QCOMPARE(item(state, Column::TxTone, 1), 163);
        pickTone(state, 1, Column::TxTone, 0);
        QCOMPARE(cell(state, 1, Column::TxTone, Simplified), QString("关闭"));
        QCOMPARE(ToneList::toneTexts().size() + 1, ToneList::Size);
        QCOMPARE(ToneList::indexOf(tone(u"D047I")), 163);
    }

    void keys_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("frequency");
        QTest::addColumn<QString>("tone"); // what reaches the tone editor; empty: nothing
        QTest::addColumn<QString>("opens"); // typed on a closed frequency cell, then a tone cell
        QTest::newRow("digit") << QChar('7') << true << "7" << "77";
        QTest::newRow("point") << QChar('.') << true << "." << "";
        QTest::newRow("backspace") << QChar(8) << true << QString(QChar(8)) << "";
        QTest::newRow("d") << QChar('d') << false << "D" << "-D";
        QTest::newRow("n") << QChar('n') << false << "N" << "";
        QTest::newRow("I") << QChar('I') << false << "I" << "";
        QTest::newRow("letter") << QChar('x') << false << "" << "";
        QTest::newRow("enter") << QChar(13) << false << "" << "";
        QTest::newRow("minus") << QChar('-') << false << "" << "";
        QTest::newRow("wide digit") << QChar(0xFF11) << false << "" << "";
    }
    void keys()
    {
        QFETCH(QChar, key);
        QFETCH(bool, frequency);
        QFETCH(QString, tone);
        QFETCH(QString, opens);
        QCOMPARE(frequencyKeyAllowed(key), frequency);
        const auto toneResult = toneKey(key);
        QCOMPARE(toneResult ? QString(*toneResult) : QString(), tone);
        QString opened; // "-" where a cell opens nothing, unless neither does
        for (int column : {Column::RxFrequency, Column::TxTone})
            opened += editorTextOfKeyOnCell(key, column).value_or(QStringLiteral("-"));
        QCOMPARE(opened == "--" ? QString() : opened, opens);
        QVERIFY(!editorTextOfKeyOnCell(key, Column::Power));
    }

    // The cells in each language: the no-tone and option items are the language's.
    void cellsInEveryLanguage()
    {
        EditorState state = stateWithChannel();
        pickTone(state, 1, Column::TxTone, 0);
        QCOMPARE(rowCells(state, 1, Simplified), (QStringList {"436.12500", "88.5", "446.12500", "关闭", "低", "载波", "窄带", "无"}));
        const CellTexts traditional = CellTexts::forLanguage(Language::Traditional);
        QCOMPARE(cell(state, 1, Column::TxTone, traditional), QString("關閉"));
        QCOMPARE(cell(state, 1, Column::BusyLock, traditional), QString("載波"));
        QCOMPARE(rowCells(state, 1), (QStringList {"436.12500", "88.5", "446.12500", "Off", "Low", "Carrow", "Narrow", "No"}));
        QCOMPARE(rowCells(state, 2), QStringList(8, QString()));
    }

    void clearing()
    {
        EditorState state = stateWithChannel();
        endFrequencyEdit(state, 3, Column::RxFrequency, u"440", Band400To500);
        clearAllChannels(state);
        QCOMPARE(rowCells(state, 1), QStringList(8, QString()));
        QCOMPARE(rowCells(state, 3), QStringList(8, QString()));
        endFrequencyEdit(state, 1, Column::RxFrequency, u"440", Band400To500);
        QCOMPARE(cell(state, 1, Column::BusyLock), QString("Off")); // a new channel is fresh
        QCOMPARE(item(state, Column::RxTone, 1), 0);
    }

    void bandLimits()
    {
        const QStringList bands = Bands::items();
        QCOMPARE(bands.size(), 7);
        QCOMPARE(Bands::limitsOf(bands[0]).low, 400);
        QCOMPARE(Bands::limitsOf(bands[5]).high, 174);
        QCOMPARE(Bands::limitsOf(bands[6]).low, 600);
    }
};

QTEST_APPLESS_MAIN(TestChannelRules)
#include "tst_channelrules.moc"

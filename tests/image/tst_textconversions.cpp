#include "image/textconversions.h"

#include <QTest>

class TestTextConversions : public QObject
{
    Q_OBJECT

private slots:
    void snapUnitsToStep_data()
    {
        QTest::addColumn<qint64>("units"); // 10 Hz
        QTest::addColumn<qint64>("snapped");
        QTest::newRow("5 kHz raster is kept") << qint64(43612500) << qint64(43612500);
        QTest::newRow("6.25 kHz raster is kept") << qint64(43600625) << qint64(43600625);
        QTest::newRow("5 kHz is nearer below") << qint64(43612345) << qint64(43612000);
        QTest::newRow("6.25 kHz is nearer below") << qint64(43600700) << qint64(43600625);
        QTest::newRow("equal remainders") << qint64(14500310) << qint64(14500000);
        QTest::newRow("both 100") << qint64(43812600) << qint64(43812500);
        QTest::newRow("10 kHz") << qint64(43801000) << qint64(43801000);
    }
    void snapUnitsToStep()
    {
        QFETCH(qint64, units);
        QFETCH(qint64, snapped);
        QCOMPARE(::snapUnitsToStep(units), snapped);
    }

    void remainderOf_data()
    {
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("remainder");
        QTest::newRow("whole quotient") << 0.005 << 436.125 << 0.0;
        QTest::newRow("value below step") << 0.005 << 0.003 << 0.003;
        QTest::newRow("6.25 kHz whole") << 0.00625 << 436.00625 << 0.0;
        QTest::newRow("no step") << 0.0 << 5.0 << 5.0;
        QTest::newRow("negative value") << 0.005 << -3.0 << -3.0;
    }
    void remainderOf()
    {
        QFETCH(double, step);
        QFETCH(double, value);
        QFETCH(double, remainder);
        QCOMPARE(::remainderOf(step, value), remainder);
    }

    // The remainder is what counting the step off one at a time gives, for every frequency
    // the test-frequency dialog meets, without taking value / step turns to get there.
    void remainderOfMatchesCountingForOrdinaryValues()
    {
        const auto byCounting = [](double step, double value) {
            if (value < step)
                return value;
            if (!QString::number(value / step, 'g', 15).contains(QLatin1Char('.')))
                return 0.0;
            double e = value;
            for (int k = 1;; ++k) {
                e = value - k * step;
                if (e < step)
                    return e;
            }
        };
        for (double step : {0.005, 0.00625}) {
            for (int units = 0; units < 2'000'000; units += 997) { // 10 Hz units up to 20 MHz
                const double value = 100.0 + units / 100000.0;
                QCOMPARE(::remainderOf(step, value), byCounting(step, value));
            }
        }
    }

    // A typed value far beyond any band still gives an answer below one step, at once.
    void remainderOfHugeValue()
    {
        for (double value : {1.234567890123e300, 9.87654321e15 + 0.3, 4.0e13 + 0.001}) {
            const double r = ::remainderOf(0.005, value);
            QVERIFY2(r >= 0 && r < 0.005, qPrintable(QString::number(r)));
        }
    }
};

QTEST_APPLESS_MAIN(TestTextConversions)
#include "tst_textconversions.moc"

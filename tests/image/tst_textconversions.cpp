#include "image/textconversions.h"

#include <QTest>

class TestTextConversions : public QObject
{
    Q_OBJECT

private slots:
    void hexByteText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("hex");
        QTest::newRow("zero") << 0.0 << "00";
        QTest::newRow("one digit gets a zero") << 5.0 << "05";
        QTest::newRow("ten") << 10.0 << "0A";
        QTest::newRow("byte") << 255.0 << "FF";
        QTest::newRow("three digits stay") << 256.0 << "100";
        QTest::newRow("tone 67.0") << 670.0 << "29E";
        QTest::newRow("fraction rounds") << 14.6 << "0F";
        QTest::newRow("half rounds to even") << 2.5 << "02";
        QTest::newRow("negative") << -1.0 << "FFFFFFFF";
    }
    void hexByteText()
    {
        QFETCH(double, value);
        QFETCH(QString, hex);
        QCOMPARE(::hexByteText(value), hex);
    }

    void hexWordText_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("hex");
        QTest::newRow("zero") << 0 << "0000";
        QTest::newRow("sixteen") << 16 << "0010";
        QTest::newRow("300") << 300 << "012C";
        QTest::newRow("top") << 65535 << "FFFF";
        QTest::newRow("negative is two's complement") << -1 << "FFFF";
    }
    void hexWordText()
    {
        QFETCH(int, value);
        QFETCH(QString, hex);
        QCOMPARE(::hexWordText(value), hex);
    }

    void hexToBinaryText_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("binary");
        QTest::newRow("F8") << "F8" << "11111000";
        QTest::newRow("13") << "13" << "00010011";
        QTest::newRow("2A") << "2A" << "00101010";
        QTest::newRow("lower case counts") << "a" << "1010";
        QTest::newRow("not a digit is 0") << "G" << "0000";
        QTest::newRow("empty") << "" << "";
    }
    void hexToBinaryText()
    {
        QFETCH(QString, hex);
        QFETCH(QString, binary);
        QCOMPARE(::hexToBinaryText(hex), binary);
    }

    void binaryToHexText_data()
    {
        QTest::addColumn<QString>("binary");
        QTest::addColumn<QString>("hex");
        QTest::newRow("F8") << "11111000" << "F8";
        QTest::newRow("twelve digits") << "100000010011" << "813";
        QTest::newRow("padded in front") << "110000" << "30";
        QTest::newRow("one") << "1" << "1";
        QTest::newRow("five zeros") << "00000" << "00";
        QTest::newRow("other characters are 0") << "1111111x" << "FE";
        QTest::newRow("empty") << "" << "";
    }
    void binaryToHexText()
    {
        QFETCH(QString, binary);
        QFETCH(QString, hex);
        QCOMPARE(::binaryToHexText(binary), hex);
    }

    void snapFrequencyToStep_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<double>("snapped");
        QTest::newRow("5 kHz raster is kept") << "436.12500" << 436.125;
        QTest::newRow("6.25 kHz raster is kept") << "436.00625" << 436.00625;
        QTest::newRow("5 kHz is nearer below") << "436.12345" << 436.12;
        QTest::newRow("6.25 kHz is nearer below") << "436.00700" << 436.00625;
        QTest::newRow("equal remainders") << "145.00310" << 145.0;
        QTest::newRow("both 100") << "438.12600" << 438.125;
        QTest::newRow("10 kHz") << "438.01000" << 438.01;
    }
    void snapFrequencyToStep()
    {
        QFETCH(QString, frequency);
        QFETCH(double, snapped);
        QCOMPARE(::snapFrequencyToStep(frequency), snapped);
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

#include "image/fields.h"

#include <QTest>

using Bytes = QList<int>;

namespace {

Bytes listOf(const FrequencyBytes &bytes)
{
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

// The tone bytes as the text recipe of the radio's own tools builds them for the tones the
// editor offers, kept apart from the codec's arithmetic to check it.
QByteArray toneBytesByRecipe(const QString &text)
{
    QString hex;
    if (text.startsWith(QLatin1Char('D'))) {
        const int v = 64 * text[1].digitValue() + 8 * text[2].digitValue() + text[3].digitValue();
        QString b = QString::number(v, 2).right(9).rightJustified(9, QLatin1Char('0'));
        const QString t = QString::number(("100" + b).toInt(nullptr, 2), 16).toUpper();
        hex = t.mid(1, 2) + (text.endsWith(QLatin1Char('N')) ? "2" : "A") + t[0];
    } else {
        const QString digits = (text.size() == 4 ? text.left(2) : text.left(3)) + text.right(1);
        const QString t = QString::number(digits.toInt(), 16).toUpper();
        hex = t.right(2) + "0" + t[0];
    }
    return QByteArray::fromHex(hex.toLatin1());
}

QByteArray bytesOfWord(quint16 word)
{
    QByteArray bytes;
    bytes.append(char(word & 0xFF)).append(char(word >> 8));
    return bytes;
}

} // namespace

class TestFields : public QObject
{
    Q_OBJECT

private slots:
    void frequencyBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Bytes>("bytes");
        QTest::newRow("436.12500") << "436.12500" << Bytes {0x00, 0x25, 0x61, 0x43};
        QTest::newRow("438.50000") << "438.50000" << Bytes {0x00, 0x00, 0x85, 0x43};
        QTest::newRow("136.00000") << "136.00000" << Bytes {0x00, 0x00, 0x60, 0x13};
        QTest::newRow("empty is none") << "" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("short text by value") << "99.5" << Bytes {0x00, 0x00, 0x95, 0x09};
        QTest::newRow("zero") << "0.00000" << Bytes {0x00, 0x00, 0x00, 0x00};
        QTest::newRow("whole MHz") << "145" << Bytes {0x00, 0x00, 0x50, 0x14};
        QTest::newRow("more decimals round to 10 Hz") << "436.123456" << Bytes {0x46, 0x23, 0x61, 0x43};
        QTest::newRow("rounding carries") << "999.999996" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("a field's own letters come back") << "4A6.12B00" << Bytes {0x00, 0x2B, 0x61, 0x4A};
        QTest::newRow("1000 MHz does not fit") << "1000" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("letters") << "abc" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("two points") << "1.2.3" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("two points in the field's length") << "436.12.00" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("lone point") << "." << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("sign") << "-436.1" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("exponent") << "4e2" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("blank") << " 436.12500" << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
        QTest::newRow("many digits") << QString(40, QLatin1Char('9')) << Bytes {0xFF, 0xFF, 0xFF, 0xFF};
    }
    void frequencyBytes()
    {
        QFETCH(QString, text);
        QFETCH(Bytes, bytes);
        QCOMPARE(listOf(::frequencyBytes(text)), bytes);
    }

    void frequencyText_data()
    {
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("436.12500") << Bytes {0x00, 0x25, 0x61, 0x43} << "436.12500";
        QTest::newRow("136.00000") << Bytes {0x00, 0x00, 0x60, 0x13} << "136.00000";
        QTest::newRow("none") << Bytes {0xFF, 0xFF, 0xFF, 0xFF} << "";
        QTest::newRow("not BCD") << Bytes {0xFE, 0xFF, 0xFF, 0xFF} << "FFF.FFFFE";
    }
    void frequencyText()
    {
        QFETCH(Bytes, bytes);
        QFETCH(QString, text);
        const FrequencyBytes field {quint8(bytes[0]), quint8(bytes[1]), quint8(bytes[2]), quint8(bytes[3])};
        QCOMPARE(::frequencyText(field), text);
        QCOMPARE(listOf(::frequencyBytes(text)), bytes);
    }

    void toneWord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("word"); // -1: no tone
        QTest::newRow("67.0") << "67.0" << 0x029E;
        QTest::newRow("100.0") << "100.0" << 0x03E8;
        QTest::newRow("254.1") << "254.1" << 0x09ED;
        QTest::newRow("D023N") << "D023N" << 0x2813;
        QTest::newRow("D023I") << "D023I" << 0xA813;
        QTest::newRow("D754N") << "D754N" << 0x29EC;
        QTest::newRow("D754I") << "D754I" << 0xA9EC;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("low tone") << "10.0" << 0x0064;
        QTest::newRow("zero word") << ".0" << 0x0000;
        QTest::newRow("word from 1000 up") << "409.6" << 0x1000;
        QTest::newRow("whole hertz") << "88" << 0x0370;
        QTest::newRow("two decimals round") << "88.55" << 0x0376;
        QTest::newRow("would read as DCS") << "819.2" << -1;
        QTest::newRow("would read as inverted DCS") << "4096.0" << -1;
        QTest::newRow("beyond a word") << "6553.5" << -1;
        QTest::newRow("letters") << "Off" << -1;
        QTest::newRow("sign") << "-67.0" << -1;
        QTest::newRow("DCS clamp") << "D999I" << 0xA9FF;
        QTest::newRow("malformed DCS") << "D089N" << -1;
    }
    void toneWord()
    {
        QFETCH(QString, text);
        QFETCH(int, word);
        QCOMPARE(::toneWord(text).value_or(NoTone), word < 0 ? NoTone : quint16(word));
    }

    void parseDcsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normal"); // empty: malformed
        QTest::newRow("three digits") << "D023N" << "D023N";
        QTest::newRow("inverted") << "D754I" << "D754I";
        QTest::newRow("two digits padded") << "D23N" << "D023N";
        QTest::newRow("one digit padded") << "D7I" << "D007I";
        QTest::newRow("above 777") << "D999I" << "D777I";
        QTest::newRow("four digits above 777") << "D1000N" << "D777N";
        QTest::newRow("leading zeros above 777") << "D00800N" << "D777N";
        QTest::newRow("very long") << "D" + QString(30, QLatin1Char('9')) + "N" << "D777N";
        QTest::newRow("777") << "D777N" << "D777N";
        QTest::newRow("not octal") << "D089N" << "";
        QTest::newRow("8 in two digits") << "D18N" << "";
        QTest::newRow("four characters") << "D0023N" << "";
        QTest::newRow("point") << "D12.5N" << "";
        QTest::newRow("sign") << "D-5N" << "";
        QTest::newRow("exponent") << "D1e2N" << "";
        QTest::newRow("blank") << "D 12N" << "";
        QTest::newRow("no digits") << "DN" << "";
        QTest::newRow("no letter") << "D23" << "";
        QTest::newRow("lower case") << "d23n" << "";
        QTest::newRow("lower-case end") << "D023n" << "";
        QTest::newRow("wide digits") << QString::fromUtf8("D０２３N") << "";
    }
    void parseDcsText()
    {
        QFETCH(QString, text);
        QFETCH(QString, normal);
        const auto dcs = ::parseDcsText(text);
        QCOMPARE(dcs ? dcsText(*dcs) : QString(), normal);
    }

    void toneText_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("text");
        QTest::newRow("67.0") << 0x029E << "67.0";
        QTest::newRow("100.0") << 0x03E8 << "100.0";
        QTest::newRow("D023N") << 0x2813 << "D023N";
        QTest::newRow("D754I") << 0xA9EC << "D754I";
        QTest::newRow("DCS without bit 11") << 0x2001 << "D001N";
        QTest::newRow("tenths only") << 0x0005 << ".5";
        QTest::newRow("zero") << 0x0000 << ".0";
    }
    void toneText()
    {
        QFETCH(int, word);
        QFETCH(QString, text);
        QCOMPARE(::toneText(quint16(word)), text);
    }

    // Read-then-write never turns one CTCSS tone into another.
    void everyCtcssWordComesBack()
    {
        for (int word = 0; word < 0xFFFF; ++word) {
            const int kind = word >> 12;
            if (kind == 0x2 || kind == 0xA)
                continue;
            const QString text = ::toneText(quint16(word));
            QCOMPARE(::toneWord(text).value_or(NoTone), quint16(word));
        }
    }

    // Every tone the editor can produce is stored exactly as the radio's own tools store it.
    void editorTonesMatchTheRecipe()
    {
        QStringList tones;
        for (int tenths = 670; tenths <= 2541; ++tenths)
            tones << QString::number(tenths / 10.0, 'f', 1);
        for (int code = 0; code <= 0777; ++code)
            for (const char *polarity : {"N", "I"})
                tones << QStringLiteral("D%1%2").arg(code, 3, 8, QLatin1Char('0')).arg(polarity);
        for (const QString &tone : tones) {
            const auto word = ::toneWord(tone);
            QVERIFY2(word, qPrintable(tone));
            QCOMPARE(bytesOfWord(*word), toneBytesByRecipe(tone));
            QCOMPARE(::toneText(*word), tone);
        }
    }
};

QTEST_APPLESS_MAIN(TestFields)
#include "tst_fields.moc"

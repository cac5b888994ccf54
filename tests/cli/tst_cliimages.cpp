// The images the tool saves and writes, and the comparison behind `verify`.

#include "cliimages.h"
#include "imagecomparison.h"
#include "image/codec.h"
#include "image/layout.h"

#include <QtTest>

using ImageComparison::AddressRange;
Q_DECLARE_METATYPE(ImageComparison::AddressRange)

namespace {

QByteArray pattern(int size, int seed)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((i * 13 + seed) & 0xFF));
    return bytes;
}

// A copy of bytes with each listed radio address changed.
RadioImage changed(const QByteArray &bytes, const QList<int> &addresses)
{
    QByteArray copy = bytes;
    for (int address : addresses)
        copy[address - RadioImage::FirstAddress] = char(~copy.at(address - RadioImage::FirstAddress));
    return RadioImage(copy);
}

} // namespace

class TestCliImages : public QObject
{
    Q_OBJECT

private slots:
    void differencesAtTheWrittenAddresses_data();
    void differencesAtTheWrittenAddresses();
    void rangeTexts();
    void savedAfterReadTakesTheRadiosBand_data();
    void savedAfterReadTakesTheRadiosBand();
};

void TestCliImages::differencesAtTheWrittenAddresses_data()
{
    QTest::addColumn<QList<int>>("changedAddresses");
    QTest::addColumn<bool>("calibration");
    QTest::addColumn<QList<AddressRange>>("expected");

    using R = QList<AddressRange>;
    QTest::newRow("none") << QList<int> {} << false << R {};
    QTest::newRow("first and last written bytes")
        << QList<int> {0x0010, 0x035F} << false << R {{0x0010, 0x0010}, {0x035F, 0x035F}};
    QTest::newRow("neighbours merge across a block edge")
        << QList<int> {0x001F, 0x0020, 0x0021, 0x0030} << false << R {{0x001F, 0x0021}, {0x0030, 0x0030}};
    QTest::newRow("gaps and the read-only tail are never written")
        << QList<int> {0x0190, 0x01B7, 0x01C8, 0x01FF, 0x0360, 0x040F} << false << R {};
    QTest::newRow("calibration block without --calibration") << QList<int> {0x0180, 0x018F} << false << R {};
    QTest::newRow("calibration block with --calibration")
        << QList<int> {0x0180, 0x018F} << true << R {{0x0180, 0x0180}, {0x018F, 0x018F}};
    QTest::newRow("band code and the block after the gap")
        << QList<int> {0x01BD, 0x01C7, 0x0200} << false << R {{0x01BD, 0x01BD}, {0x01C7, 0x01C7}, {0x0200, 0x0200}};
    QTest::newRow("ranges run on with calibration")
        << QList<int> {0x017F, 0x0180} << true << R {{0x017F, 0x0180}};
}

void TestCliImages::differencesAtTheWrittenAddresses()
{
    QFETCH(QList<int>, changedAddresses);
    QFETCH(bool, calibration);
    QFETCH(QList<AddressRange>, expected);
    const QByteArray written = pattern(RadioImage::EncodedSize, 5);
    const QByteArray radio = written + pattern(RadioImage::ReadSize - RadioImage::EncodedSize, 9);
    QCOMPARE(ImageComparison::differences(changed(radio, changedAddresses), RadioImage(written), calibration),
             expected);
}

void TestCliImages::rangeTexts()
{
    QCOMPARE(ImageComparison::rangeText({0x01BD, 0x01BD}), QString("0x01BD"));
    QCOMPARE(ImageComparison::rangeText({0x0010, 0x0013}), QString("0x0010-0x0013"));
    QCOMPARE(ImageComparison::byteCount({{0x0010, 0x0013}, {0x01BD, 0x01BD}}), 5);
}

// The window sets the band selector to the radio's band after a read; a code that names no
// band leaves the band the image holds.
void TestCliImages::savedAfterReadTakesTheRadiosBand_data()
{
    QTest::addColumn<quint8>("imageCode");
    QTest::addColumn<int>("radioBand");
    QTest::addColumn<quint8>("savedCode");
    QTest::newRow("radio's band wins") << quint8(0x33) << 5 << Layout::BandCodes[5];
    QTest::newRow("radio names no band") << quint8(0x43) << -1 << quint8(0x43);
    QTest::newRow("neither names a band") << quint8(0x99) << -1 << Layout::BandCodes[0];
}

void TestCliImages::savedAfterReadTakesTheRadiosBand()
{
    QFETCH(quint8, imageCode);
    QFETCH(int, radioBand);
    QFETCH(quint8, savedCode);
    EditorState state;
    state.channel(1) = Channel::on(Frequency::ofText(u"436.12500").value());
    QByteArray read = encodeImage(state).bytes() + QByteArray(176, '\xFF');
    read[Layout::BandCode] = char(imageCode);
    const RadioImage saved = CliImages::savedAfterRead(RadioImage(read), radioBand);
    QCOMPARE(saved.size(), RadioImage::EncodedSize);
    QCOMPARE(saved.byte(Layout::BandCode), savedCode);
    QCOMPARE(saved.byte(Layout::BandCodeCopy), savedCode);
    QCOMPARE(saved.bytes().left(16), read.left(16));
}

QTEST_GUILESS_MAIN(TestCliImages)
#include "tst_cliimages.moc"

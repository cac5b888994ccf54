#include "image/codec.h"
#include "storage/datafile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/files.h"
#include <optional>

namespace {

RadioImage sampleImage()
{
    EditorState state;
    state.channel(1) = Channel::on(Frequency::ofText(u"436.12500").value());
    state.channel(1)->tx = Frequency();
    state.currentBand = 5;
    return encodeImage(state);
}


} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void writeThenRead()
    {
        const QString path = m_dir->filePath("radio.DAT");
        const RadioImage image = sampleImage();
        QVERIFY(DataFile::write(path, image));
        const QByteArray bytes = readFileBytes(path);
        QCOMPARE(bytes.size(), 853);
        QVERIFY(bytes.startsWith(QByteArray::fromHex("5156463534")));
        QCOMPARE(bytes.mid(5), image.bytes());

        const DataFile::ReadResult result = DataFile::read(path);
        QCOMPARE(result.status, DataFile::ReadStatus::Ok);
        QCOMPARE(result.image, image);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<DataFile::ReadStatus>("status");
        QTest::addColumn<int>("imageSize");
        const QByteArray body(900, '\xFF');
        QTest::newRow("saved file") << "QVF54" + body.first(848) << DataFile::ReadStatus::Ok << 848;
        QTest::newRow("longer file: two bytes more are read") << "QVF54" + body << DataFile::ReadStatus::Ok << 850;
        QTest::newRow("just long enough") << "QVF54" + body.first(816) << DataFile::ReadStatus::Ok << 816;
        QTest::newRow("one byte short") << "QVF54" + body.first(815) << DataFile::ReadStatus::NotDataFile << 0;
        QTest::newRow("signature only") << QByteArray("QVF54") << DataFile::ReadStatus::NotDataFile << 0;
        QTest::newRow("empty") << QByteArray() << DataFile::ReadStatus::NotDataFile << 0;
        QTest::newRow("wrong signature") << "QVF55" + body.first(848) << DataFile::ReadStatus::NotDataFile << 0;
        QTest::newRow("lower case signature") << "qvf54" + body.first(848) << DataFile::ReadStatus::NotDataFile << 0;
    }
    void read()
    {
        QFETCH(QByteArray, contents);
        QFETCH(DataFile::ReadStatus, status);
        QFETCH(int, imageSize);
        const QString path = m_dir->filePath("in.DAT");
        QVERIFY(writeFileBytes(path, contents));
        const DataFile::ReadResult result = DataFile::read(path);
        QCOMPARE(result.status, status);
        QCOMPARE(result.image.size(), imageSize);
    }

    void readMissingFile()
    {
        const DataFile::ReadResult result = DataFile::read(m_dir->filePath("missing.DAT"));
        QCOMPARE(result.status, DataFile::ReadStatus::CannotOpen);
        QVERIFY(!result.error.isEmpty());
    }

    // Saving over a longer file replaces it whole and keeps its permissions.
    void overwriteReplacesWholeFile()
    {
        const QString path = m_dir->filePath("old.DAT");
        QVERIFY(writeFileBytes(path, QByteArray(5000, 'x')));
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, permissions));
        QVERIFY(DataFile::write(path, sampleImage()));
        QCOMPARE(readFileBytes(path), DataFile::contentsOf(sampleImage()));
        const auto ownerGroupOther = QFileDevice::Permissions(0x7077);
        QCOMPARE(QFile::permissions(path) & ownerGroupOther, permissions);
    }

    // A write that cannot be done says so, and leaves an existing file as it was.
    void failedWriteKeepsTheOldFile()
    {
        const QString path = m_dir->filePath("kept.DAT");
        QVERIFY(writeFileBytes(path, "old contents"));
        QString error;
        QVERIFY(!DataFile::write(m_dir->filePath("no such folder/new.DAT"), sampleImage(), &error));
        QVERIFY(!error.isEmpty());

        // The target is a folder: renaming over it fails after the data went to the temporary file.
        QVERIFY(QDir(m_dir->path()).mkdir("folder.DAT"));
        QVERIFY(!DataFile::write(m_dir->filePath("folder.DAT"), sampleImage(), &error));
        QVERIFY(QFileInfo(m_dir->filePath("folder.DAT")).isDir());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList {"kept.DAT"});
        QCOMPARE(readFileBytes(path), QByteArray("old contents"));
    }

private:
    std::optional<QTemporaryDir> m_dir; // a fresh folder for each test
};

QTEST_APPLESS_MAIN(TestDataFile)
#include "tst_datafile.moc"

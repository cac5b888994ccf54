// The files the program keeps for the user beside the data files: backups of every read, and
// the list of recent files.

#include "image/codec.h"
#include "storage/backups.h"
#include "storage/datafile.h"
#include "storage/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "common/files.h"

class TestUserFiles : public QObject
{
    Q_OBJECT

private slots:
    // A backup is the data file of the read, named by date, time and band.
    void backupOfARead()
    {
        QTemporaryDir dir;
        EditorState state;
        state.channel(1) = Channel::on(Frequency::ofText(u"145.02500").value());
        state.currentBand = 5;
        const RadioImage image = encodeImage(state);
        const QDateTime when(QDate(2026, 12, 10), QTime(14, 35, 2));
        const Backups::Result first = Backups::keep(image, 5, when, dir.path());
        QCOMPARE(QFileInfo(first.path).fileName(), QString("20261210-143502-136-174MHz.DAT"));
        QCOMPARE(readFileBytes(first.path), DataFile::contentsOf(image));
        const Backups::Result second = Backups::keep(image, 5, when, dir.path()); // the same second
        QVERIFY(second.error.isEmpty());
        QVERIFY(second.path != first.path);
        QCOMPARE(Backups::list(dir.path()).size(), 2);
    }

    // The newest 50 stay; files that are not backups are never counted or removed.
    void theNewestFiftyStay()
    {
        QTemporaryDir dir;
        const RadioImage image = encodeImage(EditorState());
        writeFileBytes(dir.filePath("my own.DAT"), "mine");
        const QDateTime start(QDate(2026, 1, 1), QTime(8, 0));
        for (int i = 0; i < Backups::Kept + 1; ++i)
            QVERIFY(Backups::keep(image, 0, start.addSecs(i * 60), dir.path()).error.isEmpty());
        const QStringList kept = Backups::list(dir.path());
        QCOMPARE(kept.size(), Backups::Kept);
        QCOMPARE(QFileInfo(kept.first()).fileName(), QString("20260101-080100-400-500MHz.DAT")); // the oldest went
        QVERIFY(QFileInfo::exists(dir.filePath("my own.DAT")));
    }

    // A clock set back, or a folder from another computer: backups named later than the new one.
    // The new one stays; of the others the oldest by modification time go; other files stay.
    void theNewBackupStaysWhateverTheNames()
    {
        QTemporaryDir dir;
        const RadioImage image = encodeImage(EditorState());
        writeFileBytes(dir.filePath("20991231-235959-notes.txt"), "mine");
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < Backups::Kept; ++i) {
            const QString path = dir.filePath(QStringLiteral("2099%1-120000-400-500MHz.DAT").arg(1001 + i));
            QVERIFY(writeFileBytes(path, DataFile::contentsOf(image)));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            // The later the name, the older the file: the first named is the newest.
            QVERIFY(file.setFileTime(now.addDays(-1 - i), QFileDevice::FileModificationTime));
        }
        const Backups::Result kept = Backups::keep(image, 0, QDateTime(QDate(2026, 12, 11), QTime(9, 0)), dir.path());
        QVERIFY(kept.error.isEmpty());
        QVERIFY(QFileInfo::exists(kept.path));
        const QStringList backups = Backups::list(dir.path());
        QCOMPARE(backups.size(), Backups::Kept);
        QCOMPARE(backups.last(), kept.path); // the newest by time
        QVERIFY(!QFileInfo::exists(dir.filePath("20991050-120000-400-500MHz.DAT"))); // the oldest went
        QVERIFY(QFileInfo::exists(dir.filePath("20991001-120000-400-500MHz.DAT")));
        QVERIFY(QFileInfo::exists(dir.filePath("20991231-235959-notes.txt")));
    }

    void unwritableFolder()
    {
        QTemporaryDir dir;
        writeFileBytes(dir.filePath("file"), "in the way");
        const Backups::Result result =
            Backups::keep(RadioImage(), 0, QDateTime::currentDateTime(), dir.filePath("file/backups"));
        QVERIFY(result.path.isEmpty());
        QVERIFY(!result.error.isEmpty());
    }

    void recentFiles()
    {
        QTemporaryDir dir;
        RecentFiles recent(dir.filePath("recent-files.ini"));
        for (int i = 1; i <= 10; ++i)
            recent.add(QStringLiteral("/data/file %1.DAT").arg(i));
        recent.add("/data/file 5.DAT"); // first again, once
        QStringList expected {"/data/file 5.DAT", "/data/file 10.DAT", "/data/file 9.DAT", "/data/file 8.DAT",
                              "/data/file 7.DAT", "/data/file 6.DAT", "/data/file 4.DAT", "/data/file 3.DAT"};
        QCOMPARE(RecentFiles(dir.filePath("recent-files.ini")).paths(), expected);
        recent.remove("/data/file 9.DAT");
        expected.removeAll("/data/file 9.DAT");
        QCOMPARE(recent.paths(), expected);
    }
};

QTEST_APPLESS_MAIN(TestUserFiles)
#include "tst_userfiles.moc"

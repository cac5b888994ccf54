#include "storage/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/files.h"

Q_DECLARE_METATYPE(Settings)

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("contents"); // "missing": no file at all
        QTest::addColumn<Settings>("settings");
        QTest::newRow("missing") << QByteArray("missing") << Settings {0, 0, 0};
        QTest::newRow("empty") << QByteArray() << Settings {0, 0, 0};
        QTest::newRow("one byte") << QByteArray("\x01", 1) << Settings {1, 0, 0};
        QTest::newRow("two bytes") << QByteArray("\x01\x04", 2) << Settings {1, 4, 0};
        QTest::newRow("three bytes") << QByteArray("\x01\x04\x01", 3) << Settings {1, 4, 1};
        QTest::newRow("five bytes") << QByteArray("\x00\x14\x02\x07\x08", 5) << Settings {0, 20, 2};
        QTest::newRow("any values") << QByteArray("\xFF\xC8\x09", 3) << Settings {255, 200, 9};
    }
    void read()
    {
        QFETCH(QByteArray, contents);
        QFETCH(Settings, settings);
        QTemporaryDir dir;
        if (contents != "missing")
            QVERIFY(writeFileBytes(dir.filePath("user/parameter"), contents));
        QCOMPARE(SettingsFile::locate(dir.filePath("program"), dir.filePath("user")).read(), settings);
    }

    // Only the first three bytes are written; bytes after them stay.
    void writeKeepsLaterBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("user/parameter");
        QVERIFY(writeFileBytes(path, QByteArray("\x01\x04\x01\x07\x08", 5)));
        const SettingsFile file = SettingsFile::locate(dir.path(), dir.filePath("user"));
        QVERIFY(file.write({0, 3, 2}));
        QCOMPARE(readFileBytes(path), QByteArray("\x00\x03\x02\x07\x08", 5));
    }

    void firstRunWritesThreeBytes()
    {
        QTemporaryDir dir;
        const SettingsFile file = SettingsFile::locate(dir.path(), dir.filePath("user"));
        QCOMPARE(file.writePath(), dir.filePath("user/parameter"));
        QVERIFY(file.write({0, 1, 0}));
        QCOMPARE(readFileBytes(dir.filePath("user/parameter")), QByteArray("\x00\x01\x00", 3));
    }

    // The program's folder, writable or not (a build folder, a user-owned prefix, /usr/bin run
    // as root), is only read: a file there is the preset until the user's own exists, and none
    // is ever created there.
    void programFolderIsOnlyRead_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("not writable") << false;
    }
    void programFolderIsOnlyRead()
    {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        const QString programDir = dir.filePath("program");
        const QString userDir = dir.filePath("config/qv540");
        if (writable)
            QVERIFY(QDir().mkpath(programDir));

        SettingsFile file = SettingsFile::locate(programDir, userDir);
        QCOMPARE(file.readPath(), QDir(programDir).filePath("parameter"));
        QCOMPARE(file.writePath(), QDir(userDir).filePath("parameter"));
        QCOMPARE(file.read(), (Settings {0, 0, 0}));
        if (writable)
            QVERIFY(writeFileBytes(QDir(programDir).filePath("parameter"), QByteArray("\x01\x03\x01", 3)));
        QCOMPARE(file.read(), writable ? (Settings {1, 3, 1}) : (Settings {0, 0, 0})); // the preset
        QVERIFY(file.write({1, 2, 1}));
        QCOMPARE(QDir(programDir).entryList(QDir::Files), writable ? QStringList {"parameter"} : QStringList());

        file = SettingsFile::locate(programDir, userDir);
        QCOMPARE(file.readPath(), file.writePath());
        QCOMPARE(file.read(), (Settings {1, 2, 1}));
    }

    void cannotWrite()
    {
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(dir.filePath("blocked"), "a file where a folder should be"));
        const SettingsFile file = SettingsFile::locate(dir.filePath("program"), dir.filePath("blocked/qv540"));
        QVERIFY(!file.write({1, 2, 1}));
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"

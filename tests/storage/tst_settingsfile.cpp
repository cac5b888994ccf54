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
            QVERIFY(writeFileBytes(dir.filePath("parameter"), contents));
        QCOMPARE(SettingsFile::locate(dir.path(), dir.filePath("user")).read(), settings);
    }

    // Only the first three bytes are written; bytes after them stay.
    void writeKeepsLaterBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("parameter");
        QVERIFY(writeFileBytes(path, QByteArray("\x01\x04\x01\x07\x08", 5)));
        const SettingsFile file = SettingsFile::locate(dir.path(), dir.filePath("user"));
        QVERIFY(file.write({0, 3, 2}));
        QCOMPARE(readFileBytes(path), QByteArray("\x00\x03\x02\x07\x08", 5));
    }

    void firstRunWritesThreeBytes()
    {
        QTemporaryDir dir;
        const SettingsFile file = SettingsFile::locate(dir.path(), dir.filePath("user"));
        QCOMPARE(file.writePath(), dir.filePath("parameter"));
        QVERIFY(file.write({0, 1, 0}));
        QCOMPARE(readFileBytes(dir.filePath("parameter")), QByteArray("\x00\x01\x00", 3));
    }

    // An installed program's folder cannot be written: the user's configuration folder takes
    // the file, with the file beside the program as its preset until the user's own exists.
    void programFolderNotWritable()
    {
        QTemporaryDir dir;
        const QString programDir = dir.filePath("program"); // not there, so not writable
        const QString userDir = dir.filePath("config/qv540");

        SettingsFile file = SettingsFile::locate(programDir, userDir);
        QCOMPARE(file.readPath(), QDir(programDir).filePath("parameter"));
        QCOMPARE(file.writePath(), QDir(userDir).filePath("parameter"));
        QCOMPARE(file.read(), (Settings {0, 0, 0}));
        QVERIFY(file.write({1, 2, 1}));

        file = SettingsFile::locate(programDir, userDir);
        QCOMPARE(file.readPath(), file.writePath());
        QCOMPARE(file.read(), (Settings {1, 2, 1}));
    }

    // The folder the program is installed in is shared by every user: even when it can be
    // written (by root), the settings go to the user's configuration folder.
    void installedFolder()
    {
        QTemporaryDir dir;
        const QString bin = dir.filePath("usr/bin");
        QVERIFY(QDir().mkpath(bin));
        const SettingsFile file = SettingsFile::locate(bin, dir.filePath("config/qv540"), bin + "/");
        QCOMPARE(file.writePath(), dir.filePath("config/qv540/parameter"));
        QCOMPARE(file.readPath(), QDir(bin).filePath("parameter")); // the preset, until the user's own
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

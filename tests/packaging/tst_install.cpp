// What a machine receives from `cmake --install` and from `cpack -G DEB`: the install tree in a
// private folder (DESTDIR), the desktop's own validators on it, the data file type as Qt's MIME
// database sees it once installed, the manual page against `qv540-cli --help`, and the Debian
// package's contents and dependencies.

#include <QDirIterator>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <set>

namespace {

const QString BuildDir = QStringLiteral(QV540_BUILD_DIR);
const QString AppId = QStringLiteral(QV540_APP_ID);
const QString DataFileType = QStringLiteral("application/x-qv540-data");

struct Run
{
    int status = -1; // -1: not found, crashed or did not end
    QString out;
    QString err;
};

// Runs a tool of the build machine; a missing one fails with the way to get it.
Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    Run result;
    const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        result.err = program + QStringLiteral(" not found: scripts/install-deps installs it");
        return result;
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(path, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.err = program + QStringLiteral(" did not end");
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QByteArray explain(const Run &r)
{
    return QStringLiteral("exit %1\n%2%3").arg(r.status).arg(r.out, r.err).toUtf8();
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of a key of a desktop entry's main group.
QString desktopValue(const QString &entry, const QString &key)
{
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

// The files under a folder, as paths relative to it.
std::set<QString> filesUnder(const QString &root)
{
    std::set<QString> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(QDir(root).relativeFilePath(it.next()));
    return files;
}

// What the metainfo says of the component's names, in document order.
struct Metainfo
{
    QString id;
    QString launchable;
    QStringList mediaTypes;
    QStringList binaries;
    QStringList releases;
};

Metainfo readMetainfo(const QString &text)
{
    Metainfo metainfo;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == u"release")
            metainfo.releases << xml.attributes().value(QStringLiteral("version")).toString();
        else if (name == u"id")
            metainfo.id = xml.readElementText();
        else if (name == u"launchable")
            metainfo.launchable = xml.readElementText();
        else if (name == u"mediatype")
            metainfo.mediaTypes << xml.readElementText();
        else if (name == u"binary")
            metainfo.binaries << xml.readElementText();
    }
    if (xml.hasError())
        metainfo.id = QStringLiteral("unreadable: ") + xml.errorString();
    return metainfo;
}

// The package names of a Depends or Recommends field, alternatives included.
QStringList packageNames(const QString &field)
{
    QStringList names;
    for (const QString &item : field.split(QRegularExpression(QStringLiteral("[,|]")), Qt::SkipEmptyParts))
        names << item.trimmed().section(u' ', 0, 0);
    return names;
}

} // namespace

class InstallTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void validatorsPass();
    void namesAgree();
    void dataFileType_data();
    void dataFileType();
    void manualPagesCoverThePrograms_data();
    void manualPagesCoverThePrograms();
    void bashCompletion();
    void filesOnlyInTheUserFolder();
    void helpAndVersionWithoutADisplay();
    void debianPackage();

private:
    QString installed(const QString &path) const { return m_root + QStringLiteral("/usr/") + path; }

    QTemporaryDir m_dir;
    QString m_root;
};

void InstallTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_root = m_dir.filePath(QStringLiteral("root"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_root);
    const Run install = run(QStringLiteral(QV540_CMAKE), {"--install", BuildDir, "--prefix", "/usr"}, environment);
    QVERIFY2(install.status == 0, explain(install));

    // As the package's trigger does on the user's machine. From here on the MIME database is
    // read from the install tree, in front of the system's own, with an empty user folder. The
    // tool says nothing when all is well; a faulty type is only a message, with exit status 0.
    qputenv("XDG_DATA_DIRS", (m_root + QStringLiteral("/usr/share:/usr/share")).toUtf8());
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("home")).toUtf8());
    const Run mime = run(QStringLiteral("update-mime-database"), {installed("share/mime")});
    QVERIFY2(mime.status == 0 && mime.out.isEmpty() && mime.err.isEmpty(), explain(mime));
}

void InstallTest::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("window") << "bin/qv540" << true;
    QTest::newRow("command-line tool") << "bin/qv540-cli" << true;
    QTest::newRow("emulator") << "bin/qv540-radio-sim" << true;
    QTest::newRow("desktop entry") << "share/applications/" + AppId + ".desktop" << false;
    QTest::newRow("metainfo") << "share/metainfo/" + AppId + ".metainfo.xml" << false;
    QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/" + AppId + ".svg" << false;
    QTest::newRow("data file type") << "share/mime/packages/qv540.xml" << false;
    for (const char *program : {"qv540", "qv540-cli", "qv540-radio-sim"})
        QTest::addRow("manual page of %s", program) << QStringLiteral("share/man/man1/%1.1.gz").arg(program) << false;
    QTest::newRow("bash completion") << "share/bash-completion/completions/qv540-cli" << false;
    QTest::newRow("copyright") << "share/doc/qv540/copyright" << false;
    QTest::newRow("changelog") << "share/doc/qv540/changelog.gz" << false;
}

void InstallTest::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(file.filePath()));
    QCOMPARE(file.isExecutable(), executable);
}

void InstallTest::validatorsPass()
{
    const Run desktop = run(QStringLiteral("desktop-file-validate"), {installed("share/applications/" + AppId + ".desktop")});
    QVERIFY2(desktop.status == 0, explain(desktop));
    QVERIFY2(!desktop.out.contains(QStringLiteral("error:")) && !desktop.out.contains(QStringLiteral("warning:")), explain(desktop));

    const Run metainfo = run(QStringLiteral("appstreamcli"), {"validate", "--no-net", installed("share/metainfo/" + AppId + ".metainfo.xml")});
    QVERIFY2(metainfo.status == 0, explain(metainfo));
    // The whole tree: the metainfo's launchable names the desktop entry installed beside it.
    const Run tree = run(QStringLiteral("appstreamcli"), {"validate-tree", "--no-net", m_root});
    QVERIFY2(tree.status == 0, explain(tree));
}

// The desktop entry, the metainfo and the data file type name one another, and the release the
// metainfo announces first is the one built.
void InstallTest::namesAgree()
{
    const QString entry = readText(installed("share/applications/" + AppId + ".desktop"));
    QCOMPARE(desktopValue(entry, "Icon"), AppId);
    QCOMPARE(desktopValue(entry, "MimeType"), DataFileType + u';');
    QCOMPARE(desktopValue(entry, "Categories"), QStringLiteral("Utility;HamRadio;"));
    QCOMPARE(desktopValue(entry, "Exec").section(u' ', 0, 0), QStringLiteral("qv540"));

    const Metainfo metainfo = readMetainfo(readText(installed("share/metainfo/" + AppId + ".metainfo.xml")));
    QCOMPARE(metainfo.id, AppId);
    QCOMPARE(metainfo.launchable, AppId + ".desktop");
    QCOMPARE(metainfo.mediaTypes, QStringList {DataFileType});
    QCOMPARE(metainfo.binaries, (QStringList {"qv540", "qv540-cli", "qv540-radio-sim"}));
    QVERIFY(!metainfo.releases.isEmpty());
    QCOMPARE(metainfo.releases.first(), QStringLiteral(QV540_VERSION));
}

void InstallTest::dataFileType_data()
{
    QFile sample(QStringLiteral(QV540_SOURCE_DIR "/examples/sample.DAT"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QByteArray dataFile = sample.readAll();
    QCOMPARE(dataFile.size(), 853);

    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ours");
    QTest::newRow("as saved") << "fleet.DAT" << dataFile << true;
    QTest::newRow("lower-case name, by its signature") << "fleet.dat" << dataFile << true;
    QTest::newRow("no extension, by its signature") << "fleet" << dataFile << true;
    QTest::newRow("another program's .dat") << "notes.dat" << QByteArray("plain notes\n") << false;
    QTest::newRow("signature elsewhere") << "moved" << QByteArray(" QVF54").append(847, '\0') << false;
}

void InstallTest::dataFileType()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, ours);
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();

    const QMimeType type = QMimeDatabase().mimeTypeForFile(file.fileName());
    QCOMPARE(type.name() == DataFileType, ours);
    if (ours)
        QCOMPARE(type.comment(), QStringLiteral("QV-540 radio programming"));
}

// Each program's manual page, compressed as Debian keeps them, renders without a warning and
// names every command (qv540-cli) and option its --help lists.
void InstallTest::manualPagesCoverThePrograms_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("commands");
    QTest::newRow("qv540") << "qv540" << 0;
    QTest::newRow("qv540-cli") << "qv540-cli" << 11;
    QTest::newRow("qv540-radio-sim") << "qv540-radio-sim" << 0;
}

void InstallTest::manualPagesCoverThePrograms()
{
    QFETCH(QString, program);
    QFETCH(int, commands);
    const QString compressed = installed(QStringLiteral("share/man/man1/%1.1.gz").arg(program));
    const Run unpack = run(QStringLiteral("gzip"), {"-dc", compressed});
    QVERIFY2(unpack.status == 0, explain(unpack));
    const QString page = m_dir.filePath(program + QStringLiteral(".1"));
    QFile plainPage(page);
    QVERIFY(plainPage.open(QIODevice::WriteOnly) && plainPage.write(unpack.out.toUtf8()) > 0);
    plainPage.close();
    const Run render = run(QStringLiteral("groff"), {"-t", "-man", "-Tutf8", "-ww", "-z", page});
    QVERIFY2(render.status == 0 && render.err.isEmpty(), explain(render));

    const QString source = unpack.out;
    const QString plain = QString(source).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QVERIFY(source.startsWith(QStringLiteral(".TH ") + program.toUpper().replace(u'-', QStringLiteral("\\-")) + u' '));
    QVERIFY(source.contains(QStringLiteral("\"qv540 " QV540_VERSION "\"")));

    const Run help = run(installed(QStringLiteral("bin/") + program), {"--help"});
    QVERIFY2(help.status == 0, explain(help));
    if (commands > 0) {
        const QString listing = help.out.section(QStringLiteral("Commands:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
        QStringList listed;
        for (const auto &match : QRegularExpression(QStringLiteral("^  ([a-z]+) "), QRegularExpression::MultilineOption).globalMatch(listing))
            listed << match.captured(1);
        QCOMPARE(listed.size(), commands);
        for (const QString &command : listed)
            QVERIFY2(plain.contains(QStringLiteral(".TP\n.B %1\n").arg(command)), qPrintable(command));
    }
    const QString options = help.out.section(QStringLiteral("Options:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
    QVERIFY(!options.isEmpty());
    for (const auto &match : QRegularExpression(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*)")).globalMatch(options))
        QVERIFY2(plain.contains(match.captured(1)), qPrintable(match.captured(1)));
}

// bash completes qv540-cli's commands, a command's options, the port slots and files by type.
void InstallTest::bashCompletion()
{
    const QString script = installed("share/bash-completion/completions/qv540-cli");
    QFile data(m_dir.filePath(QStringLiteral("fleet.DAT")));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.close();
    auto complete = [&](const QString &words) {
        const QString line = QStringLiteral("source '%1'; cd '%2'; COMP_WORDS=(%3); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                            "_qv540_cli; printf '%s\\n' \"${COMPREPLY[@]}\"")
                                 .arg(script, m_dir.path(), words);
        return run(QStringLiteral("bash"), {"-c", line}).out.split(u'\n', Qt::SkipEmptyParts);
    };
    QCOMPARE(complete("qv540-cli di"), QStringList {"diff"});
    QCOMPARE(complete("qv540-cli import --re"), QStringList {"--renumber"});
    QVERIFY(complete("qv540-cli write --port CO").contains(QStringLiteral("COM20")));
    QVERIFY(complete("qv540-cli dump fl").contains(QStringLiteral("fleet.DAT")));
    QVERIFY(!complete("qv540-cli import fl").contains(QStringLiteral("fleet.DAT")));
}

// The installed window, run once with a fresh home and a data file to open, writes what it keeps
// in the user's folders and never a file beside itself.
void InstallTest::filesOnlyInTheUserFolder()
{
    const QString home = m_dir.filePath(QStringLiteral("fresh home"));
    QVERIFY(QDir().mkpath(home));
    const QString file = m_dir.filePath(QStringLiteral("radio.DAT"));
    QFile data(file);
    QVERIFY(data.open(QIODevice::WriteOnly) && data.write("QVF54" + QByteArray(848, '\xFF')) == 853);
    data.close();
    const std::set<QString> programFolder = filesUnder(installed("bin"));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess window;
    window.setProcessEnvironment(environment);
    window.start(installed("bin/qv540"), {file});
    QVERIFY(window.waitForStarted());
    const QString recent = home + QStringLiteral("/.config/qv540/recent-files.ini");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(recent), 20000);
    window.terminate();
    QVERIFY(window.waitForFinished(5000));
    QVERIFY(readText(recent).contains(QStringLiteral("radio.DAT")));
    QCOMPARE(filesUnder(installed("bin")), programFolder);
}

// --help and --version answer on the terminal, without a display to open a window on; an
// unknown option is a usage error, never a file name.
void InstallTest::helpAndVersionWithoutADisplay()
{
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        bare.remove(QString::fromLatin1(name));
    const Run help = run(installed("bin/qv540"), {"--help"}, bare);
    QVERIFY2(help.status == 0 && help.out.startsWith(QStringLiteral("Usage:\n  qv540 [FILE.DAT]")), explain(help));
    for (const char *program : {"qv540", "qv540-cli", "qv540-radio-sim"}) {
        const Run version = run(installed(QStringLiteral("bin/") + QLatin1StringView(program)), {"--version"}, bare);
        QVERIFY2(version.status == 0, explain(version));
        QCOMPARE(version.out, QStringLiteral("%1 %2\n").arg(QLatin1StringView(program), QStringLiteral(QV540_VERSION)));
    }
    const Run unknown = run(installed("bin/qv540"), {"-platform", "offscreen", "--frobnicate"}, bare);
    QCOMPARE(unknown.status, 2);
    QVERIFY2(unknown.err.contains(QStringLiteral("unknown option --frobnicate")), explain(unknown));
}

// The package holds what the install tree holds, depends on the libraries the programs link
// and on what they load at run time, and its programs run.
void InstallTest::debianPackage()
{
    const QString folder = m_dir.filePath(QStringLiteral("package"));
    const Run cpack = run(QStringLiteral(QV540_CPACK), {"-G", "DEB", "--config", BuildDir + "/CPackConfig.cmake", "-B", folder});
    QVERIFY2(cpack.status == 0, explain(cpack));
    const QStringList packages = QDir(folder).entryList({"qv540_*.deb"}, QDir::Files);
    QCOMPARE(packages.size(), 1);
    const QString package = folder + u'/' + packages.first();
    const Run architecture = run(QStringLiteral("dpkg"), {"--print-architecture"});
    QCOMPARE(packages.first(), QStringLiteral("qv540_" QV540_VERSION "_%1.deb").arg(architecture.out.trimmed()));

    const QString unpacked = m_dir.filePath(QStringLiteral("unpacked"));
    const Run extract = run(QStringLiteral("dpkg-deb"), {"-x", package, unpacked});
    QVERIFY2(extract.status == 0, explain(extract));
    std::set<QString> tree = filesUnder(m_root);
    // Made by update-mime-database above, which the user's machine does itself.
    std::erase_if(tree, [](const QString &path) {
        return path.startsWith(QStringLiteral("usr/share/mime/")) && path != u"usr/share/mime/packages/qv540.xml";
    });
    QCOMPARE(filesUnder(unpacked), tree);
    // Debian's own checks: no error and no warning (lintian refuses to run as root but for
    // --allow-root).
    const Run lintian = run(QStringLiteral("lintian"), {"--allow-root", "--no-tag-display-limit", package});
    QVERIFY2(lintian.status == 0, explain(lintian));
    for (const QString &line : lintian.out.split(u'\n'))
        QVERIFY2(!line.startsWith(QStringLiteral("E: ")) && !line.startsWith(QStringLiteral("W: ")), explain(lintian));

    const Run version = run(unpacked + QStringLiteral("/usr/bin/qv540-cli"), {"--version"});
    QVERIFY2(version.status == 0 && version.out.contains(QStringLiteral(QV540_VERSION)), explain(version));

    const Run info = run(QStringLiteral("dpkg-deb"), {"-f", package, "Package", "Version", "Depends", "Recommends"});
    QVERIFY2(info.status == 0, explain(info));
    const auto field = [&](const QString &name) {
        return QRegularExpression(QStringLiteral("^%1: (.*)$").arg(name), QRegularExpression::MultilineOption).match(info.out).captured(1);
    };
    QCOMPARE(field("Package"), QStringLiteral("qv540"));
    QCOMPARE(field("Version"), QStringLiteral(QV540_VERSION));
    const QStringList depends = packageNames(field("Depends"));
    // From the linked libraries, then what the programs load at run time.
    for (const char *name : {"libc6", "libqt6core6", "libqt6widgets6", "libqt6serialport6", "libopencc1.1", "qt6-qpa-plugins", "libopencc-data", "qt6-translations-l10n"})
        QVERIFY2(depends.contains(QLatin1String(name)), qPrintable(field("Depends")));
    QVERIFY2(packageNames(field("Recommends")).contains(QStringLiteral("fonts-wqy-microhei")), qPrintable(info.out));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"

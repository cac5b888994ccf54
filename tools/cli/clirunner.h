#pragma once

#include "clicommand.h"
#include "clisession.h"
#include "progressbar.h"

#include "image/editorstate.h"
#include "image/radioimage.h"

#include <QString>
#include <cstdio>
#include <optional>


// Carries out one qv540-cli command and gives its exit status. Results go to standard output;
// errors, one line each naming the device or file and what to do, and the progress bar go to
// standard error. The messages are English, whatever language the window is set to.
class CliRunner
{
public:
    CliRunner(std::FILE *out, std::FILE *err);

    int run(const CliCommand &command);

    // The device a --port argument names: itself, except that elsewhere than on Windows a
    // "COMn" that is no file names the device of the window's port slot n (empty: none).
    static QString portDevice(const QString &port);

private:
    int read(const CliCommand &command);
    void keepBackup(const RadioImage &saved);
    int write(const CliCommand &command);
    int verify(const CliCommand &command);
    int diff(const CliCommand &command);
    int ports();
    int dump(const CliCommand &command);
    int exportCsv(const CliCommand &command);
    int importCsv(const CliCommand &command);
    int encode(const CliCommand &command);
    int detect(const CliCommand &command);

    // The state of a data file; reports and gives nothing when it cannot be read or is none.
    std::optional<EditorState> loadDataFile(const QString &path);
    std::optional<RadioImage> loadDataImage(const QString &path);
    std::optional<RadioImage> readRadio(const QString &port, const QString &progressLabel, int &status);
    bool openPort(CliSession &session, const QString &port);
    // A session that ended without its result; write: it was a write.
    int sessionFailed(CliSession::Result result, bool write = false);
    // The bytes of a file the command reads; reports and gives nothing when it cannot be read.
    bool readable(const QString &path);
    std::optional<QByteArray> readInput(const QString &path);
    // Puts a file in place whole, or reports why not, naming what it is ("raw copy").
    bool saveBytes(const QString &path, const QByteArray &bytes, const QString &what);
    bool saveDataFile(const QString &path, const EditorState &state);

    void print(const QString &text);
    // One line on standard error.
    void report(const QString &message);
    int fail(int status, const QString &message);

    std::FILE *m_out;
    std::FILE *m_err;
    QString m_portName; // the port as messages name it: "COM3 (/dev/ttyUSB0)" for a slot
    ProgressBar m_progress;
};

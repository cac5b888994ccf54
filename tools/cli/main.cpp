// qv540-cli: reads, writes, verifies and dumps QV-540 programming from scripts, on the same
// session driver and image codec as the window.

#include "clicommand.h"
#include "clirunner.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qv540-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QV540_VERSION));
    CliRunner runner(stdout, stderr);
    return runner.run(CliCommand::parse(QCoreApplication::arguments()));
}

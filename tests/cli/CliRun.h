// veldrin-cli run in-process on a command line, with what it wrote to each stream.
#pragma once

#include "cli/CliMain.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace veldrin::test {

struct CliRun {
    int code;
    QString out;
    QString err;
};

inline CliRun RunCliCapturing(const QStringList& args, const QString& programDir,
                              const cli::ReportWriter& writeReport = {})
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = cli::RunCli(args, programDir, outStream, errStream, writeReport);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

} // namespace veldrin::test

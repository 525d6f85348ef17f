// veldrin-cli check: the checks the configurator's dialogs make, run on a configuration's files.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class CheckCommand : public CliCommand {
public:
    explicit CheckCommand(QString programDir) : m_programDir(std::move(programDir)) {}

    QString name() const override { return QStringLiteral("check"); }
    QString usage() const override;
    int run(const QStringList& args, QTextStream& out, QTextStream& err) override;

private:
    QString m_programDir;
};

} // namespace veldrin::cli

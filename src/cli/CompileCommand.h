// veldrin-cli compile: a configuration's two XML files into bank.bin and bank2.bin.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class CompileCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("compile"); }
    QString usage() const override;
    int run(const QStringList& args, QTextStream& out, QTextStream& err) override;
};

} // namespace veldrin::cli

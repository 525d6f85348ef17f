// veldrin-cli inspect: what a bank.bin or bank2.bin holds, field by field.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class ImageReportCommand : public CliCommand {
public:
    QString name() const override { return QStringLiteral("inspect"); }
    QString usage() const override;
    int run(const QStringList& args, QTextStream& out, QTextStream& err) override;
};

} // namespace veldrin::cli

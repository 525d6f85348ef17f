// veldrin-cli strings: the user-interface texts the configurator would show.
#pragma once

#include "cli/CliCommand.h"

namespace veldrin::cli {

class StringsCommand : public CliCommand {
public:
    explicit StringsCommand(QString programDir) : m_programDir(std::move(programDir)) {}

    QString name() const override { return QStringLiteral("strings"); }
    QString usage() const override;
    int run(const QStringList& args, QTextStream& out, QTextStream& err) override;

    // A text on one line: tab, CR, LF and backslash as \t, \r, \n and \\.
    static QString Escape(const QString& text);

private:
    QString m_programDir;
};

} // namespace veldrin::cli

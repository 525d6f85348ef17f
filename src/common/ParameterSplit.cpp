#include "common/ParameterSplit.h"

namespace veldrin {

QStringList SplitParameter(const QString& parameter)
{
    // Blanks separate arguments outside double quotes; quotes group and are dropped, and a
    // pair of them is an argument even when empty. Backslashes are plain characters, so
    // "\\.\COM3" and Windows paths arrive as written.
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool inArgument = false;
    for (QChar c : parameter) {
        if (c == u'"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.append(current);
    return arguments;
}

} // namespace veldrin

#include "updaters/NativeCommandLine.h"

#include "common/ParameterSplit.h"

namespace veldrin::updaters {

QStringList ArgumentsOfCommandLine(const QString& commandLine)
{
    qsizetype i = 0;
    const auto blank = [&] {
        return commandLine[i] == u' ' || commandLine[i] == u'\t';
    };
    while (i < commandLine.size() && blank())
        ++i;
    if (i < commandLine.size() && commandLine[i] == u'"') {
        const qsizetype close = commandLine.indexOf(u'"', i + 1);
        i = close < 0 ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && !blank())
        ++i;
    return SplitParameter(commandLine.mid(i));
}

} // namespace veldrin::updaters

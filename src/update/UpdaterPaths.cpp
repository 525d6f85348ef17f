#include "update/UpdaterPaths.h"

namespace veldrin {

QString UpdaterProgram(const QString& programDir, const QString& name)
{
#ifdef Q_OS_WIN
    return programDir + u'/' + name + QStringLiteral(".exe");
#else
    return programDir + u'/' + name;
#endif
}

} // namespace veldrin

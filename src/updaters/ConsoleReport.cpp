#include "updaters/ConsoleReport.h"

#include <QProcessEnvironment>

namespace veldrin::updaters {

void ConsoleReport::heading(const QString& text)
{
    m_out << text << Qt::endl;
}

void ConsoleReport::info(const QString& text)
{
    m_out << text << Qt::endl;
}

void ConsoleReport::beginStep(int number, int count, const QString& text)
{
    m_out << '[' << number << '/' << count << "] " << text << " ... " << Qt::flush;
}

void ConsoleReport::endStep(const QString& result)
{
    m_out << result << Qt::endl;
}

void ConsoleReport::problem(const QString& text)
{
    m_out.flush();
    m_err << "Error: " << text << Qt::endl;
}

void ConsoleReport::finish(bool ok, const QString& summary)
{
    (ok ? m_out : m_err) << summary << Qt::endl;
}

bool CanShowWindow(const QProcessEnvironment& environment)
{
    // The first of a list such as "wayland;xcb" is the one tried first.
    const QString platform =
        environment.value(QStringLiteral("QT_QPA_PLATFORM")).section(u';', 0, 0).trimmed();
    if (platform == u"offscreen" || platform == u"minimal")
        return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (platform.isEmpty() || platform.startsWith(u"xcb") || platform.startsWith(u"wayland"))
        return !environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
               !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
#endif
    return true;
}

} // namespace veldrin::updaters

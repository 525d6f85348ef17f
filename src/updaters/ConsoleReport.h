// An updater's report on the console: the operations on the output stream, problems on the
// error stream.
#pragma once

#include "updaters/UpdaterReport.h"

#include <QTextStream>

class QProcessEnvironment;

namespace veldrin::updaters {

class ConsoleReport : public UpdaterReport {
public:
    ConsoleReport(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    void heading(const QString& text) override;
    void info(const QString& text) override;
    void beginStep(int number, int count, const QString& text) override;
    // A console shows an operation's progress by its number: "[2/4]".
    void progress(int) override {}
    void endStep(const QString& result) override;
    void problem(const QString& text) override;
    void finish(bool ok, const QString& summary) override;
    // Nobody watches a console between steps.
    void pause(int) override {}

private:
    QTextStream& m_out;
    QTextStream& m_err;
};

// Whether an updater started with this environment can show a window: not with the offscreen or
// minimal platform, and on X11 or Wayland systems only when a display is named.
bool CanShowWindow(const QProcessEnvironment& environment);

} // namespace veldrin::updaters

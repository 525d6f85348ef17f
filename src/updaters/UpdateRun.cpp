#include "updaters/UpdateRun.h"

#include "updaters/UpdaterReport.h"

namespace veldrin::updaters {
namespace {

QString operations(int count)
{
    return count == 1 ? QStringLiteral("1 operation") : QStringLiteral("%1 operations").arg(count);
}

} // namespace

void UpdateRun::problem(const QString& text, UpdaterExit code)
{
    if (m_exitCode == ExitOk)
        m_exitCode = code;
    m_report.problem(text);
}

bool UpdateRun::step(const QString& text, const std::function<QString()>& body)
{
    m_report.beginStep(m_stepsDone + 1, m_stepCount, text);
    for (int i = 0; i < ProgressSteps; ++i) {
        m_report.progress(i * 100 / ProgressSteps);
        m_report.pause(ProgressPauseMs);
    }
    try {
        const QString result = body();
        m_report.progress(100);
        m_report.endStep(result);
        ++m_stepsDone;
        return true;
    } catch (const ReadBackMismatch& mismatch) {
        m_report.endStep(QStringLiteral("differs"));
        m_stepFailed = true;
        problem(mismatch.message(), ExitReadBackMismatch);
    } catch (const VeldrinError& error) {
        m_report.endStep(QStringLiteral("failed"));
        m_stepFailed = true;
        problem(error.message(), ExitDeviceFailure);
    }
    return false;
}

int UpdateRun::finish(const QString& deviceName)
{
    if (m_stepFailed) {
        m_report.finish(false, QStringLiteral("The update stopped at operation %1 of %2.")
                                   .arg(m_stepsDone + 1)
                                   .arg(m_stepCount));
    } else if (hasProblems()) {
        m_report.finish(false,
                        QStringLiteral("The update did not start: nothing was written to the device."));
    } else if (m_stepsDone == 0) {
        m_report.finish(true, QStringLiteral("Nothing to do: no operation was asked for."));
    } else {
        m_report.finish(
            true, QStringLiteral("Update finished: %1 on %2.").arg(operations(m_stepsDone), deviceName));
    }
    return m_exitCode;
}

} // namespace veldrin::updaters

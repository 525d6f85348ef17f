#include "services/ProcessRunner.h"

#include "common/ParameterSplit.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <vector>

namespace veldrin {

ProcessRunner::ProcessRunner(QObject* parent) : ProgramRunner(parent) {}

ProcessRunner::~ProcessRunner()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
        m_process->setParent(nullptr);
        // Deliberately not destroyed, since that would kill the updater; kept where the end of
        // the process still finds it rather than lost (the list itself is never destroyed).
        static auto* const leftRunning = new std::vector<QProcess*>;
        leftRunning->push_back(m_process);
        m_process = nullptr;
    }
}

QString ProcessRunner::start(const QString& program, const QString& parameter, bool hidden)
{
    if (isRunning())
        return QStringLiteral("%1 is still running").arg(QDir::toNativeSeparators(m_process->program()));
    const QFileInfo file(program);
    if (!file.exists())
        return QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(program));
    if (!file.isFile() || !file.isExecutable())
        return QStringLiteral("%1 is not a program that can be run").arg(QDir::toNativeSeparators(program));

    delete m_process;
    m_process = new QProcess(this);
    m_process->setProgram(program);
#ifdef Q_OS_WIN
    m_process->setNativeArguments(parameter);
#else
    m_process->setArguments(SplitParameter(parameter));
#endif
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    if (hidden) {
        // No window: the Qt programs among the updaters then run without a display.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process->setProcessEnvironment(environment);
    }
    m_exitCode = 0;
    m_crashed = false;
    connect(m_process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        m_exitCode = exitCode;
        m_crashed = status == QProcess::CrashExit;
        Q_EMIT ended();
    });
    m_process->start();
    if (!m_process->waitForStarted(10000)) {
        const QString reason = m_process->errorString();
        delete m_process;
        m_process = nullptr;
        return QStringLiteral("%1 could not be started: %2").arg(QDir::toNativeSeparators(program), reason);
    }
    return {};
}

bool ProcessRunner::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

} // namespace veldrin

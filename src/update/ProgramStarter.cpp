#include "update/ProgramStarter.h"

#include "common/Prompts.h"
#include "lang/StringTable.h"
#include "services/Clock.h"
#include "services/ProgramRunner.h"
#include "update/UpdateRoute.h"
#include "widgets/WindowStyle.h"

#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace veldrin {
namespace {

constexpr int WaitingText = 202;   // "Waiting for %1 to finish: %2 s"
constexpr int WaitedBarText = 203; // "Seconds waited"
constexpr int StopWaitingText = 221;

// A modal window that shows the wait. Escape and the close box do not end it; "Stop waiting"
// gives the user back the configurator at once, the program left running.
class WaitDialog : public QDialog {
public:
    WaitDialog(const QString& program, int limitMs, const StringTable& strings, QWidget* owner)
        : QDialog(owner), m_program(program), m_waiting(strings[WaitingText])
    {
        setObjectName(QStringLiteral("ProgramWait"));
        setWindowTitle(program);
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setModal(true);
        ApplyBackground(this);
        auto* layout = new QVBoxLayout(this);
        m_label = new QLabel(this);
        m_label->setObjectName(QStringLiteral("L_Wait"));
        m_bar = new QProgressBar(this);
        m_bar->setObjectName(QStringLiteral("PB_Wait"));
        m_bar->setRange(0, std::max(1, limitMs / 1000));
        m_bar->setTextVisible(false);
        m_bar->setAccessibleName(strings[WaitedBarText]);
        m_stop = new QPushButton(strings[StopWaitingText], this);
        m_stop->setObjectName(QStringLiteral("Btn_Stop_Waiting"));
        layout->addWidget(m_label);
        layout->addWidget(m_bar);
        layout->addWidget(m_stop, 0, Qt::AlignRight);
        setFixedWidth(360);
        showSeconds(0);
    }

    void showSeconds(int seconds)
    {
        m_label->setText(m_waiting.arg(m_program).arg(seconds));
        m_bar->setValue(std::min(seconds, m_bar->maximum()));
    }

    QPushButton* stopButton() const { return m_stop; }

protected:
    void reject() override {}

private:
    QString m_program;
    QString m_waiting;
    QLabel* m_label;
    QProgressBar* m_bar;
    QPushButton* m_stop;
};

} // namespace

ProgramStarter::ProgramStarter(ProgramRunner& runner, Prompts& prompts, const StringTable& strings,
                               Clock& clock, QWidget* owner)
    : QObject(owner), m_runner(runner), m_prompts(prompts), m_strings(strings), m_clock(clock), m_owner(owner)
{}

bool ProgramStarter::isBusy() const
{
    return m_runner.isRunning();
}

QString ProgramStarter::BusyMessage(const StringTable& strings)
{
    return UpdaterBusyMessage(strings);
}

RunOutcome ProgramStarter::Start_Program(const QString& NomeSW, const QString& Parameter, int tipo)
{
    RunOutcome outcome;
    outcome.error = m_runner.start(NomeSW, Parameter, tipo != 0);
    if (!outcome.error.isEmpty()) {
        m_prompts.error(outcome.error);
        return outcome;
    }

    QEventLoop loop;
    bool ended = false;
    const auto onEnded = connect(&m_runner, &ProgramRunner::ended, &loop, [&] {
        ended = true;
        loop.quit();
    });
    const qint64 startedMs = m_clock.nowMs();
    WaitDialog wait(QFileInfo(NomeSW).fileName(), LimitMs, m_strings, m_owner);
    QTimer tick;
    tick.setInterval(200);
    connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 waitedMs = m_clock.nowMs() - startedMs;
        wait.showSeconds(static_cast<int>(waitedMs / 1000));
        if (waitedMs >= LimitMs)
            loop.quit();
    });
    connect(wait.stopButton(), &QPushButton::clicked, &loop, &QEventLoop::quit);
    if (m_runner.isRunning()) {
        wait.show();
        tick.start();
        loop.exec();
    } else {
        ended = true;
    }
    disconnect(onEnded);
    wait.hide();

    if (ended) {
        outcome.kind = RunOutcome::Kind::Ended;
        outcome.exitCode = m_runner.exitCode();
        outcome.crashed = m_runner.crashed();
    } else {
        outcome.kind = RunOutcome::Kind::StillRunning;
    }
    return outcome;
}

} // namespace veldrin

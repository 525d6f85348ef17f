#include "update/ProgramStarter.h"

#include "lang/StringTable.h"
#include "services/ProcessRunner.h"
#include "support/EnglishStrings.h"
#include "support/FakeClock.h"
#include "support/ModalDriver.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "support/WaitUntil.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <csignal>

namespace veldrin {
namespace {

// A shell script that records its arguments, one a line, and its process id.
QString argumentRecorder(const test::TempProgramDir& dir, const char* body = "")
{
    const QString script = dir.file(QStringLiteral("record.sh"));
    dir.write(QStringLiteral("record.sh"),
              QByteArray("#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\n"
                         "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args\"\n") +
                  body);
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return script;
}

// What the wait window says.
QString waitText(const QWidget* wait)
{
    return wait->findChild<QLabel*>(QStringLiteral("L_Wait"))->text();
}

class ProgramStarterTest : public ::testing::Test {
protected:
    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeClock clock;
    ProcessRunner runner;
    StringTable strings = test::EnglishStrings();
    ProgramStarter starter{runner, prompts, strings, clock, nullptr};
};

TEST_F(ProgramStarterTest, WaitsForAProgramAndTellsHowItEnded)
{
    // The program ends with code 3 once the test has made the file "end" (and gives up when a
    // failed test has removed its folder).
    const QString script = argumentRecorder(dir, "here=$(dirname \"$0\")\n"
                                                 "while [ ! -e \"$here/end\" ]; do\n"
                                                 "  [ -d \"$here\" ] || exit 1\n"
                                                 "  sleep 0.01\n"
                                                 "done\n"
                                                 "exit 3\n");
    bool waited = false;
    test::WhenModal([&](QWidget* wait) {
        // The window counts the seconds on the clock; a millisecond short of the limit the
        // starter still waits.
        clock.advance(ProgramStarter::LimitMs - 1);
        EXPECT_TRUE(test::WaitUntil([&] {
            return waitText(wait) == QStringLiteral("Waiting for record.sh to finish: 149 s");
        })) << waitText(wait).toStdString();
        waited = runner.isRunning();
        dir.write(QStringLiteral("end"), QByteArray());
    });
    const RunOutcome outcome =
        starter.Start_Program(script, QStringLiteral("\\\\.\\ttyS0 FW \"/a b/x.sim\" \"\""), 0);
    EXPECT_TRUE(waited) << "the starter returned before the program ended";
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::Ended);
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(outcome.statusLine(script, strings), QStringLiteral("record.sh ended with error code 3."));
    EXPECT_EQ(dir.read(QStringLiteral("args")), QByteArray("\\\\.\\ttyS0\nFW\n/a b/x.sim\n\n"));
    EXPECT_FALSE(starter.isBusy());
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(ProgramStarterTest, AnEmptyParameterStartsWithoutArguments)
{
    const RunOutcome outcome = starter.Start_Program(argumentRecorder(dir), QString(), 0);
    EXPECT_TRUE(outcome.succeeded());
    EXPECT_EQ(dir.read(QStringLiteral("args")), QByteArray());
}

TEST_F(ProgramStarterTest, AProgramThatCannotStartIsReportedAtOnce)
{
    dir.write(QStringLiteral("plain.txt"), "not a program");
    for (const QString& program :
         {dir.file(QStringLiteral("missing")), dir.file(QStringLiteral("plain.txt"))}) {
        prompts.clear();
        QElapsedTimer took;
        took.start();
        const RunOutcome outcome = starter.Start_Program(program, QString(), 0);
        EXPECT_LT(took.elapsed(), 1000);
        EXPECT_EQ(outcome.kind, RunOutcome::Kind::NotStarted);
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
        EXPECT_TRUE(prompts.messages()[0].text.contains(program)) << prompts.messages()[0].text.toStdString();
    }
}

// "Stop waiting" gives the window back at once; the program goes on, and a second start is
// still refused while it runs.
TEST_F(ProgramStarterTest, StopWaitingReturnsAtOnceAndLeavesTheProgramRunning)
{
    const QString script = argumentRecorder(dir, "exec sleep 30\n");
    const qint64 startedMs = clock.nowMs();
    test::WhenModal([&](QWidget* wait) {
        auto* stop = wait->findChild<QPushButton*>(QStringLiteral("Btn_Stop_Waiting"));
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(stop->text(), QStringLiteral("Stop waiting"));
        EXPECT_NE(stop->focusPolicy() & Qt::TabFocus, 0);
        stop->click();
    });
    const RunOutcome outcome = starter.Start_Program(script, QString(), 0);
    EXPECT_EQ(outcome.kind, RunOutcome::Kind::StillRunning);
    EXPECT_EQ(outcome.statusLine(script, strings),
              QStringLiteral("record.sh is still running; it is left to finish on its own."));
    EXPECT_TRUE(starter.isBusy());
    EXPECT_EQ(clock.nowMs(), startedMs) << "no time passed on the clock";
    ASSERT_TRUE(test::WaitUntil([&] { return !dir.read(QStringLiteral("pid")).isEmpty(); }));
    ::kill(static_cast<pid_t>(dir.read(QStringLiteral("pid")).trimmed().toLongLong()), SIGKILL);
}

TEST_F(ProgramStarterTest, AProgramOutlivingTheLimitKeepsRunningEvenWhenTheRunnerGoes)
{
    const QString script = argumentRecorder(dir, "exec sleep 30\n");
    qint64 pid = 0;
    {
        ProcessRunner ownRunner;
        ProgramStarter ownStarter(ownRunner, prompts, strings, clock, nullptr);
        // The limit passes on the clock while the program runs.
        test::WhenModal([&](QWidget*) { clock.advance(ProgramStarter::LimitMs); });
        const RunOutcome outcome = ownStarter.Start_Program(script, QString(), 0);
        EXPECT_EQ(outcome.kind, RunOutcome::Kind::StillRunning);
        EXPECT_TRUE(ownStarter.isBusy());
        EXPECT_FALSE(outcome.statusLine(script, strings).isEmpty());
        pid = dir.read(QStringLiteral("pid")).trimmed().toLongLong();
        ASSERT_GT(pid, 0);
    }
    // The runner is gone (as at the configurator's exit); the program is not.
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}

} // namespace
} // namespace veldrin

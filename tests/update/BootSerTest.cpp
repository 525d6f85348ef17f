#include "session/AppState.h"
#include "session/Startup.h"
#include "support/FakeClock.h"
#include "support/FakeProgramRunner.h"
#include "support/FakeSerialPortLister.h"
#include "support/ModalDriver.h"
#include "support/ReadingOrder.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "update/LoadHistory.h"
#include "update/ProgramStarter.h"
#include "update/TFBootSer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

class BootSer : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunStartup(state, dir.path());
        dir.mkdir(QStringLiteral("PROJECTS/Line 1"));
        state.OpenConfiguration(QStringLiteral("Line 1"));
        boot = std::make_unique<TFBootSer>(state, prompts, ports, starter, nullptr);
    }
    template <typename T = QWidget> T* in(const char* name)
    {
        auto* found = boot->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Shows the dialog, runs action in it, and closes it.
    void whileShown(const std::function<void()>& action)
    {
        test::WhenModal([&](QWidget* modal) {
            action();
            modal->close();
        });
        boot->exec();
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeSerialPortLister ports;
    test::FakeProgramRunner runner;
    test::FakeClock clock;
    AppState state;
    ProgramStarter starter{runner, prompts, state.Strings, clock, nullptr};
    std::unique_ptr<TFBootSer> boot;
};

TEST_F(BootSer, NextWithoutAPortIsRefused)
{
    whileShown([&] {
        EXPECT_EQ(boot->page(), 1);
        EXPECT_EQ(in<QComboBox>("CB_Com")->count(), 0);
        in<QPushButton>("Btn_Next")->click();
        EXPECT_EQ(prompts.texts(),
                  QStringList{QStringLiteral("Error! Select the COM port to use for the Update")});
        EXPECT_EQ(boot->page(), 1);
        EXPECT_TRUE(in("L_Steps1")->isVisible());
        EXPECT_FALSE(in("CB_Firmware")->isVisible());
    });
}

TEST_F(BootSer, SaysWhyNoPortIsListedWhenPortsCannotBeListed)
{
    whileShown([&] { EXPECT_TRUE(in<QLabel>("L_Port_Hint")->text().isEmpty()); });
    ports.reason = QStringLiteral("The program part veldrin_online cannot be loaded");
    whileShown([&] {
        EXPECT_EQ(in<QComboBox>("CB_Com")->count(), 0);
        EXPECT_EQ(in<QLabel>("L_Port_Hint")->text(), QStringLiteral("Ports cannot be listed"));
        EXPECT_EQ(in<QLabel>("L_Port_Hint")->toolTip(), ports.reason);
    });
}

TEST_F(BootSer, RunsTheSerialUpdaterWithTheChosenPortAndOptions)
{
    ports.ports = {{QStringLiteral("ttyS0"), QString(), true},
                   {QStringLiteral("ttyUSB0"), QStringLiteral("FT232R"), false}};
    whileShown([&] {
        auto* list = in<QComboBox>("CB_Com");
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentIndex(), 0);
        EXPECT_TRUE(in<QLabel>("L_Port_Hint")->text().isEmpty());
        list->setCurrentIndex(1);
        EXPECT_EQ(list->currentText(), QStringLiteral("ttyUSB0 - FT232R"));
        EXPECT_TRUE(in<QLabel>("L_Port_Hint")->text().contains(QStringLiteral("dialout")));
        test::ExpectReadingOrder(boot.get(), QStringLiteral("serial update, page 1"));
        in<QPushButton>("Btn_Next")->click();
        EXPECT_EQ(boot->page(), 2);
        test::ExpectReadingOrder(boot.get(), QStringLiteral("serial update, page 2"));
        EXPECT_FALSE(in("CB_Com")->isVisible());
        EXPECT_EQ(in("CB_Read_Firm")->pos(), QPoint(56, 119));
        in<QCheckBox>("CB_Firmware")->setChecked(false);
        in<QPushButton>("Btn_Update")->click();
    });
    ASSERT_EQ(runner.starts.size(), 1);
    EXPECT_EQ(runner.starts[0].program, dir.path() + QStringLiteral("/Ser_30418_Update"));
    EXPECT_EQ(
        runner.starts[0].parameter,
        QStringLiteral("\\\\.\\ttyUSB0 NO FR PW PR \"%1/MASTER/sim30418.sim\" \"%1/PROJECTS/Line 1/bin/\"")
            .arg(dir.path()));
    EXPECT_FALSE(runner.starts[0].hidden);

    // The next showing starts on page 1 with a fresh list and the boxes as the user left them.
    ports.ports.append({QStringLiteral("ttyACM0"), QString(), true});
    whileShown([&] {
        EXPECT_EQ(boot->page(), 1);
        EXPECT_EQ(in<QComboBox>("CB_Com")->count(), 3);
        EXPECT_FALSE(in<QCheckBox>("CB_Firmware")->isChecked());
        EXPECT_TRUE(in<QCheckBox>("CB_Read_Firm")->isChecked());
    });
}

TEST_F(BootSer, TheStatusLineSaysHowTheUpdaterEnded)
{
    ports.ports = {{QStringLiteral("ttyS0"), QString(), true}};
    runner.endAtOnceWith = 4;
    whileShown([&] {
        in<QPushButton>("Btn_Next")->click();
        in<QPushButton>("Btn_Update")->click();
        EXPECT_EQ(in<QLabel>("L_Status")->text(),
                  QStringLiteral("Ser_30418_Update ended with error code 4."));
        EXPECT_EQ(boot->page(), 2) << "the dialog stays on page 2";
        runner.endAtOnceWith = 0;
        in<QPushButton>("Btn_Update")->click();
        EXPECT_EQ(in<QLabel>("L_Status")->text(), QStringLiteral("Ser_30418_Update finished."));
    });
}

// A load the updater reports as done is kept in the configuration's history; a failed one is
// not, and a history that cannot be written is reported without hiding how the load went.
TEST_F(BootSer, KeepsEachDoneLoadInTheConfigurationsHistory)
{
    dir.write(QStringLiteral("PROJECTS/Line 1/ParGen.xml"), "<GeneralParameter/>");
    dir.write(QStringLiteral("PROJECTS/Line 1/bin/bank.bin"), QByteArray(26, '\1'));
    ports.ports = {{QStringLiteral("ttyS0"), QString(), true}};
    const QString config = state.ActiveConfigDir;
    whileShown([&] {
        in<QPushButton>("Btn_Next")->click();
        runner.endAtOnceWith = 4;
        in<QPushButton>("Btn_Update")->click();
        EXPECT_TRUE(HistoryEntries(config).isEmpty());
        runner.endAtOnceWith = 0;
        in<QPushButton>("Btn_Update")->click();
        const QStringList entries = HistoryEntries(config);
        ASSERT_EQ(entries.size(), 1);
        EXPECT_EQ(
            dir.read(QStringLiteral("PROJECTS/Line 1/history/%1/ParGen.xml").arg(QDir(entries[0]).dirName())),
            "<GeneralParameter/>");
        const QByteArray note =
            dir.read(QStringLiteral("PROJECTS/Line 1/history/%1/load.json").arg(QDir(entries[0]).dirName()));
        EXPECT_TRUE(note.contains("\"route\": \"serial\"")) << note.toStdString();
        EXPECT_TRUE(note.contains("ttyS0")) << note.toStdString();
        EXPECT_TRUE(prompts.messages().isEmpty());

        // The history folder taken by a file: reported, the status line unchanged.
        QDir(entries[0]).removeRecursively();
        QDir(config).rmdir(QStringLiteral("history"));
        dir.write(QStringLiteral("PROJECTS/Line 1/history"), "not a folder");
        in<QPushButton>("Btn_Update")->click();
        EXPECT_EQ(in<QLabel>("L_Status")->text(), QStringLiteral("Ser_30418_Update finished."));
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_TRUE(prompts.messages()[0].text.startsWith(QStringLiteral(
            "The load is done, but its copy in the configuration's history could not be kept: ")))
            << prompts.messages()[0].text.toStdString();
    });
}

TEST_F(BootSer, ASecondUpdateIsRefusedWhileTheFirstUpdaterRuns)
{
    ports.ports = {{QStringLiteral("ttyS0"), QString(), true}};
    runner.endAtOnceWith.reset();
    whileShown([&] {
        in<QPushButton>("Btn_Next")->click();
        // The updater outlives the starter's wait.
        test::WhenModal([&](QWidget*) { clock.advance(ProgramStarter::LimitMs); });
        in<QPushButton>("Btn_Update")->click();
        EXPECT_TRUE(in<QLabel>("L_Status")->text().contains(QStringLiteral("still running")));
        in<QPushButton>("Btn_Update")->click();
        EXPECT_EQ(runner.starts.size(), 1);
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0].text, ProgramStarter::BusyMessage(state.Strings));
    });
    runner.finish(0);
}

} // namespace
} // namespace veldrin

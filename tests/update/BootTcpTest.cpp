#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "lang/LanguageFile.h"
#include "session/AppState.h"
#include "session/Startup.h"
#include "support/FakeClock.h"
#include "support/FakeIcmpEcho.h"
#include "support/FakeProgramRunner.h"
#include "support/FakeUrlOpener.h"
#include "support/ModalDriver.h"
#include "support/ReadingOrder.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "support/WaitUntil.h"
#include "update/EthernetUpdateFile.h"
#include "update/ProgramStarter.h"
#include "update/SystemIcmpEcho.h"
#include "update/TFBootTCP.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

using test::FakeIcmpEcho;

const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

// Waits until the dialog's check has ended (at most 5 s).
void waitWhileChecking(const TFBootTCP& dialog)
{
    EXPECT_TRUE(test::WaitUntil([&] { return !dialog.isChecking(); })) << "the check did not end";
}

class BootTcp : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunStartup(state, dir.path());
        dir.mkdir(QStringLiteral("PROJECTS/Line 1"));
        state.OpenConfiguration(QStringLiteral("Line 1"));
        boot = std::make_unique<TFBootTCP>(state, prompts, echo, clock, starter, nullptr);
    }
    void TearDown() override { boot->close(); }

    template <typename T = QWidget> T* in(const char* name)
    {
        auto* found = boot->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* box(int n) { return in<QLineEdit>(QStringLiteral("E_IP%1").arg(n).toLatin1().constData()); }
    QStringList boxes() { return {box(1)->text(), box(2)->text(), box(3)->text(), box(4)->text()}; }
    void show()
    {
        boot->show();
        QCoreApplication::processEvents();
    }
    void setAddress(const char* a, const char* b, const char* c, const char* d)
    {
        const char* parts[] = {a, b, c, d};
        for (int i = 0; i < 4; ++i)
            box(i + 1)->setText(QString::fromLatin1(parts[i]));
    }
    // Clicks Ping and waits for the check's end.
    void check()
    {
        in<QPushButton>("Btn_Ping")->click();
        waitWhileChecking(*boot);
    }
    // Types text into whichever box has the focus, key by key.
    void type(const QString& text)
    {
        for (QChar c : text)
            QTest::keyClick(boot->focusWidget(), c.toLatin1());
    }
    QString result() { return in<QLabel>("LPing")->text(); }
    QColor resultColour() { return in<QLabel>("LPing")->palette().color(QPalette::WindowText); }
    // A check that finds the device at 127.0.0.9, then Next.
    void foundAndNext()
    {
        setAddress("127", "0", "0", "9");
        echo.script = {FakeIcmpEcho::reply(9)};
        check();
        ASSERT_TRUE(boot->Esegui_Ping());
        test::ExpectReadingOrder(boot.get(), QStringLiteral("Ethernet update, page 1"));
        in<QPushButton>("Btn_Next")->click();
        ASSERT_EQ(boot->page(), 2);
        test::ExpectReadingOrder(boot.get(), QStringLiteral("Ethernet update, page 2"));
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeClock clock;
    FakeIcmpEcho echo{&clock};
    test::FakeProgramRunner runner;
    AppState state;
    ProgramStarter starter{runner, prompts, state.Strings, clock, nullptr};
    std::unique_ptr<TFBootTCP> boot;
};

TEST_F(BootTcp, TheFirstPageOffersTheLastAddress)
{
    show();
    EXPECT_EQ(boot->page(), 1);
    EXPECT_EQ(boot->windowTitle(), QStringLiteral("Update Firmware from Etherner (UDP)"));
    EXPECT_EQ(in<QLabel>("L_IP_Address")->text(), QStringLiteral("Insert the IP Address of  DV30477"));
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("2"),
                                    QStringLiteral("205")}));
    EXPECT_TRUE(result().isEmpty());
    EXPECT_FALSE(boot->Esegui_Ping());
    EXPECT_EQ(boot->size(), QSize(350, 233));

    const std::pair<const char*, QPoint> places[] = {
        {"L_IP_Address", {16, 75}}, {"E_IP1", {35, 97}},     {"E_IP2", {91, 97}},    {"E_IP3", {147, 97}},
        {"E_IP4", {203, 97}},       {"Label2", {83, 105}},   {"Label3", {139, 105}}, {"Label4", {195, 105}},
        {"L_Ping", {16, 136}},      {"Btn_Ping", {35, 155}}, {"LPing", {151, 163}}};
    for (const auto& [name, place] : places) {
        EXPECT_EQ(in(name)->pos(), place) << name;
        EXPECT_TRUE(in(name)->isVisible()) << name;
    }
    EXPECT_EQ(in("Btn_Cancel")->x(), 16);
    EXPECT_EQ(in("Btn_Next")->x(), 134);
    for (const char* name :
         {"L_Options", "CB_Firmware", "CB_Read_Firm", "CB_Conf", "CB_Read_Conf", "Btn_Update"})
        EXPECT_FALSE(in(name)->isVisible()) << name;
}

TEST_F(BootTcp, OnlyAValidLastAddressReplacesTheBoxes)
{
    state.Settings.LastDeviceIp = QStringLiteral("1.2.3");
    show();
    EXPECT_EQ(boxes(), (QStringList(4, QStringLiteral("0")))) << "the boxes start at 0";
    boot->close();

    state.Settings.LastDeviceIp = QStringLiteral("  10 . 1 .2 . 3 ");
    show();
    const QStringList typed{QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("2"),
                            QStringLiteral("3")};
    EXPECT_EQ(boxes(), typed);
    boot->close();

    for (const char* rejected : {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "a.b.c.d"}) {
        state.Settings.LastDeviceIp = QString::fromLatin1(rejected);
        show();
        EXPECT_EQ(boxes(), typed) << rejected;
        boot->close();
    }
}

TEST_F(BootTcp, TheDotKeyMovesOnToTheNextBox)
{
    show();
    EXPECT_EQ(boot->focusWidget(), box(1));
    type(QStringLiteral("192.168"));
    EXPECT_EQ(box(1)->text(), QStringLiteral("192"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("168"));
    type(QStringLiteral(".7.9"));
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("7"),
                                    QStringLiteral("9")}));
    // The last box takes the dot like any other key.
    type(QStringLiteral("."));
    EXPECT_EQ(box(4)->text(), QStringLiteral("9."));
    // The keypad's dot too.
    box(2)->setFocus();
    QTest::keyClick(box(2), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(boot->focusWidget(), box(3));
    EXPECT_EQ(box(2)->text(), QStringLiteral("168"));
}

TEST_F(BootTcp, ALoopbackCheckFindsTheDevice)
{
    // The one test that sends real packets, to 127.0.0.1 only.
    SystemIcmpEcho realEcho;
    SteadyClock realClock;
    TFBootTCP dialog(state, prompts, realEcho, realClock, starter, nullptr);
    dialog.show();
    QCoreApplication::processEvents();
    const char* loopback[] = {"127", "0", "0", "1"};
    for (int i = 0; i < 4; ++i)
        dialog.findChild<QLineEdit*>(QStringLiteral("E_IP%1").arg(i + 1))
            ->setText(QString::fromLatin1(loopback[i]));
    dialog.findChild<QPushButton*>(QStringLiteral("Btn_Ping"))->click();
    EXPECT_TRUE(dialog.isChecking());
    waitWhileChecking(dialog);
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("LPing"));
    EXPECT_EQ(label->text(), QStringLiteral("Device Found!")) << prompts.texts().join(u'\n').toStdString();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), Green);
    EXPECT_TRUE(dialog.Esegui_Ping());
    dialog.findChild<QPushButton*>(QStringLiteral("Btn_Next"))->click();
    EXPECT_EQ(dialog.page(), 2);
    EXPECT_EQ(state.Settings.LastDeviceIp, QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(prompts.messages().isEmpty());
    dialog.close();
}

TEST_F(BootTcp, ASilentAddressIsNotFoundAfterTenSecondsAndNextIsRefused)
{
    show();
    setAddress("127", "0", "0", "2");
    echo.script = {FakeIcmpEcho::timeout()};
    const qint64 start = clock.now;
    check();
    EXPECT_EQ(result(), QStringLiteral("Device Not Found!"));
    EXPECT_EQ(resultColour(), Red);
    EXPECT_EQ(echo.requests.size(), 26);
    EXPECT_GT(clock.now - start, 10000);
    EXPECT_FALSE(boot->Esegui_Ping());

    in<QPushButton>("Btn_Next")->click();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Device not found in network")});
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_EQ(boot->page(), 1);
    EXPECT_EQ(state.Settings.LastDeviceIp, QStringLiteral("192.168.2.205"));
}

TEST_F(BootTcp, AnAddressNoDeviceCanHaveIsAnErrorWithoutAnyRequest)
{
    state.Settings.LastDeviceIp.clear();
    show();
    // The boxes' first texts, 0.0.0.0, would be answered by this computer itself.
    check();
    EXPECT_EQ(result(), QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_EQ(resultColour(), Red);
    for (const auto& parts : {std::array{"224", "0", "0", "1"}, std::array{"255", "255", "255", "255"},
                              std::array{"my", "device", "local", "1"}, std::array{"127", "0", "0", "1.5"}}) {
        setAddress(parts[0], parts[1], parts[2], parts[3]);
        check();
        EXPECT_EQ(result(), QStringLiteral("Error!!! Check the Ip Address")) << parts[0];
    }
    EXPECT_TRUE(echo.requests.isEmpty());
    EXPECT_FALSE(boot->Esegui_Ping());
}

TEST_F(BootTcp, AFailedRequestIsAnErrorAndARefusedOneSaysWhatToChange)
{
    show();
    setAddress("127", "0", "0", "3");
    echo.script = {{EchoReply::Status::Error, 0, QStringLiteral("Network is unreachable")}};
    check();
    EXPECT_EQ(result(), QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_EQ(in<QLabel>("LPing")->toolTip(), QStringLiteral("Network is unreachable"));
    EXPECT_TRUE(prompts.messages().isEmpty());

    echo.script = {{EchoReply::Status::NotPermitted, 0, QStringLiteral("socket: Operation not permitted")}};
    check();
    EXPECT_EQ(result(), QStringLiteral("Ping not permitted"));
    EXPECT_EQ(resultColour(), Red);
    // What to change, and what the system refused.
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_TRUE(prompts.texts()[0].contains(QStringLiteral("ping_group_range")));
    EXPECT_TRUE(prompts.texts()[0].contains(QStringLiteral("iputils-ping")));
    EXPECT_TRUE(prompts.texts()[0].endsWith(QStringLiteral("(socket: Operation not permitted)")));
    EXPECT_FALSE(boot->Esegui_Ping());
}

TEST_F(BootTcp, TheWindowStaysUsableWhileACheckRunsAndAnEditEndsIt)
{
    show();
    setAddress("127", "0", "0", "4");
    echo.hold = true;
    in<QPushButton>("Btn_Ping")->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(boot->isChecking());
    EXPECT_EQ(result(), QStringLiteral("Checking..."));
    in<QPushButton>("Btn_Next")->click();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Device not found in network")});

    // Typing a new address drops the check made with the old one.
    box(4)->setFocus();
    QTest::keyClick(box(4), Qt::Key_5);
    EXPECT_FALSE(boot->isChecking());
    EXPECT_EQ(echo.cancels, 1);
    EXPECT_TRUE(result().isEmpty());

    // A found device, then an edit: Next no longer goes ahead with an unchecked address.
    echo.hold = false;
    echo.script = {FakeIcmpEcho::reply(9)};
    check();
    EXPECT_EQ(echo.requests.last().address, QStringLiteral("127.0.0.45"));
    EXPECT_EQ(result(), QStringLiteral("Device Found!"));
    EXPECT_EQ(resultColour(), Green);
    EXPECT_TRUE(boot->Esegui_Ping());
    QTest::keyClick(box(3), Qt::Key_1);
    EXPECT_FALSE(boot->Esegui_Ping());
    EXPECT_TRUE(result().isEmpty());
    prompts.clear();
    in<QPushButton>("Btn_Next")->click();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Device not found in network")});
    EXPECT_EQ(boot->page(), 1);

    // Closing the dialog ends a check too.
    echo.hold = true;
    in<QPushButton>("Btn_Ping")->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(boot->isChecking());
    boot->close();
    EXPECT_FALSE(boot->isChecking());
}

TEST_F(BootTcp, NextRemembersTheCheckedAddressAndShowsTheOptions)
{
    show();
    setAddress(" 127", "0", "0x0", "010");
    echo.script = {FakeIcmpEcho::reply(9)};
    check();
    EXPECT_EQ(echo.requests[0].address, QStringLiteral("127.0.0.10"));
    in<QPushButton>("Btn_Next")->click();
    EXPECT_EQ(boot->page(), 2);
    EXPECT_EQ(state.Settings.LastDeviceIp, QStringLiteral("127.0.0.10"));
    const std::pair<const char*, QPoint> places[] = {{"L_Options", {16, 75}},
                                                     {"CB_Firmware", {36, 96}},
                                                     {"CB_Read_Firm", {56, 119}},
                                                     {"CB_Conf", {36, 142}},
                                                     {"CB_Read_Conf", {56, 165}}};
    for (const auto& [name, place] : places) {
        EXPECT_EQ(in(name)->pos(), place) << name;
        EXPECT_TRUE(in(name)->isVisible()) << name;
    }
    EXPECT_EQ(in("Btn_Update")->x(), 16);
    for (const char* name : {"E_IP1", "Btn_Ping", "LPing", "Btn_Cancel", "Btn_Next"})
        EXPECT_FALSE(in(name)->isVisible()) << name;

    // The next showing starts again on page 1, unchecked.
    boot->close();
    show();
    EXPECT_EQ(boot->page(), 1);
    EXPECT_FALSE(boot->Esegui_Ping());
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"),
                                    QStringLiteral("10")}));
}

TEST_F(BootTcp, ExecuteWritesTheFileAfreshAndRunsTheEthernetUpdater)
{
    show();
    foundAndNext();
    QStringList expected = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    expected.append(QStringLiteral("Ethernet_Update.xml"));
    expected.sort();

    in<QPushButton>("Btn_Update")->click();
    ASSERT_EQ(runner.starts.size(), 1);
    EXPECT_EQ(runner.starts[0].program, dir.file(QStringLiteral("Ethernet_Update")));
    EXPECT_TRUE(runner.starts[0].parameter.isEmpty());
    EXPECT_FALSE(runner.starts[0].hidden);
    EXPECT_EQ(dir.read(QStringLiteral("Ethernet_Update.xml")),
              EthernetUpdateBytes(QStringLiteral("127.0.0.9"), {true, true, true, true}, state.MasterDir,
                                  state.ActiveConfigDir));
    EXPECT_EQ(in<QLabel>("L_Status")->text(), QStringLiteral("Ethernet_Update finished."));

    // Again with neither operation: nothing of the first file is left, in it or beside it.
    in<QCheckBox>("CB_Firmware")->setChecked(false);
    in<QCheckBox>("CB_Conf")->setChecked(false);
    runner.endAtOnceWith = 3;
    in<QPushButton>("Btn_Update")->click();
    EXPECT_EQ(runner.starts.size(), 2);
    const QByteArray second = dir.read(QStringLiteral("Ethernet_Update.xml"));
    EXPECT_EQ(second, EthernetUpdateBytes(QStringLiteral("127.0.0.9"), {false, true, false, true},
                                          state.MasterDir, state.ActiveConfigDir));
    EXPECT_TRUE(second.contains("<Operations/>"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              expected);
    EXPECT_EQ(in<QLabel>("L_Status")->text(), QStringLiteral("Ethernet_Update ended with error code 3."));
    EXPECT_EQ(boot->page(), 2);
    EXPECT_TRUE(prompts.messages().isEmpty());
}

// Installed, the updater runs from the program folder and finds its file in the user's workspace.
TEST_F(BootTcp, InAnInstallationTheFileIsWrittenIntoTheWorkspace)
{
    boot.reset();
    const WorkspaceLocation installed{WorkspaceMode::Installed, dir.file(QStringLiteral("program")),
                                      dir.file(QStringLiteral("data")), dir.file(QStringLiteral("home"))};
    dir.mkdir(QStringLiteral("program"));
    dir.mkdir(QStringLiteral("data"));
    RunStartup(state, installed);
    state.OpenConfiguration(QStringLiteral("Line 1"));
    boot = std::make_unique<TFBootTCP>(state, prompts, echo, clock, starter, nullptr);
    show();
    foundAndNext();
    in<QPushButton>("Btn_Update")->click();
    ASSERT_EQ(runner.starts.size(), 1);
    EXPECT_EQ(runner.starts[0].program, dir.file(QStringLiteral("program/Ethernet_Update")));
    EXPECT_EQ(dir.read(QStringLiteral("home/Ethernet_Update.xml")),
              EthernetUpdateBytes(QStringLiteral("127.0.0.9"), {true, true, true, true},
                                  dir.file(QStringLiteral("home/MASTER")),
                                  dir.file(QStringLiteral("home/PROJECTS/Line 1"))));
    EXPECT_EQ(QDir(dir.file(QStringLiteral("program"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(BootTcp, AFileThatCannotBeWrittenStopsTheUpdateWithTheReason)
{
    show();
    foundAndNext();
    dir.mkdir(QStringLiteral("Ethernet_Update.xml"));
    in<QPushButton>("Btn_Update")->click();
    EXPECT_TRUE(runner.starts.isEmpty()) << "the updater must not run on an old or missing file";
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    const QString text = prompts.messages()[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Cannot write ") +
                                QDir::toNativeSeparators(dir.file(QStringLiteral("Ethernet_Update.xml"))) +
                                QStringLiteral(": ")))
        << text.toStdString();
    EXPECT_EQ(boot->page(), 2);
}

TEST_F(BootTcp, ASecondUpdateIsRefusedWhileTheFirstUpdaterRuns)
{
    show();
    foundAndNext();
    runner.endAtOnceWith.reset();
    // The updater outlives the starter's wait.
    test::WhenModal([&](QWidget*) { clock.advance(ProgramStarter::LimitMs); });
    in<QPushButton>("Btn_Update")->click();
    EXPECT_TRUE(in<QLabel>("L_Status")->text().contains(QStringLiteral("still running")));
    in<QPushButton>("Btn_Update")->click();
    EXPECT_EQ(runner.starts.size(), 1);
    EXPECT_EQ(prompts.texts(), QStringList{ProgramStarter::BusyMessage(state.Strings)});
    runner.finish(0);
}

TEST_F(BootTcp, ALanguageChangeRelabelsAllButTheAddressAndResultLabels)
{
    show();
    setAddress("127", "0", "0", "9");
    echo.script = {FakeIcmpEcho::reply(9)};
    check();
    state.Strings.set(57, QStringLiteral("Aggiorna via Ethernet"));
    state.Strings.set(58, QStringLiteral("Indirizzo IP di "));
    state.Strings.set(60, QStringLiteral("Verifica"));
    state.Strings.set(64, QStringLiteral("Firmware!"));
    state.Strings.set(69, QStringLiteral("Trovato!"));
    boot->Set_Lang();
    EXPECT_EQ(boot->windowTitle(), QStringLiteral("Aggiorna via Ethernet"));
    EXPECT_EQ(in<QLabel>("L_SW_Desc")->text(), QStringLiteral("Aggiorna via Ethernet"));
    EXPECT_EQ(in<QPushButton>("Btn_Ping")->text(), QStringLiteral("Verifica"));
    EXPECT_EQ(in<QCheckBox>("CB_Firmware")->text(), QStringLiteral("Firmware!"));
    EXPECT_EQ(in<QLabel>("L_IP_Address")->text(), QStringLiteral("Insert the IP Address of  DV30477"));
    EXPECT_EQ(result(), QStringLiteral("Device Found!"));
}

TEST_F(BootTcp, TheUpdaterTextsFollowALanguageChange)
{
    dir.write(QStringLiteral("LANGUAGE/Deutsch.lng"),
              QStringLiteral("STR201 = Ein Update-Programm l\u00e4uft noch.\n"
                             "STR202 = Warten auf %1: %2 s\n"
                             "STR206 = %1 l\u00e4uft noch.\n")
                  .toUtf8());
    state.Settings.CurrentLanguage = QStringLiteral("Deutsch");
    SelectLanguage(state.Strings, state.LanguageDir, state.Settings.CurrentLanguage);
    boot->Set_Lang();
    show();
    foundAndNext();
    runner.endAtOnceWith.reset();
    QString waiting;
    test::WhenModal([&](QWidget* wait) {
        waiting = wait->findChild<QLabel*>(QStringLiteral("L_Wait"))->text();
        clock.advance(ProgramStarter::LimitMs);
    });
    in<QPushButton>("Btn_Update")->click();
    EXPECT_TRUE(waiting.startsWith(QStringLiteral("Warten auf "))) << waiting.toStdString();
    EXPECT_TRUE(in<QLabel>("L_Status")->text().endsWith(QStringLiteral(" l\u00e4uft noch.")))
        << in<QLabel>("L_Status")->text().toStdString();
    in<QPushButton>("Btn_Update")->click();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Ein Update-Programm l\u00e4uft noch.")});
    runner.finish(0);
}

TEST_F(BootTcp, EveryControlIsNamedAndTheKeyboardReachesThemInOrder)
{
    show();
    auto walk = [this] {
        QStringList walked;
        for (QWidget* widget : boot->findChildren<QWidget*>()) {
            if (!widget->isVisible() || widget->objectName().startsWith(u"qt_"))
                continue;
            QString name = widget->accessibleName();
            if (const auto* label = qobject_cast<QLabel*>(widget))
                name += label->text();
            else if (const auto* box = qobject_cast<QCheckBox*>(widget))
                name += box->text();
            if (widget->focusPolicy() & Qt::TabFocus) {
                EXPECT_FALSE(name.trimmed().isEmpty()) << widget->objectName().toStdString();
            }
        }
        QWidget* start = boot->focusWidget();
        QWidget* w = start;
        do {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                walked.append(w->objectName());
            w = w->nextInFocusChain();
        } while (w != start);
        return walked;
    };
    EXPECT_EQ(walk(), (QStringList{QStringLiteral("E_IP1"), QStringLiteral("E_IP2"), QStringLiteral("E_IP3"),
                                   QStringLiteral("E_IP4"), QStringLiteral("Btn_Ping"),
                                   QStringLiteral("Btn_Cancel"), QStringLiteral("Btn_Next")}));
    EXPECT_EQ(in<QLineEdit>("E_IP3")->accessibleName(), QStringLiteral("IP Address 3"));

    // Return in an address box runs the check.
    setAddress("127", "0", "0", "9");
    echo.script = {FakeIcmpEcho::reply(9)};
    QTest::keyClick(box(4), Qt::Key_Return);
    waitWhileChecking(*boot);
    EXPECT_TRUE(boot->Esegui_Ping());
    in<QPushButton>("Btn_Next")->click();
    EXPECT_EQ(walk(), (QStringList{QStringLiteral("Btn_Update"), QStringLiteral("CB_Firmware"),
                                   QStringLiteral("CB_Read_Firm"), QStringLiteral("CB_Conf"),
                                   QStringLiteral("CB_Read_Conf")}));
}

// Update Device in the main window chooses the dialog by the configuration's device type.
TEST(UpdateDevice, DeviceType1OpensTheEthernetDialogAnyOtherTheSerialOne)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("PROJECTS/Plant"));
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastproj><projectname>Plant</projectname></lastproj></c>");
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    test::FakeProgramRunner runner;
    test::FakeClock clock;
    FakeIcmpEcho echo{&clock};
    Application app(
        dir.path(),
        Services{.prompts = &prompts, .urls = &urls, .runner = &runner, .echo = &echo, .clock = &clock});
    app.show();
    for (const auto& [deviceType, dialog] : {std::pair{"1", "TFBootTCP"}, std::pair{"0", "TFBootSer"},
                                             std::pair{"2", "TFBootSer"}, std::pair{"x", "TFBootSer"}}) {
        dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"), QByteArray("<GeneralParameter><Device_Type>") +
                                                                   deviceType +
                                                                   "</Device_Type></GeneralParameter>");
        QString shown;
        test::WhenModal([&shown](QWidget* modal) {
            shown = modal->objectName();
            modal->close();
        });
        app.mainWindow().findChild<QPushButton*>(QStringLiteral("Btn_CreateBin"))->click();
        EXPECT_EQ(shown, QString::fromLatin1(dialog)) << deviceType;
    }
    EXPECT_TRUE(echo.requests.isEmpty());
    app.mainWindow().close();
}

} // namespace
} // namespace veldrin

#include "access/TFSetAccess.h"
#include "app/Application.h"
#include "app/TFAbout.h"
#include "app/TFVeldrineFirmWare.h"
#include "comm/TFParGen.h"
#include "common/MessageBoxPrompts.h"
#include "options/TFSoftOptions.h"
#include "projects/TFNew_Project.h"
#include "projects/TFOpenConf.h"
#include "session/Identity.h"
#include "support/FakeFileChooser.h"
#include "support/FakeUrlOpener.h"
#include "support/ModalDriver.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"
#include "support/WaitUntil.h"
#include "update/TFBootSer.h"
#include "update/TFBootTCP.h"
#include "widgets/VeldrinButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

QString labelText(QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromLatin1(name));
}

TEST(MainWindow, StartsShowsItsLabelsAndSavesTheDefaultSettingsOnClose)
{
    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    Application app(dir.path(), Services{&prompts, &urls});
    TFVeldrineFirmWare& window = app.mainWindow();
    app.show();

    EXPECT_EQ(labelText(window, "L_SW_Code"), QStringLiteral("PK30418"));
    EXPECT_EQ(labelText(window, "L_SW_Desc"), QStringLiteral("Modbus Master / Ethernet - Converter"));
    EXPECT_EQ(labelText(window, "L_Name_Conf"), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(labelText(window, "L_Name_Conf_L2"),
              QStringLiteral("Use Step1 to open or create new configuration"));
    EXPECT_EQ(window.size(), QSize(694, 396));

    EXPECT_TRUE(window.close());
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(
        dir.read(QStringLiteral("Veldrin.xml")),
        QByteArray("<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress>192.168.2.205"
                   "</ipaddress></lastipadd><lastlang><language>English</language></lastlang><lastinternet>"
                   "<enable_internet>0</enable_internet><enable_update>0</enable_update></lastinternet>"
                   "</Conf_Settings>"));
}

TEST(MainWindow, ShowsTheReopenedConfigurationAndKeepsUnknownNamesOnClose)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("PROJECTS/Plant"));
    dir.write(QStringLiteral("Veldrin.xml"),
              "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    {
        Application app(dir.path(), Services{&prompts, &urls});
        app.show();
        EXPECT_EQ(labelText(app.mainWindow(), "L_Name_Conf"),
                  QStringLiteral("Opened Configuration of the Converter : "));
        EXPECT_EQ(labelText(app.mainWindow(), "L_Name_Conf_L2"), QStringLiteral("Plant"));
        app.mainWindow().close();
    }
    EXPECT_TRUE(dir.read(QStringLiteral("Veldrin.xml")).contains("<projectname>Plant</projectname>"));
}

TEST(MainWindow, ASettingsFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses)
{
    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    Application app(dir.path(), Services{&prompts, &urls});
    dir.mkdir(QStringLiteral("Veldrin.xml")); // a folder where the file should go
    app.show();
    EXPECT_TRUE(app.mainWindow().close());
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("Veldrin.xml")));
}

// A main window over a temporary program folder, with fakes for every service.
class MainWindowFixture : public ::testing::Test {
protected:
    void start()
    {
        app = std::make_unique<Application>(dir.path(),
                                            Services{.prompts = &prompts, .urls = &urls, .files = &files});
        app->show();
    }
    TFVeldrineFirmWare& window() { return app->mainWindow(); }
    QPushButton* button(const char* name)
    {
        auto* found = window().findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void writeParGen(const char* config, const QByteArray& xml)
    {
        dir.write(QStringLiteral("PROJECTS/%1/ParGen.xml").arg(QString::fromLatin1(config)), xml);
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    test::FakeFileChooser files;
    std::unique_ptr<Application> app;
};

// The pictures are rendered at build time into plain pixels; each shows what its drawing draws
// at the button's size, and at twice that for screens that scale by 2.
TEST_F(MainWindowFixture, EveryPictureButtonShowsItsDrawingAtItsSize)
{
    start();
    const std::pair<const char*, const char*> pictures[] = {
        {"Btn_New", "new"},           {"Btn_Open", "open"},        {"Btn_Prm_Gen", "communication"},
        {"Btn_Modbus_Req", "modbus"}, {"Btn_CreateBin", "update"}, {"Btn_Info", "info"},
        {"Btn_Opz", "options"},       {"Btn_Close", "close"},
    };
    for (const auto& [name, drawing] : pictures) {
        const QPushButton* shown = button(name);
        const QIcon drawn(test::PicturesDir() + u'/' + QLatin1String(drawing) + QStringLiteral(".svg"));
        for (const qreal scale : {1.0, 2.0}) {
            const QImage got = shown->icon().pixmap(shown->iconSize(), scale).toImage();
            const QImage want = drawn.pixmap(shown->iconSize(), scale).toImage();
            EXPECT_EQ(got.size(), shown->iconSize() * scale) << name << " at " << scale;
            EXPECT_EQ(got.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      want.convertToFormat(QImage::Format_ARGB32_Premultiplied))
                << name << " at " << scale;
        }
    }
}

TEST_F(MainWindowFixture, ConfigurationStepsAreRefusedWhileNoneIsOpen)
{
    start();
    for (const char* name : {"Btn_Prm_Gen", "Btn_Modbus_Req", "Btn_CreateBin", "Btn_Changes", "Btn_Report"}) {
        prompts.clear();
        window().Btn_Click(button(name));
        ASSERT_EQ(prompts.messages().size(), 1) << name;
        EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
        EXPECT_EQ(prompts.messages()[0].text, QStringLiteral("Error! Project not Valid"));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Return on the focused button opens its dialog; Escape, wherever the dialog's focus is, is its
// Cancel.
TEST_F(MainWindowFixture, StepsThatNeedNoConfigurationOpenTheirDialogs)
{
    start();
    for (const auto& [buttonName, dialogName] :
         {std::pair{"Btn_New", "TFNew_Project"}, std::pair{"Btn_Open", "TFOpenConf"},
          std::pair{"Btn_Info", "TFAbout"}, std::pair{"Btn_Opz", "TFSoftOptions"}}) {
        QString shown;
        int result = -1;
        test::WhenModal([&](QWidget* modal) {
            shown = modal->objectName();
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Escape);
            result = modal->isVisible() ? -2 : qobject_cast<QDialog*>(modal)->result();
            if (modal->isVisible())
                modal->close();
        });
        button(buttonName)->setFocus();
        QTest::keyClick(button(buttonName), Qt::Key_Return);
        EXPECT_EQ(shown, QString::fromLatin1(dialogName)) << buttonName;
        EXPECT_EQ(result, QDialog::Rejected) << buttonName;
    }
    EXPECT_TRUE(prompts.messages().isEmpty());
}

// Qt's own texts follow the chosen language: a German message box says Ja and Nein, and
// English again once the language is changed back.
TEST_F(MainWindowFixture, MessageBoxButtonsSpeakTheChosenLanguage)
{
    QFile translation(test::DistDir() + QStringLiteral("/translations/qtbase_de.qm"));
    ASSERT_TRUE(translation.open(QIODevice::ReadOnly));
    dir.write(QStringLiteral("translations/qtbase_de.qm"), translation.readAll());
    QFile german(test::SamplesDir() + QStringLiteral("/../LANGUAGE/Deutsch.lng"));
    ASSERT_TRUE(german.open(QIODevice::ReadOnly));
    dir.write(QStringLiteral("LANGUAGE/Deutsch.lng"), german.readAll());
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastlang><language>Deutsch</language></lastlang></c>");
    start();

    MessageBoxPrompts boxes(&window());
    const auto buttonsOfAQuestion = [&boxes] {
        QStringList texts;
        test::WhenModal([&texts](QWidget* modal) {
            for (const QAbstractButton* b : modal->findChildren<QAbstractButton*>())
                texts.append(b->text());
            // The question itself is read out by a screen reader.
            bool readable = false;
            for (QLabel* label : modal->findChildren<QLabel*>()) {
                QAccessibleInterface* read = QAccessible::queryAccessibleInterface(label);
                readable = readable || (read && read->text(QAccessible::Name) == QStringLiteral("Is it?"));
            }
            EXPECT_TRUE(readable);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        boxes.question(QStringLiteral("Is it?"));
        texts.sort();
        return texts;
    };
    EXPECT_EQ(buttonsOfAQuestion(), (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    // A box of choices: a button for each, and Cancel, which Escape presses too.
    test::WhenModal([](QWidget* modal) {
        QStringList texts;
        QAbstractButton* second = nullptr;
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
            texts.append(QString(b->text()).remove(u'&'));
            if (b->text() == QStringLiteral("Anfügen"))
                second = b;
        }
        texts.sort();
        EXPECT_EQ(texts, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Anfügen"),
                                      QStringLiteral("Ersetzen")}));
        ASSERT_NE(second, nullptr);
        second->click();
    });
    const QStringList choices{QStringLiteral("Ersetzen"), QStringLiteral("Anfügen")};
    EXPECT_EQ(boxes.choose(QStringLiteral("Wie?"), choices), 1);
    test::WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(boxes.choose(QStringLiteral("Wie?"), choices), -1);
    app->state().Settings.CurrentLanguage = QStringLiteral("English");
    window().Change_Language();
    EXPECT_EQ(buttonsOfAQuestion(), (QStringList{QStringLiteral("&No"), QStringLiteral("&Yes")}));
}

// Installed, the configurator takes its languages and Qt's texts from the installation and keeps
// the user's files in the workspace: nothing is written beside the programs.
TEST(MainWindow, InstalledItReadsTheInstallationAndWritesOnlyTheWorkspace)
{
    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    QFile translation(test::DistDir() + QStringLiteral("/translations/qtbase_de.qm"));
    ASSERT_TRUE(translation.open(QIODevice::ReadOnly));
    dir.write(QStringLiteral("data/translations/qtbase_de.qm"), translation.readAll());
    QFile german(test::SamplesDir() + QStringLiteral("/../LANGUAGE/Deutsch.lng"));
    ASSERT_TRUE(german.open(QIODevice::ReadOnly));
    dir.write(QStringLiteral("data/LANGUAGE/Deutsch.lng"), german.readAll());
    dir.write(QStringLiteral("home/Veldrin.xml"), "<c><lastlang><language>Deutsch</language></lastlang></c>");
    dir.mkdir(QStringLiteral("program"));
    const WorkspaceLocation installed{WorkspaceMode::Installed, dir.file(QStringLiteral("program")),
                                      dir.file(QStringLiteral("data")), dir.file(QStringLiteral("home"))};
    Application app(installed, Services{&prompts, &urls});
    app.show();

    QStringList buttons;
    test::WhenModal([&buttons](QWidget* modal) {
        for (const QAbstractButton* b : modal->findChildren<QAbstractButton*>())
            buttons.append(b->text());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    MessageBoxPrompts(&app.mainWindow()).question(QStringLiteral("Is it?"));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_EQ(app.state().Settings.CurrentLanguage, QStringLiteral("Deutsch"));

    EXPECT_TRUE(app.mainWindow().close());
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_TRUE(dir.read(QStringLiteral("home/Veldrin.xml")).contains("<language>Deutsch</language>"));
    EXPECT_EQ(QDir(dir.file(QStringLiteral("program")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
}

// Without a window manager as with one: the main window opens centred on the screen, and the
// dialogs centred on the main window.
TEST_F(MainWindowFixture, WindowsOpenCentred)
{
    start();
    const QRect screen = window().screen()->availableGeometry();
    const auto near = [](QPoint a, QPoint b) {
        return (a - b).manhattanLength() <= 2;
    };
    EXPECT_TRUE(near(window().geometry().center(), screen.center()))
        << window().geometry().center().x() << "," << window().geometry().center().y();
    for (const char* name : {"Btn_New", "Btn_Open", "Btn_Info", "Btn_Opz"}) {
        QRect shown;
        test::WhenModal([&shown](QWidget* modal) {
            shown = modal->geometry();
            modal->close();
        });
        button(name)->click();
        EXPECT_TRUE(near(shown.center(), window().geometry().center()))
            << name << " at " << shown.x() << "," << shown.y();
    }
}

// The maker's link is one Tab stop, followed by Return as by a click.
TEST_F(MainWindowFixture, TheMakersLinkIsOneTabStop)
{
    start();
    // Keys go where the focus is only once the window is active.
    window().activateWindow();
    ASSERT_TRUE(test::WaitUntil([&] { return window().isActiveWindow(); }));
    auto* link = window().findChild<QLabel*>(QStringLiteral("L_Merivo"));
    ASSERT_NE(link, nullptr);
    link->setFocus();
    ASSERT_TRUE(link->hasFocus());
    QWidget* next = link->nextInFocusChain();
    while (next != link && !(next->focusPolicy() & Qt::TabFocus && next->isVisible() && next->isEnabled()))
        next = next->nextInFocusChain();
    QTest::keyClick(link, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << "Tab stayed in the link";
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_EQ(urls.opened.size(), 1);
}

struct DeviceTypeCase {
    const char* what;
    QByteArray parGen; // empty: no file
    int deviceType;
};

class DeviceTypes : public MainWindowFixture, public ::testing::WithParamInterface<DeviceTypeCase> {};

TEST_P(DeviceTypes, DecideWhetherSetModbusAccessIsEnabled)
{
    dir.mkdir(QStringLiteral("PROJECTS/Plant"));
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastproj><projectname>Plant</projectname></lastproj></c>");
    if (!GetParam().parGen.isEmpty())
        writeParGen("Plant", GetParam().parGen);
    start();
    EXPECT_EQ(window().DeviceType(), GetParam().deviceType) << GetParam().what;
    EXPECT_EQ(window().Select_Type_418(), GetParam().deviceType) << GetParam().what;
    EXPECT_EQ(button("Btn_Modbus_Req")->isEnabled(), GetParam().deviceType != 0) << GetParam().what;
    EXPECT_TRUE(prompts.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceTypes,
    ::testing::Values(
        DeviceTypeCase{"no file", {}, 0},
        DeviceTypeCase{"0", "<GeneralParameter><Device_Type>0</Device_Type></GeneralParameter>", 0},
        DeviceTypeCase{"missing element", "<GeneralParameter><IP1>1</IP1></GeneralParameter>", 0},
        DeviceTypeCase{"letters", "<GeneralParameter><Device_Type>abc</Device_Type></GeneralParameter>", 0},
        DeviceTypeCase{"1", "<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>", 1},
        DeviceTypeCase{"2", "<GeneralParameter><Device_Type>2</Device_Type></GeneralParameter>", 2},
        DeviceTypeCase{"declaration first",
                       "<?xml version=\"1.0\"?><GeneralParameter><Device_Type>1</Device_Type>"
                       "</GeneralParameter>",
                       0},
        DeviceTypeCase{"not well-formed", "<GeneralParameter><Device_Type>1</Device_Type>", 0}));

TEST_F(MainWindowFixture, NewConfigurationBecomesTheOpenOneWithoutModbusAccess)
{
    dir.mkdir(QStringLiteral("PROJECTS/Old"));
    writeParGen("Old", "<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastproj><projectname>Old</projectname></lastproj></c>");
    start();
    EXPECT_TRUE(button("Btn_Modbus_Req")->isEnabled());
    test::WhenModal([](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("E_New_Proj"))->setText(QStringLiteral("Fresh"));
        modal->findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click();
    });
    button("Btn_New")->click();
    EXPECT_EQ(labelText(window(), "L_Name_Conf"), QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(labelText(window(), "L_Name_Conf_L2"), QStringLiteral("Fresh"));
    EXPECT_FALSE(button("Btn_Modbus_Req")->isEnabled());
    EXPECT_EQ(app->state().ActiveConfigDir, dir.path() + QStringLiteral("/PROJECTS/Fresh"));
    window().close();
    EXPECT_TRUE(dir.read(QStringLiteral("Veldrin.xml")).contains("<projectname>Fresh</projectname>"));
}

TEST_F(MainWindowFixture, OpenSwitchesConfigurationAndRereadsTheDeviceType)
{
    dir.mkdir(QStringLiteral("PROJECTS/A"));
    dir.mkdir(QStringLiteral("PROJECTS/B"));
    writeParGen("B", "<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    start();
    auto chooseAndPress = [](const char* name, const char* pressed) {
        test::WhenModal([name, pressed](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
            list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0));
            modal->findChild<QPushButton*>(QString::fromLatin1(pressed))->click();
        });
    };

    chooseAndPress("B", "Btn_OK");
    button("Btn_Open")->click();
    EXPECT_EQ(labelText(window(), "L_Name_Conf_L2"), QStringLiteral("B"));
    EXPECT_TRUE(button("Btn_Modbus_Req")->isEnabled());

    chooseAndPress("A", "Btn_Cancel");
    button("Btn_Open")->click();
    EXPECT_EQ(app->state().Settings.ActiveConfigName, QStringLiteral("B"));

    // A configuration removed while the dialog was open: reported, nothing else changes.
    test::WhenModal([this](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        list->setCurrentItem(list->findItems(QStringLiteral("A"), Qt::MatchExactly).value(0));
        QDir(dir.file(QStringLiteral("PROJECTS/A"))).removeRecursively();
        modal->findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click();
    });
    button("Btn_Open")->click();
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("\"A\" is gone")));
    EXPECT_EQ(app->state().Settings.ActiveConfigName, QStringLiteral("B"));
    EXPECT_EQ(labelText(window(), "L_Name_Conf_L2"), QStringLiteral("B"));
}

TEST_F(MainWindowFixture, ALanguageChangeRelabelsButtonsButNotTheConfigurationLabels)
{
    start();
    app->state().Strings.set(15, QStringLiteral("Nuova Configurazione"));
    app->state().Strings.set(1, QStringLiteral("Passo 1"));
    app->state().Strings.set(12, QStringLiteral("Informazioni"));
    app->state().Strings.set(9, QStringLiteral("Nessuna configurazione"));
    app->state().Strings.set(27, QStringLiteral("Nome"));
    window().Change_Language();
    EXPECT_EQ(button("Btn_New")->text(), QStringLiteral("Nuova Configurazione"));
    EXPECT_EQ(labelText(window(), "L_Step_1"), QStringLiteral("Passo 1"));
    EXPECT_EQ(button("Btn_Info")->toolTip(), QStringLiteral("Informazioni"));
    EXPECT_EQ(button("Btn_Info")->accessibleName(), QStringLiteral("Informazioni"));
    EXPECT_EQ(labelText(window(), "L_Name_Conf"), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(labelText(window().newProjectDialog(), "Label1"), QStringLiteral("Nome"));
    // The about box keeps its English texts.
    EXPECT_EQ(labelText(window().aboutDialog(), "Label1"), QStringLiteral("Software Veldrin "));
}

// The dialogs whose texts follow the language, each with the string-table entry of its title.
struct TranslatedDialog {
    const char* name;
    QDialog& (*get)(TFVeldrineFirmWare&);
    int title;
};

const TranslatedDialog TranslatedDialogs[] = {
    {"TFNew_Project", [](TFVeldrineFirmWare& w) -> QDialog& { return w.newProjectDialog(); }, 25},
    {"TFOpenConf", [](TFVeldrineFirmWare& w) -> QDialog& { return w.openConfDialog(); }, 33},
    {"TFSoftOptions", [](TFVeldrineFirmWare& w) -> QDialog& { return w.softOptionsDialog(); }, 38},
    {"TFBootSer", [](TFVeldrineFirmWare& w) -> QDialog& { return w.bootSerDialog(); }, 73},
    {"TFBootTCP", [](TFVeldrineFirmWare& w) -> QDialog& { return w.bootTcpDialog(); }, 57},
    {"TFParGen", [](TFVeldrineFirmWare& w) -> QDialog& { return w.parGenDialog(); }, 90},
    {"TFSetAccess", [](TFVeldrineFirmWare& w) -> QDialog& { return w.setAccessDialog(); }, 128},
};

TEST_F(MainWindowFixture, StartUpBuildsNoDialogAndEachIsBuiltOnceWhenFirstAskedFor)
{
    start();
    EXPECT_TRUE(window().findChildren<QDialog*>().isEmpty());
    QStringList built;
    for (const TranslatedDialog& dialog : TranslatedDialogs) {
        QDialog& first = dialog.get(window());
        EXPECT_EQ(&dialog.get(window()), &first) << dialog.name;
        EXPECT_EQ(first.objectName(), QString::fromLatin1(dialog.name));
        EXPECT_EQ(first.parent(), &window()) << dialog.name;
        built.append(first.objectName());
    }
    QStringList children;
    for (QDialog* dialog : window().findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        children.append(dialog->objectName());
    EXPECT_EQ(children, built);
}

class DialogLanguage : public MainWindowFixture,
                       public ::testing::WithParamInterface<std::tuple<TranslatedDialog, bool>> {};

TEST_P(DialogLanguage, ShowsTheLanguageChosenWhetherBuiltBeforeOrAfterTheChange)
{
    const auto& [dialog, builtBefore] = GetParam();
    start();
    if (builtBefore) {
        ASSERT_EQ(dialog.get(window()).windowTitle(), app->state().Strings[dialog.title]);
    }
    app->state().Strings.set(dialog.title, QStringLiteral("Titolo"));
    app->state().Strings.set(1, QStringLiteral("Passo 1"));
    window().Change_Language();
    EXPECT_EQ(dialog.get(window()).windowTitle(), QStringLiteral("Titolo"));
    EXPECT_EQ(labelText(dialog.get(window()), "L_SW_Code"), QStringLiteral("PK30418"));
    EXPECT_EQ(labelText(window(), "L_Step_1"), QStringLiteral("Passo 1"));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLanguage,
                         ::testing::Combine(::testing::ValuesIn(TranslatedDialogs), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<DialogLanguage::ParamType>& named) {
                             return std::string(std::get<0>(named.param).name) +
                                    (std::get<1>(named.param) ? "_BuiltBefore" : "_BuiltAfter");
                         });

TEST_F(MainWindowFixture, HomePageLinksOpenTheSamePage)
{
    start();
    const QUrl home = identity::HomePageUrl();
    EXPECT_EQ(home.path(), QStringLiteral("/HOME/default.asp"));
    EXPECT_EQ(home.query(), QStringLiteral("frompg=PK30418"));
    EXPECT_TRUE(home.host().endsWith(QStringLiteral(".example"))) << "builds reach no real host by default";

    auto* merivo = window().findChild<QLabel*>(QStringLiteral("L_Merivo"));
    ASSERT_NE(merivo, nullptr);
    Q_EMIT merivo->linkActivated(home.toString());
    TFAbout& about = window().aboutDialog();
    about.findChild<QPushButton*>(QStringLiteral("Image2"))->click();
    Q_EMIT about.findChild<QLabel*>(QStringLiteral("Label4"))->linkActivated(home.toString());
    EXPECT_EQ(urls.opened, (QList<QUrl>{home, home, home}));
}

TEST_F(MainWindowFixture, ControlsSitWhereTheLayoutPutsThem)
{
    start();
    const std::tuple<const char*, QRect> placed[] = {
        {"Btn_Info", QRect(516, 8, 50, 50)},         {"Btn_Opz", QRect(574, 8, 50, 50)},
        {"Btn_Close", QRect(632, 8, 50, 50)},        {"Btn_New", QRect(80, 112, 170, 36)},
        {"Btn_Open", QRect(258, 112, 170, 36)},      {"Btn_Prm_Gen", QRect(80, 156, 170, 36)},
        {"Btn_Modbus_Req", QRect(80, 200, 170, 36)}, {"Btn_CreateBin", QRect(80, 244, 170, 36)},
        {"Shape2", QRect(80, 70, 348, 36)},          {"Shape1", QRect(10, 295, 674, 1)}};
    for (const auto& [name, rect] : placed) {
        auto* widget = window().findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry(), rect) << name;
    }
    const std::tuple<const char*, QPoint, bool> labels[] = {
        {"L_SW_Code", QPoint(16, 8), true},       {"L_SW_Desc", QPoint(16, 42), true},
        {"L_Begin", QPoint(16, 84), true},        {"L_Name_Conf", QPoint(87, 75), true},
        {"L_Name_Conf_L2", QPoint(87, 88), true}, {"L_Step_1", QPoint(16, 128), true},
        {"L_Step_4", QPoint(16, 260), true},      {"L_Step_5", QPoint(16, 304), false},
        {"L_Step_8", QPoint(16, 436), false},     {"LL_Update", QPoint(208, 19), false}};
    for (const auto& [name, position, visible] : labels) {
        auto* widget = window().findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->pos(), position) << name;
        EXPECT_EQ(widget->isVisible(), visible) << name;
    }
    EXPECT_EQ(window().palette().color(QPalette::Window), QColor(248, 248, 237));
    // Every button can be reached and named by a screen reader.
    for (QPushButton* b : window().findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
        EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus) << b->objectName().toStdString();
    }
}

} // namespace
} // namespace veldrin

namespace veldrin {
namespace {

class UpdateDeviceStep : public MainWindowFixture {
protected:
    void SetUp() override
    {
        dir.mkdir(QStringLiteral("PROJECTS/Plant/bin"));
        dir.write(QStringLiteral("Veldrin.xml"),
                  "<c><lastproj><projectname>Plant</projectname></lastproj></c>");
    }
};

// The commissioning report of the open configuration, written where the user chooses, in the
// format the name asks for, and shown at once.
TEST_F(UpdateDeviceStep, CommissioningReportIsWrittenWhereChosenAndOpened)
{
    dir.copySample(QStringLiteral("PROJECTS/Plant"));
    start();
    EXPECT_EQ(button("Btn_Report")->accessibleName(), QStringLiteral("Commissioning report..."));

    files.answer = dir.file(QStringLiteral("Plant.html"));
    window().Btn_Click(button("Btn_Report"));
    EXPECT_EQ(files.lastFilter, QStringLiteral("PDF documents (*.pdf);;Web pages (*.html)"));
    EXPECT_TRUE(files.lastSuggested.endsWith(QStringLiteral("Commissioning report - Plant.pdf")));
    const QString page = QString::fromUtf8(dir.read(QStringLiteral("Plant.html")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Commissioning report - Plant</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral("Tank levels")));
    EXPECT_EQ(urls.opened, QList<QUrl>{QUrl::fromLocalFile(files.answer)});

    // Cancelled: nothing written, nothing opened.
    files.answer.clear();
    window().Btn_Click(button("Btn_Report"));
    EXPECT_EQ(urls.opened.size(), 1);

    // A file that cannot be written is named, and not opened.
    files.answer = dir.file(QStringLiteral("missing/Plant.pdf"));
    window().Btn_Click(button("Btn_Report"));
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("Plant.pdf")))
        << prompts.messages()[0].text.toStdString();
    EXPECT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UpdateDeviceStep, CompilesBothImagesThenOpensTheSerialUpdate)
{
    start();
    QString shown;
    test::WhenModal([&shown](QWidget* modal) {
        shown = modal->objectName();
        modal->close();
    });
    button("Btn_CreateBin")->click();
    EXPECT_EQ(shown, QStringLiteral("TFBootSer"));
    EXPECT_EQ(dir.read(QStringLiteral("PROJECTS/Plant/bin/bank.bin")).size(), 4);
    EXPECT_EQ(dir.read(QStringLiteral("PROJECTS/Plant/bin/bank2.bin")).size(), 34816);
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(UpdateDeviceStep, ACompileErrorEndsTheStepWithoutWritingOrOpening)
{
    dir.write(QStringLiteral("PROJECTS/Plant/bin/bank.bin"), "old");
    dir.write(
        QStringLiteral("PROJECTS/Plant/ModbusM_SetAccess.xml"),
        "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\"/></Modbus_Read></EtherNetIP_to_Modbus>");
    start();
    button("Btn_CreateBin")->click();
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("ModbusM_SetAccess.xml")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dir.read(QStringLiteral("PROJECTS/Plant/bin/bank.bin")), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("PROJECTS/Plant/bin/bank2.bin"))));
}

TEST_F(UpdateDeviceStep, AConfigurationDeletedMeanwhileIsReportedNotRecreated)
{
    start();
    QDir(dir.file(QStringLiteral("PROJECTS/Plant"))).removeRecursively();
    button("Btn_CreateBin")->click();
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("no longer exists")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("PROJECTS/Plant"))));
}

} // namespace
} // namespace veldrin

namespace veldrin {
namespace {

TEST(VeldrinButtonColours, HotTrackUnderTheMouseAndOrangeWhilePressed)
{
    QWidget window;
    auto* button = new VeldrinButton(QStringLiteral("Btn_Test"), &window);
    button->setCaption(QStringLiteral("Test"));
    window.show();
    const QColor normal = button->palette().color(QPalette::Button);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(button->palette().color(QPalette::Button), VeldrinButton::PressedColour);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_NE(button->palette().color(QPalette::Button), VeldrinButton::PressedColour);
    QEvent leave(QEvent::HoverLeave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(button->palette().color(QPalette::Button), normal);
}

} // namespace
} // namespace veldrin

#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "options/TFSoftOptions.h"
#include "projects/TFNew_Project.h"
#include "session/Identity.h"
#include "support/FakeUpdateCheck.h"
#include "support/FakeUrlOpener.h"
#include "support/ModalDriver.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// A 2 x 2 bitmap, enough to be a readable flag.
QByteArray tinyBitmap()
{
    QByteArray bmp("BM");
    auto u32 = [&bmp](quint32 v) {
        for (int i = 0; i < 4; ++i)
            bmp.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&bmp](quint16 v) {
        bmp.append(static_cast<char>(v & 0xFF)).append(static_cast<char>(v >> 8));
    };
    u32(54 + 16);
    u32(0);
    u32(54);
    u32(40);
    u32(2);
    u32(2);
    u16(1);
    u16(24);
    u32(0);
    u32(16);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    bmp.append(QByteArray(16, '\x7f'));
    return bmp;
}

class SoftOptions : public ::testing::Test {
protected:
    void start()
    {
        app = std::make_unique<Application>(dir.path(), Services{&prompts, &urls, &updates});
        app->show();
    }
    TFVeldrineFirmWare& window() { return app->mainWindow(); }
    TFSoftOptions& options() { return window().softOptionsDialog(); }
    template <typename T = QWidget> T* in(QWidget* parent, const char* name)
    {
        auto* found = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Opens the options from the main window and runs action in them.
    void withOptions(const std::function<void(QWidget*)>& action)
    {
        test::WhenModal(action);
        in<QPushButton>(&window(), "Btn_Opz")->click();
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    test::FakeUpdateCheck updates;
    std::unique_ptr<Application> app;
};

TEST_F(SoftOptions, PagesShowSixLanguagesWithTheirFlags)
{
    for (const char* name : {"A", "b", "C", "d", "E", "f", "G"})
        dir.write(QStringLiteral("LANGUAGE/%1.lng").arg(QString::fromLatin1(name)), "STR0 = x\n");
    dir.write(QStringLiteral("LANGUAGE/A.bmp"), tinyBitmap());
    dir.write(QStringLiteral("LANGUAGE/b.bmp"), "not a bitmap");
    start();
    withOptions([&](QWidget* modal) {
        EXPECT_EQ(in<QLabel>(modal, "L_Page_Lang")->text(), QStringLiteral("Page 1 / 2"));
        EXPECT_EQ(in<QLabel>(modal, "L_Sel_Lang")->text(), QStringLiteral("Selected Language : English"));
        EXPECT_TRUE(in(modal, "Btn_Next")->isVisible());
        EXPECT_FALSE(in(modal, "Btn_Prev")->isVisible());
        EXPECT_EQ(in<QLabel>(modal, "L_L2")->text(), QStringLiteral("b"));
        EXPECT_TRUE(in(modal, "I_L1")->isVisible()) << "its own flag";
        EXPECT_FALSE(in(modal, "I_L2")->isVisible()) << "an unreadable flag is hidden";
        EXPECT_TRUE(in(modal, "L_L2")->isVisible()) << "the name stays";
        EXPECT_FALSE(in(modal, "I_L3")->isVisible()) << "no flag and no default flag";
        EXPECT_EQ(in(modal, "L_L2")->focusPolicy(), Qt::StrongFocus)
            << "the keyboard reaches it without a picture";

        in<QPushButton>(modal, "Btn_Next")->click();
        EXPECT_EQ(in<QLabel>(modal, "L_Page_Lang")->text(), QStringLiteral("Page 2 / 2"));
        EXPECT_TRUE(in(modal, "L_L1")->isVisible());
        EXPECT_EQ(in<QLabel>(modal, "L_L1")->text(), QStringLiteral("G"));
        EXPECT_FALSE(in(modal, "L_L2")->isVisible());
        EXPECT_FALSE(in(modal, "Btn_Next")->isVisible());
        EXPECT_TRUE(in(modal, "Btn_Prev")->isVisible());
        options().Btn_NextClick(in(modal, "Btn_Next"));
        EXPECT_EQ(options().Show_Page(), 2);
        modal->close();
    });
}

TEST_F(SoftOptions, ALanguageChangeActsAtOnceButIsSavedOnlyOnOk)
{
    dir.write(
        QStringLiteral("LANGUAGE/Italiano.lng"),
        "STR15 = Nuova Configurazione\nSTR54 = Cambiare la lingua da \xc2\xb6\xc2\xb6\nSTR42 = Lingua: \n"
        "STR38 = Opzioni\nSTR27 = Nome\n");
    start();
    prompts.answer({true});
    withOptions([&](QWidget* modal) {
        options().LangClick(1);
        EXPECT_EQ(prompts.texts().last(),
                  QStringLiteral("Do you want to change the Language from English to Italiano?"));
        EXPECT_EQ(in<QPushButton>(&window(), "Btn_New")->text(), QStringLiteral("Nuova Configurazione"));
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Opzioni"));
        EXPECT_EQ(in<QLabel>(&window().newProjectDialog(), "Label1")->text(), QStringLiteral("Nome"));
        EXPECT_EQ(in<QLabel>(modal, "L_Sel_Lang")->text(), QStringLiteral("Lingua:Italiano"));
        in<QPushButton>(modal, "Btn_Cancel")->click();
    });
    EXPECT_EQ(app->state().Settings.CurrentLanguage, QStringLiteral("English"));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Veldrin.xml"))));
    EXPECT_EQ(in<QPushButton>(&window(), "Btn_New")->text(), QStringLiteral("Nuova Configurazione"));

    prompts.answer({false, true});
    withOptions([&](QWidget* modal) {
        EXPECT_EQ(in<QLabel>(modal, "L_Sel_Lang")->text(), QStringLiteral("Lingua:English"));
        options().LangClick(1); // No: nothing changes
        EXPECT_EQ(options().Language_In_Use(), QStringLiteral("English"));
        options().LangClick(1);
        in<QPushButton>(modal, "Btn_OK")->click();
    });
    EXPECT_EQ(app->state().Settings.CurrentLanguage, QStringLiteral("Italiano"));
    EXPECT_TRUE(dir.read(QStringLiteral("Veldrin.xml")).contains("<language>Italiano</language>"));
}

TEST_F(SoftOptions, TheInternetOptionsDriveTheUpdateTimer)
{
    start();
    EXPECT_FALSE(window().Timer_Update().isActive());
    withOptions([&](QWidget* modal) {
        auto* internet = in<QCheckBox>(modal, "CB_En_Con");
        auto* update = in<QCheckBox>(modal, "CB_Update");
        auto* check = in<QPushButton>(modal, "Btn_Check_Update");
        EXPECT_FALSE(update->isEnabled());
        EXPECT_FALSE(check->isEnabled());
        internet->click();
        EXPECT_TRUE(update->isEnabled());
        EXPECT_FALSE(check->isEnabled());
        update->click();
        EXPECT_TRUE(check->isEnabled());
        in<QPushButton>(modal, "Btn_OK")->click();
    });
    EXPECT_TRUE(app->state().Settings.InternetEnabled);
    EXPECT_TRUE(app->state().Settings.UpdateCheckEnabled);
    EXPECT_TRUE(window().Timer_Update().isActive());
    EXPECT_EQ(window().Timer_Update().interval(), 60000);
    EXPECT_TRUE(dir.read(QStringLiteral("Veldrin.xml")).contains("<enable_update>1</enable_update>"));

    withOptions([&](QWidget* modal) {
        in<QCheckBox>(modal, "CB_En_Con")->click();
        EXPECT_FALSE(in(modal, "CB_Update")->isEnabled());
        EXPECT_TRUE(in<QCheckBox>(modal, "CB_Update")->isChecked()) << "a disabled box keeps its mark";
        in<QPushButton>(modal, "Btn_OK")->click();
    });
    EXPECT_FALSE(window().Timer_Update().isActive());
    EXPECT_TRUE(app->state().Settings.UpdateCheckEnabled);
}

TEST_F(SoftOptions, TheCheckButtonWaitsForTheAnswerAndShowsIt)
{
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastinternet><enable_internet>1</enable_internet>"
                                             "<enable_update>1</enable_update></lastinternet></c>");
    start();
    withOptions([&](QWidget* modal) {
        EXPECT_EQ(in<QTabWidget>(modal, "PC_Options")->currentWidget()->objectName(),
                  QStringLiteral("TS_Language"));
        in<QTabWidget>(modal, "PC_Options")->setCurrentIndex(1);
        auto* check = in<QPushButton>(modal, "Btn_Check_Update");
        auto* result = in<QLabel>(modal, "LL_Check_Update");
        EXPECT_FALSE(result->isVisible());
        check->click();
        EXPECT_FALSE(check->isEnabled());
        check->click();
        EXPECT_EQ(updates.starts, 1);
        updates.answer(true);
        EXPECT_TRUE(check->isEnabled());
        EXPECT_TRUE(result->isVisibleTo(modal));
        EXPECT_TRUE(
            result->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
        Q_EMIT result->linkActivated(QString());
        EXPECT_EQ(urls.opened, QList<QUrl>{identity::DownloadPageUrl()});
        EXPECT_EQ(identity::DownloadPageUrl().path(), QStringLiteral("/Home/download/download.asp"));
        EXPECT_EQ(identity::DownloadPageUrl().fragment(), QStringLiteral("DV30418"));

        check->click();
        updates.answer(false);
        EXPECT_EQ(result->text(), QStringLiteral("No Update Available"));
        // A query that got no answer says so.
        check->click();
        updates.fail();
        EXPECT_EQ(result->text(), QStringLiteral("The update server could not be reached."));
        modal->close();
    });
    // The main window's link is not touched by the dialog's query.
    EXPECT_FALSE(in(&window(), "LL_Update")->isVisible());
}

TEST_F(SoftOptions, TheTimerTickShowsOrHidesTheNewVersionLink)
{
    dir.write(QStringLiteral("Veldrin.xml"), "<c><lastinternet><enable_internet>1</enable_internet>"
                                             "<enable_update>1</enable_update></lastinternet></c>");
    start();
    auto* link = in<QLabel>(&window(), "LL_Update");
    EXPECT_TRUE(window().Timer_Update().isActive());
    EXPECT_EQ(window().Timer_Update().interval(), 60000);
    window().Timer_UpdateTimer();
    EXPECT_EQ(updates.starts, 1);
    EXPECT_EQ(window().Timer_Update().interval(), 7200000);
    EXPECT_TRUE(window().Timer_Update().isActive());
    updates.answer(true);
    EXPECT_TRUE(link->isVisible());
    EXPECT_TRUE(link->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
    window().Timer_UpdateTimer();
    updates.answer(false);
    EXPECT_FALSE(link->isVisible());
    // The periodic check says nothing when it gets no answer.
    window().Timer_UpdateTimer();
    updates.fail();
    EXPECT_FALSE(link->isVisible());
    EXPECT_TRUE(prompts.messages().isEmpty());
}

} // namespace
} // namespace veldrin

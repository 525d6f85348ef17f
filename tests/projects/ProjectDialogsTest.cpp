#include "projects/TFChanges.h"
#include "projects/TFNew_Project.h"
#include "projects/TFOpenConf.h"
#include "session/AppState.h"
#include "session/Startup.h"
#include "support/ModalDriver.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"
#include "update/LoadHistory.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

class ProjectDialogs : public ::testing::Test {
protected:
    void SetUp() override { RunStartup(state, dir.path()); }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    AppState state;
};

TEST_F(ProjectDialogs, NewKeepsTheNameAfterAnErrorAndEnterActsAsOk)
{
    dir.mkdir(QStringLiteral("PROJECTS/Plant"));
    TFNew_Project dialog(state, prompts, nullptr);
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("E_New_Proj"));
    ASSERT_NE(edit, nullptr);
    test::WhenModal([&](QWidget*) {
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Error! Name Project is not valid")});
        QTest::keyClicks(edit, QStringLiteral("plant"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_OK")), Qt::LeftButton);
        EXPECT_EQ(prompts.texts().last(),
                  QStringLiteral("Error! Name project is not valid because directory already exists"));
        EXPECT_EQ(edit->text(), QStringLiteral("plant"));
        edit->setText(QStringLiteral(" Line 2"));
        QTest::keyClick(edit, Qt::Key_Enter);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(state.Settings.ActiveConfigName, QStringLiteral(" Line 2"));
    EXPECT_EQ(state.ParGenPath, dir.path() + QStringLiteral("/PROJECTS/ Line 2/ParGen.xml"));
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("PROJECTS/ Line 2/bin"))).isDir());

    // The next showing starts empty, and Cancel changes nothing.
    test::WhenModal([&](QWidget*) {
        EXPECT_TRUE(edit->text().isEmpty());
        QTest::keyClicks(edit, QStringLiteral("Other"));
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("PROJECTS/Other"))));
    EXPECT_EQ(state.Settings.ActiveConfigName, QStringLiteral(" Line 2"));
}

TEST_F(ProjectDialogs, OpenPreselectsTheOpenConfigurationAndReturnsTheChoice)
{
    for (const char* name : {"b", "PLANT", "Plant", ".hidden"})
        dir.mkdir(QStringLiteral("PROJECTS/") + QString::fromLatin1(name));
    dir.write(QStringLiteral("PROJECTS/file"), "x");
    TFOpenConf dialog(state, prompts, nullptr);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    ASSERT_NE(list, nullptr);

    // Nothing open: the first entry, returned without a click.
    test::WhenModal([&](QWidget*) {
        EXPECT_EQ(dialog.SL(),
                  (QStringList{QStringLiteral("b"), QStringLiteral("PLANT"), QStringLiteral("Plant")}));
        EXPECT_EQ(list->count(), 3);
        dialog.findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name_Conf(), QStringLiteral("b"));

    // An open configuration in another case than its folder: still found, the exact one first.
    state.OpenConfiguration(QStringLiteral("Plant"));
    test::WhenModal([&](QWidget*) {
        EXPECT_EQ(list->currentRow(), 2);
        QTest::keyClick(list, Qt::Key_Up);
        dialog.findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name_Conf(), QStringLiteral("PLANT"));

    state.OpenConfiguration(QStringLiteral("plant"));
    test::WhenModal([&](QWidget* modal) {
        EXPECT_EQ(list->currentRow(), 1);
        modal->close();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

// Return on an entry, or a double-click on it, opens it as OK does.
TEST_F(ProjectDialogs, OpenTakesAnEntryOnReturnOrADoubleClick)
{
    for (const char* name : {"A", "B", "C"})
        dir.mkdir(QStringLiteral("PROJECTS/") + QString::fromLatin1(name));
    TFOpenConf dialog(state, prompts, nullptr);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    ASSERT_NE(list, nullptr);

    test::WhenModal([&](QWidget*) {
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name_Conf(), QStringLiteral("B"));

    test::WhenModal([&](QWidget*) {
        const QRect entry = list->visualItemRect(list->item(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name_Conf(), QStringLiteral("C"));
}

TEST_F(ProjectDialogs, OpenWithNoConfigurationsReturnsThePreviousName)
{
    TFOpenConf dialog(state, prompts, nullptr);
    test::WhenModal([&](QWidget*) { dialog.findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name_Conf(), QString());
}

// Changes since last load: the open configuration against the newest entry of its history.
TEST_F(ProjectDialogs, ChangesSinceLastLoadNameWhatDiffers)
{
    dir.copySample(QStringLiteral("PROJECTS/Plant"));
    state.OpenConfiguration(QStringLiteral("Plant"));
    TFChanges changes(state, prompts, nullptr);
    const auto shown = [&] {
        QString page;
        test::WhenModal([&](QWidget* modal) {
            page = changes.page();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        changes.showChanges();
        return page;
    };
    EXPECT_TRUE(shown().startsWith(QStringLiteral("No load of this configuration has been recorded yet")));

    RecordLoad(
        state.ActiveConfigDir,
        {QDateTime::currentDateTimeUtc(), LoadRecord::Route::Serial, QStringLiteral("/dev/ttyUSB0"), {}, 0});
    const QString unchanged = shown();
    EXPECT_TRUE(unchanged.startsWith(QStringLiteral("Nothing has changed since the last load, on ")));
    EXPECT_TRUE(unchanged.contains(QStringLiteral("over the serial port /dev/ttyUSB0")))
        << unchanged.toStdString();

    QByteArray parGen = dir.read(QStringLiteral("PROJECTS/Plant/ParGen.xml"));
    parGen.replace("<Baud_Rate>4</Baud_Rate>", "<Baud_Rate>3</Baud_Rate>");
    dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"), parGen);
    QByteArray tables = dir.read(QStringLiteral("PROJECTS/Plant/ModbusM_SetAccess.xml"));
    tables.replace("Tank levels", "Tank level");
    dir.write(QStringLiteral("PROJECTS/Plant/ModbusM_SetAccess.xml"), tables);
    const QString changed = shown();
    for (const char* text :
         {"Changes since the last load, on ", "Communication parameters", "Baud_Rate\n19200\n9600",
          "Modbus Read", "~ Row 1, changed", "Mnemonic\nTank levels\nTank level"})
        EXPECT_TRUE(changed.contains(QString::fromUtf8(text))) << text << '\n' << changed.toStdString();
    EXPECT_TRUE(prompts.messages().isEmpty());

    // A file it cannot read: said, and the window does not open.
    dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"), "<GeneralParameter>");
    changes.showChanges();
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_FALSE(changes.isVisible());
}

} // namespace
} // namespace veldrin

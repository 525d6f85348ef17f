#include "CommTestSupport.h"
#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "comm/TFParGen.h"
#include "support/FakeUrlOpener.h"
#include "support/ModalDriver.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// The configurator with the configuration "Plant" open.
class SetCommunicationStep : public ::testing::Test {
protected:
    void start()
    {
        dir.mkdir(QStringLiteral("PROJECTS/Plant"));
        dir.write(QStringLiteral("Veldrin.xml"),
                  "<c><lastproj><projectname>Plant</projectname></lastproj></c>");
        app = std::make_unique<Application>(dir.path(), Services{&prompts, &urls});
        app->show();
    }
    TFVeldrineFirmWare& window() { return app->mainWindow(); }
    QPushButton* button(const char* name)
    {
        return window().findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void writeParGen(const QByteArray& xml) { dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"), xml); }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    std::unique_ptr<Application> app;
};

TEST_F(SetCommunicationStep, IsBuiltWhenFirstOpenedAndKeptForTheRun)
{
    start();
    EXPECT_TRUE(window().findChildren<QDialog*>(Qt::FindDirectChildrenOnly).isEmpty());
    QList<QWidget*> shown;
    for (int i = 0; i < 2; ++i) {
        test::WhenModal([&shown](QWidget* modal) {
            shown.append(modal);
            modal->findChild<QPushButton*>(QStringLiteral("Btn_Cancel"))->click();
        });
        button("Btn_Prm_Gen")->click();
    }
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0]->objectName(), QStringLiteral("TFParGen"));
    EXPECT_EQ(window().findChildren<QDialog*>(Qt::FindDirectChildrenOnly),
              (QList<QDialog*>{&window().parGenDialog()}));
}

TEST_F(SetCommunicationStep, TheDeviceTypeIsReadAgainWhateverTheDialogReturns)
{
    start();
    EXPECT_FALSE(button("Btn_Modbus_Req")->isEnabled());

    // OK with the dip-switch device enables Set Modbus Access.
    QString shown;
    test::WhenModal([&shown](QWidget* modal) {
        shown = modal->objectName();
        modal->findChild<QComboBox*>(QStringLiteral("CB_Select_Device"))->setCurrentIndex(1);
        modal->findChild<QPushButton*>(QStringLiteral("Btn_OK"))->click();
    });
    button("Btn_Prm_Gen")->click();
    EXPECT_EQ(shown, QStringLiteral("TFParGen"));
    EXPECT_EQ(window().DeviceType(), 1);
    EXPECT_TRUE(button("Btn_Modbus_Req")->isEnabled());

    // Cancel, while the file changed behind the dialog's back.
    test::WhenModal([this](QWidget* modal) {
        writeParGen("<GeneralParameter><Device_Type>0</Device_Type></GeneralParameter>");
        modal->findChild<QPushButton*>(QStringLiteral("Btn_Cancel"))->click();
    });
    button("Btn_Prm_Gen")->click();
    EXPECT_EQ(window().DeviceType(), 0);
    EXPECT_FALSE(button("Btn_Modbus_Req")->isEnabled());
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(SetCommunicationStep, AnUnreadableFileIsReportedAndTheDeviceTypeStillRead)
{
    writeParGen("<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
    start();
    EXPECT_TRUE(button("Btn_Modbus_Req")->isEnabled());
    writeParGen(test::ReadDataFile("pargen-not-well-formed.xml"));
    bool opened = false;
    QObject::connect(&window().parGenDialog(), &QDialog::finished, [&opened] { opened = true; });
    button("Btn_Prm_Gen")->click();
    EXPECT_FALSE(opened);
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.texts()[0].contains(QStringLiteral("ParGen.xml is not well-formed XML")))
        << prompts.texts()[0].toStdString();
    EXPECT_EQ(window().DeviceType(), 0);
    EXPECT_FALSE(button("Btn_Modbus_Req")->isEnabled());
}

TEST_F(SetCommunicationStep, ALanguageChangeRelabelsTheDialog)
{
    start();
    app->state().Strings.set(90, QStringLiteral("Imposta Comunicazione"));
    app->state().Strings.set(98, QStringLiteral("INDIRIZZO IP"));
    window().Change_Language();
    TFParGen& dialog = window().parGenDialog();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Imposta Comunicazione"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("L_Eth_IP"))->text(), QStringLiteral("INDIRIZZO IP"));
}

} // namespace
} // namespace veldrin

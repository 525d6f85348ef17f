#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"

#include <QLabel>

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
    Application app(dir.path(), &prompts);
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
    {
        Application app(dir.path(), &prompts);
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
    Application app(dir.path(), &prompts);
    dir.mkdir(QStringLiteral("Veldrin.xml")); // a folder where the file should go
    app.show();
    EXPECT_TRUE(app.mainWindow().close());
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_EQ(prompts.messages()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("Veldrin.xml")));
}

} // namespace
} // namespace veldrin

#include "session/Startup.h"

#include "lang/DefaultStrings.h"
#include "session/AppState.h"
#include "session/DeviceType.h"
#include "session/Identity.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

QByteArray settingsWith(const char* project, const char* language, const char* internet = "0",
                        const char* update = "0")
{
    return QByteArray("<Conf_Settings><lastproj><projectname>") + project +
           "</projectname></lastproj><lastipadd><ipaddress>10.1.1.1</ipaddress></"
           "lastipadd><lastlang><language>" +
           language + "</language></lastlang><lastinternet><enable_internet>" + internet +
           "</enable_internet><enable_update>" + update + "</enable_update></lastinternet></Conf_Settings>";
}

TEST(Startup, FirstStartInAnEmptyFolder)
{
    test::TempProgramDir dir;
    AppState state;
    const StartupResult result = RunStartup(state, dir.path());

    for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(dir.file(QString::fromLatin1(folder))).isDir()) << folder;
    EXPECT_EQ(state.ProjectsDir, dir.path() + QStringLiteral("/PROJECTS"));
    EXPECT_FALSE(state.IsConfigOpen());
    EXPECT_EQ(state.Settings, AppSettings{});
    EXPECT_EQ(state.ParGenPath, QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(state.SetAccessPath, QStringLiteral("/ModbusM_SetAccess.xml"));
    EXPECT_EQ(state.Strings.texts(), DefaultStrings());
    EXPECT_EQ(state.ActiveConfigLabel(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(state.ActiveConfigLabel2(), QStringLiteral("Use Step1 to open or create new configuration"));
    EXPECT_FALSE(result.UpdateTimerEnabled);
    EXPECT_TRUE(result.Warning.isEmpty());
    EXPECT_EQ(state.SoftwareCode, QStringLiteral("PK30418"));
    EXPECT_EQ(state.WindowTitle, identity::MakerDomain() +
                                     QStringLiteral(" - Configurator PK30418 - Modbus Master / Ethernet "));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("Veldrin.xml")))) << "start-up writes nothing";
}

TEST(Startup, ReopensTheSavedConfigurationInItsLanguage)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("PROJECTS/Plant A"));
    dir.write(QStringLiteral("LANGUAGE/Deutsch.lng"), "STR11 = Offene Konfiguration: \n");
    dir.write(QStringLiteral("Veldrin.xml"), settingsWith("Plant A", "Deutsch", "1", "1"));
    AppState state;
    const StartupResult result = RunStartup(state, dir.path());

    EXPECT_EQ(state.ActiveConfigDir, dir.path() + QStringLiteral("/PROJECTS/Plant A"));
    EXPECT_EQ(state.ParGenPath, state.ActiveConfigDir + QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(state.ActiveConfigLabel(), QStringLiteral("Offene Konfiguration:"));
    EXPECT_EQ(state.ActiveConfigLabel2(), QStringLiteral("Plant A"));
    EXPECT_EQ(state.Settings.CurrentLanguage, QStringLiteral("Deutsch"));
    EXPECT_EQ(state.Settings.LastDeviceIp, QStringLiteral("10.1.1.1"));
    EXPECT_TRUE(result.UpdateTimerEnabled);
}

TEST(Startup, ASavedNameThatCannotBeOpenedOpensNothingAndIsKept)
{
    for (const char* name : {"Deleted", "..", "../PROJECTS/Plant", "Plant/..", "."}) {
        test::TempProgramDir dir;
        dir.mkdir(QStringLiteral("PROJECTS/Plant"));
        dir.write(QStringLiteral("Veldrin.xml"), settingsWith(name, "Klingon", "0", "1"));
        AppState state;
        const StartupResult result = RunStartup(state, dir.path());
        EXPECT_FALSE(state.IsConfigOpen()) << name;
        EXPECT_EQ(state.Settings.ActiveConfigName, QString::fromLatin1(name));
        EXPECT_EQ(state.ParGenPath, QStringLiteral("/ParGen.xml"));
        EXPECT_EQ(state.Settings.CurrentLanguage, QStringLiteral("English"));
        EXPECT_FALSE(result.UpdateTimerEnabled);
    }
}

TEST(Startup, ABrokenSettingsFileStartsWithTheDefaults)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("PROJECTS/Plant"));
    dir.write(QStringLiteral("Veldrin.xml"), "<Conf_Settings><lastproj><projectname>Plant");
    AppState state;
    RunStartup(state, dir.path());
    EXPECT_EQ(state.Settings, AppSettings{});
    EXPECT_EQ(state.Strings.texts(), DefaultStrings());
    EXPECT_FALSE(state.IsConfigOpen());
}

// Generated shapes that once crashed or stalled the start, before any window could show.
TEST(Startup, HostileSettingsOrConfigurationFilesStartWithTheDefaults)
{
    QByteArray deep;
    for (int i = 0; i < 50000; ++i)
        deep += "<a>";
    QByteArray wide = "<Conf_Settings";
    for (int i = 0; i < 100000; ++i)
        wide += " a" + QByteArray::number(i) + "=\"\"";
    wide += " a1=\"\"/>";
    const QByteArray files[] = {
        deep,
        wide,
        "<Conf_Settings><lastproj><projectname><b>x</b>Plant</projectname></lastproj></Conf_Settings>",
        "<Conf_Settings><lastproj><projectname>Pl&nope;ant</projectname></lastproj></Conf_Settings>",
        "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings><x/>",
    };
    for (const QByteArray& file : files) {
        test::TempProgramDir dir;
        dir.mkdir(QStringLiteral("PROJECTS/Plant"));
        dir.write(QStringLiteral("Veldrin.xml"), file);
        AppState state;
        RunStartup(state, dir.path());
        EXPECT_EQ(state.Settings, AppSettings{}) << file.left(80).toStdString();
        EXPECT_FALSE(state.IsConfigOpen());
    }

    // The last configuration's own file is read for its device type: it counts as missing.
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Veldrin.xml"), settingsWith("Plant", "English"));
    dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"), deep);
    AppState state;
    RunStartup(state, dir.path());
    EXPECT_TRUE(state.IsConfigOpen());
    EXPECT_EQ(ReadDeviceType(state.ParGenPath), 0);
}

// An installation the user cannot write: the programs in one folder, the shipped files in
// another, the user's files in a third.
class InstalledStartup : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.mkdir(QStringLiteral("program"));
        root.write(QStringLiteral("data/LANGUAGE/Deutsch.lng"), "STR9 = Keine Konfiguration offen\n");
        root.write(QStringLiteral("data/MASTER/sim30418.sim"), "firmware");
        root.write(QStringLiteral("data/PROJECTS/Demo/ParGen.xml"), "<GeneralParameter/>");
    }
    WorkspaceLocation where() const
    {
        return {WorkspaceMode::Installed, root.file(QStringLiteral("program")),
                root.file(QStringLiteral("data")), root.file(QStringLiteral("home"))};
    }
    StartupResult start() { return RunStartup(state, where(), readOnlyProgram); }

    test::TempProgramDir root;
    AppState state;
    WorkspaceProbes readOnlyProgram{[](const QString&) { return false; },
                                    [] {
                                        return QString();
                                    }};
};

TEST_F(InstalledStartup, TheUsersFilesAreInTheWorkspaceSeededFromTheInstallation)
{
    StartupResult result = start();
    EXPECT_TRUE(result.Warning.isEmpty()) << "an installation's folder is not meant to be written";
    EXPECT_EQ(state.ProgramDir, root.file(QStringLiteral("program")));
    EXPECT_EQ(state.DataDir, root.file(QStringLiteral("data")));
    EXPECT_EQ(state.WorkspaceDir, root.file(QStringLiteral("home")));
    EXPECT_EQ(state.MasterDir, root.file(QStringLiteral("home/MASTER")));
    EXPECT_EQ(state.ProjectsDir, root.file(QStringLiteral("home/PROJECTS")));
    EXPECT_EQ(state.LanguageDir, root.file(QStringLiteral("home/LANGUAGE")));
    EXPECT_EQ(state.SettingsPath(), root.file(QStringLiteral("home/Veldrin.xml")));
    EXPECT_EQ(root.read(QStringLiteral("home/MASTER/sim30418.sim")), "firmware");
    EXPECT_TRUE(QFileInfo(root.file(QStringLiteral("home/PROJECTS/Demo"))).isDir());
    EXPECT_EQ(QDir(root.file(QStringLiteral("program")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList())
        << "nothing is written beside the programs";

    // The next start reads the settings there and the languages copied there.
    root.write(QStringLiteral("home/Veldrin.xml"), settingsWith("Demo", "Deutsch"));
    result = start();
    EXPECT_TRUE(result.Warning.isEmpty());
    EXPECT_EQ(state.ActiveConfigDir, root.file(QStringLiteral("home/PROJECTS/Demo")));
    EXPECT_EQ(state.Strings[9], QStringLiteral("Keine Konfiguration offen"));
}

TEST_F(InstalledStartup, TheOneWarningAtStartUp)
{
    // What could not be copied into the workspace, under one line that says where, file by file.
    root.write(QStringLiteral("home/MASTER"), "not a folder");
    const QStringList warning = start().Warning.split(u'\n');
    ASSERT_EQ(warning.size(), 2) << warning.join(u'\n').toStdString();
    EXPECT_TRUE(
        warning[0].startsWith(QStringLiteral("Some files of the installation could not be copied into "
                                             "your folder ")))
        << warning[0].toStdString();
    EXPECT_TRUE(warning[1].startsWith(
        QStringLiteral("Cannot write ") +
        QDir::toNativeSeparators(root.file(QStringLiteral("home/MASTER/sim30418.sim")))))
        << warning[1].toStdString();

    // A portable folder that cannot be written, whatever makes it portable.
    root.write(QStringLiteral("program/portable"), {});
    const WorkspaceLocation portable = WorkspaceLocation::Portable(root.file(QStringLiteral("program")));
    EXPECT_EQ(RunStartup(state, portable, readOnlyProgram).Warning,
              QStringLiteral("The program folder %1 cannot be written: settings and configurations cannot be "
                             "saved there.")
                  .arg(QDir::toNativeSeparators(root.file(QStringLiteral("program")))));
    const WorkspaceProbes writable{[](const QString&) { return true; },
                                   [] {
                                       return QString();
                                   }};
    EXPECT_TRUE(RunStartup(state, portable, writable).Warning.isEmpty());
}

TEST(Startup, OpenConfigurationSetsThePaths)
{
    test::TempProgramDir dir;
    AppState state;
    RunStartup(state, dir.path());
    state.OpenConfiguration(QStringLiteral("B"));
    EXPECT_EQ(state.SetAccessPath, dir.path() + QStringLiteral("/PROJECTS/B/ModbusM_SetAccess.xml"));
    state.OpenConfiguration(QString());
    EXPECT_FALSE(state.IsConfigOpen());
    EXPECT_EQ(state.ParGenPath, QStringLiteral("/ParGen.xml"));
}

} // namespace
} // namespace veldrin

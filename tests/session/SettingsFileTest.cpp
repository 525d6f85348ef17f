#include "session/SettingsFile.h"

#include "common/XmlDoc.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace veldrin {
namespace {

const QByteArray DefaultFile = "<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress>"
                               "192.168.2.205</ipaddress></lastipadd><lastlang><language>English</language>"
                               "</lastlang><lastinternet><enable_internet>0</enable_internet><enable_update>0"
                               "</enable_update></lastinternet></Conf_Settings>";

AppSettings settingsOf(const char* xml)
{
    return ReadSettings(XmlDoc::Parse(QByteArray(xml), QStringLiteral("Veldrin.xml")));
}

AppSettings make(const char* project, const char* ip, const char* language, bool internet, bool update)
{
    return AppSettings{QString::fromUtf8(project), QString::fromUtf8(ip), QString::fromUtf8(language),
                       internet, update};
}

struct SettingsCase {
    const char* what;
    const char* xml;
    AppSettings expected;
};

class SettingsReading : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsReading, ReadsEachValueOnItsOwn)
{
    EXPECT_EQ(settingsOf(GetParam().xml), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsReading,
    ::testing::Values(
        SettingsCase{
            "all values",
            "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj><lastipadd><ipaddress>"
            "10.0.0.7</ipaddress></lastipadd><lastlang><language>Deutsch</language></lastlang>"
            "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
            "</lastinternet></Conf_Settings>",
            make("Plant", "10.0.0.7", "Deutsch", true, true)},
        SettingsCase{"other root name, whitespace between elements",
                     "<Other>\n  <lastlang>\n    <language>Deutsch</language>\n  </lastlang>\n</Other>\n",
                     make("", "192.168.2.205", "Deutsch", false, false)},
        SettingsCase{
            "flags only exactly 1",
            "<r><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
            "</lastinternet></r>",
            make("", "192.168.2.205", "English", false, false)},
        SettingsCase{"update without internet read as they stand",
                     "<r><lastinternet><enable_internet>0</enable_internet><enable_update>1</enable_update>"
                     "</lastinternet></r>",
                     make("", "192.168.2.205", "English", false, true)},
        SettingsCase{"missing lastinternet", "<r><lastproj><projectname>P</projectname></lastproj></r>",
                     make("P", "192.168.2.205", "English", false, false)},
        SettingsCase{"group present, value missing", "<r><lastipadd><other>1.2.3.4</other></lastipadd></r>",
                     make("", "192.168.2.205", "English", false, false)},
        SettingsCase{
            "present but empty values stay empty, texts untrimmed",
            "<r><lastproj><projectname> P </projectname></lastproj><lastipadd><ipaddress/></lastipadd>"
            "<lastlang><language></language></lastlang></r>",
            make(" P ", "", "", false, false)},
        SettingsCase{"declaration first",
                     "<?xml version=\"1.0\"?><Conf_Settings><lastproj><projectname>P</projectname></lastproj>"
                     "</Conf_Settings>",
                     make("", "192.168.2.205", "English", false, false)},
        SettingsCase{
            "comment first",
            "<!--x--><Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
            make("", "192.168.2.205", "English", false, false)}));

TEST(SettingsFile, WritesTheDefaultFileExactly)
{
    EXPECT_EQ(SettingsFileBytes(AppSettings{}), DefaultFile);
}

TEST(SettingsFile, RoundTripsEveryValue)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("Veldrin.xml"));
    const AppSettings settings = make(" Plant <1> & Co ", "",
                                      "Fran\xc3\xa7"
                                      "ais",
                                      false, true);
    WriteSettingsFile(path, settings);
    EXPECT_EQ(ReadSettingsFile(path), settings);
}

TEST(SettingsFile, IsRewrittenOnlyWhenItsBytesChange)
{
    test::TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("Veldrin.xml"));
    const auto inodeOf = [&path] {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        return status.st_ino;
    };
    WriteSettingsFile(path, AppSettings{});
    const auto inode = inodeOf();
    // The atomic writer replaces the file with a new one, so the same file means no write.
    WriteSettingsFile(path, AppSettings{});
    EXPECT_EQ(inodeOf(), inode);

    AppSettings changed;
    changed.InternetEnabled = true;
    WriteSettingsFile(path, changed);
    EXPECT_NE(inodeOf(), inode);
    EXPECT_EQ(ReadSettingsFile(path), changed);

    // A file changed by hand since is written again in full.
    dir.write(QStringLiteral("Veldrin.xml"), "<Settings/>");
    WriteSettingsFile(path, changed);
    EXPECT_EQ(ReadSettingsFile(path), changed);
}

TEST(SettingsFile, UnreadableFilesGiveTheDefaults)
{
    test::TempProgramDir dir;
    EXPECT_EQ(ReadSettingsFile(dir.file(QStringLiteral("none.xml"))), AppSettings{});
    dir.write(QStringLiteral("broken.xml"), "<Conf_Settings><lastproj><projectname>P</lastproj>");
    EXPECT_EQ(ReadSettingsFile(dir.file(QStringLiteral("broken.xml"))), AppSettings{});
    dir.write(QStringLiteral("doctype.xml"),
              "<!DOCTYPE r [<!ENTITY e \"P\">]><r><lastproj><projectname>&e;</projectname></lastproj></r>");
    EXPECT_EQ(ReadSettingsFile(dir.file(QStringLiteral("doctype.xml"))), AppSettings{});
    dir.mkdir(QStringLiteral("folder.xml"));
    EXPECT_EQ(ReadSettingsFile(dir.file(QStringLiteral("folder.xml"))), AppSettings{});
}

} // namespace
} // namespace veldrin

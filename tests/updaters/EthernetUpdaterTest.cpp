#include "updaters/EthernetUpdater.h"

#include "common/XmlDoc.h"
#include "update/EthernetUpdateFile.h"
#include "update/SerialCommandLine.h"
#include "updaters/RecordingReport.h"
#include "updaters/UpdaterExit.h"
#include "updaters/UpdaterFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace veldrin::updaters {
namespace {

using test::RecordingReport;
using test::UpdaterFiles;

// Ethernet_Update.xml as the Ethernet update dialog writes it: every element in its order, no
// whitespace, the paths in native separators.
QByteArray EthernetUpdateFile(const UpdaterFiles& files, const UpdateOptions& options,
                              const QString& address = QStringLiteral("192.168.2.205"))
{
    XmlDoc doc;
    XmlNode root = doc.appendElement(QStringLiteral("Ethernet_Update"));
    root.appendTextElement(QStringLiteral("Version"), QStringLiteral("1000"));
    root.appendTextElement(QStringLiteral("Title"),
                           QStringLiteral("www.veldrin.example - PK30418 Ethernet Update"));
    root.appendTextElement(QStringLiteral("IP_Address_Dev"), address);
    root.appendTextElement(QStringLiteral("Application_Port"), QStringLiteral("10000"));
    root.appendTextElement(QStringLiteral("Boot_Port"), QStringLiteral("2008"));
    root.appendTextElement(QStringLiteral("Boot_Port_Sec"), QStringLiteral("2007"));
    root.appendTextElement(QStringLiteral("Address_Protection"), QStringLiteral("0x78000"));
    root.appendElement(QStringLiteral("Protections"))
        .appendTextElement(QStringLiteral("Protection"), QStringLiteral("0xDE"));
    XmlNode operations = root.appendElement(QStringLiteral("Operations"));
    const auto operation = [&](const QString& file, const char* start, const char* bank, bool readBack,
                               const char* writeCss, const char* addressCss, bool goToApp) {
        XmlNode node = operations.appendElement(QStringLiteral("Operation"));
        const std::pair<const char*, QString> children[] = {
            {"Ope_Protection_Enabled", {}},
            {"Ope_GoToBoot_Before", QStringLiteral("0")},
            {"Ope_GoToApp_Before", QStringLiteral("0")},
            {"Ope_IP_Address", {}},
            {"Ope_Port", QStringLiteral("2008")},
            {"Ope_Port_Sec", QStringLiteral("2007")},
            {"Ope_Erase_Memory", QStringLiteral("0")},
            {"Ope_FileName", QDir::toNativeSeparators(file)},
            {"Ope_Start_Address", QLatin1String(start)},
            {"Ope_Memory_Type", QStringLiteral("0")},
            {"Ope_Bank_Type", QLatin1String(bank)},
            {"Ope_Read_Back", readBack ? QStringLiteral("1") : QStringLiteral("0")},
            {"Ope_Write_CSS", QLatin1String(writeCss)},
            {"Ope_Address_CSS", QLatin1String(addressCss)},
            {"Ope_Command_CSS", QStringLiteral("0x0B")},
            {"Ope_GoToApp_After", goToApp ? QStringLiteral("1") : QStringLiteral("0")},
        };
        for (const auto& [name, text] : children) {
            if (text.isEmpty())
                node.appendElement(QLatin1String(name));
            else
                node.appendTextElement(QLatin1String(name), text);
        }
    };
    if (options.firmware)
        operation(files.ethernetFirmware(), "0x8000", "1", options.readFirmware, "1", "0x78100",
                  !options.config);
    if (options.config)
        operation(files.bank2(), "0x60000", "2", options.readConfig, "0", "0x50100", true);
    return doc.toBytes();
}

struct UpdaterRun {
    int code;
    RecordingReport report;
};

UpdaterRun run(const UpdaterFiles& files, const QStringList& arguments = {})
{
    UpdaterRun result{0, {}};
    result.code = RunEthernetUpdater(arguments, files.path(), result.report);
    EXPECT_EQ(result.report.Finishes, 1);
    EXPECT_EQ(result.report.Ok, result.code == ExitOk);
    return result;
}

void writeParameterFile(const UpdaterFiles& files, const QByteArray& bytes)
{
    files.write(QStringLiteral("Ethernet_Update.xml"), bytes);
}

// The four boxes as the bits of the parameter: firmware, read firmware, configuration, read configuration.
class EthernetUpdaterOptions : public ::testing::TestWithParam<int> {};

TEST_P(EthernetUpdaterOptions, PerformsTheOperationsTheFileLists)
{
    const int bits = GetParam();
    const UpdateOptions options{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    UpdaterFiles files;
    writeParameterFile(files, EthernetUpdateFile(files, options));
    const UpdaterRun result = run(files);
    ASSERT_EQ(result.code, ExitOk) << result.report.dump();
    EXPECT_EQ(result.report.Heading,
              QStringLiteral("Ethernet_Update: www.veldrin.example - PK30418 Ethernet Update"));

    QStringList steps;
    QStringList areas;
    const int count = int(options.firmware) * (1 + int(options.readFirmware)) +
                      int(options.config) * (1 + int(options.readConfig));
    const auto step = [&](const QString& text) {
        steps.append(QStringLiteral("[%1/%2] %3").arg(steps.size() + 1).arg(count).arg(text));
    };
    if (options.firmware) {
        step(QStringLiteral("Writing the firmware Sim30418K.sim to 192.168.2.205: done"));
        if (options.readFirmware)
            step(QStringLiteral("Reading the firmware back from 192.168.2.205: matches Sim30418K.sim"));
        areas << QStringLiteral("firmware.bin");
    }
    if (options.config) {
        step(QStringLiteral("Writing the configuration bank2.bin to 192.168.2.205: done"));
        if (options.readConfig)
            step(QStringLiteral("Reading the configuration back from 192.168.2.205: matches bank2.bin"));
        areas.prepend(QStringLiteral("bank2.bin"));
    }
    EXPECT_EQ(result.report.Steps, steps);
    EXPECT_EQ(files.deviceAreas(QStringLiteral("192.168.2.205")), areas);
    if (options.firmware) {
        EXPECT_EQ(files.deviceArea(QStringLiteral("192.168.2.205"), QStringLiteral("firmware.bin")),
                  files.EthernetPayload);
    }
    if (options.config) {
        EXPECT_EQ(files.deviceArea(QStringLiteral("192.168.2.205"), QStringLiteral("bank2.bin")),
                  files.RequestImage);
    }
    // The device starts its application after the last operation only.
    EXPECT_EQ(result.report.Infos.filter(QStringLiteral("starts its application")).size(),
              options.firmware || options.config ? 1 : 0);
    if (!options.firmware && !options.config) {
        EXPECT_FALSE(files.hasDevices());
        EXPECT_EQ(result.report.Summary, QStringLiteral("Nothing to do: no operation was asked for."));
    }
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, EthernetUpdaterOptions, ::testing::Range(0, 16));

TEST(EthernetUpdater, AMissingParameterFileIsNamedWithItsFolder)
{
    UpdaterFiles files;
    const UpdaterRun result = run(files);
    EXPECT_EQ(result.code, ExitBadRequest);
    EXPECT_EQ(
        result.report.Problems,
        QStringList{QStringLiteral("Ethernet_Update.xml is missing in %1: the configurator writes it there "
                                   "before it starts Ethernet_Update")
                        .arg(QDir::toNativeSeparators(files.path()))});
    EXPECT_EQ(result.report.Summary,
              QStringLiteral("The update did not start: nothing was written to the device."));
}

// Each is a problem with the file itself, named as such; nothing reaches the device.
TEST(EthernetUpdater, AParameterFileThatCannotBeReadIsNamedWithItsReason)
{
    const std::pair<std::function<void(const QString&)>, const char*> cases[] = {
        {[](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); },
         "is not a regular file"},
        {[](const QString& path) { QDir().mkdir(path); }, "is not a regular file"},
        {[](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("<Ethernet_Update><Title><b>x</b>T</Title></Ethernet_Update>");
         },
         "<Title> holds other elements"},
    };
    for (const auto& [make, says] : cases) {
        UpdaterFiles files;
        make(QDir(files.path()).filePath(QStringLiteral("Ethernet_Update.xml")));
        const UpdaterRun result = run(files);
        EXPECT_EQ(result.code, ExitBadRequest) << says;
        ASSERT_FALSE(result.report.Problems.isEmpty()) << says;
        EXPECT_TRUE(result.report.Problems.join(u'\n').contains(QLatin1String(says)))
            << result.report.Problems.join(u'\n').toStdString();
        EXPECT_FALSE(files.hasDevices());
    }
}

TEST(EthernetUpdater, TakesNoArguments)
{
    UpdaterFiles files;
    writeParameterFile(files, EthernetUpdateFile(files, UpdateOptions{}));
    const UpdaterRun result = run(files, {QStringLiteral("192.168.2.205")});
    EXPECT_EQ(result.code, ExitBadRequest);
    EXPECT_FALSE(files.hasDevices());
}

TEST(EthernetUpdater, AnOperationMayNameItsOwnDevice)
{
    UpdaterFiles files;
    writeParameterFile(files,
                       EthernetUpdateFile(files, UpdateOptions{})
                           .replace("<Ope_IP_Address/>", "<Ope_IP_Address>127.0.0.1</Ope_IP_Address>"));
    const UpdaterRun result = run(files);
    ASSERT_EQ(result.code, ExitOk) << result.report.dump();
    EXPECT_EQ(files.deviceAreas(QStringLiteral("127.0.0.1")),
              (QStringList{QStringLiteral("bank2.bin"), QStringLiteral("firmware.bin")}));
    EXPECT_FALSE(QFileInfo::exists(files.file(QStringLiteral("DEVICES/192.168.2.205"))));
}

struct BrokenCase {
    const char* name;
    // Turns the file of all four options into the broken one.
    std::function<QByteArray(QByteArray, const UpdaterFiles&)> damage;
    int code;
    std::vector<const char*> messages;
};

class EthernetUpdaterBroken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(EthernetUpdaterBroken, IsRefusedBeforeAnythingIsWritten)
{
    UpdaterFiles files;
    writeParameterFile(files, GetParam().damage(EthernetUpdateFile(files, UpdateOptions{}), files));
    const UpdaterRun result = run(files);
    EXPECT_EQ(result.code, GetParam().code);
    ASSERT_EQ(result.report.Problems.size(), qsizetype(GetParam().messages.size())) << result.report.dump();
    for (std::size_t i = 0; i < GetParam().messages.size(); ++i)
        EXPECT_TRUE(result.report.Problems[qsizetype(i)].contains(QString::fromUtf8(GetParam().messages[i])))
            << result.report.Problems[qsizetype(i)].toStdString();
    EXPECT_TRUE(result.report.Steps.isEmpty());
    EXPECT_FALSE(files.hasDevices());
}

QByteArray replaced(QByteArray bytes, const char* before, const char* after)
{
    EXPECT_TRUE(bytes.contains(before)) << before;
    return bytes.replace(before, after);
}

// Replaces the first occurrence only: the firmware operation's.
QByteArray replacedOnce(QByteArray bytes, const char* before, const char* after)
{
    const qsizetype at = bytes.indexOf(before);
    EXPECT_GE(at, 0) << before;
    return bytes.replace(at, qsizetype(qstrlen(before)), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EthernetUpdaterBroken,
    ::testing::Values(
        BrokenCase{"NotWellFormed",
                   [](QByteArray b, auto&) { return b.left(b.size() - 5); },
                   ExitBadRequest,
                   {"is not well-formed XML"}},
        BrokenCase{"Empty",
                   [](QByteArray, auto&) { return QByteArray(); },
                   ExitBadRequest,
                   {"is not well-formed XML"}},
        BrokenCase{"DeclarationFirst",
                   [](QByteArray b, auto&) { return "<?xml version=\"1.0\"?>" + b; },
                   ExitBadRequest,
                   {"does not begin with the element Ethernet_Update"}},
        BrokenCase{"OtherRoot",
                   [](QByteArray b, auto&) { return replaced(b, "Ethernet_Update>", "Serial_Update>"); },
                   ExitBadRequest,
                   {"does not begin with the element Ethernet_Update"}},
        BrokenCase{"LaterVersion",
                   [](QByteArray b, auto&) { return replaced(b, "<Version>1000", "<Version>1001"); },
                   ExitBadRequest,
                   {"Ethernet_Update.xml: Version is \"1001\"; this updater reads version 1000"}},
        BrokenCase{
            "ThreePartAddress",
            [](QByteArray b, auto&) { return replaced(b, "192.168.2.205", "192.168.2"); },
            ExitBadRequest,
            {"Ethernet_Update.xml: IP_Address_Dev is \"192.168.2\", not the IPv4 address of a device"}},
        BrokenCase{"AddressOfNoDevice",
                   [](QByteArray b, auto&) { return replaced(b, "192.168.2.205", "0.0.0.0"); },
                   ExitBadRequest,
                   {"IP_Address_Dev is \"0.0.0.0\""}},
        BrokenCase{"AddressEscapingDevices",
                   [](QByteArray b, auto&) { return replaced(b, "192.168.2.205", "../../x.y"); },
                   ExitBadRequest,
                   {"IP_Address_Dev is \"../../x.y\""}},
        BrokenCase{"PortOutOfRange",
                   [](QByteArray b, auto&) { return replaced(b, "<Boot_Port>2008", "<Boot_Port>70000"); },
                   ExitBadRequest,
                   {"Boot_Port is \"70000\", not a port number from 1 to 65535"}},
        BrokenCase{"ProtectionsMissing",
                   [](QByteArray b, auto&) {
                       return replaced(b, "<Protections><Protection>0xDE</Protection></Protections>", "");
                   },
                   ExitBadRequest,
                   {"the element Protections is missing"}},
        BrokenCase{
            "OperationsMissing",
            [](QByteArray b, auto&) { return b.left(b.indexOf("<Operations>")) + "</Ethernet_Update>"; },
            ExitBadRequest,
            {"the element Operations is missing"}},
        BrokenCase{
            "UnknownElementInOperations",
            [](QByteArray b, auto&) { return replaced(b, "<Operations>", "<Operations><operation/>"); },
            ExitBadRequest,
            {"Operations holds an element operation; only Operation elements belong there"}},
        BrokenCase{"UnknownBank",
                   [](QByteArray b, auto&) { return replaced(b, "<Ope_Bank_Type>2", "<Ope_Bank_Type>3"); },
                   ExitBadRequest,
                   {"Ethernet_Update.xml, Operation 2: Ope_Bank_Type is 3; it must be 1 (firmware) or 2"}},
        BrokenCase{"WrongStartAddress",
                   [](QByteArray b, auto&) {
                       return replaced(b, "<Ope_Start_Address>0x8000", "<Ope_Start_Address>0x9000");
                   },
                   ExitBadRequest,
                   {"Operation 1: Ope_Start_Address is 0x9000; bank 1 starts at 0x8000"}},
        BrokenCase{
            "ReadBackNotAFlag",
            [](QByteArray b, auto&) { return replacedOnce(b, "<Ope_Read_Back>1", "<Ope_Read_Back>yes"); },
            ExitBadRequest,
            {"Operation 1: Ope_Read_Back is \"yes\"; it must be 0 or 1"}},
        BrokenCase{
            "FileNameMissingInBoth",
            [](QByteArray b, const UpdaterFiles& f) {
                b = replaced(b,
                             "<Ope_FileName>" + QDir::toNativeSeparators(f.ethernetFirmware()).toUtf8() +
                                 "</Ope_FileName>",
                             "");
                return replaced(
                    b, "<Ope_FileName>" + QDir::toNativeSeparators(f.bank2()).toUtf8() + "</Ope_FileName>",
                    "<Ope_FileName/>");
            },
            ExitBadRequest,
            {"Operation 1: the element Ope_FileName is missing", "Operation 2: Ope_FileName is empty"}},
        BrokenCase{"FirmwareMissing",
                   [](QByteArray b, const UpdaterFiles& f) {
                       EXPECT_TRUE(QFile::remove(f.ethernetFirmware()));
                       return b;
                   },
                   ExitBadInput,
                   {"Sim30418K.sim is missing"}},
        BrokenCase{"FirmwareOfTheSerialDevice",
                   [](QByteArray b, auto&) { return replaced(b, "Sim30418K.sim", "sim30418.sim"); },
                   ExitBadInput,
                   {"sim30418.sim is firmware for 30418 devices; this updater loads 30418K firmware"}},
        BrokenCase{"RequestImageTruncated",
                   [](QByteArray b, const UpdaterFiles& f) {
                       f.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), f.RequestImage.left(2048));
                       return b;
                   },
                   ExitBadInput,
                   {"bank2.bin has 2048 bytes; a request image (bank2.bin) has 34816: it is cut short"}},
        BrokenCase{"RequestImageBadChecksum",
                   [](QByteArray b, const UpdaterFiles& f) {
                       QByteArray image = f.RequestImage;
                       image[34815] = char(image[34815] + 1);
                       f.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), image);
                       return b;
                   },
                   ExitBadInput,
                   {"bank2.bin is damaged"}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(EthernetUpdater, ARelativeFileNameIsTakenFromTheProgramFolder)
{
    UpdaterFiles files;
    const QByteArray file = EthernetUpdateFile(files, UpdateOptions{true, true, false, false});
    writeParameterFile(files, QByteArray(file).replace(
                                  QDir::toNativeSeparators(files.ethernetFirmware()).toUtf8(),
                                  QDir::toNativeSeparators(QStringLiteral("MASTER/Sim30418K.sim")).toUtf8()));
    const UpdaterRun result = run(files);
    ASSERT_EQ(result.code, ExitOk) << result.report.dump();
}

} // namespace
} // namespace veldrin::updaters

namespace veldrin::updaters {
namespace {

// The file the Ethernet update dialog writes is the file the Ethernet updater reads.
TEST(EthernetUpdaterWithTheDialogsFile, PerformsEveryCombinationOfOptions)
{
    for (int mask = 0; mask < 16; ++mask) {
        const UpdateOptions options{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0};
        UpdaterFiles files;
        WriteEthernetUpdateFile(files.path(), QStringLiteral("127.0.0.1"), options, files.masterDir(),
                                files.configDir());
        RecordingReport report;
        EXPECT_EQ(RunEthernetUpdater({}, files.path(), report), 0) << "options " << mask;
        QStringList expected;
        if (options.config)
            expected.append(QStringLiteral("bank2.bin"));
        if (options.firmware)
            expected.append(QStringLiteral("firmware.bin"));
        EXPECT_EQ(files.deviceAreas(QStringLiteral("127.0.0.1")), expected) << "options " << mask;
    }
}

} // namespace
} // namespace veldrin::updaters

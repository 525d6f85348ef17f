#include "updaters/SerialUpdater.h"

#include "common/ParameterSplit.h"
#include "update/SerialCommandLine.h"
#include "updaters/EmulatedDevice.h"
#include "updaters/NativeCommandLine.h"
#include "updaters/RecordingReport.h"
#include "updaters/UpdaterExit.h"
#include "updaters/UpdaterFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace veldrin::updaters {
namespace {

using test::RecordingReport;
using test::UpdaterFiles;

struct UpdaterRun {
    int code;
    RecordingReport report;
};

// The fields as the configurator builds them for this folder, the port and the options.
QStringList fieldsFor(const UpdaterFiles& files, const QString& options,
                      const QString& port = QStringLiteral("ttyUSB0"))
{
    QStringList fields{QStringLiteral("\\\\.\\") + port};
    fields += options.split(u' ');
    fields += {files.serialFirmware(), files.binDir() + u'/'};
    return fields;
}

UpdaterRun run(const UpdaterFiles& files, const QStringList& fields)
{
    UpdaterRun result{0, {}};
    result.code = RunSerialUpdater(fields, files.path(), result.report);
    EXPECT_EQ(result.report.Finishes, 1);
    EXPECT_EQ(result.report.Ok, result.code == ExitOk);
    return result;
}

struct GoodCase {
    const char* options;
    int steps;
};

class SerialUpdaterGood : public ::testing::TestWithParam<GoodCase> {};

TEST_P(SerialUpdaterGood, WritesWhatTheOptionsAskIntoTheDevicesFolder)
{
    UpdaterFiles files;
    const QString options = QLatin1String(GetParam().options);
    const UpdaterRun result = run(files, fieldsFor(files, options));
    ASSERT_EQ(result.code, ExitOk) << result.report.dump();
    EXPECT_EQ(result.report.Steps.size(), GetParam().steps);
    for (const QString& step : result.report.Steps)
        EXPECT_TRUE(step.endsWith(QStringLiteral(": done")) || step.contains(QStringLiteral(": matches")))
            << step.toStdString();

    const bool firmware = options.startsWith(u"FW");
    const bool config = options.contains(u"PW");
    QStringList areas;
    if (config)
        areas << QStringLiteral("bank.bin") << QStringLiteral("bank2.bin");
    if (firmware)
        areas << QStringLiteral("firmware.bin");
    EXPECT_EQ(files.deviceAreas(QStringLiteral("ttyUSB0")), areas);
    if (firmware) {
        EXPECT_EQ(files.deviceArea(QStringLiteral("ttyUSB0"), QStringLiteral("firmware.bin")),
                  files.SerialPayload);
    }
    if (config) {
        EXPECT_EQ(files.deviceArea(QStringLiteral("ttyUSB0"), QStringLiteral("bank.bin")),
                  files.GeneralImage);
        EXPECT_EQ(files.deviceArea(QStringLiteral("ttyUSB0"), QStringLiteral("bank2.bin")),
                  files.RequestImage);
    }
    if (GetParam().steps == 0) {
        EXPECT_FALSE(files.hasDevices());
        EXPECT_EQ(result.report.Summary, QStringLiteral("Nothing to do: no operation was asked for."));
    } else {
        EXPECT_EQ(result.report.Summary, QStringLiteral("Update finished: %1 operation%2 on ttyUSB0.")
                                             .arg(GetParam().steps)
                                             .arg(GetParam().steps == 1 ? QString() : QStringLiteral("s")));
    }
}

INSTANTIATE_TEST_SUITE_P(Options, SerialUpdaterGood,
                         ::testing::Values(GoodCase{"FW FR PW PR", 4}, GoodCase{"FW NO PW NO", 2},
                                           GoodCase{"FW FR NO NO", 2}, GoodCase{"NO NO PW PR", 2},
                                           GoodCase{"NO NO PW NO", 1}, GoodCase{"NO NO NO NO", 0}));

TEST(SerialUpdater, RunsFromTheCommandLineTheConfiguratorBuilds)
{
    UpdaterFiles files;
    const QString line = BuildSerialCommandLine(QStringLiteral("ttyS0"), UpdateOptions{}, files.masterDir(),
                                                files.configDir());
    const QStringList fields = SplitParameter(line);
    // Where the system hands over one text, the program's name comes first.
    EXPECT_EQ(ArgumentsOfCommandLine(QStringLiteral("\"C:\\Veldrin App\\Ser_30418_Update.exe\" ") + line),
              fields);
    EXPECT_EQ(ArgumentsOfCommandLine(QStringLiteral("Ser_30418_Update.exe ") + line), fields);
    EXPECT_EQ(ArgumentsOfCommandLine(QStringLiteral("Ser_30418_Update.exe")), QStringList());

    const UpdaterRun result = run(files, fields);
    ASSERT_EQ(result.code, ExitOk) << result.report.dump();
    EXPECT_EQ(result.report.Heading,
              QStringLiteral("Ser_30418_Update: serial update of the device on ttyS0"));
    EXPECT_EQ(
        result.report.Steps,
        (QStringList{QStringLiteral("[1/4] Writing the firmware sim30418.sim to ttyS0: done"),
                     QStringLiteral("[2/4] Reading the firmware back from ttyS0: matches sim30418.sim"),
                     QStringLiteral("[3/4] Writing the configuration to ttyS0: done"),
                     QStringLiteral("[4/4] Reading the configuration back from ttyS0: matches bank.bin and "
                                    "bank2.bin")}));
    EXPECT_EQ(result.report.LastPercent, 100);
}

TEST(SerialUpdater, ReadBackAloneComparesWithWhatTheDeviceHolds)
{
    UpdaterFiles files;
    ASSERT_EQ(run(files, fieldsFor(files, QStringLiteral("FW NO PW NO"))).code, ExitOk);
    EXPECT_EQ(run(files, fieldsFor(files, QStringLiteral("NO FR NO PR"))).code, ExitOk);

    // The device's firmware changed since: one byte.
    QByteArray changed = files.SerialPayload;
    changed[17] = char(changed[17] + 1);
    files.write(QStringLiteral("DEVICES/ttyUSB0/firmware.bin"), changed);
    UpdaterRun result = run(files, fieldsFor(files, QStringLiteral("NO FR NO PR")));
    EXPECT_EQ(result.code, ExitReadBackMismatch);
    EXPECT_EQ(
        result.report.Problems,
        QStringList{QStringLiteral("The firmware read back from ttyUSB0 differs from sim30418.sim: first "
                                   "difference at byte 17 of 3000")});
    EXPECT_EQ(result.report.Summary, QStringLiteral("The update stopped at operation 1 of 2."));

    // A device nothing was written to.
    result = run(files, fieldsFor(files, QStringLiteral("NO NO NO PR"), QStringLiteral("ttyUSB1")));
    EXPECT_EQ(result.code, ExitReadBackMismatch);
    EXPECT_EQ(result.report.Problems,
              QStringList{
                  QStringLiteral("The general image read back from ttyUSB1 differs from bank.bin: the device "
                                 "holds nothing there")});

    // A configuration that is not the one the device holds.
    files.write(QStringLiteral("DEVICES/ttyUSB0/bank2.bin"), files.RequestImage.left(100));
    result = run(files, fieldsFor(files, QStringLiteral("NO NO NO PR")));
    EXPECT_EQ(result.code, ExitReadBackMismatch);
    EXPECT_EQ(result.report.Problems,
              QStringList{QStringLiteral(
                  "The request image read back from ttyUSB0 differs from bank2.bin: the device "
                  "holds 100 bytes, the file 34816")});
}

TEST(SerialUpdater, ADeviceThatCannotBeWrittenStopsTheUpdate)
{
    UpdaterFiles files;
    files.write(QStringLiteral("DEVICES/ttyUSB0"), "a file where the device's folder belongs");
    const UpdaterRun result = run(files, fieldsFor(files, QStringLiteral("FW FR PW PR")));
    EXPECT_EQ(result.code, ExitDeviceFailure);
    ASSERT_EQ(result.report.Problems.size(), 1);
    EXPECT_TRUE(result.report.Problems[0].contains(QStringLiteral("is a file, not a folder")));
    EXPECT_EQ(result.report.Steps,
              QStringList{QStringLiteral("[1/4] Writing the firmware sim30418.sim to ttyUSB0: failed")});
}

struct InputCase {
    const char* name;
    std::function<void(UpdaterFiles&)> damage;
    const char* message;
};

class SerialUpdaterInput : public ::testing::TestWithParam<InputCase> {};

TEST_P(SerialUpdaterInput, IsCheckedBeforeAnythingIsWritten)
{
    UpdaterFiles files;
    GetParam().damage(files);
    const UpdaterRun result = run(files, fieldsFor(files, QStringLiteral("FW FR PW PR")));
    EXPECT_EQ(result.code, ExitBadInput);
    ASSERT_EQ(result.report.Problems.size(), 1) << result.report.dump();
    const QString message = QString::fromUtf8(GetParam().message)
                                .replace(QStringLiteral("%BIN%"), files.binDir())
                                .replace(QStringLiteral("%DIR%"), files.path());
    EXPECT_TRUE(result.report.Problems[0].contains(message)) << result.report.Problems[0].toStdString();
    EXPECT_TRUE(result.report.Steps.isEmpty());
    EXPECT_EQ(result.report.Summary,
              QStringLiteral("The update did not start: nothing was written to the device."));
    EXPECT_FALSE(files.hasDevices());
}

void removeFile(const QString& path)
{
    ASSERT_TRUE(QFile::remove(path)) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialUpdaterInput,
    ::testing::Values(
        InputCase{"Bank2Missing", [](UpdaterFiles& f) { removeFile(f.bank2()); },
                  "The configuration image %BIN%/bank2.bin is missing"},
        InputCase{"Bank2Truncated",
                  [](UpdaterFiles& f) {
                      f.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), f.RequestImage.left(34000));
                  },
                  "bank2.bin has 34000 bytes; a request image (bank2.bin) has 34816: it is cut short"},
        InputCase{"Bank2TooLong",
                  [](UpdaterFiles& f) {
                      f.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), f.RequestImage + "x");
                  },
                  "bank2.bin has 34817 bytes; a request image (bank2.bin) has 34816"},
        InputCase{"Bank2BadChecksum",
                  [](UpdaterFiles& f) {
                      QByteArray image = f.RequestImage;
                      image[32768 + 12] = char(image[32768 + 12] + 1); // a byte of the parameter block
                      f.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), image);
                  },
                  "bank2.bin is damaged: its parameter section adds up to"},
        InputCase{"BankMissing", [](UpdaterFiles& f) { removeFile(f.bank()); }, "bank.bin is missing"},
        InputCase{"BankWrongSize",
                  [](UpdaterFiles& f) {
                      f.write(QStringLiteral("PROJECTS/Line 1/bin/bank.bin"), f.GeneralImage + "x");
                  },
                  "bank.bin has 27 bytes; a general image (bank.bin) has 4 or 26"},
        InputCase{"BankWrongHeader",
                  [](UpdaterFiles& f) {
                      f.write(QStringLiteral("PROJECTS/Line 1/bin/bank.bin"),
                              QByteArray::fromHex("05000000"));
                  },
                  "bank.bin begins with the value 5, not with the general image's header 4"},
        InputCase{"BinFolderMissing",
                  [](UpdaterFiles& f) { ASSERT_TRUE(QDir(f.binDir()).removeRecursively()); },
                  "The configuration's bin folder"},
        InputCase{"FirmwareMissing", [](UpdaterFiles& f) { removeFile(f.serialFirmware()); },
                  "The firmware file %DIR%/MASTER/sim30418.sim is missing"},
        InputCase{"FirmwareOfTheEthernetDevice",
                  [](UpdaterFiles& f) {
                      f.write(QStringLiteral("MASTER/sim30418.sim"),
                              f.read(QStringLiteral("MASTER/Sim30418K.sim")));
                  },
                  "sim30418.sim is firmware for 30418K devices"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(SerialUpdater, ReportsEveryInputProblemAndNeedsOnlyWhatTheOptionsUse)
{
    UpdaterFiles files;
    removeFile(files.serialFirmware());
    files.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), "short");
    UpdaterRun result = run(files, fieldsFor(files, QStringLiteral("NO FR PW NO")));
    EXPECT_EQ(result.code, ExitBadInput);
    EXPECT_EQ(result.report.Problems.size(), 2) << result.report.dump();

    // Writing the configuration alone needs no firmware file; the firmware alone needs no images.
    files.write(QStringLiteral("PROJECTS/Line 1/bin/bank2.bin"), files.RequestImage);
    EXPECT_EQ(run(files, fieldsFor(files, QStringLiteral("NO NO PW PR"))).code, ExitOk);
    files.write(QStringLiteral("MASTER/sim30418.sim"),
                EncodeFirmwareFile({QStringLiteral("30418"), QStringLiteral("1.00"), files.SerialPayload}));
    removeFile(files.bank2());
    EXPECT_EQ(run(files, fieldsFor(files, QStringLiteral("FW FR NO NO"))).code, ExitOk);
}

struct CommandLineCase {
    const char* name;
    std::function<QStringList(QStringList)> change;
    std::vector<const char*> messages;
};

class SerialUpdaterCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(SerialUpdaterCommandLine, IsRefusedWithEveryProblemNamed)
{
    UpdaterFiles files;
    const UpdaterRun result = run(files, GetParam().change(fieldsFor(files, QStringLiteral("FW FR PW PR"))));
    EXPECT_EQ(result.code, ExitBadRequest);
    ASSERT_EQ(result.report.Problems.size(), qsizetype(GetParam().messages.size())) << result.report.dump();
    for (std::size_t i = 0; i < GetParam().messages.size(); ++i)
        EXPECT_TRUE(result.report.Problems[qsizetype(i)].contains(QString::fromUtf8(GetParam().messages[i])))
            << result.report.Problems[qsizetype(i)].toStdString();
    EXPECT_TRUE(result.report.Steps.isEmpty());
    EXPECT_FALSE(files.hasDevices());
}

QStringList with(QStringList fields, qsizetype index, const char* value)
{
    fields[index] = QString::fromUtf8(value);
    return fields;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialUpdaterCommandLine,
    ::testing::Values(
        CommandLineCase{
            "NoFields",
            [](QStringList) { return QStringList(); },
            {"The command line has 0 fields; it must have 7: Ser_30418_Update \\\\.\\PORT FW|NO"}},
        CommandLineCase{
            "SixFields", [](QStringList f) { return f.mid(0, 6); }, {"has 6 fields; it must have 7"}},
        CommandLineCase{
            "EightFields", [](QStringList f) { return f << QStringLiteral("extra"); }, {"has 8 fields"}},
        CommandLineCase{"PathsNotFramed",
                        // "/opt/Veldrin App/..." split at its blank because the quotes were missing.
                        [](QStringList f) {
                            return f.mid(0, 5) + QStringList{QStringLiteral("/opt/Veldrin"),
                                                             QStringLiteral("App/MASTER/sim30418.sim"), f[6]};
                        },
                        {"has 8 fields"}},
        CommandLineCase{"LowerCaseOption",
                        [](QStringList f) { return with(f, 1, "fw"); },
                        {"Field 2 of the command line is \"fw\": it must be FW (write the firmware) or NO"}},
        CommandLineCase{"OptionsSwapped",
                        [](QStringList f) { return with(with(f, 2, "PW"), 3, "FR"); },
                        {"Field 3 of the command line is \"PW\": it must be FR",
                         "Field 4 of the command line is \"FR\": it must be PW"}},
        CommandLineCase{
            "PortWithoutPrefix",
            [](QStringList f) { return with(f, 0, "ttyUSB0"); },
            {"Field 1 of the command line is \"ttyUSB0\": it must be \\\\.\\ followed by the port name"}},
        CommandLineCase{
            "PortEscapingDevices",
            [](QStringList f) { return with(f, 0, "\\\\.\\../../x"); },
            {"Field 1 of the command line is \"\\\\.\\../../x\": a port name holds 1 to 64 letters"}},
        CommandLineCase{"PortEscapingDevicesWindowsStyle",
                        [](QStringList f) { return with(f, 0, "\\\\.\\..\\..\\x"); },
                        {"a port name holds 1 to 64 letters"}},
        CommandLineCase{
            "PortEmpty", [](QStringList f) { return with(f, 0, "\\\\.\\"); }, {"a port name holds"}},
        CommandLineCase{"FirmwareEmpty",
                        [](QStringList f) { return with(f, 5, ""); },
                        {"Field 6 of the command line, the firmware file, is empty"}},
        CommandLineCase{"BinFolderWithoutSeparator",
                        [](QStringList f) {
                            f[6].chop(1);
                            return f;
                        },
                        {"the configuration's bin folder must end with a path separator"}},
        CommandLineCase{"BinFolderEmpty",
                        [](QStringList f) { return with(f, 6, ""); },
                        {"Field 7 of the command line, the configuration's bin folder, is empty"}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

} // namespace
} // namespace veldrin::updaters

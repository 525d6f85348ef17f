#include "updaters/FirmwareFile.h"

#include "common/VeldrinError.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"
#include "updaters/UpdaterFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace veldrin::updaters {
namespace {

// The message of ReadFirmwareFile, or "" when it accepted the file.
QString refusal(const QString& path, const char* family)
{
    try {
        ReadFirmwareFile(path, QLatin1String(family));
        return {};
    } catch (const VeldrinError& error) {
        return error.message();
    }
}

TEST(FirmwareFile, Crc32IsTheZipOne)
{
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32({}), 0u);
}

TEST(FirmwareFile, ReadsBackWhatWasEncoded)
{
    veldrin::test::TempProgramDir dir;
    const QByteArray payload = test::FirmwarePayload(5);
    const QByteArray bytes = EncodeFirmwareFile({QStringLiteral("30418"), QStringLiteral("1.07"), payload});
    EXPECT_TRUE(bytes.startsWith(QByteArray("VELDRIN-SIM 1 family=30418 version=1.07 size=3000 crc32=") +
                                 QByteArray::number(Crc32(payload), 16).toUpper().rightJustified(8, '0') +
                                 '\n'));
    dir.write(QStringLiteral("f.sim"), bytes);
    const FirmwareFile firmware =
        ReadFirmwareFile(dir.file(QStringLiteral("f.sim")), QStringLiteral("30418"));
    EXPECT_EQ(firmware.Family, QStringLiteral("30418"));
    EXPECT_EQ(firmware.Version, QStringLiteral("1.07"));
    EXPECT_EQ(firmware.Payload, payload);
}

TEST(FirmwareFile, TheShippedPlaceholdersAreValidForTheirUpdaterOnly)
{
    const QString master = veldrin::test::MasterDir();
    const QString serial = master + QStringLiteral("/sim30418.sim");
    const QString ethernet = master + QStringLiteral("/Sim30418K.sim");
    EXPECT_EQ(refusal(serial, SerialFirmwareFamily), QString());
    EXPECT_EQ(refusal(ethernet, EthernetFirmwareFamily), QString());
    EXPECT_TRUE(
        refusal(serial, EthernetFirmwareFamily).contains(QStringLiteral("is firmware for 30418 devices")));
    EXPECT_TRUE(
        refusal(ethernet, SerialFirmwareFamily).contains(QStringLiteral("is firmware for 30418K devices")));
}

struct BrokenFile {
    const char* name;
    // Turns a good file into the broken one.
    std::function<QByteArray(QByteArray)> damage;
    const char* message;
};

class BrokenFirmwareFile : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(BrokenFirmwareFile, IsRefusedWithTheReason)
{
    veldrin::test::TempProgramDir dir;
    const QByteArray good =
        EncodeFirmwareFile({QStringLiteral("30418"), QStringLiteral("1.00"), test::FirmwarePayload(3)});
    dir.write(QStringLiteral("f.sim"), GetParam().damage(good));
    const QString message = refusal(dir.file(QStringLiteral("f.sim")), SerialFirmwareFamily);
    EXPECT_TRUE(message.startsWith(dir.file(QStringLiteral("f.sim")))) << message.toStdString();
    EXPECT_TRUE(message.contains(QLatin1String(GetParam().message))) << message.toStdString();
}

QByteArray replaced(QByteArray bytes, const char* before, const char* after)
{
    return bytes.replace(before, after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenFirmwareFile,
    ::testing::Values(
        BrokenFile{"Empty", [](QByteArray) { return QByteArray(); }, "does not begin with the line"},
        BrokenFile{"OtherMagic", [](QByteArray b) { return replaced(b, "VELDRIN-SIM", "VELDRIN-BIN"); },
                   "does not begin with the line"},
        BrokenFile{"NoLineEnd", [](QByteArray b) { return b.left(50); }, "does not begin with the line"},
        BrokenFile{"LaterFormat", [](QByteArray b) { return replaced(b, "VELDRIN-SIM 1", "VELDRIN-SIM 2"); },
                   "it is in format 2; this updater reads format 1"},
        BrokenFile{"WindowsLineEnd", [](QByteArray b) { return b.replace(b.indexOf('\n'), 1, "\r\n"); },
                   "not printable ASCII"},
        BrokenFile{"FieldsOutOfOrder",
                   [](QByteArray b) {
                       return replaced(b, "family=30418 version=1.00", "version=1.00 family=30418");
                   },
                   "does not hold family=, version=, size= and crc32="},
        BrokenFile{"TwoBlanks", [](QByteArray b) { return replaced(b, " size=", "  size="); },
                   "does not hold family="},
        BrokenFile{"BadVersion", [](QByteArray b) { return replaced(b, "version=1.00", "version=1"); },
                   "its version \"1\""},
        BrokenFile{"ZeroSize", [](QByteArray b) { return replaced(b, "size=3000", "size=0"); },
                   "its size \"0\""},
        BrokenFile{"ShortCrc", [](QByteArray b) { return b.remove(b.indexOf("crc32=") + 6, 1); },
                   "its crc32"},
        BrokenFile{"CutShort", [](QByteArray b) { return b.left(b.size() - 10); },
                   "is cut short: it holds 2990 of the 3000 firmware bytes"},
        BrokenFile{"TrailingBytes", [](QByteArray b) { return b + "abc"; }, "has 3 bytes more than the 3000"},
        BrokenFile{"FlippedByte",
                   [](QByteArray b) {
                       b[b.size() - 100] = char(b[b.size() - 100] ^ 0x10);
                       return b;
                   },
                   "is damaged: its firmware bytes have the CRC-32"},
        BrokenFile{"OtherFamily",
                   [](QByteArray b) {
                       return EncodeFirmwareFile({QStringLiteral("30418K"), QStringLiteral("1.00"), b});
                   },
                   "is firmware for 30418K devices; this updater loads 30418 firmware"},
        BrokenFile{"TooLarge", [](QByteArray b) { return b + QByteArray(MaxFirmwareFileSize, 'x'); },
                   "larger than 1 MiB"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(FirmwareFile, AMissingFileOrAFolderIsNamed)
{
    veldrin::test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("folder.sim"));
    EXPECT_TRUE(refusal(dir.file(QStringLiteral("none.sim")), SerialFirmwareFamily)
                    .startsWith(QStringLiteral("The firmware file ") + dir.file(QStringLiteral("none.sim")) +
                                QStringLiteral(" is missing")));
    EXPECT_TRUE(refusal(dir.file(QStringLiteral("folder.sim")), SerialFirmwareFamily)
                    .endsWith(QStringLiteral("is not a file")));
}

} // namespace
} // namespace veldrin::updaters

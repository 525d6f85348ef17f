#include "image/ParameterBlock.h"

#include "image/ImageFiles.h"
#include "image/ImageLayout.h"

#include <gtest/gtest.h>

#include <functional>

namespace veldrin {
namespace {

using test::ConfigDir;
using test::Hex;
using test::ParGenFile;

ParameterBlock blockOf(const ConfigDir& dir)
{
    ParameterBlock block;
    ResetParameterBlock(block);
    ReadParameterBlock(dir.parGen(), block);
    return block;
}

QByteArray sectionOf(const ParameterBlock& block)
{
    QByteArray section;
    AppendParameterSection(section, block);
    return section;
}

std::uint32_t checksumOf(const QByteArray& section)
{
    const auto byte = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(section[i]));
    };
    const int at = ParameterSectionSize - 4;
    return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
}

// The block of the dialog's default file, byte by byte (block offsets; every other byte zero).
QByteArray defaultFileBlock()
{
    QByteArray block(ParameterBlockSize, '\0');
    const auto put = [&](int offset, const char* pairs) {
        block.replace(offset, Hex(pairs).size(), Hex(pairs));
    };
    put(0x00, "90 D0 03 00");
    put(0x0C, "00 C2 01 00");
    put(0x10, "08 00");
    put(0x20, "E8 03 00 00");
    put(0x24, "64 00 00 00");
    put(0x28, "C0 A8 00 05");
    put(0x2C, "FF FF FF 00");
    put(0x30, "FF FF FF FF");
    put(0x34, "10 27");
    put(0x36, "11 27");
    put(0x38, "11 27");
    put(0x3C, "00 C2 01 00");
    put(0x40, "08 00");
    put(0x4C, "00 40 06 00");
    put(0x61, "01");
    put(0x9C, "0A 00 00 00");
    put(0xA8, "10 27 00 00");
    put(0xAC, "01 00 00 00");
    put(0xB0, "02 00 00 00");
    put(0xB4, "03 00 00 00");
    return block;
}

TEST(ParameterBlock, TheDialogsDefaultFileGivesTheKnownBlockAndChecksum3555)
{
    ConfigDir dir;
    dir.writeParGen(ParGenFile());
    const QByteArray section = sectionOf(blockOf(dir));
    ASSERT_EQ(section.size(), ParameterSectionSize);
    EXPECT_EQ(section.left(ParameterBlockSize), defaultFileBlock());
    EXPECT_EQ(section.mid(ParameterBlockSize, ParameterFillerSize), QByteArray(ParameterFillerSize, '\0'));
    EXPECT_EQ(section.right(4), Hex("E3 0D 00 00"));
}

TEST(ParameterBlock, ARootWithoutChildrenReadsLikeTheDefaultFile)
{
    ConfigDir dir;
    dir.writeParGen(ParGenFile());
    const ParameterBlock fromDefaults = blockOf(dir);
    dir.writeParGen("<GeneralParameter/>");
    EXPECT_EQ(blockOf(dir), fromDefaults);
    EXPECT_EQ(checksumOf(sectionOf(blockOf(dir))), 3555u);
}

TEST(ParameterBlock, WithoutParGenTheDefaultsStayAndTheChecksumIs3052)
{
    ConfigDir dir;
    const ParameterBlock block = blockOf(dir);
    EXPECT_EQ(block, ParameterBlock{});
    EXPECT_EQ(block.IpAddress, (std::array<std::uint8_t, 4>{192, 168, 0, 10}));
    EXPECT_EQ(block.Port, 0);
    EXPECT_EQ(block.SerialBaud, 9600u);
    EXPECT_EQ(block.Rs232Flag, 0);
    EXPECT_EQ(sectionOf(block).right(4), Hex("EC 0B 00 00"));
}

TEST(ParameterBlock, ResetForgetsAnEarlierRead)
{
    ConfigDir dir;
    dir.writeParGen(ParGenFile({{"IP1", "10"}, {"PORT", "502"}}));
    ParameterBlock block = blockOf(dir);
    block.RequestCount = 7;
    ResetParameterBlock(block);
    EXPECT_EQ(block, ParameterBlock{});
}

QString dotted(const std::array<std::uint8_t, 4>& a)
{
    return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
}

struct BlockCase {
    const char* element;
    std::optional<const char*> text; // nothing: the element is missing
    const char* field;
    const char* expected;
};

void PrintTo(const BlockCase& c, std::ostream* os)
{
    *os << c.element << '=' << (c.text ? *c.text : "(missing)") << " -> " << c.field;
}

QString fieldText(const ParameterBlock& b, const QString& field)
{
    const std::map<QString, std::function<QString()>> fields = {{"IpAddress",
                                                                 [&] {
                                                                     return dotted(b.IpAddress);
                                                                 }},
                                                                {"SubnetMask",
                                                                 [&] {
                                                                     return dotted(b.SubnetMask);
                                                                 }},
                                                                {"Gateway",
                                                                 [&] {
                                                                     return dotted(b.Gateway);
                                                                 }},
                                                                {"Port",
                                                                 [&] {
                                                                     return QString::number(b.Port);
                                                                 }},
                                                                {"EthProtocol",
                                                                 [&] {
                                                                     return QString::number(b.EthProtocol);
                                                                 }},
                                                                {"Rs232Flag",
                                                                 [&] {
                                                                     return QString::number(b.Rs232Flag);
                                                                 }},
                                                                {"SerialBaud",
                                                                 [&] {
                                                                     return QString::number(b.SerialBaud);
                                                                 }},
                                                                {"SerialParity",
                                                                 [&] {
                                                                     return QString::number(b.SerialParity);
                                                                 }},
                                                                {"TimeOut",
                                                                 [&] {
                                                                     return QString::number(b.TimeOut);
                                                                 }},
                                                                {"CommIdle",
                                                                 [&] {
                                                                     return QString::number(b.CommIdle);
                                                                 }},
                                                                {"SerialAsciiFlag",
                                                                 [&] {
                                                                     return QString::number(
                                                                         b.SerialAsciiFlag);
                                                                 }},
                                                                {"SerialStopBits", [&] {
                                                                     return QString::number(b.SerialStopBits);
                                                                 }}};
    return fields.at(field)();
}

class ParameterBlockField : public testing::TestWithParam<BlockCase> {};

TEST_P(ParameterBlockField, IsTakenFromItsParGenElement)
{
    const BlockCase& c = GetParam();
    ConfigDir dir;
    const std::optional<QString> text =
        c.text ? std::optional<QString>(QString::fromUtf8(*c.text)) : std::nullopt;
    dir.writeParGen(ParGenFile({{QString::fromLatin1(c.element), text}}));
    EXPECT_EQ(fieldText(blockOf(dir), QString::fromLatin1(c.field)), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParameterBlockField,
    testing::Values(
        // Only the exact text "1" keeps the gateway that was typed.
        BlockCase{"EN_GAT", "1", "Gateway", "192.168.0.1"},
        BlockCase{"EN_GAT", "0", "Gateway", "255.255.255.255"},
        BlockCase{"EN_GAT", "01", "Gateway", "255.255.255.255"},
        BlockCase{"EN_GAT", "true", "Gateway", "255.255.255.255"},
        BlockCase{"EN_GAT", " 1", "Gateway", "255.255.255.255"},
        BlockCase{"EN_GAT", std::nullopt, "Gateway", "255.255.255.255"},
        // A missing last mask octet and a bad one differ.
        BlockCase{"SUB4", std::nullopt, "SubnetMask", "255.255.255.0"},
        BlockCase{"SUB4", "abc", "SubnetMask", "255.255.255.255"},
        BlockCase{"IP4", std::nullopt, "IpAddress", "192.168.0.5"},
        BlockCase{"IP4", "x", "IpAddress", "192.168.0.5"}, BlockCase{"IP1", "266", "IpAddress", "10.168.0.5"},
        // The rate from the list index; anything outside the list is 9600.
        BlockCase{"Baud_Rate", std::nullopt, "SerialBaud", "115200"},
        BlockCase{"Baud_Rate", "0", "SerialBaud", "1200"}, BlockCase{"Baud_Rate", "3", "SerialBaud", "9600"},
        BlockCase{"Baud_Rate", "6", "SerialBaud", "57600"}, BlockCase{"Baud_Rate", "8", "SerialBaud", "9600"},
        BlockCase{"Baud_Rate", "-1", "SerialBaud", "9600"},
        BlockCase{"Baud_Rate", "fast", "SerialBaud", "115200"}, BlockCase{"Sel_Ser", "0", "Rs232Flag", "1"},
        BlockCase{"Sel_Ser", "1", "Rs232Flag", "0"}, BlockCase{"Sel_Ser", "x", "Rs232Flag", "1"},
        BlockCase{"Ser_StopBits", "1", "SerialStopBits", "2"},
        BlockCase{"Ser_StopBits", "0", "SerialStopBits", "0"},
        BlockCase{"Ser_StopBits", "3", "SerialStopBits", "3"},
        // The whole value decides, unlike in bank.bin.
        BlockCase{"Ser_Prot", "4", "SerialAsciiFlag", "1"},
        BlockCase{"Ser_Prot", "1", "SerialAsciiFlag", "1"},
        BlockCase{"Ser_Prot", "260", "SerialAsciiFlag", "0"},
        BlockCase{"Ser_Prot", "2", "SerialAsciiFlag", "0"},
        // 32-bit fields keep the whole value; 16-bit ones wrap.
        BlockCase{"Time_Out", "100000", "TimeOut", "100000"},
        BlockCase{"Time_Out", "-1", "TimeOut", "4294967295"},
        BlockCase{"Time_Out", std::nullopt, "TimeOut", "1000"},
        BlockCase{"Comm_Idle", "abc", "CommIdle", "100"}, BlockCase{"Comm_Idle", "0x10", "CommIdle", "16"},
        BlockCase{"PORT", "70000", "Port", "4464"}, BlockCase{"PORT", std::nullopt, "Port", "10001"},
        BlockCase{"PROT_TYPE", "1", "EthProtocol", "1"},
        BlockCase{"PROT_TYPE", "-2", "EthProtocol", "4294967294"},
        BlockCase{"Parity", "2", "SerialParity", "2"}));

TEST(ParameterBlock, CopiedFieldsAreWrittenTwice)
{
    ConfigDir dir;
    dir.writeParGen(
        ParGenFile({{"PORT", "70000"}, {"Baud_Rate", "4"}, {"Parity", "1"}, {"Ser_StopBits", "1"}}));
    const QByteArray section = sectionOf(blockOf(dir));
    EXPECT_EQ(section.mid(0x0C, 4), Hex("00 4B 00 00")); // 19200
    EXPECT_EQ(section.mid(0x3C, 4), Hex("00 4B 00 00"));
    EXPECT_EQ(section.mid(0x12, 2), Hex("01 00"));
    EXPECT_EQ(section.mid(0x42, 2), Hex("01 00"));
    EXPECT_EQ(section.mid(0x14, 4), Hex("02 00 00 00"));
    EXPECT_EQ(section.mid(0x44, 4), Hex("02 00 00 00"));
    EXPECT_EQ(section.mid(0x36, 4), Hex("70 11 70 11"));
}

TEST(ParameterBlock, TheChecksumIsTheSumOfTheBlocksBytes)
{
    ParameterBlock block;
    const std::uint32_t base = checksumOf(sectionOf(block));
    block.IpAddress[3] = static_cast<std::uint8_t>(block.IpAddress[3] + 5);
    EXPECT_EQ(checksumOf(sectionOf(block)), base + 5);
    block.FirstWriteRequest = 0x01010101;
    EXPECT_EQ(checksumOf(sectionOf(block)), base + 5 + 4);
    // Every byte at 255 cannot overflow, but the sum is taken modulo 2^32 all the same.
    const QByteArray full(ParameterSectionSize - 4, '\xFF');
    EXPECT_EQ(ParameterChecksum(full.constData(), full.size()), 2044u * 255u);
}

TEST(ParameterBlock, DecodingGivesBackEveryField)
{
    ParameterBlock block;
    block.SerialBaud = 57600;
    block.SerialParity = 2;
    block.SerialStopBits = 2;
    block.TimeOut = 100000000;
    block.CommIdle = 77;
    block.IpAddress = {10, 0, 0, 1};
    block.SubnetMask = {255, 0, 0, 0};
    block.Gateway = {10, 0, 0, 254};
    block.Port = 502;
    block.RequestCount = 1024;
    block.Rs232Flag = 1;
    block.EthProtocol = 1;
    block.SerialAsciiFlag = 1;
    block.FirstWriteRequest = 513;
    EXPECT_EQ(DecodeParameterBlock(EncodeParameterBlock(block).constData()), block);
}

} // namespace
} // namespace veldrin

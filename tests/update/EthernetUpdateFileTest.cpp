#include "update/EthernetUpdateFile.h"

#include "common/VeldrinError.h"
#include "common/XmlDoc.h"
#include "session/Identity.h"
#include "support/TempProgramDir.h"

#include <QDir>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

const QString Master = QStringLiteral("/opt/Veldrin App/MASTER");
const QString Config = QStringLiteral("/opt/Veldrin App/PROJECTS/Line 1");

QByteArray operation(const QString& file, const char* start, const char* bank, const char* readBack,
                     const char* writeCss, const char* addressCss, const char* goToApp)
{
    return QByteArray(
               "<Operation><Ope_Protection_Enabled/><Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>"
               "<Ope_GoToApp_Before>0</Ope_GoToApp_Before><Ope_IP_Address/><Ope_Port>2008</Ope_Port>"
               "<Ope_Port_Sec>2007</Ope_Port_Sec><Ope_Erase_Memory>0</Ope_Erase_Memory><Ope_FileName>") +
           QDir::toNativeSeparators(file).toUtf8() + "</Ope_FileName><Ope_Start_Address>" + start +
           "</Ope_Start_Address><Ope_Memory_Type>0</Ope_Memory_Type><Ope_Bank_Type>" + bank +
           "</Ope_Bank_Type><Ope_Read_Back>" + readBack + "</Ope_Read_Back><Ope_Write_CSS>" + writeCss +
           "</Ope_Write_CSS><Ope_Address_CSS>" + addressCss +
           "</Ope_Address_CSS><Ope_Command_CSS>0x0B</Ope_Command_CSS><Ope_GoToApp_After>" + goToApp +
           "</Ope_GoToApp_After></Operation>";
}

TEST(EthernetUpdateFile, WithEveryOptionHoldsBothOperationsInTheirOrder)
{
    const QByteArray expected =
        "<Ethernet_Update><Version>1000</Version><Title>" + identity::MakerDomain().toUtf8() +
        " - PK30418 Ethernet Update</Title><IP_Address_Dev>192.168.2.205</IP_Address_Dev>"
        "<Application_Port>10000</Application_Port><Boot_Port>2008</Boot_Port><Boot_Port_Sec>2007</"
        "Boot_Port_Sec>"
        "<Address_Protection>0x78000</Address_Protection><Protections><Protection>0xDE</Protection></"
        "Protections>"
        "<Operations>" +
        operation(Master + QStringLiteral("/Sim30418K.sim"), "0x8000", "1", "1", "1", "0x78100", "0") +
        operation(Config + QStringLiteral("/bin/bank2.bin"), "0x60000", "2", "1", "0", "0x50100", "1") +
        "</Operations></Ethernet_Update>";
    EXPECT_EQ(EthernetUpdateBytes(QStringLiteral("192.168.2.205"), {true, true, true, true}, Master, Config),
              expected);
}

// Every combination of the four options, as a number: bit 0 firmware, 1 read it back,
// 2 configuration, 3 read it back.
class EthernetUpdateOptions : public ::testing::TestWithParam<int> {};

TEST_P(EthernetUpdateOptions, EachOptionShowsWhereItBelongs)
{
    const int bits = GetParam();
    const UpdateOptions options{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    const XmlDoc doc = XmlDoc::Parse(EthernetUpdateBytes(QStringLiteral("10.0.0.7"), options, Master, Config),
                                     QStringLiteral("Ethernet_Update.xml"));
    const XmlNode root = doc.root();
    ASSERT_EQ(root.name(), QStringLiteral("Ethernet_Update"));
    EXPECT_EQ(root.child(QStringLiteral("IP_Address_Dev")).text(), QStringLiteral("10.0.0.7"));

    std::vector<XmlNode> operations = root.child(QStringLiteral("Operations")).children();
    ASSERT_EQ(operations.size(), std::size_t(options.firmware) + std::size_t(options.config));
    auto value = [](const XmlNode& operation, const char* name) {
        return operation.child(QString::fromLatin1(name)).text();
    };
    std::size_t next = 0;
    if (options.firmware) {
        const XmlNode& firmware = operations[next++];
        EXPECT_EQ(value(firmware, "Ope_FileName"),
                  QDir::toNativeSeparators(Master + QStringLiteral("/Sim30418K.sim")));
        EXPECT_EQ(value(firmware, "Ope_Read_Back"),
                  options.readFirmware ? QStringLiteral("1") : QStringLiteral("0"));
        // Straight to the application only when no configuration is written after it.
        EXPECT_EQ(value(firmware, "Ope_GoToApp_After"),
                  options.config ? QStringLiteral("0") : QStringLiteral("1"));
    }
    if (options.config) {
        const XmlNode& config = operations[next++];
        EXPECT_EQ(value(config, "Ope_FileName"),
                  QDir::toNativeSeparators(Config + QStringLiteral("/bin/bank2.bin")));
        EXPECT_EQ(value(config, "Ope_Read_Back"),
                  options.readConfig ? QStringLiteral("1") : QStringLiteral("0"));
        EXPECT_EQ(value(config, "Ope_GoToApp_After"), QStringLiteral("1"));
    }
    for (const XmlNode& operation : operations)
        EXPECT_EQ(operation.children().size(), 16u);
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, EthernetUpdateOptions, ::testing::Range(0, 16));

TEST(EthernetUpdateFile, PathsKeepCharactersBeyondAscii)
{
    const QString master = QStringLiteral(u"/home/zoë/Veldrin & Co/MASTER");
    const QByteArray bytes =
        EthernetUpdateBytes(QStringLiteral("10.0.0.7"), {true, false, false, false}, master, Config);
    const XmlDoc doc = XmlDoc::Parse(bytes, QStringLiteral("Ethernet_Update.xml"));
    EXPECT_EQ(doc.root()
                  .child(QStringLiteral("Operations"))
                  .child(QStringLiteral("Operation"))
                  .child(QStringLiteral("Ope_FileName"))
                  .text(),
              QDir::toNativeSeparators(master + QStringLiteral("/Sim30418K.sim")));
    EXPECT_TRUE(bytes.contains("&amp;"));
}

TEST(EthernetUpdateFile, AFileThatCannotBeWrittenIsNamedWithTheReason)
{
    test::TempProgramDir dir;
    dir.mkdir(QStringLiteral("Ethernet_Update.xml"));
    try {
        WriteEthernetUpdateFile(dir.path(), QStringLiteral("10.0.0.7"), {}, Master, Config);
        FAIL() << "no error";
    } catch (const VeldrinError& error) {
        EXPECT_TRUE(error.message().startsWith(
            QStringLiteral("Cannot write ") +
            QDir::toNativeSeparators(dir.file(QStringLiteral("Ethernet_Update.xml")))))
            << error.message().toStdString();
    }
}

} // namespace
} // namespace veldrin

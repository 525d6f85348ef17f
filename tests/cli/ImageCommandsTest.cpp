#include "cli/CliRun.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldrin::cli {
namespace {

using test::CliRun;

CliRun run(const QStringList& args)
{
    return test::RunCliCapturing(args, QStringLiteral("/nonexistent"));
}

const QString Demo = test::SamplesDir() + QStringLiteral("/Demo");

TEST(CompileCommand, WritesBothImagesIntoTheOutFolder)
{
    test::TempProgramDir dir;
    const QString out = dir.file(QStringLiteral("images/new"));
    const CliRun result = run({QStringLiteral("compile"), Demo, QStringLiteral("--out"), out});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              QStringLiteral("Wrote %1/bank.bin (26 bytes) and %1/bank2.bin (34816 bytes): 7 requests "
                             "(4 read, 3 write)\n")
                  .arg(out));
    EXPECT_EQ(dir.read(QStringLiteral("images/new/bank.bin")).size(), 26);
    EXPECT_EQ(dir.read(QStringLiteral("images/new/bank2.bin")).size(), 34816);
}

TEST(CompileCommand, WritesIntoTheConfigurationsBinFolderByDefault)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Cfg/ModbusM_SetAccess.xml"),
              "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus>");
    const CliRun result = run({QStringLiteral("compile"), dir.file(QStringLiteral("Cfg"))});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("0 requests (0 read, 0 write)\n")))
        << result.out.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("Cfg/bin/bank.bin")), QByteArray::fromHex("04000000"));
}

TEST(CompileCommand, ACompileErrorWritesNothingAndExitsWithOne)
{
    test::TempProgramDir dir;
    dir.write(QStringLiteral("Cfg/ModbusM_SetAccess.xml"),
              "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\" "
              "NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\"/></Modbus_Read><Modbus_Write/>"
              "</EtherNetIP_to_Modbus>");
    const CliRun result = run({QStringLiteral("compile"), dir.file(QStringLiteral("Cfg"))});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err,
              QStringLiteral("veldrin-cli compile: ModbusM_SetAccess.xml, Modbus_Read row 1: attribute "
                             "Bit is missing\n"));
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_FALSE(QDir(dir.file(QStringLiteral("Cfg/bin"))).exists());
}

TEST(CompileCommand, UsageErrorsExitWithTwo)
{
    test::TempProgramDir dir;
    for (const QStringList& args :
         {QStringList{QStringLiteral("compile"), dir.file(QStringLiteral("none"))}}) {
        const CliRun result = run(args);
        EXPECT_EQ(result.code, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}

// The sample compiled into a fresh folder; the tests read back what compile wrote.
class ImageReportCommand : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(run({QStringLiteral("compile"), Demo, QStringLiteral("--out"), dir.path()}).code, 0);
    }

    QString bank() const { return dir.file(QStringLiteral("bank.bin")); }
    QString bank2() const { return dir.file(QStringLiteral("bank2.bin")); }

    test::TempProgramDir dir;
};

TEST_F(ImageReportCommand, ShowsEveryFieldOfTheGeneralImage)
{
    const CliRun result = run({QStringLiteral("inspect"), bank()});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("File: %1\n"
                                         "Kind: general image (bank.bin), 26 bytes\n"
                                         "Header: 4\n"
                                         "IP1-IP4 (IP address): 192.168.0.5\n"
                                         "SUB1-SUB4 (subnet mask): 255.255.255.0\n"
                                         "GAT1-GAT4 (gateway): 192.168.0.1\n"
                                         "EN_GAT (gateway used): 1\n"
                                         "PORT: 10001\n"
                                         "PROT_TYPE (Ethernet protocol): 0 (TCP)\n"
                                         "Baud_Rate (baud rate index): 4 (19200)\n"
                                         "Parity: 2 (EVEN)\n"
                                         "Time_Out (ms): 500\n"
                                         "Sel_Ser (serial line): 1 (RS485)\n"
                                         "Ser_Prot (serial protocol): 0 (Modbus RTU)\n")
                              .arg(bank()));

    dir.write(QStringLiteral("short.bin"), QByteArray::fromHex("04000000"));
    const CliRun header = run({QStringLiteral("inspect"), dir.file(QStringLiteral("short.bin"))});
    EXPECT_EQ(header.code, 0);
    EXPECT_TRUE(header.out.endsWith(
        QStringLiteral("No communication settings: the configuration had no ParGen.xml\n")))
        << header.out.toStdString();
}

TEST_F(ImageReportCommand, ShowsTheRequestsTheBlockAndAGoodChecksum)
{
    const CliRun result = run({QStringLiteral("inspect"), bank2()});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n');
    EXPECT_EQ(lines[2], QStringLiteral("Requests: 7, first write request: 5"));
    EXPECT_EQ(lines[4], QStringLiteral("   0  read       1     3        0      10         0    0        1000"
                                       "           3     20          0"));
    EXPECT_EQ(lines[9], QStringLiteral("   5  write      1     5       50       1         4    0           0"
                                       "           0      1          1"));
    EXPECT_TRUE(lines.contains(QStringLiteral("  SerialBaud: 19200")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Gateway: 192.168.0.1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  Rs232Flag: 0")));
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Checksum: stored 2631, computed 2631: checksum OK\n")))
        << result.out.toStdString();
}

TEST_F(ImageReportCommand, JsonCarriesTheSameFields)
{
    const CliRun result = run({QStringLiteral("inspect"), QStringLiteral("--json"), bank2()});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(report[QStringLiteral("kind")].toString(), QStringLiteral("bank2.bin"));
    const QJsonArray records = report[QStringLiteral("records")].toArray();
    ASSERT_EQ(records.size(), 7);
    const QJsonObject coil = records[5].toObject();
    EXPECT_EQ(coil[QStringLiteral("direction")].toString(), QStringLiteral("write"));
    EXPECT_EQ(coil[QStringLiteral("functionCode")].toInt(), 5);
    EXPECT_EQ(coil[QStringLiteral("onChange")].toInt(), 1);
    EXPECT_EQ(
        report[QStringLiteral("parameterBlock")].toObject()[QStringLiteral("FirstWriteRequest")].toInt(), 5);
    EXPECT_TRUE(report[QStringLiteral("checksum")].toObject()[QStringLiteral("ok")].toBool());

    const QJsonObject general =
        QJsonDocument::fromJson(
            run({QStringLiteral("inspect"), bank(), QStringLiteral("--json")}).out.toUtf8())
            .object();
    EXPECT_EQ(general[QStringLiteral("fields")].toObject()[QStringLiteral("IP")].toString(),
              QStringLiteral("192.168.0.5"));
}

TEST_F(ImageReportCommand, AChangedByteOrAWrongSizeExitsWithOne)
{
    QByteArray image = dir.read(QStringLiteral("bank2.bin"));
    image[0x8000 + 40] = 10; // the first octet of the IP address
    dir.write(QStringLiteral("bank2.bin"), image);
    const CliRun changed = run({QStringLiteral("inspect"), bank2()});
    EXPECT_EQ(changed.code, 1);
    EXPECT_TRUE(changed.out.contains(QStringLiteral("  IpAddress: 10.168.0.5\n")));
    EXPECT_TRUE(
        changed.out.endsWith(QStringLiteral("Checksum: stored 2631, computed 2449: checksum MISMATCH\n")))
        << changed.out.toStdString();

    image[14] = 1; // a reserved byte of slot 0, outside every field
    dir.write(QStringLiteral("bank2.bin"), image);
    EXPECT_TRUE(
        run({QStringLiteral("inspect"), bank2()})
            .out.contains(QStringLiteral("Layout: 1 byte outside the fields differs from what the compiler "
                                         "writes, at 0x000E\n")));

    dir.write(QStringLiteral("odd.bin"), QByteArray(100, '\0'));
    const CliRun odd = run({QStringLiteral("inspect"), dir.file(QStringLiteral("odd.bin"))});
    EXPECT_EQ(odd.code, 1);
    EXPECT_EQ(odd.err,
              QStringLiteral("veldrin-cli inspect: %1 has 100 bytes: neither a bank.bin (4 or 26 bytes) "
                             "nor a bank2.bin (34816 bytes)\n")
                  .arg(dir.file(QStringLiteral("odd.bin"))));

    dir.write(QStringLiteral("header.bin"), QByteArray::fromHex("05000000"));
    const CliRun header = run({QStringLiteral("inspect"), dir.file(QStringLiteral("header.bin"))});
    EXPECT_EQ(header.code, 1);
    EXPECT_TRUE(header.out.contains(QStringLiteral("Header: 5 (expected 4)\n")));
}

TEST_F(ImageReportCommand, UsageErrorsExitWithTwo)
{
    for (const QStringList& args :
         {QStringList{QStringLiteral("inspect"), dir.file(QStringLiteral("none.bin"))},
          QStringList{QStringLiteral("inspect"), dir.path()}}) {
        const CliRun result = run(args);
        EXPECT_EQ(result.code, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}

} // namespace
} // namespace veldrin::cli

#include "CliRun.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

test::CliRun map(const QStringList& args)
{
    return test::RunCliCapturing(QStringList{QStringLiteral("map")} + args, QString());
}

// A configuration of read rows and write rows as the dialog writes them, at 9600 8N1.
QString configuration(const test::TempProgramDir& dir, const QByteArray& reads, const QByteArray& writes)
{
    dir.write(QStringLiteral("Plant/ParGen.xml"),
              "<GeneralParameter><Device_Type>1</Device_Type><Baud_Rate>3</Baud_Rate><Parity>0</Parity>"
              "<Ser_Prot>0</Ser_Prot><Ser_StopBits>0</Ser_StopBits></GeneralParameter>");
    dir.write(QStringLiteral("Plant/ModbusM_SetAccess.xml"), "<EtherNetIP_to_Modbus><Modbus_Read>" + reads +
                                                                 "</Modbus_Read><Modbus_Write>" + writes +
                                                                 "</Modbus_Write></EtherNetIP_to_Modbus>");
    return dir.file(QStringLiteral("Plant"));
}

QByteArray readRow(const char* points, const char* position, const char* poll = "1000")
{
    return QByteArray("<row Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" NPoint=\"") + points +
           "\" PollTime=\"" + poll + "\" MaxError=\"3\" Position=\"" + position +
           "\" Bit=\"\" Mnemonic=\"\"/>";
}

TEST(MapCommand, ExitsWithOneWhenReadRowsOverlapOrTheLineIsOverloaded)
{
    test::TempProgramDir dir;
    const struct {
        const char* what;
        QByteArray reads;
        int code;
    } cases[] = {
        {"apart", readRow("10", "0") + readRow("10", "20"), 0},
        {"overlapping", readRow("10", "0") + readRow("10", "19"), 1},
        {"polled faster than the line allows", readRow("10", "0", "10"), 1},
    };
    for (const auto& c : cases) {
        const test::CliRun result = map({configuration(dir, c.reads, {})});
        EXPECT_EQ(result.code, c.code) << c.what << "\n"
                                       << result.out.toStdString() << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QStringLiteral("not a measurement"))) << c.what;
    }
    EXPECT_EQ(map({test::SamplesDir() + QStringLiteral("/Demo")}).code, 0);
    dir.write(QStringLiteral("Broken/ModbusM_SetAccess.xml"), "<EtherNetIP_to_Modbus>");
    const test::CliRun broken = map({dir.file(QStringLiteral("Broken"))});
    EXPECT_EQ(broken.code, 2);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("ModbusM_SetAccess.xml"))) << broken.err.toStdString();
    EXPECT_EQ(map({dir.file(QStringLiteral("none"))}).code, 2);
    EXPECT_EQ(
        map({dir.file(QStringLiteral("Plant")), QStringLiteral("--turnaround"), QStringLiteral("-1")}).code,
        2);
}

TEST(MapCommand, JsonNamesTheRowsTheOverlapsAndTheLoad)
{
    test::TempProgramDir dir;
    const QString plant = configuration(dir, readRow("10", "0") + readRow("10", "19"), {});
    const test::CliRun result =
        map({plant, QStringLiteral("--json"), QStringLiteral("--turnaround"), QStringLiteral("5")});
    EXPECT_EQ(result.code, 1);
    QJsonParseError error{};
    const QJsonObject report = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    const QJsonObject input = report[QStringLiteral("areas")].toArray()[0].toObject();
    EXPECT_EQ(input[QStringLiteral("area")].toString(), QStringLiteral("input"));
    EXPECT_EQ(input[QStringLiteral("sizeBytes")].toInt(), 1000);
    const QJsonObject overlap = input[QStringLiteral("overlaps")].toArray()[0].toObject();
    EXPECT_EQ(overlap[QStringLiteral("rows")].toArray(), (QJsonArray{1, 2}));
    EXPECT_EQ(overlap[QStringLiteral("firstByte")].toInt(), 19);
    EXPECT_EQ(overlap[QStringLiteral("lastByte")].toInt(), 19);
    const QJsonObject load = report[QStringLiteral("busLoad")].toObject();
    EXPECT_EQ(load[QStringLiteral("line")].toString(), QStringLiteral("9600 8N1"));
    EXPECT_EQ(load[QStringLiteral("turnaroundMs")].toDouble(), 5);
    // Two reads of ten registers: 41.67 ms each at 9600 8N1, 46.67 with the turnaround.
    const QJsonObject reads = load[QStringLiteral("tables")].toArray()[0].toObject();
    EXPECT_NEAR(reads[QStringLiteral("rows")].toArray()[0].toObject()[QStringLiteral("ms")].toDouble(), 46.67,
                0.01);
    EXPECT_NEAR(reads[QStringLiteral("percent")].toDouble(), 9.33, 0.01);
    EXPECT_NEAR(load[QStringLiteral("cycleMs")].toDouble(), 93.33, 0.01);
}

} // namespace
} // namespace veldrin

#include "CliRun.h"
#include "support/ModbusSlaveProcess.h"
#include "support/PtyBridge.h"
#include "support/TempProgramDir.h"
#include "support/TestData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

// The shipped sample with its protocol set to RTU (0) or ASCII (1).
QString sample(const test::TempProgramDir& dir, bool ascii)
{
    QFile parGen(test::SamplesDir() + QStringLiteral("/Demo/ParGen.xml"));
    QFile access(test::SamplesDir() + QStringLiteral("/Demo/ModbusM_SetAccess.xml"));
    EXPECT_TRUE(parGen.open(QIODevice::ReadOnly) && access.open(QIODevice::ReadOnly));
    dir.write(QStringLiteral("Demo/ParGen.xml"),
              parGen.readAll().replace("<Ser_Prot>0</Ser_Prot>",
                                       ascii ? "<Ser_Prot>1</Ser_Prot>" : "<Ser_Prot>0</Ser_Prot>"));
    dir.write(QStringLiteral("Demo/ModbusM_SetAccess.xml"), access.readAll());
    return dir.file(QStringLiteral("Demo"));
}

QJsonObject json(const test::CliRun& run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

std::vector<int> ints(const QJsonValue& value)
{
    std::vector<int> numbers;
    for (const QJsonValue& item : value.toArray())
        numbers.push_back(item.toInt());
    return numbers;
}

class PollCommandTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bridge.ok()) << "no pseudo-terminal";
        m_slave =
            std::make_unique<test::ModbusSlaveProcess>(m_bridge.slavePort(), GetParam() ? "ascii" : "rtu");
        ASSERT_EQ(m_slave->error(), QString());
    }

    test::CliRun cli(QStringList args) const
    {
        args << QStringLiteral("--port") << m_bridge.masterPort();
        return test::RunCliCapturing(args, m_dir.path());
    }

    test::TempProgramDir m_dir;
    test::PtyBridge m_bridge;
    std::unique_ptr<test::ModbusSlaveProcess> m_slave;
};

TEST_P(PollCommandTest, PollsTheSamplesRowsAndListsItsWrites)
{
    const QString traffic = m_dir.file(QStringLiteral("traffic.txt"));
    const test::CliRun run =
        cli({QStringLiteral("poll"), sample(m_dir, GetParam()), QStringLiteral("--timeout"),
             QStringLiteral("200"), QStringLiteral("--json"), QStringLiteral("--traffic"), traffic});
    // Not every row answered: slave 3 is missing.
    EXPECT_EQ(run.code, 1) << run.err.toStdString();
    const QJsonObject report = json(run);
    EXPECT_EQ(report[QStringLiteral("line")].toString(),
              QString::fromLatin1(GetParam() ? "19200 7E1" : "19200 8E1"));
    EXPECT_EQ(report[QStringLiteral("framing")].toString(),
              QString::fromLatin1(GetParam() ? "ascii" : "rtu"));
    EXPECT_EQ(report[QStringLiteral("end")].toString(), QStringLiteral("done"));
    const QJsonArray rows = report[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 7);

    const QJsonObject tank = rows[0].toObject();
    EXPECT_EQ(tank[QStringLiteral("status")].toString(), QStringLiteral("ok"));
    EXPECT_EQ(ints(tank[QStringLiteral("values")]),
              (std::vector<int>{1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009}));
    EXPECT_EQ(tank[QStringLiteral("inputArea")].toObject()[QStringLiteral("lastByte")].toInt(), 19);
    const QJsonObject pumps = rows[1].toObject();
    EXPECT_EQ(pumps[QStringLiteral("status")].toString(), QStringLiteral("exception"));
    EXPECT_EQ(pumps[QStringLiteral("exceptionCode")].toInt(), 2);
    EXPECT_EQ(pumps[QStringLiteral("exceptionName")].toString(), QStringLiteral("Illegal Data Address"));
    const QJsonObject flow = rows[2].toObject();
    EXPECT_EQ(ints(flow[QStringLiteral("values")]), (std::vector<int>{2500, 2501, 2502, 2503}));
    EXPECT_EQ(flow[QStringLiteral("inputArea")].toObject()[QStringLiteral("firstByte")].toInt(), 22);
    const QJsonObject doors = rows[3].toObject();
    EXPECT_EQ(doors[QStringLiteral("status")].toString(), QStringLiteral("timeout"));
    EXPECT_EQ(doors[QStringLiteral("inputArea")].toObject()[QStringLiteral("firstBit")].toInt(), 8 * 30 + 3);
    for (int i = 4; i < 7; ++i) {
        const QJsonObject write = rows[i].toObject();
        EXPECT_EQ(write[QStringLiteral("table")].toString(), QStringLiteral("write"));
        EXPECT_EQ(write[QStringLiteral("status")].toString(), QStringLiteral("notSent"));
        EXPECT_EQ(write[QStringLiteral("sent")].toInt(), 0);
        EXPECT_FALSE(write[QStringLiteral("frame")].toString().isEmpty());
    }
    const QJsonObject summary = report[QStringLiteral("summary")].toObject();
    EXPECT_EQ(ints(summary[QStringLiteral("answered")]), (std::vector<int>{1, 2}));
    EXPECT_EQ(ints(summary[QStringLiteral("silent")]), (std::vector<int>{3}));
    EXPECT_GT(summary[QStringLiteral("estimateMs")].toDouble(), 0);

    // Four reads went out, nothing else.
    QFile file(traffic);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.contains(" TX "); }), 4);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.contains(" RX "); }), 3);
    EXPECT_EQ(m_bridge.sent().size(), GetParam() ? 4 * 17 : 4 * 8);
}

TEST_P(PollCommandTest, ChosenRowsThatAllAnswerExitWithZero)
{
    const test::CliRun run = cli({QStringLiteral("poll"), sample(m_dir, GetParam()), QStringLiteral("--rows"),
                                  QStringLiteral("1,3"), QStringLiteral("--rounds"), QStringLiteral("2")});
    EXPECT_EQ(run.code, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Row 1: slave 1 FC03 address 0, 10 points: OK")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("values 1000 (0x03E8), 1001 (0x03E9)")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Row 3: slave 2 FC04"))) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("Row 2:")));
    EXPECT_TRUE(
        run.out.contains(QStringLiteral("Write row 1: slave 1 FC16 address 200, 2 points: Not sent (write)")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("2 rounds")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Slaves that never answered: none")));
}

TEST_P(PollCommandTest, ScanFindsTheSlavesAnExceptionIncluded)
{
    const QString framing = GetParam() ? QStringLiteral("ascii") : QStringLiteral("rtu");
    const test::CliRun run = cli({QStringLiteral("scan"), QStringLiteral("--ids"), QStringLiteral("1-4"),
                                  QStringLiteral("--timeout"), QStringLiteral("50"),
                                  QStringLiteral("--framing"), framing, QStringLiteral("--json")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QJsonArray present = json(run)[QStringLiteral("present")].toArray();
    ASSERT_EQ(present.size(), 2);
    EXPECT_EQ(present[0].toObject()[QStringLiteral("slave")].toInt(), 1);
    EXPECT_EQ(present[1].toObject()[QStringLiteral("slave")].toInt(), 2);

    // A probe the slaves refuse still shows they are there.
    const test::CliRun refused =
        cli({QStringLiteral("scan"), sample(m_dir, GetParam()), QStringLiteral("--ids"),
             QStringLiteral("2,3"), QStringLiteral("--timeout"), QStringLiteral("50"),
             QStringLiteral("--probe"), QStringLiteral("4:150:1")});
    EXPECT_EQ(refused.code, 0) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.contains(QStringLiteral("Slave 2: Exception 2 (Illegal Data Address)")))
        << refused.out.toStdString();
    EXPECT_TRUE(refused.out.contains(QStringLiteral("Slaves present: 2\n")));

    const test::CliRun none =
        cli({QStringLiteral("scan"), QStringLiteral("--ids"), QStringLiteral("5-6"),
             QStringLiteral("--timeout"), QStringLiteral("20"), QStringLiteral("--framing"), framing});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.out.contains(QStringLiteral("Slaves present: none")));
}

INSTANTIATE_TEST_SUITE_P(Framings, PollCommandTest, testing::Values(false, true), [](const auto& param) {
    return param.param ? std::string("Ascii") : std::string("Rtu");
});

TEST(PollCommand, BadInputGivesOneMessageAndSendsNothing)
{
    test::TempProgramDir dir;
    test::PtyBridge bridge;
    const QString demo = sample(dir, false);
    dir.write(
        QStringLiteral("Bad/ModbusM_SetAccess.xml"),
        "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"300\" Type=\"Holding Register\" Address=\"0\" "
        "NPoint=\"1\" PollTime=\"100\" MaxError=\"3\" Position=\"0\" Bit=\"\" Mnemonic=\"\"/></Modbus_Read>"
        "<Modbus_Write/></EtherNetIP_to_Modbus>");
    const QString port = bridge.masterPort();
    const struct {
        const char* what;
        QStringList args;
        int code;
        const char* err;
    } cases[] = {
        {"no port", {QStringLiteral("poll"), demo}, 2, "--port is required"},
        {"missing port",
         {QStringLiteral("poll"), demo, QStringLiteral("--port"), QStringLiteral("/dev/serial/by-id/gone")},
         2,
         "The serial port /dev/serial/by-id/gone does not exist."},
        {"failing checks",
         {QStringLiteral("poll"), dir.file(QStringLiteral("Bad")), QStringLiteral("--port"), port},
         1,
         "Error row 1"},
        {"row not used",
         {QStringLiteral("poll"), demo, QStringLiteral("--port"), port, QStringLiteral("--rows"),
          QStringLiteral("5")},
         2,
         "row 5 is not one of them"},
        {"rows not a list",
         {QStringLiteral("poll"), demo, QStringLiteral("--port"), port, QStringLiteral("--rows"),
          QStringLiteral("2-")},
         2,
         "--rows takes"},
        {"zero rounds",
         {QStringLiteral("poll"), demo, QStringLiteral("--port"), port, QStringLiteral("--rounds"),
          QStringLiteral("0")},
         2,
         "--rounds takes"},
        {"zero time-out",
         {QStringLiteral("poll"), demo, QStringLiteral("--port"), port, QStringLiteral("--timeout"),
          QStringLiteral("0")},
         2,
         "--timeout takes"},
        {"not a folder",
         {QStringLiteral("poll"), dir.file(QStringLiteral("none")), QStringLiteral("--port"), port},
         2,
         "is not a folder"},
        {"scan ids",
         {QStringLiteral("scan"), QStringLiteral("--port"), port, QStringLiteral("--ids"),
          QStringLiteral("0-3")},
         2,
         "--ids takes"},
        {"scan parity",
         {QStringLiteral("scan"), QStringLiteral("--port"), port, QStringLiteral("--parity"),
          QStringLiteral("mark")},
         2,
         "--parity takes"},
        {"scan baud",
         {QStringLiteral("scan"), QStringLiteral("--port"), port, QStringLiteral("--baud"),
          QStringLiteral("300")},
         2,
         "--baud takes"},
        {"scan probe",
         {QStringLiteral("scan"), QStringLiteral("--port"), port, QStringLiteral("--probe"),
          QStringLiteral("6:0:1")},
         2,
         "--probe takes"},
        {"scan extra",
         {QStringLiteral("scan"), demo, demo, QStringLiteral("--port"), port},
         2,
         "Unexpected argument"},
    };
    for (const auto& c : cases) {
        const test::CliRun run = test::RunCliCapturing(c.args, dir.path());
        EXPECT_EQ(run.code, c.code) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.err))) << c.what << ": " << run.err.toStdString();
    }
    EXPECT_TRUE(bridge.sent().isEmpty());
}

TEST(PollCommand, HelpNamesTheOptions)
{
    const test::CliRun poll =
        test::RunCliCapturing({QStringLiteral("poll"), QStringLiteral("--help")}, QString());
    EXPECT_EQ(poll.code, 0);
    for (const char* option : {"--port", "--rounds", "--rows", "--timeout", "--traffic", "--json"})
        EXPECT_TRUE(poll.out.contains(QString::fromLatin1(option))) << option;
    const test::CliRun scan =
        test::RunCliCapturing({QStringLiteral("scan"), QStringLiteral("--help")}, QString());
    EXPECT_EQ(scan.code, 0);
    EXPECT_TRUE(scan.out.startsWith(QStringLiteral("Usage: veldrin-cli scan [options] [CONFIG_DIR]")))
        << scan.out.toStdString();
    for (const char* option : {"--ids", "--baud", "--parity", "--stop-bits", "--framing", "--probe"})
        EXPECT_TRUE(scan.out.contains(QString::fromLatin1(option))) << option;
}

} // namespace
} // namespace veldrin

#include "poll/PollEngine.h"

#include "poll/ModbusFrames.h"
#include "support/ModbusSlaveProcess.h"
#include "support/PtyBridge.h"
#include "support/WaitUntil.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <ctime>

namespace veldrin {
namespace {

using test::WaitUntil;

PollRequest request(TableKind kind, int row, int slave, int functionCode, int address, int points,
                    std::vector<std::uint16_t> values = {})
{
    PollRequest r;
    r.kind = kind;
    r.row = row;
    r.slave = slave;
    r.functionCode = functionCode;
    r.address = address;
    r.points = points;
    r.pdu = kind == TableKind::Read ? ReadPdu(functionCode, address, points)
                                    : WritePdu(functionCode, address, points, values);
    return r;
}

// The frames in bytes sent by the poll, split by framing: each must be one of the requests.
std::vector<int> functionCodesSent(const QByteArray& sent, bool ascii)
{
    std::vector<int> codes;
    if (ascii) {
        for (const QByteArray& frame : sent.split('\n')) {
            if (frame.size() >= 5)
                codes.push_back(frame.mid(3, 2).toInt(nullptr, 16));
        }
        return codes;
    }
    // Every request the poll sends is 8 bytes, except multi-point writes.
    for (qsizetype at = 0; at + 8 <= sent.size();) {
        const int code = static_cast<std::uint8_t>(sent[at + 1]);
        codes.push_back(code);
        at += (code == 15 || code == 16) ? 9 + static_cast<std::uint8_t>(sent[at + 6]) : 8;
    }
    return codes;
}

class PollEngineTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bridge.ok()) << "no pseudo-terminal";
        m_slave = std::make_unique<test::ModbusSlaveProcess>(m_bridge.slavePort(), ascii() ? "ascii" : "rtu");
        ASSERT_EQ(m_slave->error(), QString());
    }

    bool ascii() const { return GetParam(); }

    PollSettings settings(int timeoutMs = 300) const
    {
        PollSettings s;
        s.port = m_bridge.masterPort();
        s.line = SerialLineOf(7, 0, 0, ascii() ? 1 : 0);
        s.timeoutMs = timeoutMs;
        return s;
    }

    // Runs to the end; false when it did not end within limitMs.
    bool run(PollEngine& engine, const PollSettings& s, std::vector<PollRequest> requests, int limitMs = 5000)
    {
        QSignalSpy finished(&engine, &PollEngine::finished);
        const auto failure = engine.start(s, std::move(requests));
        EXPECT_FALSE(failure.has_value()) << (failure ? failure->reason.toStdString() : std::string());
        return WaitUntil([&] { return !finished.isEmpty(); }, limitMs);
    }

    test::PtyBridge m_bridge;
    std::unique_ptr<test::ModbusSlaveProcess> m_slave;
};

TEST_P(PollEngineTest, ReadsValuesExceptionsAndTimeouts)
{
    PollEngine engine;
    ASSERT_TRUE(run(engine, settings(),
                    {request(TableKind::Read, 1, 1, 3, 0, 3), request(TableKind::Read, 2, 1, 1, 0, 10),
                     request(TableKind::Read, 3, 2, 4, 5, 2), request(TableKind::Read, 4, 2, 2, 0, 3),
                     request(TableKind::Read, 5, 1, 3, 98, 5), request(TableKind::Read, 6, 3, 3, 0, 1),
                     request(TableKind::Read, 7, 1, 3, 7, 1)}));
    EXPECT_EQ(engine.end(), PollEnd::Done);
    const auto& r = engine.results();
    ASSERT_EQ(r.size(), 7U);
    EXPECT_EQ(r[0].status, RowStatus::Ok);
    EXPECT_EQ(r[0].values, (std::vector<std::uint16_t>{1000, 1001, 1002}));
    EXPECT_EQ(r[1].status, RowStatus::Ok);
    EXPECT_EQ(r[1].values, (std::vector<std::uint16_t>{1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(r[2].values, (std::vector<std::uint16_t>{2505, 2506}));
    EXPECT_EQ(r[3].values, (std::vector<std::uint16_t>{0, 1, 0}));
    EXPECT_EQ(r[4].status, RowStatus::Exception);
    EXPECT_EQ(r[4].exceptionCode, 2);
    EXPECT_EQ(r[5].status, RowStatus::Timeout);
    EXPECT_FALSE(r[5].lastMs.has_value());
    // The run goes on after a silent slave.
    EXPECT_EQ(r[6].status, RowStatus::Ok);
    EXPECT_EQ(r[6].values, (std::vector<std::uint16_t>{1007}));
    ASSERT_TRUE(r[0].lastMs.has_value());
    EXPECT_LE(*r[0].minMs, *r[0].maxMs);

    const PollSummary summary = engine.summary();
    EXPECT_EQ(summary.answered, (std::vector<int>{1, 2}));
    EXPECT_EQ(summary.silent, (std::vector<int>{3}));
    EXPECT_EQ(summary.rounds, 1);
    EXPECT_TRUE(summary.cycleMs.has_value());

    // Every request and every answer is in the traffic log: 7 sent, 6 answered.
    const auto& entries = engine.traffic().entries();
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.sent; }), 7);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const auto& e) { return !e.sent; }), 6);
    EXPECT_EQ(entries.front().bytes,
              ascii() ? AsciiFrame(1, ReadPdu(3, 0, 3)) : RtuFrame(1, ReadPdu(3, 0, 3)));
}

TEST_P(PollEngineTest, SpoiledAnswerIsAnErrorOfItsRowAndTheRunGoesOn)
{
    // The first data byte of the answer (in ASCII a hex digit of it, still a digit when spoiled).
    m_bridge.spoilNextAnswer(ascii() ? 7 : 3, 0x01);
    PollEngine engine;
    ASSERT_TRUE(run(engine, settings(),
                    {request(TableKind::Read, 1, 1, 3, 0, 1), request(TableKind::Read, 2, 1, 3, 1, 1)}));
    EXPECT_EQ(engine.results()[0].status, RowStatus::CheckError);
    EXPECT_EQ(engine.results()[0].failed, 1);
    EXPECT_EQ(engine.results()[1].status, RowStatus::Ok);
    EXPECT_EQ(engine.results()[1].values, (std::vector<std::uint16_t>{1001}));
}

TEST_P(PollEngineTest, WritesLeaveThePortOnlyWithTheOptIn)
{
    const std::vector<PollRequest> requests{request(TableKind::Read, 1, 1, 3, 10, 1),
                                            request(TableKind::Write, 1, 1, 6, 10, 1, {4321}),
                                            request(TableKind::Write, 2, 1, 15, 20, 3, {1, 1, 1})};
    PollEngine engine;
    PollSettings s = settings();
    s.rounds = 2;
    ASSERT_TRUE(run(engine, s, requests));
    EXPECT_EQ(functionCodesSent(m_bridge.sent(), ascii()), (std::vector<int>{3, 3}));
    EXPECT_EQ(engine.results()[1].status, RowStatus::NotSent);
    EXPECT_EQ(engine.results()[1].frame, FrameOf(1, requests[1].pdu, ascii()));
    EXPECT_EQ(engine.results()[0].values, (std::vector<std::uint16_t>{1010}));

    s.sendWrites = true;
    ASSERT_TRUE(run(engine, s, requests));
    EXPECT_EQ(functionCodesSent(m_bridge.sent(), ascii()), (std::vector<int>{3, 3, 3, 6, 15, 3, 6, 15}));
    EXPECT_EQ(engine.results()[1].status, RowStatus::Ok);
    EXPECT_EQ(engine.results()[2].status, RowStatus::Ok);
    // The second round reads back what the first wrote.
    EXPECT_EQ(engine.results()[0].values, (std::vector<std::uint16_t>{4321}));
}

TEST_P(PollEngineTest, UnpluggedAdapterEndsTheRunAtOnceWithRowsNotRun)
{
    PollEngine engine;
    QObject::connect(&engine, &PollEngine::rowDone, [&](int index) {
        if (index == 0)
            m_bridge.unplug();
    });
    PollSettings s = settings(400);
    s.rounds = 0;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(run(engine, s,
                    {request(TableKind::Read, 1, 1, 3, 0, 1), request(TableKind::Read, 2, 1, 3, 1, 1),
                     request(TableKind::Read, 3, 1, 3, 2, 1), request(TableKind::Read, 4, 1, 3, 3, 1)},
                    1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(engine.end(), PollEnd::PortLost);
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(engine.results()[0].status, RowStatus::Ok);
    for (std::size_t i = 2; i < 4; ++i)
        EXPECT_EQ(engine.results()[i].status, RowStatus::NotRun) << i;

    // Nothing keeps running once the port is given up: no busy loop on its errors.
    const std::clock_t cpu = std::clock();
    QSignalSpy rows(&engine, &PollEngine::rowDone);
    QTest::qWait(300);
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_LT(static_cast<double>(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC, 100.0);
}

TEST_P(PollEngineTest, StopEndsAnEndlessRunAtOnce)
{
    PollEngine engine;
    PollSettings s = settings(2000);
    s.rounds = 0;
    QSignalSpy finished(&engine, &PollEngine::finished);
    QSignalSpy rounds(&engine, &PollEngine::roundDone);
    ASSERT_FALSE(
        engine.start(s, {request(TableKind::Read, 1, 1, 3, 0, 1), request(TableKind::Read, 2, 9, 3, 0, 1)}));
    ASSERT_TRUE(WaitUntil([&] { return engine.results()[0].sent > 0; }));
    // Row 2 waits for a slave that never answers; Stop does not wait for its time-out.
    QElapsedTimer clock;
    clock.start();
    engine.stop();
    EXPECT_EQ(finished.size(), 1);
    EXPECT_LT(clock.elapsed(), 100);
    EXPECT_EQ(engine.end(), PollEnd::Stopped);
    EXPECT_FALSE(engine.running());
}

INSTANTIATE_TEST_SUITE_P(Framings, PollEngineTest, testing::Values(false, true), [](const auto& param) {
    return param.param ? std::string("Ascii") : std::string("Rtu");
});

TEST(PollEngine, MissingPortSendsNothing)
{
    PollEngine engine;
    PollSettings s;
    s.port = QStringLiteral("/dev/serial/by-id/no-such-adapter");
    const auto failure = engine.start(s, {request(TableKind::Read, 1, 1, 3, 0, 1)});
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->error, QSerialPort::DeviceNotFoundError);
    EXPECT_EQ(failure->port, s.port);
    EXPECT_FALSE(engine.running());
}

TEST(PollEngine, PortHeldByAnotherProgramIsReportedAsLocked)
{
    test::PtyBridge bridge;
    QSerialPort holder(bridge.masterPort());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    PollEngine engine;
    PollSettings s;
    s.port = bridge.masterPort();
    const auto failure = engine.start(s, {request(TableKind::Read, 1, 1, 3, 0, 1)});
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->error, QSerialPort::PermissionError);
    EXPECT_TRUE(failure->reason.contains(QStringLiteral("locking"))) << failure->reason.toStdString();
    EXPECT_TRUE(bridge.sent().isEmpty());
}

} // namespace
} // namespace veldrin

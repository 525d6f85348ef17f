// One read round of 50 rows against the Modbus test slave on a pseudo-terminal, against the sum
// of the bus-load estimates of those rows at the same settings (target: within 1.2 times).
#include "access/BusLoad.h"
#include "poll/PollEngine.h"
#include "support/ModbusSlaveProcess.h"
#include "support/PtyBridge.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace veldrin;

constexpr int Rows = 50;

std::vector<PollRequest> fiftyReads()
{
    std::vector<PollRequest> requests;
    for (int row = 1; row <= Rows; ++row) {
        PollRequest request;
        request.row = row;
        request.slave = 1 + row % 2;
        request.functionCode = row % 3 == 0 ? 4 : 3;
        request.address = row;
        request.points = 10;
        request.pdu = ReadPdu(request.functionCode, request.address, request.points);
        requests.push_back(request);
    }
    return requests;
}

void BM_OneReadRoundOfFiftyRows(benchmark::State& state)
{
    const bool ascii = state.range(0) != 0;
    test::PtyBridge bridge;
    test::ModbusSlaveProcess slave(bridge.slavePort(),
                                   ascii ? QStringLiteral("ascii") : QStringLiteral("rtu"));
    if (!bridge.ok() || !slave.error().isEmpty()) {
        state.SkipWithError(slave.error().toUtf8().constData());
        return;
    }
    PollSettings settings;
    settings.port = bridge.masterPort();
    settings.line = SerialLineOf(7, 0, 0, ascii ? 1 : 0);
    settings.timeoutMs = 500;
    const std::vector<PollRequest> requests = fiftyReads();
    double estimateMs = 0;
    for (const PollRequest& request : requests)
        estimateMs += TransactionMs(settings.line, request.functionCode, request.points, 0);

    PollEngine engine;
    double cycleMs = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&engine, &PollEngine::finished, &loop, &QEventLoop::quit);
        if (engine.start(settings, requests)) {
            state.SkipWithError("the pseudo-terminal did not open");
            return;
        }
        loop.exec();
        cycleMs = engine.cycleMs().value_or(0);
        state.SetIterationTime(cycleMs / 1000);
    }
    state.counters["estimate_ms"] = estimateMs;
    state.counters["round_ms"] = cycleMs;
    state.counters["ratio"] = cycleMs / estimateMs;
}
BENCHMARK(BM_OneReadRoundOfFiftyRows)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

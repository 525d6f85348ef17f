// The data-area map and the bus load of two full request tables (512 read and 512 write rows).
#include "access/BusLoad.h"
#include "access/DataAreaMap.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veldrin;

RequestTables fullTables()
{
    RequestTables tables;
    for (int n = 1; n <= RowCount; ++n) {
        RequestRow& read = tables.Modbus_Read.row(n);
        read[Cell::Slave_ID] = QString::number(1 + n % 247);
        read[Cell::Type] = n % 2 ? QStringLiteral("Coil Status") : QStringLiteral("Holding Register");
        read[Cell::Address] = QString::number(n * 10);
        read[Cell::NPoint] = QStringLiteral("1");
        read[Cell::PollTime] = QStringLiteral("1000");
        read[Cell::MaxError] = QStringLiteral("3");
        read[Cell::Position] = QString::number((n * 7) % 990);
        read[Cell::Bit] = n % 2 ? QStringLiteral("3") : QString();
        RequestRow& write = tables.Modbus_Write.row(n);
        write = read;
        write[Cell::OnChange] = QStringLiteral("N");
        write[Cell::PollTime] = QStringLiteral("500");
    }
    return tables;
}

void BM_MapAndBusLoadOfFullTables(benchmark::State& state)
{
    const RequestTables tables = fullTables();
    const SerialLine line = SerialLineOf(4, 2, 0, 0);
    for (auto _ : state) {
        for (TableKind kind : {TableKind::Read, TableKind::Write}) {
            benchmark::DoNotOptimize(MapDataArea(kind, tables.table(kind)));
            benchmark::DoNotOptimize(TableBusLoad(kind, tables.table(kind), line, 0));
        }
    }
}
BENCHMARK(BM_MapAndBusLoadOfFullTables)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

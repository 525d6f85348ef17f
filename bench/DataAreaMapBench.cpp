// The data-area map and the bus load of two full request tables (512 read and 512 write rows).
#include "FullTables.h"
#include "access/BusLoad.h"
#include "access/DataAreaMap.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veldrin;

void BM_MapAndBusLoadOfFullTables(benchmark::State& state)
{
    const RequestTables tables = bench::FullTables();
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

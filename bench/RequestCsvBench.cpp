// Two full request tables (512 read and 512 write rows) written as CSV and read back, each in
// process (target: under 5 ms).
#include "FullTables.h"
#include "access/RequestCsv.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veldrin;

// The full tables, every third mnemonic one that needs quotes and On Change alternating.
RequestTables fullTables()
{
    RequestTables tables = bench::FullTables();
    for (int n = 1; n <= RowCount; ++n) {
        const QString mnemonic =
            n % 3 ? QStringLiteral("Zone %1 temperature").arg(n) : QStringLiteral("Tür %1, \"Nord\"").arg(n);
        tables.Modbus_Read.row(n)[Cell::Mnemonic] = mnemonic;
        tables.Modbus_Write.row(n)[Cell::Mnemonic] = mnemonic;
        tables.Modbus_Write.row(n)[Cell::OnChange] = n % 2 ? QStringLiteral("Y") : QStringLiteral("N");
    }
    return tables;
}

void BM_ExportFullTables(benchmark::State& state)
{
    const RequestTables tables = fullTables();
    for (auto _ : state) {
        for (TableKind kind : {TableKind::Read, TableKind::Write})
            benchmark::DoNotOptimize(RequestCsvBytes(kind, tables.table(kind)));
    }
}
BENCHMARK(BM_ExportFullTables)->Unit(benchmark::kMillisecond);

void BM_ImportFullTables(benchmark::State& state)
{
    const RequestTables tables = fullTables();
    const QByteArray files[] = {RequestCsvBytes(TableKind::Read, tables.Modbus_Read),
                                RequestCsvBytes(TableKind::Write, tables.Modbus_Write)};
    for (auto _ : state) {
        RequestTables imported;
        for (TableKind kind : {TableKind::Read, TableKind::Write}) {
            const CsvRows read = ReadRequestCsv(kind, files[kind == TableKind::Read ? 0 : 1], RowCount);
            PutImportedRows(imported.table(kind), read.rows, false);
        }
        if (imported != tables)
            state.SkipWithError("the tables did not come back whole");
    }
}
BENCHMARK(BM_ImportFullTables)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

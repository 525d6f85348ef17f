// Two full request tables (512 read and 512 write rows) written as CSV and read back, each in
// process (target: under 5 ms).
#include "access/RequestCsv.h"

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
        // Every third mnemonic needs quotes.
        read[Cell::Mnemonic] =
            n % 3 ? QStringLiteral("Zone %1 temperature").arg(n) : QStringLiteral("Tür %1, \"Nord\"").arg(n);
        RequestRow& write = tables.Modbus_Write.row(n);
        write = read;
        write[Cell::OnChange] = n % 2 ? QStringLiteral("Y") : QStringLiteral("N");
        write[Cell::PollTime] = QStringLiteral("500");
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

// The Set Modbus Access dialog with both tables full: read from its file, shown, painted and
// closed, as the user opens it from the main window.
#include "access/RequestTablesFile.h"
#include "access/TFSetAccess.h"
#include "common/Prompts.h"
#include "session/AppState.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

class PrintedPrompts : public veldrin::Prompts {
public:
    void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    void warning(const QString& text) override { std::fprintf(stderr, "warning: %s\n", qPrintable(text)); }
    bool question(const QString&) override { return false; }
};

veldrin::RequestTables fullTables()
{
    using veldrin::Cell;
    veldrin::RequestTables tables;
    for (int n = 1; n <= veldrin::RowCount; ++n) {
        veldrin::RequestRow& read = tables.Modbus_Read.row(n);
        read[Cell::Slave_ID] = QString::number(n % 247 + 1);
        read[Cell::Type] = QStringLiteral("Holding Register");
        read[Cell::Address] = QString::number(n * 10);
        read[Cell::NPoint] = QStringLiteral("1");
        read[Cell::PollTime] = QStringLiteral("1000");
        read[Cell::MaxError] = QStringLiteral("3");
        read[Cell::Position] = QString::number(n % 999);
        read[Cell::Mnemonic] = QStringLiteral("Read request %1").arg(n);
        veldrin::RequestRow& write = tables.Modbus_Write.row(n);
        write[Cell::Slave_ID] = QString::number(n % 247 + 1);
        write[Cell::Type] = QStringLiteral("Coil Status");
        write[Cell::Address] = QString::number(n);
        write[Cell::NPoint] = QStringLiteral("8");
        write[Cell::PollTime] = QStringLiteral("500");
        write[Cell::OnChange] = n % 2 ? QStringLiteral("Y") : QStringLiteral("N");
        write[Cell::MaxError] = QStringLiteral("0");
        write[Cell::Position] = QString::number(n % 998);
        write[Cell::Bit] = QStringLiteral("0");
        write[Cell::Mnemonic] = QStringLiteral("Write request %1").arg(n);
    }
    return tables;
}

void BM_SetAccessShowFullTables(benchmark::State& state)
{
    QTemporaryDir dir;
    veldrin::AppState app;
    app.Strings.LoadDefaultStrings();
    app.SoftwareCode = QStringLiteral("PK30418");
    app.SetAccessPath = dir.filePath(QStringLiteral("ModbusM_SetAccess.xml"));
    veldrin::WriteRequestTables(app.SetAccessPath, fullTables());
    PrintedPrompts prompts;
    veldrin::TFSetAccess dialog(app, prompts, nullptr);

    for (auto _ : state) {
        // Showing reads the file afresh; grab() paints every visible widget, grids included.
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.grab());
        dialog.reject();
        QApplication::processEvents();
    }
    if (veldrin::UsedRowCount(dialog.tables().Modbus_Write) != veldrin::RowCount)
        state.SkipWithError("the tables did not load");
}
BENCHMARK(BM_SetAccessShowFullTables)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

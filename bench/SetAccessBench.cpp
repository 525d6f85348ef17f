// The Set Modbus Access dialog with both tables full: read from its file, shown, painted and
// closed, as the user opens it from the main window; an edit followed by the data-area map
// until it is painted again; a block of 512 rows pasted into its write grid, against a plain
// table model that stores the same block without any checks; and that paste undone until the
// grid is painted again.
#include "access/DataAreaMapView.h"
#include "access/DataAreaMapWindow.h"
#include "access/RequestGrid.h"
#include "access/RequestTableModel.h"
#include "access/RequestTablesFile.h"
#include "access/TFSetAccess.h"
#include "common/Prompts.h"
#include "services/FileChooser.h"
#include "session/AppState.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

class PrintedPrompts : public veldrin::Prompts {
public:
    void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    void warning(const QString& text) override { std::fprintf(stderr, "warning: %s\n", qPrintable(text)); }
    bool question(const QString&) override { return false; }
    int choose(const QString& text, const QStringList&) override
    {
        std::fprintf(stderr, "choice: %s\n", qPrintable(text));
        return -1;
    }
};

class NoFileChooser : public veldrin::FileChooser {
public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
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

// The workspace of one configuration whose tables are full.
struct FullConfiguration {
    FullConfiguration()
    {
        app.Strings.LoadDefaultStrings();
        app.SoftwareCode = QStringLiteral("PK30418");
        app.SetAccessPath = dir.filePath(QStringLiteral("ModbusM_SetAccess.xml"));
        veldrin::WriteRequestTables(app.SetAccessPath, fullTables());
    }
    QTemporaryDir dir;
    veldrin::AppState app;
    PrintedPrompts prompts;
    NoFileChooser files;
};

void BM_SetAccessShowFullTables(benchmark::State& state)
{
    FullConfiguration configuration;
    veldrin::TFSetAccess dialog(configuration.app, configuration.prompts, configuration.files, nullptr);

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

// A Position typed into a read row, with the map open: the map and the bus load of the table
// computed afresh and the input area's map painted again, whole.
void BM_MapRepaintsAnEdit(benchmark::State& state)
{
    FullConfiguration configuration;
    veldrin::TFSetAccess dialog(configuration.app, configuration.prompts, configuration.files, nullptr);
    dialog.show();
    dialog.Btn_MapClick();
    QApplication::processEvents();
    veldrin::DataAreaMapView* view = dialog.mapWindow()->view(veldrin::TableKind::Read);
    QAbstractItemModel* model = dialog.currentGrid()->model();
    const QModelIndex position = model->index(99, 7);
    int turn = 0;
    for (auto _ : state) {
        if (!model->setData(position, QString::number(100 + turn), Qt::EditRole))
            state.SkipWithError("the Position was not taken");
        view->repaint();
        turn = 1 - turn;
    }
    if (view->map().spans.size() != veldrin::RowCount)
        state.SkipWithError("the map does not show the full table");
}
BENCHMARK(BM_MapRepaintsAnEdit)->Unit(benchmark::kMillisecond);

// Two blocks of 512 rows by the 10 data columns of the write grid that differ in every cell, so
// each paste changes every cell it reaches.
std::vector<QStringList> pastedBlock(int variant)
{
    std::vector<QStringList> rows;
    for (int n = 0; n < veldrin::RowCount; ++n) {
        const int v = n + variant;
        rows.push_back({QString::number(v % 247 + 1),
                        variant ? QStringLiteral("coil status") : QStringLiteral("Holding Register"),
                        QString::number(v * 10), QString::number(v % 8 + 1), QString::number(500 + v),
                        variant ? QStringLiteral("y") : QStringLiteral("N"), QString::number(v % 4),
                        QString::number(v % 998), QString::number(v % 8),
                        QStringLiteral("Request %1").arg(v)});
    }
    return rows;
}

// A table model that only stores texts: what pasting the same block costs without any checks.
class PlainTableModel : public QAbstractTableModel {
public:
    PlainTableModel(int rows, int columns) : m_cells(static_cast<std::size_t>(rows), QStringList(columns)) {}

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_cells[0].size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        return m_cells[static_cast<std::size_t>(index.row())][index.column()];
    }

    // The block from (top, left), cut at the edges, then one change for all of it.
    void pasteBlock(int top, int left, const std::vector<QStringList>& rows)
    {
        int bottom = top;
        int right = left;
        for (std::size_t i = 0; i < rows.size() && top + static_cast<int>(i) < rowCount(); ++i) {
            bottom = top + static_cast<int>(i);
            QStringList& cells = m_cells[static_cast<std::size_t>(bottom)];
            for (qsizetype j = 0; j < rows[i].size() && left + j < columnCount(); ++j) {
                right = std::max(right, left + static_cast<int>(j));
                cells[left + j] = rows[i][j];
            }
        }
        Q_EMIT dataChanged(index(top, left), index(bottom, right));
    }

private:
    std::vector<QStringList> m_cells;
};

// Pastes the two blocks in turn into a model shown in view; the repaint that follows each paste
// is left out of the time. A fixed count of pastes, since each repaint takes far longer.
template <typename Paste> void pasteInTurn(benchmark::State& state, QWidget& view, Paste paste)
{
    const std::vector<QStringList> blocks[] = {pastedBlock(0), pastedBlock(1)};
    view.resize(900, 600);
    view.show();
    QApplication::processEvents();
    int turn = 0;
    for (auto _ : state) {
        paste(blocks[turn]);
        turn = 1 - turn;
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_PasteBlockIntoRequestGrid(benchmark::State& state)
{
    veldrin::RequestTable table;
    veldrin::RequestTableModel model(veldrin::TableKind::Write, table, nullptr);
    veldrin::RequestGrid grid(QStringLiteral("ACG_Modbus_Write"), &model, nullptr);
    pasteInTurn(state, grid,
                [&model](const std::vector<QStringList>& block) { model.pasteBlock(0, 1, block); });
    if (table.row(1)[veldrin::Cell::Type].isEmpty())
        state.SkipWithError("the block was not pasted");
}
BENCHMARK(BM_PasteBlockIntoRequestGrid)->Unit(benchmark::kMillisecond)->Iterations(200);

// A full-table paste undone, until the grid is painted again: the step back and forth in turn.
void BM_UndoFullPasteAndRepaint(benchmark::State& state)
{
    veldrin::RequestTable table;
    veldrin::RequestTableModel model(veldrin::TableKind::Write, table, nullptr);
    veldrin::RequestGrid grid(QStringLiteral("ACG_Modbus_Write"), &model, nullptr);
    grid.resize(900, 600);
    grid.show();
    QApplication::processEvents();
    model.pasteBlock(0, 1, pastedBlock(1));
    int turn = 0;
    for (auto _ : state) {
        if (turn == 0)
            model.undoStack()->undo();
        else
            model.undoStack()->redo();
        grid.viewport()->repaint();
        turn = 1 - turn;
    }
    if (model.undoStack()->count() != 1)
        state.SkipWithError("the paste was not one step");
}
BENCHMARK(BM_UndoFullPasteAndRepaint)->Unit(benchmark::kMillisecond);

void BM_PasteBlockIntoPlainModel(benchmark::State& state)
{
    PlainTableModel model(veldrin::RowCount, 11);
    QTableView view;
    view.setModel(&model);
    pasteInTurn(state, view,
                [&model](const std::vector<QStringList>& block) { model.pasteBlock(0, 1, block); });
}
BENCHMARK(BM_PasteBlockIntoPlainModel)->Unit(benchmark::kMillisecond)->Iterations(200);

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

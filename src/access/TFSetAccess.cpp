#include "access/TFSetAccess.h"

#include "access/AccessChecks.h"
#include "access/DataAreaMapWindow.h"
#include "access/RequestColumns.h"
#include "access/RequestCsv.h"
#include "access/RequestGrid.h"
#include "access/RequestTableModel.h"
#include "access/RequestTablesFile.h"
#include "access/RowMessages.h"
#include "comm/GeneralParameterFile.h"
#include "common/AtomicFile.h"
#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "poll/PollTexts.h"
#include "poll/TestPollWindow.h"
#include "services/FileChooser.h"
#include "session/AppState.h"
#include "widgets/WindowStyle.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace veldrin {
namespace {

QWidget* addPage(QTabWidget* pages, const QString& objectName, RequestGrid*& grid, const QString& gridName,
                 RequestTableModel* model)
{
    auto* page = new QWidget(pages);
    page->setObjectName(objectName);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    grid = new RequestGrid(gridName, model, page);
    layout->addWidget(grid);
    pages->addTab(page, QString());
    page->setFocusProxy(grid);
    return page;
}

} // namespace

TFSetAccess::TFSetAccess(AppState& state, Prompts& prompts, FileChooser& files, QWidget* parent)
    : VeldrinDialog(state, prompts, QStringLiteral("TFSetAccess"), parent), m_files(files)
{
    m_readModel = new RequestTableModel(TableKind::Read, m_tables.Modbus_Read, this);
    m_writeModel = new RequestTableModel(TableKind::Write, m_tables.Modbus_Write, this);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TS_Modbus_Read = addPage(PageControl1, QStringLiteral("TS_Modbus_Read"), ACG_Modbus_Read,
                             QStringLiteral("ACG_Modbus_Read"), m_readModel);
    TS_Modbus_Write = addPage(PageControl1, QStringLiteral("TS_Modbus_Write"), ACG_Modbus_Write,
                              QStringLiteral("ACG_Modbus_Write"), m_writeModel);
    // After a paste, one message names the values that did not fit their cells.
    for (RequestGrid* grid : {ACG_Modbus_Read, ACG_Modbus_Write}) {
        connect(grid, &RequestGrid::pasteRefused, this, [this, grid] {
            const RequestTableModel* model = grid->requestModel();
            m_prompts.warning(
                PasteRefusalMessage(model->kind(), model->refusedByLastPaste(), m_state.Strings));
        });
    }

    Btn_OK = addBandButton(QStringLiteral("Btn_OK"), VeldrinButton::ModalResult::None);
    Btn_Cancel = addBandButton(QStringLiteral("Btn_Cancel"), VeldrinButton::ModalResult::Cancel);
    Btn_DelRow = addBandButton(QStringLiteral("Btn_DelRow"), VeldrinButton::ModalResult::None);
    Btn_InsRow = addBandButton(QStringLiteral("Btn_InsRow"), VeldrinButton::ModalResult::None);
    connect(Btn_OK, &QPushButton::clicked, this, &TFSetAccess::bitbtn1Click);
    connect(Btn_DelRow, &QPushButton::clicked, this, &TFSetAccess::Btn_DelRowClick);
    connect(Btn_InsRow, &QPushButton::clicked, this, &TFSetAccess::Btn_InsertRowClick);

    // CSV import and export and the map sit at the free end of the tab row, beside the grids.
    // The tab row sizes its corner by the size a widget asks for, which a layout makes the
    // buttons'.
    auto* corner = new QWidget(PageControl1);
    auto* cornerRow = new QHBoxLayout(corner);
    cornerRow->setContentsMargins(0, 0, 2, 0);
    cornerRow->setSpacing(4);
    Btn_ImportCsv = new VeldrinButton(QStringLiteral("Btn_ImportCsv"), corner);
    Btn_ExportCsv = new VeldrinButton(QStringLiteral("Btn_ExportCsv"), corner);
    Btn_Map = new VeldrinButton(QStringLiteral("Btn_Map"), corner);
    Btn_TestPoll = new VeldrinButton(QStringLiteral("Btn_TestPoll"), corner);
    for (VeldrinButton* button : {Btn_ImportCsv, Btn_ExportCsv, Btn_Map, Btn_TestPoll}) {
        button->setFixedSize(110, 24);
        cornerRow->addWidget(button);
    }
    PageControl1->setCornerWidget(corner, Qt::TopRightCorner);
    QWidget::setTabOrder(PageControl1->tabBar(), Btn_ImportCsv);
    QWidget::setTabOrder(Btn_ImportCsv, Btn_ExportCsv);
    QWidget::setTabOrder(Btn_ExportCsv, Btn_Map);
    QWidget::setTabOrder(Btn_Map, Btn_TestPoll);
    connect(Btn_Map, &QPushButton::clicked, this, &TFSetAccess::Btn_MapClick);
    connect(Btn_TestPoll, &QPushButton::clicked, this, &TFSetAccess::Btn_TestPollClick);
    connect(Btn_ImportCsv, &QPushButton::clicked, this, &TFSetAccess::importCsv);
    connect(Btn_ExportCsv, &QPushButton::clicked, this, &TFSetAccess::exportCsv);
    // The same two in the grids' context menus.
    Act_ImportCsv = new QAction(this);
    Act_ImportCsv->setObjectName(QStringLiteral("Act_ImportCsv"));
    Act_ExportCsv = new QAction(this);
    Act_ExportCsv->setObjectName(QStringLiteral("Act_ExportCsv"));
    connect(Act_ImportCsv, &QAction::triggered, this, &TFSetAccess::importCsv);
    connect(Act_ExportCsv, &QAction::triggered, this, &TFSetAccess::exportCsv);
    for (RequestGrid* shown : {ACG_Modbus_Read, ACG_Modbus_Write})
        shown->addMenuActions({Act_ImportCsv, Act_ExportCsv});

    L_Bus_Load = new QLabel;
    L_Bus_Load->setObjectName(QStringLiteral("L_Bus_Load"));
    // Two lines where the window is narrow.
    L_Bus_Load->setWordWrap(true);
    addBandStatus(L_Bus_Load);
    // The map brings the area of the page on show into sight.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (m_map && m_map->isVisible())
            m_map->setCurrentRow(currentKind(), currentGrid()->currentIndex().row() + 1);
    });
    for (RequestTableModel* model : {m_readModel, m_writeModel}) {
        const TableKind kind = model->kind();
        const auto edited = [this, kind] {
            showBusLoad();
            showMap(kind);
        };
        connect(model, &QAbstractItemModel::dataChanged, this, edited);
        connect(model, &QAbstractItemModel::modelReset, this, edited);
        connect(grid(kind)->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, kind](const QModelIndex& current) {
                    if (m_map)
                        m_map->setCurrentRow(kind, current.isValid() ? current.row() + 1 : 0);
                });
    }

    setClientSize(780, 337, true);
    Set_Lang();
}

void TFSetAccess::showBusLoad()
{
    if (!m_line) {
        L_Bus_Load->clear();
        return;
    }
    const BusLoadLine status = BusLoadStatus(m_tables, *m_line, m_state.Strings);
    L_Bus_Load->setText(status.text);
    L_Bus_Load->setAccessibleName(status.text);
    L_Bus_Load->setToolTip(BusLoadNote(m_state.Strings));
    QPalette shown = palette();
    if (status.level == LoadLevel::Over)
        shown.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    else if (status.level == LoadLevel::High)
        shown.setColor(QPalette::WindowText, QColor(0xB0, 0x60, 0x00));
    L_Bus_Load->setPalette(shown);
}

void TFSetAccess::showMap(TableKind kind)
{
    if (!m_map || !m_map->isVisible())
        return;
    m_map->setMap(kind, MapDataArea(kind, m_tables.table(kind)), m_tables.table(kind));
}

void TFSetAccess::Btn_MapClick()
{
    if (!m_map) {
        m_map = new DataAreaMapWindow(m_state.Strings, m_prompts, m_files, this);
        connect(m_map, &DataAreaMapWindow::rowPicked, this, &TFSetAccess::selectRow);
    }
    const bool opening = !m_map->isVisible();
    m_map->setTexts(m_state.Settings.ActiveConfigName, m_state.ActiveConfigDir);
    m_map->showPollResults(m_pollMarks.answered, m_pollMarks.silent);
    if (opening) {
        m_map->placeBeside(*this);
        m_map->show();
    }
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        showMap(kind);
        const QModelIndex current = grid(kind)->currentIndex();
        m_map->setCurrentRow(kind, current.isValid() ? current.row() + 1 : 0);
    }
    m_map->setCurrentRow(currentKind(), currentGrid()->currentIndex().row() + 1);
    m_map->raise();
    m_map->activateWindow();
}

void TFSetAccess::setPolling(PollService* polls, SerialPortLister* ports)
{
    m_polls = polls;
    m_ports = ports;
}

void TFSetAccess::Btn_TestPollClick()
{
    if (m_polls == nullptr)
        return;
    if (!m_poll) {
        m_poll = new TestPollWindow(m_state.Strings, m_prompts, m_files, *m_polls, this);
        m_poll->setTexts(m_state.Settings.ActiveConfigName);
        // The map shows which rows answered.
        connect(m_poll, &TestPollWindow::rowsAnswered, this,
                [this](const std::vector<int>& answered, const std::vector<int>& silent) {
                    m_pollMarks = {answered, silent};
                    if (m_map)
                        m_map->showPollResults(answered, silent);
                });
    }
    const bool opening = !m_poll->isVisible();
    if (opening) {
        // The rows as they stand in the grids, edits included; the line as the configuration
        // holds it.
        const QString parGen = m_state.ParGenPath;
        m_poll->setSource([this] { return m_tables; }, [parGen] { return ReadGeneralParameter(parGen); });
        m_poll->listPorts(m_ports);
        m_poll->placeBeside(*this);
        m_poll->show();
    }
    m_poll->raise();
    m_poll->activateWindow();
}

namespace {

// A file dialog's caption from a command's text: without its closing ellipsis.
QString captionOf(QString command)
{
    if (command.endsWith(QStringLiteral("...")))
        command.chop(3);
    return command;
}

} // namespace

void TFSetAccess::exportCsv()
{
    const TableKind kind = currentKind();
    const QString name = m_state.Settings.ActiveConfigName.isEmpty() ? QStringLiteral("requests")
                                                                     : m_state.Settings.ActiveConfigName;
    const QString suggested =
        QDir(m_state.ActiveConfigDir.isEmpty() ? QDir::homePath() : m_state.ActiveConfigDir)
            .filePath(
                QStringLiteral("%1-%2.csv")
                    .arg(name, kind == TableKind::Read ? QStringLiteral("read") : QStringLiteral("write")));
    QString path = m_files.saveFileName(this, captionOf(text(256)), suggested, text(257));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    try {
        WriteFileAtomically(path, RequestCsvBytes(kind, m_tables.table(kind)));
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
    }
}

void TFSetAccess::importCsv()
{
    const TableKind kind = currentKind();
    const QString path = m_files.openFileName(this, captionOf(text(255)), m_state.ActiveConfigDir, text(257));
    if (path.isEmpty())
        return;
    CsvRows read;
    try {
        read = ReadRequestCsv(kind, ReadCsvFile(path), RowCount);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return;
    }
    if (!read.problems.empty()) {
        m_prompts.error(CsvRefusalMessage(path, read.problems, m_state.Strings));
        return;
    }
    // Replace, or append when the rows fit after the used ones.
    const int used = UsedRowCount(m_tables.table(kind));
    QStringList choices{text(260)};
    if (used > 0 && static_cast<int>(read.rows.size()) <= RowCount - used)
        choices.append(text(261).arg(used));
    const int choice = m_prompts.choose(text(259)
                                            .arg(QDir::toNativeSeparators(path))
                                            .arg(read.rows.size())
                                            .arg(text(kind == TableKind::Read ? 134 : 135)),
                                        choices);
    if (choice < 0)
        return;
    currentGrid()->requestModel()->importRows(read.rows, choice == 1);
    currentGrid()->setFocus();
}

void TFSetAccess::selectRow(TableKind kind, int row)
{
    PageControl1->setCurrentWidget(kind == TableKind::Read ? TS_Modbus_Read : TS_Modbus_Write);
    RequestGrid* shown = grid(kind);
    const int column = std::max(shown->currentIndex().column(), 1);
    shown->setCurrentIndex(shown->model()->index(row - 1, column));
    shown->selectRow(row - 1);
    shown->scrollTo(shown->currentIndex());
}

void TFSetAccess::Set_Lang()
{
    setHeader(text(128), text(129));
    Btn_OK->setCaption(text(130));
    Btn_Cancel->setCaption(text(131));
    Btn_DelRow->setCaption(text(132));
    Btn_InsRow->setCaption(text(133));
    Btn_Map->setCaption(text(231));
    Btn_TestPoll->setCaption(text(polltext::Title));
    if (m_poll)
        m_poll->setTexts(m_state.Settings.ActiveConfigName);
    Btn_ImportCsv->setCaption(text(255));
    Btn_ExportCsv->setCaption(text(256));
    Act_ImportCsv->setText(text(255));
    Act_ExportCsv->setText(text(256));
    for (RequestGrid* shown : {ACG_Modbus_Read, ACG_Modbus_Write}) {
        for (int i = 0; i < 6; ++i)
            shown->editAction(static_cast<RequestGrid::Edit>(i))->setText(text(262 + i));
    }
    if (m_map)
        m_map->setTexts(m_state.Settings.ActiveConfigName, m_state.ActiveConfigDir);
    PageControl1->setTabText(0, text(134));
    PageControl1->setTabText(1, text(135));
    PageControl1->setAccessibleName(text(128));
    ACG_Modbus_Read->setAccessibleName(text(134));
    ACG_Modbus_Write->setAccessibleName(text(135));
    for (RequestTableModel* model : {m_readModel, m_writeModel}) {
        QStringList headers;
        for (const GridColumn& column : GridColumns(model->kind()))
            headers.append(text(column.header));
        model->setHeaders(headers);
    }
    showBusLoad();
    showMap(TableKind::Read);
    showMap(TableKind::Write);
}

int TFSetAccess::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    m_loadedForShowing = true;
    // On the screen's middle, not the main window's, at whatever size the user left it.
    CentreOnScreen(this);
    return VeldrinDialog::exec();
}

void TFSetAccess::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    // Shown other than through exec: load now, and close again if the file is refused.
    if (!m_loadedForShowing && !FormShow())
        QTimer::singleShot(0, this, &QDialog::reject);
    m_loadedForShowing = false;
}

void TFSetAccess::resizeEvent(QResizeEvent* event)
{
    VeldrinDialog::resizeEvent(event);
    PageControl1->setGeometry(0, TitleHeight, width(), height() - TitleHeight - BandHeight);
}

void TFSetAccess::hideEvent(QHideEvent* event)
{
    // The map belongs to this showing of the tables; a minimised dialog keeps it.
    if (m_map && !event->spontaneous())
        m_map->close();
    // Closing the tables stops their test poll.
    if (m_poll && !event->spontaneous())
        m_poll->close();
    VeldrinDialog::hideEvent(event);
}

bool TFSetAccess::FormShow()
{
    RequestTables loaded;
    bool ok = true;
    try {
        loaded = ReadRequestTables(m_state.SetAccessPath);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        ok = false;
    }
    // The serial line the load is estimated on; none when ParGen.xml cannot be read.
    try {
        const GeneralParameter parameters = ReadGeneralParameter(m_state.ParGenPath);
        m_line = SerialLineOf(parameters.Baud_Rate, parameters.Parity, parameters.Ser_StopBits,
                              parameters.Ser_Prot);
    } catch (const VeldrinError&) {
        m_line.reset();
    }
    m_tables = std::move(loaded);
    m_readModel->tableReplaced();
    m_writeModel->tableReplaced();
    // A poll of an earlier showing says nothing of these rows.
    m_pollMarks = {};

    // Each grid keeps its current cell between showings.
    PageControl1->setCurrentWidget(TS_Modbus_Read);
    ACG_Modbus_Read->setFocus();
    return ok;
}

TableKind TFSetAccess::currentKind() const
{
    return PageControl1->currentWidget() == TS_Modbus_Read ? TableKind::Read : TableKind::Write;
}

RequestGrid* TFSetAccess::currentGrid() const
{
    return grid(currentKind());
}

RequestGrid* TFSetAccess::grid(TableKind kind) const
{
    return kind == TableKind::Read ? ACG_Modbus_Read : ACG_Modbus_Write;
}

void TFSetAccess::bitbtn1Click()
{
    if (const std::optional<QString> message = Controllo_dati(m_tables, m_state.Strings)) {
        m_prompts.error(*message);
        return;
    }
    if (const std::optional<QString> question = RowsNotSavedQuestion(m_tables, m_state.Strings)) {
        if (!m_prompts.question(*question))
            return;
    }
    // Read rows that fill the same bytes lose data at the device: asked, and No shows the first.
    const AreaMap input = MapDataArea(TableKind::Read, m_tables.Modbus_Read);
    if (const std::optional<QString> question = OverlapQuestion(input, m_state.Strings)) {
        if (!m_prompts.question(*question)) {
            PageControl1->setCurrentWidget(TS_Modbus_Read);
            ACG_Modbus_Read->setFocus();
            ACG_Modbus_Read->setCurrentIndex(m_readModel->index(input.overlaps.front().first - 1, 1));
            return;
        }
    }
    try {
        WriteRequestTables(m_state.SetAccessPath, m_tables);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return;
    }
    accept();
}

void TFSetAccess::Btn_DelRowClick()
{
    RequestGrid* grid = currentGrid();
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return;
    if (!m_prompts.question(text(176) + QString::number(current.row() + 1)))
        return;
    grid->requestModel()->deleteRowAt(current.row());
}

void TFSetAccess::Btn_InsertRowClick()
{
    RequestGrid* grid = currentGrid();
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return;
    const TableKind kind = currentKind();
    if (const std::optional<QString> refusal =
            InsertRowRefusal(kind, m_tables.table(kind), m_state.Strings)) {
        m_prompts.error(*refusal);
        return;
    }
    grid->requestModel()->insertRowAt(current.row());
}

} // namespace veldrin

#include "poll/TestPollWindow.h"

#include "comm/GeneralParameter.h"
#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "lang/StringTable.h"
#include "poll/ModbusFrames.h"
#include "poll/PollSetup.h"
#include "poll/PollTexts.h"
#include "poll/SerialPortPath.h"
#include "services/FileChooser.h"
#include "update/SerialPorts.h"
#include "widgets/VeldrinButton.h"
#include "widgets/WindowStyle.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace veldrin {
namespace {

enum Column {
    TableColumn,
    RowColumn,
    SlaveColumn,
    FunctionColumn,
    AddressColumn,
    PointsColumn,
    StatusColumn,
    LastColumn,
    MinColumn,
    MaxColumn,
    ValuesColumn,
    AreaColumn,
    FrameColumn,
    ColumnCount
};

QString msText(const std::optional<double>& ms)
{
    return ms ? QString::number(*ms, 'f', 1) : QString();
}

} // namespace

TestPollWindow::TestPollWindow(const StringTable& strings, Prompts& prompts, FileChooser& files,
                               PollService& polls, QWidget* parent)
    : QDialog(parent), m_strings(strings), m_prompts(prompts), m_files(files), m_polls(polls)
{
    setObjectName(QStringLiteral("TFTestPoll"));
    // Beside the request dialog, which stays usable while the poll runs.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    ApplyBackground(this);

    const auto label = [this](const char* name) {
        auto* shown = new QLabel(this);
        shown->setObjectName(QString::fromLatin1(name));
        return shown;
    };
    L_Port = label("L_Port");
    CB_Port = new QComboBox(this);
    CB_Port->setObjectName(QStringLiteral("CB_Port"));
    CB_Port->setEditable(true);
    CB_Port->setInsertPolicy(QComboBox::NoInsert);
    CB_Port->setMinimumWidth(260);
    L_Port->setBuddy(CB_Port);
    L_Rounds = label("L_Rounds");
    SE_Rounds = new QSpinBox(this);
    SE_Rounds->setObjectName(QStringLiteral("SE_Rounds"));
    SE_Rounds->setRange(1, 1000000);
    L_Rounds->setBuddy(SE_Rounds);
    CB_UntilStopped = new QCheckBox(this);
    CB_UntilStopped->setObjectName(QStringLiteral("CB_UntilStopped"));
    connect(CB_UntilStopped, &QCheckBox::toggled, SE_Rounds, &QWidget::setDisabled);
    L_Timeout = label("L_Timeout");
    SE_Timeout = new QSpinBox(this);
    SE_Timeout->setObjectName(QStringLiteral("SE_Timeout"));
    SE_Timeout->setRange(1, MaxPollTimeoutMs);
    SE_Timeout->setValue(1000);
    L_Timeout->setBuddy(SE_Timeout);
    CB_SendWrites = new QCheckBox(this);
    CB_SendWrites->setObjectName(QStringLiteral("CB_SendWrites"));
    Btn_Start = new VeldrinButton(QStringLiteral("Btn_Start"), this);
    Btn_Stop = new VeldrinButton(QStringLiteral("Btn_Stop"), this);
    connect(Btn_Start, &QPushButton::clicked, this, &TestPollWindow::startPoll);
    connect(Btn_Stop, &QPushButton::clicked, this, &TestPollWindow::stopPoll);

    L_Results = label("L_Results");
    StyleBoldGreyLabel(L_Results);
    TV_Results = new QTableWidget(0, ColumnCount, this);
    TV_Results->setObjectName(QStringLiteral("TV_Results"));
    TV_Results->verticalHeader()->hide();
    TV_Results->setSelectionBehavior(QAbstractItemView::SelectRows);
    TV_Results->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    TV_Results->horizontalHeader()->setStretchLastSection(true);
    connect(TV_Results, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == ValuesColumn && (item->flags() & Qt::ItemIsEditable) != 0)
            m_typedValues[item->data(Qt::UserRole).toInt()] = item->text();
    });
    L_Summary = label("L_Summary");
    L_Summary->setWordWrap(true);
    L_Summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    L_Traffic = label("L_Traffic");
    StyleBoldGreyLabel(L_Traffic);
    M_Traffic = new QPlainTextEdit(this);
    M_Traffic->setObjectName(QStringLiteral("M_Traffic"));
    M_Traffic->setReadOnly(true);
    M_Traffic->setMaximumBlockCount(static_cast<int>(TrafficLog::Capacity));
    M_Traffic->setLineWrapMode(QPlainTextEdit::NoWrap);
    M_Traffic->setFont(QFont(QStringLiteral("monospace")));
    M_Traffic->setTabChangesFocus(true);
    L_Traffic->setBuddy(M_Traffic);
    Btn_SaveTraffic = new VeldrinButton(QStringLiteral("Btn_SaveTraffic"), this);
    Btn_Close = new VeldrinButton(QStringLiteral("Btn_Close"), this);
    connect(Btn_SaveTraffic, &QPushButton::clicked, this, &TestPollWindow::saveTraffic);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::close);
    for (VeldrinButton* button : {Btn_Start, Btn_Stop, Btn_SaveTraffic, Btn_Close})
        button->setFixedSize(110, 28);

    auto* settings = new QGridLayout;
    settings->addWidget(L_Port, 0, 0);
    settings->addWidget(CB_Port, 0, 1, 1, 3);
    settings->addWidget(L_Timeout, 0, 4);
    settings->addWidget(SE_Timeout, 0, 5);
    settings->addWidget(L_Rounds, 1, 0);
    settings->addWidget(SE_Rounds, 1, 1);
    settings->addWidget(CB_UntilStopped, 1, 2);
    settings->addWidget(CB_SendWrites, 1, 3, 1, 3);
    settings->setColumnStretch(3, 1);
    auto* run = new QHBoxLayout;
    run->addStretch(1);
    run->addWidget(Btn_Start);
    run->addWidget(Btn_Stop);
    auto* trafficRow = new QHBoxLayout;
    trafficRow->addWidget(L_Traffic);
    trafficRow->addStretch(1);
    trafficRow->addWidget(Btn_SaveTraffic);
    auto* band = new QHBoxLayout;
    band->addStretch(1);
    band->addWidget(Btn_Close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(settings);
    layout->addLayout(run);
    layout->addWidget(L_Results);
    layout->addWidget(TV_Results, 3);
    layout->addWidget(L_Summary);
    layout->addLayout(trafficRow);
    layout->addWidget(M_Traffic, 2);
    layout->addLayout(band);

    // The keyboard goes through the settings, the run, the results, the traffic, then Close.
    QWidget::setTabOrder(CB_Port, SE_Timeout);
    QWidget::setTabOrder(SE_Timeout, SE_Rounds);
    QWidget::setTabOrder(SE_Rounds, CB_UntilStopped);
    QWidget::setTabOrder(CB_UntilStopped, CB_SendWrites);
    QWidget::setTabOrder(CB_SendWrites, Btn_Start);
    QWidget::setTabOrder(Btn_Start, Btn_Stop);
    QWidget::setTabOrder(Btn_Stop, TV_Results);
    QWidget::setTabOrder(TV_Results, Btn_SaveTraffic);
    QWidget::setTabOrder(Btn_SaveTraffic, M_Traffic);
    QWidget::setTabOrder(M_Traffic, Btn_Close);

    setRunning(false);
    resize(1040, 640);
}

void TestPollWindow::setSource(std::function<RequestTables()> tables,
                               std::function<GeneralParameter()> parameters)
{
    m_tables = std::move(tables);
    m_parameters = std::move(parameters);
    GeneralParameter shown;
    try {
        shown = m_parameters();
    } catch (const VeldrinError& error) {
        // Said again when a run is started.
        shown = GeneralParameter();
    }
    SE_Timeout->setValue(PollTimeoutMs(shown));
    if (!running()) {
        // The rows as they would be run, before the first run.
        m_ascii = SerialLineOf(shown.Baud_Rate, shown.Parity, shown.Ser_StopBits, shown.Ser_Prot).ascii;
        std::vector<RowResult> rows;
        for (PollRequest& request : PollRequests(m_tables(), std::nullopt)) {
            RowResult row;
            row.status = request.write() ? RowStatus::NotSent : RowStatus::NotRun;
            row.frame = FrameOf(request.slave, request.pdu, m_ascii);
            row.request = std::move(request);
            rows.push_back(std::move(row));
        }
        TV_Results->blockSignals(true);
        TV_Results->setRowCount(0);
        TV_Results->setRowCount(static_cast<int>(rows.size()));
        TV_Results->blockSignals(false);
        m_listed = std::move(rows);
        for (int i = 0; i < static_cast<int>(m_listed.size()); ++i)
            showResult(i, m_listed[static_cast<std::size_t>(i)]);
        TV_Results->resizeColumnsToContents();
    }
}

void TestPollWindow::listPorts(SerialPortLister* lister)
{
    const QString typed = CB_Port->currentText();
    CB_Port->clear();
    if (lister != nullptr) {
        QList<SerialPort> ports = lister->EnumPorts();
        SortPortsNaturally(ports);
        for (const SerialPort& port : ports)
            CB_Port->addItem(port.description.isEmpty()
                                 ? port.name
                                 : QStringLiteral("%1 (%2)").arg(port.name, port.description),
                             port.name);
    }
    CB_Port->setEditText(typed.isEmpty() && CB_Port->count() > 0 ? CB_Port->itemData(0).toString() : typed);
}

void TestPollWindow::setTexts(const QString& configurationName)
{
    m_configurationName = configurationName;
    const QString title = m_strings[polltext::Title];
    setWindowTitle(configurationName.isEmpty() ? title
                                               : QStringLiteral("%1 - %2").arg(title, configurationName));
    L_Port->setText(m_strings[polltext::Port]);
    L_Rounds->setText(m_strings[polltext::Rounds]);
    L_Timeout->setText(m_strings[polltext::Timeout]);
    CB_UntilStopped->setText(m_strings[polltext::UntilStopped]);
    CB_SendWrites->setText(m_strings[polltext::SendWrites]);
    Btn_Start->setCaption(m_strings[polltext::Start]);
    Btn_Stop->setCaption(m_strings[polltext::Stop]);
    Btn_SaveTraffic->setCaption(m_strings[polltext::SaveTraffic]);
    Btn_Close->setCaption(m_strings[polltext::Close]);
    L_Results->setText(m_strings[polltext::Results]);
    L_Traffic->setText(m_strings[polltext::Traffic]);
    QStringList headers;
    for (int i = 0; i < polltext::HeaderCount; ++i)
        headers.append(m_strings[polltext::FirstHeader + i]);
    headers.append(m_strings[polltext::FrameHeader]);
    TV_Results->setHorizontalHeaderLabels(headers);
    // Names for those who hear the window rather than see it.
    CB_Port->setAccessibleName(m_strings[polltext::Port]);
    SE_Rounds->setAccessibleName(m_strings[polltext::Rounds]);
    SE_Timeout->setAccessibleName(m_strings[polltext::Timeout]);
    CB_UntilStopped->setAccessibleName(m_strings[polltext::UntilStopped]);
    CB_SendWrites->setAccessibleName(m_strings[polltext::SendWrites]);
    Btn_Start->setAccessibleName(m_strings[polltext::Start]);
    Btn_Stop->setAccessibleName(m_strings[polltext::Stop]);
    Btn_SaveTraffic->setAccessibleName(m_strings[polltext::Traffic] + u' ' +
                                       m_strings[polltext::SaveTraffic]);
    Btn_Close->setAccessibleName(m_strings[polltext::Close]);
    TV_Results->setAccessibleName(m_strings[polltext::Results]);
    M_Traffic->setAccessibleName(m_strings[polltext::Traffic]);
    L_Summary->setAccessibleName(L_Summary->text());
}

std::optional<WriteValues> TestPollWindow::typedWriteValues(const std::vector<PollRequest>& writes)
{
    WriteValues values;
    for (const PollRequest& write : writes) {
        const auto typed = ParseWriteValues(m_typedValues[write.row], write);
        if (!typed) {
            m_prompts.error(WriteValuesRefusal(write, m_strings));
            return std::nullopt;
        }
        values[write.row] = *typed;
    }
    return values;
}

void TestPollWindow::startPoll()
{
    if (running() || !m_tables || !m_parameters)
        return;
    const QString chosen =
        CB_Port->currentIndex() >= 0 && CB_Port->currentText() == CB_Port->itemText(CB_Port->currentIndex())
            ? CB_Port->currentData().toString()
            : CB_Port->currentText().trimmed();
    if (chosen.isEmpty()) {
        m_prompts.error(m_strings[polltext::ChoosePort]);
        return;
    }
    const RequestTables tables = m_tables();
    GeneralParameter parameters;
    try {
        parameters = m_parameters();
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return;
    }
    PollSetup setup = PreparePoll(parameters, tables, std::nullopt, {}, m_strings);
    if (setup.refusal) {
        m_prompts.error(*setup.refusal);
        return;
    }
    const bool sendWrites = CB_SendWrites->isChecked();
    if (sendWrites) {
        std::vector<PollRequest> writes;
        for (const PollRequest& request : setup.requests) {
            if (request.write())
                writes.push_back(request);
        }
        const std::optional<WriteValues> values = typedWriteValues(writes);
        if (!values)
            return;
        if (!writes.empty() && !m_prompts.question(WriteConfirmation(writes, *values, m_strings)))
            return;
        setup.requests = PollRequests(tables, std::nullopt, *values);
    }
    PollSettings settings;
    settings.port = chosen;
    settings.line = setup.line;
    settings.timeoutMs = SE_Timeout->value();
    settings.rounds = CB_UntilStopped->isChecked() ? 0 : SE_Rounds->value();
    settings.sendWrites = sendWrites;
    m_ascii = setup.line.ascii;
    if (!m_runner) {
        m_runner = m_polls.newRunner();
        if (!m_runner) {
            m_prompts.error(m_polls.unavailableReason());
            return;
        }
        PollRunner::Listener listener;
        listener.rowDone = [this](int index) {
            showRow(index);
            appendTraffic();
        };
        listener.roundDone = [this](int) {
            showSummary();
            tellAnswered();
        };
        listener.finished = [this] {
            onFinished();
        };
        m_runner->setListener(std::move(listener));
    }
    M_Traffic->clear();
    m_trafficShown = 0;
    if (const auto failure = m_runner->start(settings, std::move(setup.requests))) {
        m_prompts.error(PortOpenMessage(failure->port, failure->error, failure->reason, m_strings));
        return;
    }
    // The opt-in holds for one run.
    CB_SendWrites->setChecked(false);
    m_listed.clear();
    TV_Results->blockSignals(true);
    TV_Results->setRowCount(0);
    TV_Results->setRowCount(static_cast<int>(m_runner->results().size()));
    TV_Results->blockSignals(false);
    for (int i = 0; i < static_cast<int>(m_runner->results().size()); ++i)
        showRow(i);
    setRunning(true);
    L_Summary->setText(m_strings[polltext::Running].arg(1));
}

void TestPollWindow::stopPoll()
{
    if (m_runner)
        m_runner->stop();
}

void TestPollWindow::saveTraffic()
{
    QString suggested = QStringLiteral("traffic.txt");
    if (!m_configurationName.isEmpty())
        suggested = m_configurationName + QStringLiteral("-traffic.txt");
    if (!m_runner)
        return;
    const QString path = m_files.saveFileName(this, m_strings[polltext::Traffic], suggested,
                                              m_strings[polltext::TrafficFilter]);
    if (path.isEmpty())
        return;
    try {
        m_runner->traffic().save(path);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
    }
}

void TestPollWindow::showRow(int index)
{
    showResult(index, m_runner->results()[static_cast<std::size_t>(index)]);
}

void TestPollWindow::showResult(int index, const RowResult& result)
{
    const PollRequest& request = result.request;
    const QString cells[ColumnCount] = {
        m_strings[request.write() ? polltext::WriteTable : polltext::ReadTable],
        QString::number(request.row),
        QString::number(request.slave),
        QStringLiteral("FC%1").arg(request.functionCode, 2, 10, QChar(u'0')),
        QString::number(request.address),
        QString::number(request.points),
        RowStatusText(result, m_strings),
        msText(result.lastMs),
        msText(result.minMs),
        msText(result.maxMs),
        request.write() ? m_typedValues[request.row] : ValuesText(result),
        request.write() ? QString() : BitRangeText(request.landing),
        FrameText(result.frame, m_ascii),
    };
    TV_Results->blockSignals(true);
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem* item = TV_Results->item(index, column);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            TV_Results->setItem(index, column, item);
        }
        item->setText(cells[column]);
        item->setData(Qt::UserRole, request.row);
        const bool typed = request.write() && column == ValuesColumn;
        item->setFlags(typed ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                             : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    TV_Results->blockSignals(false);
}

void TestPollWindow::showSummary()
{
    const PollRunner& run = *m_runner;
    QStringList lines = SummaryLines(run.summary(), m_strings);
    if (run.running())
        lines.prepend(m_strings[polltext::Running].arg(run.roundsDone() + 1));
    else if (run.end() == PollEnd::Stopped)
        lines.prepend(m_strings[polltext::Stopped].arg(run.roundsDone()));
    else if (run.end() == PollEnd::Done)
        lines.prepend(m_strings[polltext::Finished].arg(run.roundsDone()));
    else if (run.end() == PollEnd::PortLost)
        lines.prepend(PortLostMessage(run.portPath(), run.portError(), m_strings));
    L_Summary->setText(lines.join(u'\n'));
    L_Summary->setAccessibleName(L_Summary->text());
}

void TestPollWindow::appendTraffic()
{
    const TrafficLog& log = m_runner->traffic();
    const std::size_t fresh = std::min(log.total() - m_trafficShown, log.entries().size());
    for (std::size_t i = log.entries().size() - fresh; i < log.entries().size(); ++i)
        M_Traffic->appendPlainText(log.line(log.entries()[i]));
    m_trafficShown = log.total();
}

void TestPollWindow::onFinished()
{
    appendTraffic();
    TV_Results->resizeColumnsToContents();
    setRunning(false);
    showSummary();
    tellAnswered();
    if (m_runner->end() == PollEnd::PortLost)
        m_prompts.error(PortLostMessage(m_runner->portPath(), m_runner->portError(), m_strings));
}

void TestPollWindow::tellAnswered()
{
    const AnsweredRows rows = ReadRowsAnswered(m_runner->results());
    Q_EMIT rowsAnswered(rows.answered, rows.silent);
}

void TestPollWindow::setRunning(bool running)
{
    Btn_Start->setEnabled(!running);
    Btn_Stop->setEnabled(running);
    for (QWidget* setting :
         std::initializer_list<QWidget*>{CB_Port, SE_Timeout, CB_UntilStopped, CB_SendWrites})
        setting->setEnabled(!running);
    SE_Rounds->setEnabled(!running && !CB_UntilStopped->isChecked());
}

void TestPollWindow::closeEvent(QCloseEvent* event)
{
    stopPoll();
    QDialog::closeEvent(event);
}

void TestPollWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        stopPoll();
    QDialog::hideEvent(event);
}

void TestPollWindow::placeBeside(const QWidget& parent)
{
    PlaceBeside(this, parent);
}

} // namespace veldrin

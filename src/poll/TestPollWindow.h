// The test poll beside the request grids: the configuration's read requests run on a serial
// port of this PC, with the device's own settings, before anything is loaded into the device.
// Per row the outcome, round trips, values and where they land; a summary; the traffic on
// the line, saved on request. Write rows are listed with their frames and sent only on an
// explicit, confirmed opt-in. The run is event driven: the window stays responsive, Stop ends
// the run at once, and closing the window stops it.
#pragma once

#include "access/RequestTables.h"
#include "poll/PollRunner.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace veldrin {

class FileChooser;
class Prompts;
class SerialPortLister;
class StringTable;
class VeldrinButton;
struct GeneralParameter;

class TestPollWindow : public QDialog {
    Q_OBJECT

public:
    // tables gives the request tables as they stand when a run starts; parameters the
    // configuration's communication parameters.
    // polls gives the runner, the first time a run starts.
    TestPollWindow(const StringTable& strings, Prompts& prompts, FileChooser& files, PollService& polls,
                   QWidget* parent);

    void setSource(std::function<RequestTables()> tables, std::function<GeneralParameter()> parameters);
    // Fills the port list from lister (may be null: then only a typed path).
    void listPorts(SerialPortLister* lister);
    void setTexts(const QString& configurationName);

    // Start: checks, asks before sending writes when the opt-in is ticked, opens the port and
    // runs. Every refusal is one message, and nothing is sent.
    void startPoll();
    void stopPoll();
    // Asks where to save the traffic, and saves it there; a failure is reported.
    void saveTraffic();

    // The runner of the runs so far; null before the first.
    const PollRunner* runner() const { return m_runner.get(); }
    bool running() const { return m_runner && m_runner->running(); }
    // Places the window beside parent, on its right where the screen has room, else on its left.
    void placeBeside(const QWidget& parent);

Q_SIGNALS:
    // After each round and at the end of a run: the read rows that answered (values or an
    // exception) and those that did not, for the data-area map.
    void rowsAnswered(const std::vector<int>& answered, const std::vector<int>& silent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showRow(int index);
    void showResult(int index, const RowResult& result);
    void tellAnswered();
    void showResults();
    void showSummary();
    void appendTraffic();
    void onFinished();
    void setRunning(bool running);
    // The typed values of the write rows, by row; nothing when one is refused (then said).
    std::optional<WriteValues> typedWriteValues(const std::vector<PollRequest>& writes);

    const StringTable& m_strings;
    Prompts& m_prompts;
    FileChooser& m_files;
    std::function<RequestTables()> m_tables;
    std::function<GeneralParameter()> m_parameters;
    PollService& m_polls;
    std::unique_ptr<PollRunner> m_runner;
    std::size_t m_trafficShown = 0;
    bool m_ascii = false;
    // The rows listed before the first run.
    std::vector<RowResult> m_listed;
    QString m_configurationName;
    // What the user typed for each write row, kept across runs.
    std::map<int, QString> m_typedValues;

    QLabel* L_Port;
    QComboBox* CB_Port;
    QLabel* L_Rounds;
    QSpinBox* SE_Rounds;
    QCheckBox* CB_UntilStopped;
    QLabel* L_Timeout;
    QSpinBox* SE_Timeout;
    QCheckBox* CB_SendWrites;
    VeldrinButton* Btn_Start;
    VeldrinButton* Btn_Stop;
    QLabel* L_Results;
    QTableWidget* TV_Results;
    QLabel* L_Summary;
    QLabel* L_Traffic;
    QPlainTextEdit* M_Traffic;
    VeldrinButton* Btn_SaveTraffic;
    VeldrinButton* Btn_Close;
};

} // namespace veldrin

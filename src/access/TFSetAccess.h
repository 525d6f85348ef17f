// The Set Modbus Access dialog: the read and write request tables of the open configuration
// in two grids, edited, checked and saved to its ModbusM_SetAccess.xml. Below the grids, the
// bus load they ask of the serial line; beside them, on request, the map of the data areas.
#pragma once

#include "access/BusLoad.h"
#include "access/DataAreaMapPainter.h"
#include "access/RequestTables.h"
#include "widgets/VeldrinDialog.h"

#include <optional>

class QAction;
class QLabel;
class QTabWidget;

namespace veldrin {

class DataAreaMapWindow;
class FileChooser;
class PollService;
class SerialPortLister;
class TestPollWindow;
class RequestGrid;
class RequestTableModel;

class TFSetAccess : public VeldrinDialog {
    Q_OBJECT

public:
    TFSetAccess(AppState& state, Prompts& prompts, FileChooser& files, QWidget* parent);

    void Set_Lang() override;

    // Reads the file afresh and shows the dialog modally. A file the grids cannot show
    // without losing rows, or that cannot be read, is reported and the dialog does not open.
    int exec() override;

    // Empties the grids, shows the read page and loads the file at SetAccessPath. False,
    // with the reason shown, when the file cannot be read; the grids are then empty.
    bool FormShow();
    // OK: checks, asks before dropping rows that follow an empty Slave ID, saves, closes.
    void bitbtn1Click();
    void Btn_DelRowClick();
    void Btn_InsertRowClick();

    const RequestTables& tables() const { return m_tables; }
    // The grid of the page on show.
    RequestGrid* currentGrid() const;

    // Opens the data-area map beside the dialog, or brings it to the front.
    void Btn_MapClick();
    // Writes the table on show to a CSV file the user chooses.
    void exportCsv();
    // Reads a CSV file the user chooses into the table on show, in place of its rows or after
    // them, as one step that can be undone; nothing changes while a line is refused.
    void importCsv();
    // The map window once it has been opened, else null.
    DataAreaMapWindow* mapWindow() const { return m_map; }

    // Where the test poll gets its runs and its list of ports; without a service the test poll
    // button does nothing.
    void setPolling(PollService* polls, SerialPortLister* ports);
    // Opens the test poll beside the dialog, or brings it to the front.
    void Btn_TestPollClick();
    // The test poll window once it has been opened, else null.
    TestPollWindow* pollWindow() const { return m_poll; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TableKind currentKind() const;
    void showBusLoad();
    RequestGrid* grid(TableKind kind) const;
    // Redraws the map of a table after an edit, while the map is open.
    void showMap(TableKind kind);
    // Selects a row the user picked in the map, on its page.
    void selectRow(TableKind kind, int row);

    RequestTables m_tables;
    bool m_loadedForShowing = false;

    QTabWidget* PageControl1;
    QWidget* TS_Modbus_Read;
    QWidget* TS_Modbus_Write;
    RequestTableModel* m_readModel;
    RequestTableModel* m_writeModel;
    RequestGrid* ACG_Modbus_Read;
    RequestGrid* ACG_Modbus_Write;
    VeldrinButton* Btn_OK;
    VeldrinButton* Btn_Cancel;
    VeldrinButton* Btn_DelRow;
    VeldrinButton* Btn_InsRow;
    VeldrinButton* Btn_ImportCsv;
    VeldrinButton* Btn_ExportCsv;
    VeldrinButton* Btn_Map;
    VeldrinButton* Btn_TestPoll;
    QAction* Act_ImportCsv;
    QAction* Act_ExportCsv;
    FileChooser& m_files;
    DataAreaMapWindow* m_map = nullptr;
    TestPollWindow* m_poll = nullptr;
    // What the test poll of this showing heard, for the map.
    PollMarks m_pollMarks;
    PollService* m_polls = nullptr;
    SerialPortLister* m_ports = nullptr;
    // The bus load both tables ask of the configuration's serial line, kept up to date.
    QLabel* L_Bus_Load;
    std::optional<SerialLine> m_line;
};

} // namespace veldrin

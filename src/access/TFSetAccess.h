// The Set Modbus Access dialog: the read and write request tables of the open configuration
// in two grids, edited, checked and saved to its ModbusM_SetAccess.xml.
#pragma once

#include "access/BusLoad.h"
#include "access/RequestTables.h"
#include "widgets/VeldrinDialog.h"

#include <optional>

class QLabel;
class QTabWidget;

namespace veldrin {

class RequestGrid;
class RequestTableModel;

class TFSetAccess : public VeldrinDialog {
    Q_OBJECT

public:
    TFSetAccess(AppState& state, Prompts& prompts, QWidget* parent);

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

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TableKind currentKind() const;
    void showBusLoad();

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
    // The bus load both tables ask of the configuration's serial line, kept up to date.
    QLabel* L_Bus_Load;
    std::optional<SerialLine> m_line;
};

} // namespace veldrin

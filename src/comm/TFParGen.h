// The Set Communication dialog: edits, checks and saves the open configuration's ParGen.xml.
#pragma once

#include "comm/GeneralParameter.h"
#include "widgets/VeldrinDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace veldrin {

class TFParGen : public VeldrinDialog {
    Q_OBJECT

public:
    TFParGen(AppState& state, Prompts& prompts, QWidget* parent);

    void Set_Lang() override;

    // Reads ParGenPath afresh, then runs the dialog. A file that cannot be read is reported
    // and the dialog does not open: the result is Rejected.
    int exec() override;

    // Loads the file into the controls and lays them out for its device type; false, after
    // reporting why, when the file cannot be read.
    bool FormShow();
    // Checks the entries, writes the file and closes with OK; on a failed check or write
    // the reason is shown and the dialog stays open with the entries as they are.
    void Btn_OKClick();
    // Closes with Cancel, after asking when something was edited.
    void Btn_CancelClick();
    // Keeps the window's top edge on the screen.
    void FormActivate();

    bool Is_Change() const { return m_Is_Change; }
    // The record the controls hold now; a list showing no entry keeps the index it was
    // loaded with, so an index outside its list is written back unchanged.
    GeneralParameter recordFromControls() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Box { SelectDevice, Ethernet, ModbusMaster };

    QGroupBox* addBox(const char* objectName);
    QLabel* addLabel(QWidget* box, const char* objectName, int left, int top);
    QLineEdit* addEdit(QWidget* box, const QString& objectName, int left, int top, int width);
    QComboBox* addList(QWidget* box, const char* objectName, const QStringList& entries, int left, int top,
                       int width);
    VeldrinButton* addToggle(QGroupBox* box, const char* objectName, const char* picture);

    void Collapse_Expand_Creation();
    void Move_GroupBoxs();
    void RePosition_Objects_418();
    void Btn_GB_Collapse(QObject* sender);
    void Btn_GB_Expande(QObject* sender);
    void setExpanded(Box box, bool expanded);
    void On_Change(QObject* sender);
    void On_Click();
    // The "." key in octet box number index (0 to 11): on to the next box of the chain.
    void KeyPress(int index);
    // The device type the controls show, or the one loaded when the list shows none.
    int deviceType() const;
    void focusFirstField();

    bool m_Is_Change = false;
    bool GB_Select_Device_Visible = true;
    bool GB_Ethernet_Visible = true;
    bool GB_Modbus_Master_Visible = true;
    // Set by exec once the file is loaded, so the showing that follows does not load again.
    bool m_loadedForShow = false;
    GeneralParameter m_loaded;

    QGroupBox* GB_select_Device;
    QComboBox* CB_Select_Device;
    VeldrinButton* Btn_Select_Device_Collapse;
    VeldrinButton* Btn_Select_Device_Expande;

    QGroupBox* GB_Ethernet;
    QLabel* L_Eth_IP;
    QLabel* L_Eth_SM;
    std::array<QLineEdit*, 4> E_IP;
    std::array<QLineEdit*, 4> E_SM;
    std::array<QLineEdit*, 4> E_GAT;
    std::array<QLabel*, 3> L_IP_Dot;
    QCheckBox* CB_Eth_EN_GAT;
    QLabel* L_Eth_Port;
    QLineEdit* E_PORT;
    QLabel* L_Eth_Protocol;
    QComboBox* CB_Eth_Protocol;
    VeldrinButton* Btn_Ethernet_Collapse;
    VeldrinButton* Btn_Ethernet_Expande;

    QGroupBox* GB_Modbus_Master;
    QLabel* L_ModMaster_Serial;
    QComboBox* CB_Serial_Modbus_Master;
    QLabel* L_ModMaster_Baud;
    QComboBox* CB_Baud_Modbus_Master;
    QLabel* L_ModMaster_Par;
    QComboBox* CB_Par_Modbus_Master;
    QLabel* L_ModMaster_StopBits;
    QComboBox* CB_StopBit_Modbus_Master;
    QLabel* L_ModMaster_TO;
    QLineEdit* E_TO_Modbus_Master;
    QLabel* L_ModMaster_Idle;
    QLineEdit* E_CD_Modbus_Master;
    QLabel* L_ModMaster_Protocol;
    QComboBox* CB_Modbus_Master_Protocol;
    VeldrinButton* Btn_Modbus_Master_Collapse;
    VeldrinButton* Btn_Modbus_Master_Expande;

    VeldrinButton* Btn_OK;
    VeldrinButton* Btn_Cancel;

    // The 12 octet boxes in the order the "." key walks them.
    std::array<QLineEdit*, 12> m_octets;
};

} // namespace veldrin

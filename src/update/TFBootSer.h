// The serial update dialog: boot-mode instructions and the port (page 1), the update options
// and the serial updater (page 2).
#pragma once

#include "update/SerialCommandLine.h"
#include "update/SerialPorts.h"
#include "update/UpdateOptionBoxes.h"
#include "widgets/VeldrinDialog.h"

#include <memory>

class QComboBox;

namespace veldrin {

class ProgramStarter;

class TFBootSer : public VeldrinDialog {
    Q_OBJECT

public:
    TFBootSer(AppState& state, Prompts& prompts, SerialPortLister& ports, ProgramStarter& starter,
              QWidget* parent);

    void Set_Lang() override;

    void update_ComPort();
    void Btn_NextClick();
    void Btn_UpdateClick();

    int page() const { return m_page; }
    // The port chosen in the list; "" when the list is empty.
    QString selectedPort() const;
    UpdateOptions options() const;
    // The command line for the port and options now chosen.
    QString commandLine() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPage(int page);
    void showPortHint();

    SerialPortLister& m_ports;
    ProgramStarter& m_starter;
    QList<SerialPort> m_found;
    int m_page = 1;

    QLabel* L_Steps1;
    QLabel* L_Steps2;
    QLabel* L_Steps3;
    QLabel* L_Steps4;
    QComboBox* CB_Com;
    VeldrinButton* Btn_COM_List;
    QLabel* L_Port_Hint;
    QLabel* L_Steps5;
    QLabel* L_Options;
    std::unique_ptr<UpdateOptionBoxes> m_options;
    VeldrinButton* Btn_Cancel;
    VeldrinButton* Btn_Next;
    VeldrinButton* Btn_Update;
    QLabel* L_Status;
};

} // namespace veldrin

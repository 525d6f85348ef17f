// The serial update dialog: boot-mode instructions and the port (page 1), the update options
// and the serial updater (page 2).
#pragma once

#include "update/SerialCommandLine.h"
#include "update/SerialPorts.h"
#include "update/UpdateDialog.h"

class QComboBox;

namespace veldrin {

class TFBootSer : public UpdateDialog {
    Q_OBJECT

public:
    TFBootSer(AppState& state, Prompts& prompts, SerialPortLister& ports, ProgramStarter& starter,
              QWidget* parent);

    void Set_Lang() override;

    void update_ComPort();
    void Btn_NextClick();
    void Btn_UpdateClick();

    // The port chosen in the list; "" when the list is empty.
    QString selectedPort() const;
    // The command line for the port and options now chosen.
    QString commandLine() const;

protected:
    void showEvent(QShowEvent* event) override;

    void placeFirstPage() override;
    void nextClicked() override { Btn_NextClick(); }
    LoadRecord::Route route() const override { return LoadRecord::Route::Serial; }
    QString target() const override { return selectedPort(); }
    void updateClicked() override { Btn_UpdateClick(); }

private:
    void showPortHint();

    SerialPortLister& m_ports;
    QList<SerialPort> m_found;

    QLabel* L_Steps1;
    QLabel* L_Steps2;
    QLabel* L_Steps3;
    QLabel* L_Steps4;
    QComboBox* CB_Com;
    VeldrinButton* Btn_COM_List;
    QLabel* L_Port_Hint;
    QLabel* L_Steps5;
};

} // namespace veldrin

// The Ethernet update dialog: the device's address and the connection check (page 1), the
// update options, the parameter file and the Ethernet updater (page 2).
#pragma once

#include "update/ConnectionCheck.h"
#include "update/UpdateDialog.h"

#include <array>

class QLineEdit;

namespace veldrin {

class Clock;
class IcmpEcho;

class TFBootTCP : public UpdateDialog {
    Q_OBJECT

public:
    TFBootTCP(AppState& state, Prompts& prompts, IcmpEcho& echo, Clock& clock, ProgramStarter& starter,
              QWidget* parent);

    void Set_Lang() override;

    // Page 1, the address from the last device, no check done.
    void FormShow();
    // The connection check; the window stays usable while it runs.
    void LbButton1Click();
    // Next: page 2 once the device was found.
    void LbButton2Click();
    // Execute: writes Ethernet_Update.xml and runs the Ethernet updater.
    void LbButton4Click();
    // Writes Ethernet_Update.xml for the checked address and the options now chosen.
    void Compile_XML_Parameter();

    // The last check found the device at the address the boxes still hold.
    bool Esegui_Ping() const { return m_Esegui_Ping; }
    bool isChecking() const { return m_check.isRunning(); }
    // The four box texts joined with ".".
    QString addressText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void placeFirstPage() override;
    void nextClicked() override { LbButton2Click(); }
    LoadRecord::Route route() const override { return LoadRecord::Route::Ethernet; }
    QString target() const override { return m_deviceAddress; }
    void updateClicked() override { LbButton4Click(); }

private:
    // The "." key in the first three boxes: on to the next box.
    void E_IPKeyPress(int index);
    void addressEdited();
    void checkFinished(ConnectionCheck::Outcome outcome);
    void showCheckResult(const QString& text, const QColor& colour, const QString& detail = {});

    ConnectionCheck m_check;
    bool m_Esegui_Ping = false;
    // The address found by the check, in plain dotted form.
    QString m_deviceAddress;

    QLabel* L_IP_Address;
    std::array<QLineEdit*, 4> m_ip;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* L_Ping;
    VeldrinButton* Btn_Ping;
    QLabel* LPing;
};

} // namespace veldrin

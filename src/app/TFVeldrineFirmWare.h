// The main window: the product, the open configuration and one button per step.
#pragma once

#include <QWidget>

class QLabel;

namespace veldrin {

struct AppState;
class Prompts;

class TFVeldrineFirmWare : public QWidget {
    Q_OBJECT

public:
    TFVeldrineFirmWare(AppState& state, Prompts& prompts, QWidget* parent = nullptr);

    // Writes Veldrin.xml; a failure is shown in the error box.
    bool Save_Setting();
    void Set_Lang();
    // The active-configuration labels for the configuration now open.
    void ShowActiveConfig();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* addLabel(const char* objectName, int left, int top);

    AppState& m_state;
    Prompts& m_prompts;

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* L_Begin;
    QLabel* L_Name_Conf;
    QLabel* L_Name_Conf_L2;
};

} // namespace veldrin

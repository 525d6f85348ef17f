#include "app/TFVeldrineFirmWare.h"

#include "app/AppState.h"
#include "app/SettingsFile.h"
#include "common/Prompts.h"
#include "common/VeldrinError.h"

#include <QCloseEvent>
#include <QLabel>

namespace veldrin {

TFVeldrineFirmWare::TFVeldrineFirmWare(AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_state(state), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TFVeldrineFirmWare"));
    setFixedSize(694, 396);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(248, 248, 237));
    setPalette(background);

    L_SW_Code = addLabel("L_SW_Code", 16, 8);
    L_SW_Desc = addLabel("L_SW_Desc", 16, 42);
    L_Begin = addLabel("L_Begin", 16, 84);
    L_Name_Conf = addLabel("L_Name_Conf", 87, 75);
    L_Name_Conf_L2 = addLabel("L_Name_Conf_L2", 87, 88);

    setWindowTitle(m_state.WindowTitle);
    L_SW_Code->setText(m_state.SoftwareCode);
    L_SW_Desc->setText(m_state.SoftwareDescription);
    ShowActiveConfig();
    Set_Lang();
}

QLabel* TFVeldrineFirmWare::addLabel(const char* objectName, int left, int top)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->move(left, top);
    return label;
}

void TFVeldrineFirmWare::Set_Lang()
{
    L_Begin->setText(m_state.Strings[0]);
    L_Begin->adjustSize();
}

void TFVeldrineFirmWare::ShowActiveConfig()
{
    L_Name_Conf->setText(m_state.ActiveConfigLabel());
    L_Name_Conf_L2->setText(m_state.ActiveConfigLabel2());
    L_Name_Conf->adjustSize();
    L_Name_Conf_L2->adjustSize();
}

bool TFVeldrineFirmWare::Save_Setting()
{
    try {
        WriteSettingsFile(m_state.SettingsPath(), m_state.Settings);
        return true;
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return false;
    }
}

void TFVeldrineFirmWare::closeEvent(QCloseEvent* event)
{
    // The settings are saved at every close; a failure is reported and the window still
    // closes, so the user is never trapped in the tool.
    Save_Setting();
    event->accept();
}

} // namespace veldrin

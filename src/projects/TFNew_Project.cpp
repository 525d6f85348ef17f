#include "projects/TFNew_Project.h"

#include "common/Prompts.h"
#include "projects/Configurations.h"
#include "session/AppState.h"

#include <QLabel>
#include <QLineEdit>

namespace veldrin {

TFNew_Project::TFNew_Project(AppState& state, Prompts& prompts, QWidget* parent)
    : VeldrinDialog(state, prompts, QStringLiteral("TFNew_Project"), parent)
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 94, 297, 21);
    Label1->setBuddy(E_New_Proj);

    Btn_OK = addBandButton(QStringLiteral("Btn_OK"), VeldrinButton::ModalResult::None);
    Btn_Cancel = addBandButton(QStringLiteral("Btn_Cancel"), VeldrinButton::ModalResult::Cancel);
    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);

    setClientSize(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setHeader(text(25), text(26));
    Label1->setText(text(27));
    Label1->adjustSize();
    E_New_Proj->setAccessibleName(text(27));
    Btn_OK->setCaption(text(28));
    Btn_Cancel->setCaption(text(29));
}

void TFNew_Project::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->text();
    if (const auto refused = CreateConfiguration(m_state.ProjectsDir, name)) {
        m_prompts.error(text(*refused));
        return;
    }
    m_state.OpenConfiguration(name);
    accept();
}

} // namespace veldrin

#include "widgets/VeldrinDialog.h"

#include "session/AppState.h"
#include "widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>

namespace veldrin {

VeldrinDialog::VeldrinDialog(AppState& state, Prompts& prompts, const QString& objectName, QWidget* parent)
    : QDialog(parent), m_state(state), m_prompts(prompts)
{
    setObjectName(objectName);
    ApplyBackground(this);

    P_Title = new QWidget(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    ApplyBackground(P_Title, QColor(255, 255, 255));
    L_SW_Code = new QLabel(m_state.SoftwareCode, P_Title);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    StyleCodeLabel(L_SW_Code);
    L_SW_Code->move(16, 6);
    L_SW_Code->adjustSize();
    L_SW_Desc = new QLabel(P_Title);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    StyleBoldGreyLabel(L_SW_Desc);
    L_SW_Desc->move(16, 44);

    P_Button = new QWidget(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    m_band = new QHBoxLayout(P_Button);
    m_band->setContentsMargins(8, 6, 8, 6);
    m_band->setSpacing(8);
    m_band->addStretch(1);
}

void VeldrinDialog::setClientSize(int width, int height, bool resizable)
{
    if (resizable) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMaximizeButtonHint);
        setMinimumSize(qMin(width, 320), qMin(height, 240));
        resize(width, height);
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::MSWindowsFixedSizeDialogHint);
        setFixedSize(width, height);
    }
}

void VeldrinDialog::addBandStatus(QWidget* widget)
{
    widget->setParent(P_Button);
    m_band->insertWidget(0, widget, 1);
    // The room the buttons leave goes to the widget, not to the band's spacing before them.
    m_band->setStretch(1, 0);
}

VeldrinButton* VeldrinDialog::addBandButton(const QString& objectName, VeldrinButton::ModalResult result)
{
    auto* button = new VeldrinButton(objectName, P_Button);
    button->setFixedSize(110, 28);
    button->setModalResult(result);
    m_band->addWidget(button);
    return button;
}

VeldrinButton* VeldrinDialog::placeBandButton(const QString& objectName, VeldrinButton::ModalResult result,
                                              int left, int width)
{
    auto* button = new VeldrinButton(objectName, P_Button);
    button->setGeometry(left, 6, width, 28);
    button->setModalResult(result);
    return button;
}

void VeldrinDialog::setHeader(const QString& title, const QString& description)
{
    setWindowTitle(title);
    L_SW_Desc->setText(description);
    L_SW_Desc->adjustSize();
}

const QString& VeldrinDialog::text(int index) const
{
    return m_state.Strings[index];
}

void VeldrinDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    P_Title->setGeometry(0, 0, width(), TitleHeight);
    P_Button->setGeometry(0, height() - BandHeight, width(), BandHeight);
}

} // namespace veldrin

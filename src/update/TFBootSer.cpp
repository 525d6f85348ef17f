#include "update/TFBootSer.h"

#include "common/Prompts.h"
#include "configuration/WorkspaceLayout.h"
#include "session/AppState.h"

#include <QComboBox>
#include <QLabel>

namespace veldrin {

TFBootSer::TFBootSer(AppState& state, Prompts& prompts, SerialPortLister& ports, ProgramStarter& starter,
                     QWidget* parent)
    : UpdateDialog(state, prompts, starter, QStringLiteral("TFBootSer"), parent), m_ports(ports)
{
    auto label = [this](const char* name) {
        auto* created = new QLabel(this);
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };
    L_Steps1 = label("L_Steps1");
    L_Steps2 = label("L_Steps2");
    L_Steps3 = label("L_Steps3");
    L_Steps4 = label("L_Steps4");
    CB_Com = new QComboBox(this);
    CB_Com->setObjectName(QStringLiteral("CB_Com"));
    CB_Com->setEditable(false);
    CB_Com->resize(150, 22);
    connect(CB_Com, &QComboBox::currentIndexChanged, this, &TFBootSer::showPortHint);
    Btn_COM_List = new VeldrinButton(QStringLiteral("Btn_COM_List"), this);
    Btn_COM_List->setPicture(QStringLiteral("refresh"), 16);
    Btn_COM_List->resize(26, 26);
    connect(Btn_COM_List, &QPushButton::clicked, this, &TFBootSer::update_ComPort);
    L_Port_Hint = label("L_Port_Hint");
    L_Port_Hint->setStyleSheet(QStringLiteral("color: #b00000;"));
    L_Port_Hint->setWordWrap(true);
    L_Steps5 = label("L_Steps5");
    L_Steps4->setBuddy(CB_Com);
    setFirstPage({L_Steps1, L_Steps2, L_Steps3, L_Steps4, CB_Com, Btn_COM_List, L_Port_Hint, L_Steps5});

    setClientSize(350, 233);
    Set_Lang();
    showPage(1);
}

void TFBootSer::Set_Lang()
{
    setHeader(text(73), text(74));
    const std::pair<QLabel*, int> labels[] = {
        {L_Steps1, 75}, {L_Steps2, 76}, {L_Steps3, 77}, {L_Steps4, 78}, {L_Steps5, 79}};
    for (const auto& [label, index] : labels) {
        label->setText(text(index));
        label->adjustSize();
    }
    Btn_COM_List->setHint(text(80));
    CB_Com->setAccessibleName(text(78));
    setSharedTexts(81, 86, 87, 88);
}

void TFBootSer::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    update_ComPort();
    showPage(1);
}

void TFBootSer::placeFirstPage()
{
    L_Steps1->move(16, 75);
    L_Steps2->move(36, 93);
    L_Steps3->move(36, 112);
    L_Steps4->move(36, 131);
    CB_Com->move(54, 151);
    Btn_COM_List->move(209, 148);
    L_Port_Hint->setGeometry(240, 146, 106, 30);
    L_Steps5->move(36, 176);
    CB_Com->setFocus();
}

void TFBootSer::update_ComPort()
{
    m_found = m_ports.EnumPorts();
    const QSignalBlocker quiet(CB_Com);
    CB_Com->clear();
    for (const SerialPort& port : m_found) {
        QString entry = port.name;
        if (!port.description.isEmpty())
            entry += QStringLiteral(" - ") + port.description;
        CB_Com->addItem(entry, port.name);
        CB_Com->setItemData(CB_Com->count() - 1, AccessAdviceFor(port, m_state.Strings).advice,
                            Qt::ToolTipRole);
    }
    CB_Com->setCurrentIndex(m_found.isEmpty() ? -1 : 0);
    showPortHint();
}

void TFBootSer::showPortHint()
{
    const int index = CB_Com->currentIndex();
    PortAccessAdvice advice = index >= 0 && index < m_found.size()
                                  ? AccessAdviceFor(m_found[index], m_state.Strings)
                                  : PortAccessAdvice{};
    // An installation that cannot list ports says so, instead of an empty list alone.
    if (m_found.isEmpty() && !m_ports.unavailableReason().isEmpty())
        advice = {text(212), m_ports.unavailableReason()};
    L_Port_Hint->setText(advice.hint);
    L_Port_Hint->setToolTip(advice.advice);
}

QString TFBootSer::selectedPort() const
{
    return CB_Com->currentIndex() >= 0 ? CB_Com->currentData().toString() : QString();
}

QString TFBootSer::commandLine() const
{
    return BuildSerialCommandLine(selectedPort(), options(), m_state.MasterDir, m_state.ActiveConfigDir);
}

void TFBootSer::Btn_NextClick()
{
    if (selectedPort().isEmpty()) {
        m_prompts.error(text(89));
        return;
    }
    showPage(2);
}

void TFBootSer::Btn_UpdateClick()
{
    if (updaterIdle())
        runUpdater(QLatin1String(layout::SerialUpdaterProgram), commandLine());
}

} // namespace veldrin

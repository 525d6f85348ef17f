#include "update/TFBootSer.h"

#include "common/Prompts.h"
#include "session/AppState.h"
#include "update/ProgramStarter.h"
#include "update/UpdateOptionBoxes.h"
#include "update/UpdaterPaths.h"

#include <QComboBox>
#include <QLabel>

namespace veldrin {

namespace {
const QString SerialUpdater = QStringLiteral("Ser_30418_Update");
} // namespace

TFBootSer::TFBootSer(AppState& state, Prompts& prompts, SerialPortLister& ports, ProgramStarter& starter,
                     QWidget* parent)
    : VeldrinDialog(state, prompts, QStringLiteral("TFBootSer"), parent), m_ports(ports), m_starter(starter)
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

    L_Options = label("L_Options");
    m_options = std::make_unique<UpdateOptionBoxes>(this);

    Btn_Cancel = placeBandButton(QStringLiteral("Btn_Cancel"), VeldrinButton::ModalResult::Cancel, 16);
    Btn_Next = placeBandButton(QStringLiteral("Btn_Next"), VeldrinButton::ModalResult::None, 134);
    Btn_Update = placeBandButton(QStringLiteral("Btn_Update"), VeldrinButton::ModalResult::None, 16, 160);
    connect(Btn_Next, &QPushButton::clicked, this, &TFBootSer::Btn_NextClick);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBootSer::Btn_UpdateClick);
    L_Status = new QLabel(P_Button);
    L_Status->setObjectName(QStringLiteral("L_Status"));
    L_Status->setGeometry(184, 2, 160, 36);
    L_Status->setWordWrap(true);

    setClientSize(350, 233);
    Set_Lang();
    showPage(1);
}

void TFBootSer::Set_Lang()
{
    setWindowTitle(text(73));
    L_SW_Desc->setText(text(74));
    L_SW_Desc->adjustSize();
    const std::pair<QLabel*, int> labels[] = {{L_Steps1, 75}, {L_Steps2, 76}, {L_Steps3, 77},
                                              {L_Steps4, 78}, {L_Steps5, 79}, {L_Options, 81}};
    for (const auto& [label, index] : labels) {
        label->setText(text(index));
        label->adjustSize();
    }
    Btn_COM_List->setHint(text(80));
    CB_Com->setAccessibleName(text(78));
    m_options->setTexts(m_state.Strings, 82);
    Btn_Cancel->setCaption(text(86));
    Btn_Next->setCaption(text(87));
    Btn_Update->setCaption(text(88));
}

void TFBootSer::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    update_ComPort();
    showPage(1);
}

void TFBootSer::showPage(int page)
{
    m_page = page;
    const bool first = page == 1;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{L_Steps1, L_Steps2, L_Steps3, L_Steps4, CB_Com, Btn_COM_List,
                                         L_Port_Hint, L_Steps5, Btn_Cancel, Btn_Next})
        widget->setVisible(first);
    for (QWidget* widget : std::initializer_list<QWidget*>{L_Options, Btn_Update, L_Status})
        widget->setVisible(!first);
    m_options->setVisible(!first);
    if (first) {
        L_Steps1->move(16, 75);
        L_Steps2->move(36, 93);
        L_Steps3->move(36, 112);
        L_Steps4->move(36, 131);
        CB_Com->move(54, 151);
        Btn_COM_List->move(209, 148);
        L_Port_Hint->setGeometry(240, 146, 106, 30);
        L_Steps5->move(36, 176);
        CB_Com->setFocus();
    } else {
        L_Options->move(16, 75);
        m_options->place(96);
        L_Status->clear();
        Btn_Update->setFocus();
    }
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
        if (!port.usable)
            CB_Com->setItemData(
                CB_Com->count() - 1,
                QStringLiteral("You may not open this port: ask for membership of the dialout "
                               "group and log in again."),
                Qt::ToolTipRole);
    }
    CB_Com->setCurrentIndex(m_found.isEmpty() ? -1 : 0);
    showPortHint();
}

void TFBootSer::showPortHint()
{
    const int index = CB_Com->currentIndex();
    const bool blocked = index >= 0 && index < m_found.size() && !m_found[index].usable;
    L_Port_Hint->setText(blocked ? QStringLiteral("No access: join the dialout group") : QString());
    L_Port_Hint->setToolTip(blocked ? CB_Com->itemData(index, Qt::ToolTipRole).toString() : QString());
}

QString TFBootSer::selectedPort() const
{
    return CB_Com->currentIndex() >= 0 ? CB_Com->currentData().toString() : QString();
}

UpdateOptions TFBootSer::options() const
{
    return m_options->options();
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
    if (m_starter.isBusy()) {
        m_prompts.error(ProgramStarter::BusyMessage());
        return;
    }
    const QString program = UpdaterProgram(m_state.ProgramDir, SerialUpdater);
    L_Status->setText(QStringLiteral("%1 is running...").arg(SerialUpdater));
    const RunOutcome outcome = m_starter.Start_Program(program, commandLine(), 0);
    L_Status->setText(outcome.statusLine(program));
}

} // namespace veldrin

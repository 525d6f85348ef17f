#include "comm/TFParGen.h"

#include "comm/CommunicationChecks.h"
#include "comm/GeneralParameterFile.h"
#include "comm/ParGenLayout.h"
#include "common/Prompts.h"
#include "common/TextRules.h"
#include "common/VeldrinError.h"
#include "configuration/ParGenLists.h"
#include "session/AppState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

#include <initializer_list>
#include <iterator>
#include <utility>

namespace veldrin {

namespace {

constexpr int EditHeight = 21;
constexpr int OctetWidth = 48;
constexpr int OctetStep = 72;
constexpr int FieldLeft = 160;
constexpr int FieldWidth = 120;
constexpr int LabelLeft = 16;
// Long labels of the Modbus Master box wrap before they reach their field.
constexpr int RowLabelWidth = FieldLeft - LabelLeft - 6;

// Tops inside the Ethernet box; the protocol list closes the box.
constexpr int IpLabelTop = 24;
constexpr int IpTop = 42;
constexpr int SubnetLabelTop = 72;
constexpr int SubnetTop = 90;
constexpr int GatewayCheckTop = 120;
constexpr int GatewayTop = 140;
constexpr int PortTop = 188;

int listIndex(const QComboBox* list, int loaded)
{
    return list->currentIndex() >= 0 ? list->currentIndex() : loaded;
}

// An index outside the list shows no entry.
void showIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void placeRow(QLabel* label, QWidget* field, const ParGenRow& row, bool boxExpanded)
{
    label->move(label->x(), row.labelTop);
    field->move(field->x(), row.fieldTop);
    const bool shown = boxExpanded && row.shown;
    label->setVisible(shown);
    field->setVisible(shown);
}

} // namespace

TFParGen::TFParGen(AppState& state, Prompts& prompts, QWidget* parent)
    : VeldrinDialog(state, prompts, QStringLiteral("TFParGen"), parent)
{
    // The two buttons stand below the boxes, where the layout puts them.
    P_Button->hide();

    GB_select_Device = addBox("GB_select_Device");
    Btn_Select_Device_Collapse = addToggle(GB_select_Device, "Btn_Select_Device_Collapse", "collapse");
    Btn_Select_Device_Expande = addToggle(GB_select_Device, "Btn_Select_Device_Expande", "expand");
    CB_Select_Device = addList(GB_select_Device, "CB_Select_Device", {}, LabelLeft, 21, 264);

    GB_Ethernet = addBox("GB_Ethernet");
    Btn_Ethernet_Collapse = addToggle(GB_Ethernet, "Btn_Ethernet_Collapse", "collapse");
    Btn_Ethernet_Expande = addToggle(GB_Ethernet, "Btn_Ethernet_Expande", "expand");
    L_Eth_IP = addLabel(GB_Ethernet, "L_Eth_IP", LabelLeft, IpLabelTop);
    for (int i = 0; i < 4; ++i) {
        E_IP[i] = addEdit(GB_Ethernet, QStringLiteral("E_IP%1").arg(i + 1), LabelLeft + i * OctetStep, IpTop,
                          OctetWidth);
        if (i < 3) {
            L_IP_Dot[i] = new QLabel(QStringLiteral("."), GB_Ethernet);
            L_IP_Dot[i]->setObjectName(QStringLiteral("L_Eth_IP_Dot%1").arg(i + 1));
            L_IP_Dot[i]->move(LabelLeft + i * OctetStep + OctetWidth, IpTop);
            L_IP_Dot[i]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            L_IP_Dot[i]->resize(OctetStep - OctetWidth, EditHeight - 4);
        }
    }
    L_Eth_IP->setBuddy(E_IP[0]);
    L_Eth_SM = addLabel(GB_Ethernet, "L_Eth_SM", LabelLeft, SubnetLabelTop);
    for (int i = 0; i < 4; ++i)
        E_SM[i] = addEdit(GB_Ethernet, QStringLiteral("E_SM%1").arg(i + 1), LabelLeft + i * OctetStep,
                          SubnetTop, OctetWidth);
    L_Eth_SM->setBuddy(E_SM[0]);
    CB_Eth_EN_GAT = new QCheckBox(GB_Ethernet);
    CB_Eth_EN_GAT->setObjectName(QStringLiteral("CB_Eth_EN_GAT"));
    CB_Eth_EN_GAT->move(LabelLeft, GatewayCheckTop);
    connect(CB_Eth_EN_GAT, &QCheckBox::toggled, this, &TFParGen::On_Click);
    for (int i = 0; i < 4; ++i)
        E_GAT[i] = addEdit(GB_Ethernet, QStringLiteral("E_GAT%1").arg(i + 1), LabelLeft + i * OctetStep,
                           GatewayTop, OctetWidth);
    L_Eth_Port = addLabel(GB_Ethernet, "L_Eth_Port", LabelLeft, PortTop + 3);
    E_PORT = addEdit(GB_Ethernet, QStringLiteral("E_PORT"), FieldLeft, PortTop, FieldWidth);
    L_Eth_Port->setBuddy(E_PORT);
    L_Eth_Protocol =
        addLabel(GB_Ethernet, "L_Eth_Protocol", LabelLeft, pargen_geometry::EthernetProtocolTop + 3);
    CB_Eth_Protocol = addList(GB_Ethernet, "CB_Eth_Protocol", pargen::Entries(pargen::EthernetProtocols),
                              FieldLeft, pargen_geometry::EthernetProtocolTop, FieldWidth);
    L_Eth_Protocol->setBuddy(CB_Eth_Protocol);

    GB_Modbus_Master = addBox("GB_Modbus_Master");
    Btn_Modbus_Master_Collapse = addToggle(GB_Modbus_Master, "Btn_Modbus_Master_Collapse", "collapse");
    Btn_Modbus_Master_Expande = addToggle(GB_Modbus_Master, "Btn_Modbus_Master_Expande", "expand");
    // The rows' tops are set by the layout.
    L_ModMaster_Serial = addLabel(GB_Modbus_Master, "L_ModMaster_Serial", LabelLeft, 0);
    CB_Serial_Modbus_Master = addList(GB_Modbus_Master, "CB_Serial_Modbus_Master",
                                      pargen::Entries(pargen::SerialLines), FieldLeft, 0, FieldWidth);
    L_ModMaster_Baud = addLabel(GB_Modbus_Master, "L_ModMaster_Baud", LabelLeft, 0);
    CB_Baud_Modbus_Master = addList(GB_Modbus_Master, "CB_Baud_Modbus_Master",
                                    pargen::Entries(pargen::BaudRates), FieldLeft, 0, FieldWidth);
    L_ModMaster_Par = addLabel(GB_Modbus_Master, "L_ModMaster_Par", LabelLeft, 0);
    CB_Par_Modbus_Master = addList(GB_Modbus_Master, "CB_Par_Modbus_Master",
                                   pargen::Entries(pargen::Parities), FieldLeft, 0, FieldWidth);
    L_ModMaster_StopBits = addLabel(GB_Modbus_Master, "L_ModMaster_StopBits", LabelLeft, 0);
    CB_StopBit_Modbus_Master = addList(GB_Modbus_Master, "CB_StopBit_Modbus_Master",
                                       pargen::Entries(pargen::StopBits), FieldLeft, 0, FieldWidth);
    L_ModMaster_TO = addLabel(GB_Modbus_Master, "L_ModMaster_TO", LabelLeft, 0);
    E_TO_Modbus_Master =
        addEdit(GB_Modbus_Master, QStringLiteral("E_TO_Modbus_Master"), FieldLeft, 0, FieldWidth);
    L_ModMaster_Idle = addLabel(GB_Modbus_Master, "L_ModMaster_Idle", LabelLeft, 0);
    E_CD_Modbus_Master =
        addEdit(GB_Modbus_Master, QStringLiteral("E_CD_Modbus_Master"), FieldLeft, 0, FieldWidth);
    L_ModMaster_Protocol = addLabel(GB_Modbus_Master, "L_ModMaster_Protocol", LabelLeft, 0);
    CB_Modbus_Master_Protocol = addList(GB_Modbus_Master, "CB_Modbus_Master_Protocol",
                                        pargen::Entries(pargen::SerialProtocols), FieldLeft, 0, FieldWidth);
    L_ModMaster_Serial->setBuddy(CB_Serial_Modbus_Master);
    L_ModMaster_Baud->setBuddy(CB_Baud_Modbus_Master);
    L_ModMaster_Par->setBuddy(CB_Par_Modbus_Master);
    L_ModMaster_StopBits->setBuddy(CB_StopBit_Modbus_Master);
    L_ModMaster_TO->setBuddy(E_TO_Modbus_Master);
    L_ModMaster_Idle->setBuddy(E_CD_Modbus_Master);
    L_ModMaster_Protocol->setBuddy(CB_Modbus_Master_Protocol);
    for (QLabel* label : {L_ModMaster_Serial, L_ModMaster_Baud, L_ModMaster_Par, L_ModMaster_StopBits,
                          L_ModMaster_TO, L_ModMaster_Idle, L_ModMaster_Protocol})
        label->setWordWrap(true);

    Btn_OK = new VeldrinButton(QStringLiteral("Btn_OK"), this);
    Btn_Cancel = new VeldrinButton(QStringLiteral("Btn_Cancel"), this);
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::Btn_CancelClick);

    m_octets = {E_IP[0], E_IP[1], E_IP[2],  E_IP[3],  E_SM[0],  E_SM[1],
                E_SM[2], E_SM[3], E_GAT[0], E_GAT[1], E_GAT[2], E_GAT[3]};
    for (QLineEdit* octet : m_octets)
        octet->installEventFilter(this);

    // The keyboard walks each box from its caption's button through its fields, top to
    // bottom, then the two buttons.
    QWidget* const order[] = {Btn_Select_Device_Collapse,
                              Btn_Select_Device_Expande,
                              CB_Select_Device,
                              Btn_Ethernet_Collapse,
                              Btn_Ethernet_Expande,
                              E_IP[0],
                              E_IP[1],
                              E_IP[2],
                              E_IP[3],
                              E_SM[0],
                              E_SM[1],
                              E_SM[2],
                              E_SM[3],
                              CB_Eth_EN_GAT,
                              E_GAT[0],
                              E_GAT[1],
                              E_GAT[2],
                              E_GAT[3],
                              E_PORT,
                              CB_Eth_Protocol,
                              Btn_Modbus_Master_Collapse,
                              Btn_Modbus_Master_Expande,
                              CB_Serial_Modbus_Master,
                              CB_Baud_Modbus_Master,
                              CB_Par_Modbus_Master,
                              CB_StopBit_Modbus_Master,
                              E_TO_Modbus_Master,
                              E_CD_Modbus_Master,
                              CB_Modbus_Master_Protocol,
                              Btn_OK,
                              Btn_Cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // As the window first shows: the two device types offered, every box open and placed, the
    // texts of the language in use, nothing changed yet.
    CB_Select_Device->addItems({text(95), text(96)});
    CB_Select_Device->setCurrentIndex(0);
    // Fixed border and a close box; the height follows the layout from here on.
    setClientSize(pargen_geometry::ClientWidth, 647);
    Collapse_Expand_Creation();
    Move_GroupBoxs();
    Set_Lang();
    m_Is_Change = false;
}

QGroupBox* TFParGen::addBox(const char* objectName)
{
    auto* box = new QGroupBox(this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setGeometry(pargen_geometry::BoxLeft, pargen_geometry::FirstBoxTop, pargen_geometry::BoxWidth,
                     pargen_geometry::SelectDeviceHeight);
    return box;
}

QLabel* TFParGen::addLabel(QWidget* box, const char* objectName, int left, int top)
{
    auto* label = new QLabel(box);
    label->setObjectName(QString::fromLatin1(objectName));
    label->move(left, top);
    return label;
}

QLineEdit* TFParGen::addEdit(QWidget* box, const QString& objectName, int left, int top, int width)
{
    auto* edit = new QLineEdit(box);
    edit->setObjectName(objectName);
    edit->setGeometry(left, top, width, EditHeight);
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { On_Change(edit); });
    return edit;
}

QComboBox* TFParGen::addList(QWidget* box, const char* objectName, const QStringList& entries, int left,
                             int top, int width)
{
    auto* list = new QComboBox(box);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setEditable(false);
    list->addItems(entries);
    list->setGeometry(left, top, width, pargen_geometry::ListHeight);
    connect(list, &QComboBox::currentIndexChanged, this, [this, list] { On_Change(list); });
    return list;
}

VeldrinButton* TFParGen::addToggle(QGroupBox* box, const char* objectName, const char* picture)
{
    auto* button = new VeldrinButton(QString::fromLatin1(objectName), box);
    button->setGeometry(pargen_geometry::ToggleButton);
    // The frame's padding would leave no room for the picture on so small a button.
    button->setStyleSheet(button->styleSheet() +
                          QStringLiteral("QPushButton { padding: 0px; border-radius: 1px; }"));
    button->setPicture(QString::fromLatin1(picture), 9);
    const bool collapse = QByteArray(objectName).endsWith("_Collapse");
    connect(button, &QPushButton::clicked, this, [this, button, collapse] {
        if (collapse)
            Btn_GB_Collapse(button);
        else
            Btn_GB_Expande(button);
    });
    return button;
}

void TFParGen::Set_Lang()
{
    setHeader(text(90), text(91));
    Btn_OK->setCaption(text(92));
    Btn_Cancel->setCaption(text(93));

    GB_select_Device->setTitle(text(94));
    {
        // The list is refilled without a choice; the next showing selects the stored type.
        const QSignalBlocker quiet(CB_Select_Device);
        CB_Select_Device->clear();
        CB_Select_Device->addItems({text(95), text(96)});
        CB_Select_Device->setCurrentIndex(-1);
    }
    CB_Select_Device->setAccessibleName(Trim(text(94)));

    GB_Ethernet->setTitle(text(97));
    L_Eth_IP->setText(text(98));
    L_Eth_SM->setText(text(99));
    CB_Eth_EN_GAT->setText(text(100));
    CB_Eth_EN_GAT->adjustSize();
    L_Eth_Port->setText(text(101));
    L_Eth_Protocol->setText(text(102));
    for (int i = 0; i < 4; ++i) {
        const QString number = QStringLiteral(" %1").arg(i + 1);
        E_IP[i]->setAccessibleName(text(98) + number);
        E_SM[i]->setAccessibleName(text(99) + number);
        E_GAT[i]->setAccessibleName(text(100) + number);
    }
    E_PORT->setAccessibleName(text(101));
    CB_Eth_Protocol->setAccessibleName(Trim(text(97)) + u' ' + text(102));

    GB_Modbus_Master->setTitle(text(103));
    const std::pair<QLabel*, QWidget*> rows[] = {
        {L_ModMaster_Serial, CB_Serial_Modbus_Master},   {L_ModMaster_Baud, CB_Baud_Modbus_Master},
        {L_ModMaster_Par, CB_Par_Modbus_Master},         {L_ModMaster_TO, E_TO_Modbus_Master},
        {L_ModMaster_Idle, E_CD_Modbus_Master},          {L_ModMaster_Protocol, CB_Modbus_Master_Protocol},
        {L_ModMaster_StopBits, CB_StopBit_Modbus_Master}};
    const int rowTexts[] = {104, 105, 106, 107, 108, 109, 177};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rows[i].first->setText(text(rowTexts[i]));
        rows[i].second->setAccessibleName(text(rowTexts[i]));
    }
    // The serial protocol is named apart from the Ethernet one.
    CB_Modbus_Master_Protocol->setAccessibleName(Trim(text(103)) + u' ' + text(109));

    for (QLabel* label : {L_Eth_IP, L_Eth_SM, L_Eth_Port, L_Eth_Protocol})
        label->adjustSize();
    for (QLabel* label : {L_ModMaster_Serial, L_ModMaster_Baud, L_ModMaster_Par, L_ModMaster_StopBits,
                          L_ModMaster_TO, L_ModMaster_Idle, L_ModMaster_Protocol})
        label->resize(RowLabelWidth, label->heightForWidth(RowLabelWidth));

    const std::pair<VeldrinButton*, QGroupBox*> collapse[] = {{Btn_Select_Device_Collapse, GB_select_Device},
                                                              {Btn_Ethernet_Collapse, GB_Ethernet},
                                                              {Btn_Modbus_Master_Collapse, GB_Modbus_Master}};
    for (const auto& [button, box] : collapse) {
        button->setHint(text(110));
        button->setAccessibleDescription(Trim(box->title()));
    }
    const std::pair<VeldrinButton*, QGroupBox*> expand[] = {{Btn_Select_Device_Expande, GB_select_Device},
                                                            {Btn_Ethernet_Expande, GB_Ethernet},
                                                            {Btn_Modbus_Master_Expande, GB_Modbus_Master}};
    for (const auto& [button, box] : expand) {
        button->setHint(text(111));
        button->setAccessibleDescription(Trim(box->title()));
    }
}

void TFParGen::Collapse_Expand_Creation()
{
    GB_Select_Device_Visible = true;
    GB_Ethernet_Visible = true;
    GB_Modbus_Master_Visible = true;
    for (VeldrinButton* button :
         {Btn_Select_Device_Collapse, Btn_Ethernet_Collapse, Btn_Modbus_Master_Collapse})
        button->show();
    for (VeldrinButton* button : {Btn_Select_Device_Expande, Btn_Ethernet_Expande, Btn_Modbus_Master_Expande})
        button->hide();
}

void TFParGen::Move_GroupBoxs()
{
    GB_select_Device->move(pargen_geometry::BoxLeft, pargen_geometry::FirstBoxTop);
    GB_select_Device->show();
    RePosition_Objects_418();
}

void TFParGen::RePosition_Objects_418()
{
    const ParGenLayout layout =
        LayOutParGen(deviceType(), {GB_Select_Device_Visible, GB_Ethernet_Visible, GB_Modbus_Master_Visible});

    GB_select_Device->setGeometry(layout.selectDevice);
    GB_Ethernet->setGeometry(layout.ethernet);
    GB_Modbus_Master->setGeometry(layout.modbusMaster);
    GB_Ethernet->show();
    GB_Modbus_Master->show();

    // A collapsed box shows only its caption and its expand button; what would lie below its
    // edge is hidden rather than merely clipped, so the keyboard never lands there.
    CB_Select_Device->setVisible(GB_Select_Device_Visible);
    for (QObject* child : GB_Ethernet->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget != Btn_Ethernet_Collapse && widget != Btn_Ethernet_Expande)
            widget->setVisible(GB_Ethernet_Visible);
    }
    const bool master = GB_Modbus_Master_Visible;
    placeRow(L_ModMaster_Serial, CB_Serial_Modbus_Master, layout.serial, master);
    placeRow(L_ModMaster_Baud, CB_Baud_Modbus_Master, layout.baudRate, master);
    placeRow(L_ModMaster_Par, CB_Par_Modbus_Master, layout.parity, master);
    placeRow(L_ModMaster_StopBits, CB_StopBit_Modbus_Master, layout.stopBits, master);
    placeRow(L_ModMaster_TO, E_TO_Modbus_Master, layout.timeOut, master);
    placeRow(L_ModMaster_Idle, E_CD_Modbus_Master, layout.idleTime, master);
    placeRow(L_ModMaster_Protocol, CB_Modbus_Master_Protocol, layout.protocol, master);

    Btn_OK->setGeometry(layout.ok);
    Btn_Cancel->setGeometry(layout.cancel);
    setFixedSize(layout.client);
}

void TFParGen::setExpanded(Box box, bool expanded)
{
    VeldrinButton* collapse = nullptr;
    VeldrinButton* expand = nullptr;
    switch (box) {
    case Box::SelectDevice:
        GB_Select_Device_Visible = expanded;
        collapse = Btn_Select_Device_Collapse;
        expand = Btn_Select_Device_Expande;
        break;
    case Box::Ethernet:
        GB_Ethernet_Visible = expanded;
        collapse = Btn_Ethernet_Collapse;
        expand = Btn_Ethernet_Expande;
        break;
    case Box::ModbusMaster:
        GB_Modbus_Master_Visible = expanded;
        collapse = Btn_Modbus_Master_Collapse;
        expand = Btn_Modbus_Master_Expande;
        break;
    }
    // The other button of the pair takes the focus, so the keyboard can undo at once.
    VeldrinButton* now = expanded ? collapse : expand;
    VeldrinButton* before = expanded ? expand : collapse;
    now->show();
    if (focusWidget() == before)
        now->setFocus(Qt::OtherFocusReason);
    before->hide();
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Collapse(QObject* sender)
{
    if (sender == Btn_Select_Device_Collapse)
        setExpanded(Box::SelectDevice, false);
    else if (sender == Btn_Ethernet_Collapse)
        setExpanded(Box::Ethernet, false);
    else if (sender == Btn_Modbus_Master_Collapse)
        setExpanded(Box::ModbusMaster, false);
}

void TFParGen::Btn_GB_Expande(QObject* sender)
{
    if (sender == Btn_Select_Device_Expande)
        setExpanded(Box::SelectDevice, true);
    else if (sender == Btn_Ethernet_Expande)
        setExpanded(Box::Ethernet, true);
    else if (sender == Btn_Modbus_Master_Expande)
        setExpanded(Box::ModbusMaster, true);
}

int TFParGen::deviceType() const
{
    return listIndex(CB_Select_Device, m_loaded.Device_Type);
}

void TFParGen::On_Change(QObject* sender)
{
    m_Is_Change = true;
    if (sender == CB_Select_Device)
        RePosition_Objects_418();
}

void TFParGen::On_Click()
{
    m_Is_Change = true;
}

bool TFParGen::FormShow()
{
    try {
        m_loaded = ReadGeneralParameter(m_state.ParGenPath);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return false;
    }
    const GeneralParameter& r = m_loaded;
    showIndex(CB_Select_Device, r.Device_Type);
    const QString* address[] = {&r.IP1,  &r.IP2,  &r.IP3,  &r.IP4,  &r.SUB1, &r.SUB2,
                                &r.SUB3, &r.SUB4, &r.GAT1, &r.GAT2, &r.GAT3, &r.GAT4};
    for (std::size_t i = 0; i < m_octets.size(); ++i)
        m_octets[i]->setText(*address[i]);
    CB_Eth_EN_GAT->setChecked(r.EN_GAT);
    E_PORT->setText(r.PORT);
    showIndex(CB_Eth_Protocol, r.PROT_TYPE);
    showIndex(CB_Serial_Modbus_Master, r.Sel_Ser);
    showIndex(CB_Baud_Modbus_Master, r.Baud_Rate);
    showIndex(CB_Par_Modbus_Master, r.Parity);
    showIndex(CB_StopBit_Modbus_Master, r.Ser_StopBits);
    E_TO_Modbus_Master->setText(r.Time_Out);
    E_CD_Modbus_Master->setText(r.Comm_Idle);
    showIndex(CB_Modbus_Master_Protocol, r.Ser_Prot);

    RePosition_Objects_418();
    m_Is_Change = false;
    focusFirstField();
    return true;
}

void TFParGen::focusFirstField()
{
    for (QWidget* field :
         std::initializer_list<QWidget*>{CB_Select_Device, E_IP[0], CB_Serial_Modbus_Master}) {
        if (!field->isHidden()) {
            field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    Btn_OK->setFocus(Qt::OtherFocusReason);
}

GeneralParameter TFParGen::recordFromControls() const
{
    GeneralParameter r;
    r.Device_Type = deviceType();
    QString* address[] = {&r.IP1,  &r.IP2,  &r.IP3,  &r.IP4,  &r.SUB1, &r.SUB2,
                          &r.SUB3, &r.SUB4, &r.GAT1, &r.GAT2, &r.GAT3, &r.GAT4};
    for (std::size_t i = 0; i < m_octets.size(); ++i)
        *address[i] = m_octets[i]->text();
    r.EN_GAT = CB_Eth_EN_GAT->isChecked();
    r.PORT = E_PORT->text();
    r.PROT_TYPE = listIndex(CB_Eth_Protocol, m_loaded.PROT_TYPE);
    r.Sel_Ser = listIndex(CB_Serial_Modbus_Master, m_loaded.Sel_Ser);
    r.Baud_Rate = listIndex(CB_Baud_Modbus_Master, m_loaded.Baud_Rate);
    r.Parity = listIndex(CB_Par_Modbus_Master, m_loaded.Parity);
    r.Time_Out = E_TO_Modbus_Master->text();
    r.Comm_Idle = E_CD_Modbus_Master->text();
    r.Ser_Prot = listIndex(CB_Modbus_Master_Protocol, m_loaded.Ser_Prot);
    r.Ser_StopBits = listIndex(CB_StopBit_Modbus_Master, m_loaded.Ser_StopBits);
    return r;
}

int TFParGen::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    m_loadedForShow = true;
    return VeldrinDialog::exec();
}

void TFParGen::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    // Shown without exec (a preview): load here, and close again if the file cannot be read.
    if (!std::exchange(m_loadedForShow, false) && !FormShow())
        QTimer::singleShot(0, this, &QDialog::reject);
}

void TFParGen::changeEvent(QEvent* event)
{
    VeldrinDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TFParGen::FormActivate()
{
    const QScreen* where = screen();
    const int top = where ? where->availableGeometry().top() : 0;
    if (frameGeometry().top() < top)
        move(x(), top);
}

void TFParGen::Btn_OKClick()
{
    const GeneralParameter record = recordFromControls();
    if (const auto refused = Controllo_Dati(record, m_state.Strings)) {
        m_prompts.error(*refused);
        return;
    }
    try {
        WriteGeneralParameter(m_state.ParGenPath, record);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return;
    }
    accept();
}

void TFParGen::Btn_CancelClick()
{
    if (m_Is_Change && !m_prompts.question(text(127)))
        return;
    reject();
}

void TFParGen::keyPressEvent(QKeyEvent* event)
{
    // Escape is the Cancel button, question included, so one key cannot drop the edits;
    // only the close box leaves without asking.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Btn_CancelClick();
        return;
    }
    VeldrinDialog::keyPressEvent(event);
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == u".") {
        for (std::size_t i = 0; i < m_octets.size(); ++i) {
            if (m_octets[i] == watched) {
                KeyPress(static_cast<int>(i));
                return true;
            }
        }
    }
    return VeldrinDialog::eventFilter(watched, event);
}

void TFParGen::KeyPress(int index)
{
    if (index + 1 >= static_cast<int>(m_octets.size()))
        return;
    QLineEdit* next = m_octets[static_cast<std::size_t>(index) + 1];
    if (next->isVisible() && next->isEnabled()) {
        next->setFocus(Qt::TabFocusReason);
        // Selected as a tab would leave it, so the next octet typed replaces it.
        next->selectAll();
    }
}

} // namespace veldrin

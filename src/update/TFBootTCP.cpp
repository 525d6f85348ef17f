#include "update/TFBootTCP.h"

#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "session/AppState.h"
#include "update/DeviceAddress.h"
#include "update/EthernetUpdateFile.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace veldrin {

namespace {
const QColor FoundColour(0, 128, 0);
const QColor NotFoundColour(255, 0, 0);
const QColor CheckingColour(0x60, 0x60, 0x60);
} // namespace

TFBootTCP::TFBootTCP(AppState& state, Prompts& prompts, IcmpEcho& echo, Clock& clock, ProgramStarter& starter,
                     QWidget* parent)
    : UpdateDialog(state, prompts, starter, QStringLiteral("TFBootTCP"), parent), m_check(echo, clock)
{
    auto label = [this](const char* name) {
        auto* created = new QLabel(this);
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };

    L_IP_Address = label("L_IP_Address");
    for (std::size_t i = 0; i < m_ip.size(); ++i) {
        auto* box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        box->resize(45, 21);
        box->setAccessibleName(QStringLiteral("IP Address %1").arg(i + 1));
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, &TFBootTCP::addressEdited);
        connect(box, &QLineEdit::returnPressed, this, &TFBootTCP::LbButton1Click);
        m_ip[i] = box;
    }
    L_IP_Address->setBuddy(m_ip[0]);
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    for (QLabel* dot : {Label2, Label3, Label4}) {
        dot->setText(QStringLiteral("."));
        dot->adjustSize();
    }
    L_Ping = label("L_Ping");
    Btn_Ping = new VeldrinButton(QStringLiteral("Btn_Ping"), this);
    Btn_Ping->resize(100, 26);
    connect(Btn_Ping, &QPushButton::clicked, this, &TFBootTCP::LbButton1Click);
    L_Ping->setBuddy(Btn_Ping);
    LPing = label("LPing");
    setFirstPage(
        {L_IP_Address, m_ip[0], m_ip[1], m_ip[2], m_ip[3], Label2, Label3, Label4, L_Ping, Btn_Ping, LPing});

    connect(&m_check, &ConnectionCheck::finished, this, &TFBootTCP::checkFinished);

    setClientSize(350, 233);
    Set_Lang();
    showPage(1);
}

void TFBootTCP::Set_Lang()
{
    setHeader(text(57), text(57));
    L_Ping->setText(text(59));
    L_Ping->adjustSize();
    Btn_Ping->setCaption(text(60));
    setSharedTexts(63, 61, 62, 68);
}

void TFBootTCP::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    // Not when the window manager shows it again after a minimise: the page and the check stay.
    if (!event->spontaneous())
        FormShow();
}

void TFBootTCP::hideEvent(QHideEvent* event)
{
    // A check does not go on sending once the dialog is closed.
    if (!event->spontaneous())
        m_check.stop();
    VeldrinDialog::hideEvent(event);
}

void TFBootTCP::FormShow()
{
    m_check.stop();
    showPage(1);
    showCheckResult({}, CheckingColour);
    QString parts[4];
    if (!m_state.Settings.LastDeviceIp.isEmpty() &&
        Valid_IP(m_state.Settings.LastDeviceIp, parts[0], parts[1], parts[2], parts[3])) {
        for (std::size_t i = 0; i < m_ip.size(); ++i)
            m_ip[i]->setText(parts[i]);
    }
    L_IP_Address->setText(text(58) + QStringLiteral(" DV30477"));
    L_IP_Address->adjustSize();
    m_Esegui_Ping = false;
    m_deviceAddress.clear();
    m_ip[0]->setFocus();
    m_ip[0]->selectAll();
}

void TFBootTCP::placeFirstPage()
{
    L_IP_Address->move(16, 75);
    m_ip[0]->move(35, 97);
    m_ip[1]->move(91, 97);
    m_ip[2]->move(147, 97);
    m_ip[3]->move(203, 97);
    Label2->move(83, 105);
    Label3->move(139, 105);
    Label4->move(195, 105);
    L_Ping->move(16, 136);
    Btn_Ping->move(35, 155);
    LPing->move(151, 163);
}

bool TFBootTCP::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == u".") {
        for (std::size_t i = 0; i + 1 < m_ip.size(); ++i) {
            if (m_ip[i] == watched) {
                E_IPKeyPress(static_cast<int>(i));
                return true;
            }
        }
    }
    return VeldrinDialog::eventFilter(watched, event);
}

void TFBootTCP::E_IPKeyPress(int index)
{
    QLineEdit* next = m_ip[static_cast<std::size_t>(index) + 1];
    if (next->isVisible() && next->isEnabled()) {
        next->setFocus(Qt::TabFocusReason);
        // Selected as a tab would leave it, so the next part typed replaces it.
        next->selectAll();
    }
}

QString TFBootTCP::addressText() const
{
    return m_ip[0]->text() + u'.' + m_ip[1]->text() + u'.' + m_ip[2]->text() + u'.' + m_ip[3]->text();
}

void TFBootTCP::showCheckResult(const QString& result, const QColor& colour, const QString& detail)
{
    QPalette palette = LPing->palette();
    palette.setColor(QPalette::WindowText, colour);
    LPing->setPalette(palette);
    LPing->setText(result);
    LPing->setToolTip(detail);
    LPing->adjustSize();
}

void TFBootTCP::LbButton1Click()
{
    m_Esegui_Ping = false;
    m_deviceAddress.clear();
    showCheckResult(text(210), CheckingColour);
    m_check.start(addressText());
}

void TFBootTCP::checkFinished(ConnectionCheck::Outcome outcome)
{
    switch (outcome) {
    case ConnectionCheck::Outcome::Found:
        m_Esegui_Ping = true;
        m_deviceAddress = m_check.address();
        showCheckResult(text(69), FoundColour);
        break;
    case ConnectionCheck::Outcome::NotFound:
        showCheckResult(text(70), NotFoundColour);
        break;
    case ConnectionCheck::Outcome::Error:
        showCheckResult(text(71), NotFoundColour, m_check.reason());
        break;
    case ConnectionCheck::Outcome::NotPermitted:
        showCheckResult(text(211), NotFoundColour, m_check.reason());
        // What to change, in the user's language, with what the system refused.
        m_prompts.error(text(225).arg(m_check.reason()));
        break;
    }
}

void TFBootTCP::addressEdited()
{
    // A check answers for the address it was made with, not for an edited one.
    m_check.stop();
    m_Esegui_Ping = false;
    m_deviceAddress.clear();
    showCheckResult({}, CheckingColour);
}

void TFBootTCP::LbButton2Click()
{
    if (!m_Esegui_Ping) {
        m_prompts.error(text(72));
        return;
    }
    showPage(2);
    m_state.Settings.LastDeviceIp = m_deviceAddress;
}

void TFBootTCP::Compile_XML_Parameter()
{
    WriteEthernetUpdateFile(m_state.WorkspaceDir, m_deviceAddress, options(), m_state.MasterDir,
                            m_state.ActiveConfigDir);
}

void TFBootTCP::LbButton4Click()
{
    if (!updaterIdle())
        return;
    try {
        Compile_XML_Parameter();
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return;
    }
    runUpdater(QLatin1String(layout::EthernetUpdaterProgram), QString());
}

} // namespace veldrin

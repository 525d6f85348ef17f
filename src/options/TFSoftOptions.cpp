#include "options/TFSoftOptions.h"

#include "common/Prompts.h"
#include "lang/LanguageFile.h"
#include "options/LanguageList.h"
#include "options/UpdateCheck.h"
#include "services/UrlOpener.h"
#include "session/AppState.h"
#include "session/Identity.h"
#include "widgets/LinkLabel.h"
#include "widgets/WindowStyle.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTabWidget>

namespace veldrin {

TFSoftOptions::TFSoftOptions(AppState& state, Prompts& prompts, UrlOpener& urls, UpdateCheck& updates,
                             std::function<void()> changeLanguage, QWidget* parent)
    : VeldrinDialog(state, prompts, QStringLiteral("TFSoftOptions"), parent), m_urls(urls),
      m_updates(updates), m_changeLanguage(std::move(changeLanguage))
{
    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    PC_Options->setGeometry(0, TitleHeight, 509, 373 - TitleHeight - BandHeight);
    TS_Language = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    TS_Con_Options = new QWidget;
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());

    L_Sel_Lang = new QLabel(TS_Language);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->setGeometry(16, 10, 470, 16);
    StyleBoldGreyLabel(L_Sel_Lang);
    for (int s = 0; s < 6; ++s) {
        // Slots 1 to 3 form the left column, 4 to 6 the right one.
        const int left = s < 3 ? 24 : 264;
        const int top = 36 + (s % 3) * 56;
        auto* picture = new QPushButton(TS_Language);
        picture->setObjectName(QStringLiteral("I_L%1").arg(s + 1));
        picture->setGeometry(left, top, 48, 48);
        picture->setFlat(true);
        picture->setIconSize(QSize(44, 44));
        picture->setCursor(Qt::PointingHandCursor);
        connect(picture, &QPushButton::clicked, this, [this, s] { LangClick(s + 1); });
        auto* label = new QLabel(TS_Language);
        label->setObjectName(QStringLiteral("L_L%1").arg(s + 1));
        label->setGeometry(left + 56, top + 16, 160, 16);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        I_L[s] = picture;
        L_L[s] = label;
    }
    L_Page_Lang = new QLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    L_Page_Lang->setGeometry(130, 210, 245, 16);
    Btn_Prev = new VeldrinButton(QStringLiteral("Btn_Prev"), TS_Language);
    Btn_Prev->setGeometry(8, 204, 110, 28);
    Btn_Next = new VeldrinButton(QStringLiteral("Btn_Next"), TS_Language);
    Btn_Next->setGeometry(385, 204, 110, 28);
    connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
    connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });

    CB_En_Con = new QCheckBox(TS_Con_Options);
    CB_En_Con->setObjectName(QStringLiteral("CB_En_Con"));
    CB_En_Con->setGeometry(16, 16, 470, 20);
    CB_Update = new QCheckBox(TS_Con_Options);
    CB_Update->setObjectName(QStringLiteral("CB_Update"));
    CB_Update->setGeometry(40, 44, 446, 20);
    connect(CB_En_Con, &QCheckBox::clicked, this, &TFSoftOptions::Update_CheckBox);
    connect(CB_Update, &QCheckBox::clicked, this, &TFSoftOptions::Update_CheckBox);
    Btn_Check_Update = new VeldrinButton(QStringLiteral("Btn_Check_Update"), TS_Con_Options);
    Btn_Check_Update->setGeometry(16, 84, 240, 28);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    LL_Check_Update = new LinkLabel(QStringLiteral("LL_Check_Update"), TS_Con_Options);
    LL_Check_Update->move(16, 126);
    connect(LL_Check_Update, &LinkLabel::linkClicked, this, [this](const QUrl& link) { m_urls.open(link); });
    connect(&m_updates, &UpdateCheck::finished, this, &TFSoftOptions::showCheckResult);

    Btn_OK = addBandButton(QStringLiteral("Btn_OK"), VeldrinButton::ModalResult::None);
    Btn_Cancel = addBandButton(QStringLiteral("Btn_Cancel"), VeldrinButton::ModalResult::Cancel);
    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);

    setClientSize(509, 373);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    setHeader(text(38), text(39));
    PC_Options->setTabText(0, text(40));
    PC_Options->setTabText(1, text(41));
    L_Sel_Lang->setText(text(42));
    L_Page_Lang->setText(text(43) + QStringLiteral("1") + text(44) + QStringLiteral("1"));
    Btn_Prev->setCaption(text(45));
    Btn_Next->setCaption(text(46));
    CB_En_Con->setText(text(47));
    CB_Update->setText(text(48));
    Btn_Check_Update->setCaption(m_waitingForCheck ? text(49) + QStringLiteral(" ...") : text(49));
    Btn_OK->setCaption(text(50));
    Btn_Cancel->setCaption(text(51));
}

void TFSoftOptions::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    FormShow();
}

void TFSoftOptions::FormShow()
{
    m_Language_In_Use = m_state.Settings.CurrentLanguage;
    Create_Lang_List();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(m_state.Settings.InternetEnabled);
    CB_Update->setChecked(m_state.Settings.UpdateCheckEnabled);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List()
{
    m_SL_Languages = veldrin::Create_Lang_List(m_state.LanguageDir);
    m_Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const LanguagePage page = veldrin::Update_Lang_Page(Num_Page, static_cast<int>(m_SL_Languages.size()));
    L_Sel_Lang->setText(text(42) + m_Language_In_Use);
    L_Page_Lang->setText(text(43) + QString::number(Num_Page) + text(44) + QString::number(page.pages));
    Btn_Prev->setVisible(page.prevShown);
    Btn_Next->setVisible(page.nextShown);
    for (int s = 0; s < 6; ++s) {
        const bool shown = s < page.shown;
        L_L[s]->setVisible(shown);
        I_L[s]->setVisible(shown);
        if (!shown)
            continue;
        const QString name = LanguageName(m_SL_Languages[page.first + s]);
        L_L[s]->setText(name);
        I_L[s]->setAccessibleName(name);
        I_L[s]->setToolTip(name);
        // The language's own flag, else the default one; a picture that cannot be read is
        // hidden and the name stays.
        const QString flag = LanguageFlagPath(m_state.LanguageDir, name);
        const QPixmap picture = flag.isEmpty() ? QPixmap() : QPixmap(flag);
        if (picture.isNull()) {
            I_L[s]->setIcon(QIcon());
            I_L[s]->setVisible(false);
        } else {
            I_L[s]->setIcon(QIcon(picture));
        }
        // Without its picture the name itself takes the keyboard.
        L_L[s]->setFocusPolicy(picture.isNull() ? Qt::StrongFocus : Qt::NoFocus);
    }
}

void TFSoftOptions::Btn_NextClick(QObject* sender)
{
    if (sender == Btn_Next || sender == Btn_Prev)
        m_Show_Page =
            TurnLanguagePage(m_Show_Page, sender == Btn_Next, static_cast<int>(m_SL_Languages.size()));
    Update_Lang_Page(m_Show_Page);
}

bool TFSoftOptions::eventFilter(QObject* watched, QEvent* event)
{
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool pressed =
        event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return);
    if (clicked || pressed) {
        for (int s = 0; s < 6; ++s) {
            if (watched == L_L[s]) {
                LangClick(s + 1);
                return true;
            }
        }
    }
    return VeldrinDialog::eventFilter(watched, event);
}

void TFSoftOptions::LangClick(int slot)
{
    const qsizetype index = LanguageOfSlot(m_Show_Page, slot, static_cast<int>(m_SL_Languages.size()));
    if (index < 0)
        return;
    const QString name = LanguageName(m_SL_Languages[index]);
    if (!m_prompts.question(text(54) + m_Language_In_Use + text(55) + name + text(56)))
        return;
    m_Language_In_Use = name;
    // The texts change now; the setting only on OK.
    QString language = name;
    SelectLanguage(m_state.Strings, m_state.LanguageDir, language);
    m_changeLanguage();
    L_Sel_Lang->setText(text(42) + m_Language_In_Use);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked() && !m_waitingForCheck);
}

void TFSoftOptions::Btn_OKClick()
{
    m_state.Settings.CurrentLanguage = m_Language_In_Use;
    m_state.Settings.InternetEnabled = CB_En_Con->isChecked();
    m_state.Settings.UpdateCheckEnabled = CB_Update->isChecked();
    accept();
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (m_waitingForCheck || m_updates.isRunning())
        return;
    m_waitingForCheck = true;
    Btn_Check_Update->setCaption(text(49) + QStringLiteral(" ..."));
    Btn_Check_Update->setCursor(Qt::BusyCursor);
    Update_CheckBox();
    m_updates.start();
}

void TFSoftOptions::showCheckResult(bool newerVersion)
{
    if (!m_waitingForCheck)
        return;
    m_waitingForCheck = false;
    Btn_Check_Update->setCaption(text(49));
    Btn_Check_Update->unsetCursor();
    Update_CheckBox();
    if (newerVersion)
        LL_Check_Update->setLink(identity::DownloadPageUrl(), text(52));
    else if (m_updates.answered())
        LL_Check_Update->setPlainText(text(53));
    else
        // A query that got no answer says so, rather than "no update".
        LL_Check_Update->setPlainText(text(220));
    LL_Check_Update->show();
}

} // namespace veldrin

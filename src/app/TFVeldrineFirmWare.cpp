#include "app/TFVeldrineFirmWare.h"

#include "access/TFSetAccess.h"
#include "app/TFAbout.h"
#include "comm/TFParGen.h"
#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "configuration/WorkspaceLayout.h"
#include "options/TFSoftOptions.h"
#include "options/UpdateCheck.h"
#include "projects/Configurations.h"
#include "projects/TFChanges.h"
#include "projects/TFNew_Project.h"
#include "projects/TFOpenConf.h"
#include "report/ReportDocument.h"
#include "services/FileChooser.h"
#include "services/UrlOpener.h"
#include "session/AppState.h"
#include "session/DeviceType.h"
#include "session/Identity.h"
#include "session/SettingsFile.h"
#include "update/ProgramStarter.h"
#include "update/TFBootSer.h"
#include "update/TFBootTCP.h"
#include "update/UpdateRoute.h"
#include "widgets/LinkLabel.h"
#include "widgets/VeldrinButton.h"
#include "widgets/WindowStyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QStandardPaths>

namespace veldrin {
namespace {

constexpr int ReportButtonText = 365; // "Commissioning report..."
constexpr int ReportFilterText = 366; // "PDF documents (*.pdf);;Web pages (*.html)"

} // namespace

TFVeldrineFirmWare::TFVeldrineFirmWare(AppState& state, const Services& services, QWidget* parent)
    : QWidget(parent), m_state(state), m_prompts(*services.prompts), m_urls(*services.urls),
      m_files(*services.files), m_updates(*services.updates),
      m_qtTexts(layout::In(state.DataDir, layout::QtTranslationsFolder))
{
    m_qtTexts.follow(m_state.Settings.CurrentLanguage);
    setObjectName(QStringLiteral("TFVeldrineFirmWare"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    ApplyBackground(this);

    L_SW_Code = addLabel("L_SW_Code", 16, 8);
    StyleCodeLabel(L_SW_Code);
    L_SW_Desc = addLabel("L_SW_Desc", 16, 42);
    StyleBoldGreyLabel(L_SW_Desc);
    L_Begin = addLabel("L_Begin", 16, 84);
    StyleBoldGreyLabel(L_Begin);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(80, 70, 348, 36);
    Shape2->setStyleSheet(QStringLiteral("QFrame#Shape2 { border: 1px solid #c0c0c0; }"));
    L_Name_Conf = addLabel("L_Name_Conf", 87, 75);
    L_Name_Conf_L2 = addLabel("L_Name_Conf_L2", 87, 88);

    const int stepTops[8] = {128, 172, 216, 260, 304, 348, 392, 436};
    for (int i = 0; i < 8; ++i) {
        L_Step[i] = addLabel(QStringLiteral("L_Step_%1").arg(i + 1).toLatin1().constData(), 16, stepTops[i]);
        if (i < 4)
            StyleBoldGreyLabel(L_Step[i]);
        else
            L_Step[i]->hide();
    }

    Btn_New = addStepButton("Btn_New", "new", 80, 112);
    Btn_Open = addStepButton("Btn_Open", "open", 258, 112);
    Btn_Prm_Gen = addStepButton("Btn_Prm_Gen", "communication", 80, 156);
    Btn_Modbus_Req = addStepButton("Btn_Modbus_Req", "modbus", 80, 200);
    Btn_CreateBin = addStepButton("Btn_CreateBin", "update", 80, 244);

    L_Merivo = new LinkLabel(QStringLiteral("L_Merivo"), this);
    L_Merivo->setLink(identity::HomePageUrl(), identity::MakerDomain());
    StyleBoldGreyLabel(L_Merivo);
    L_Merivo->adjustSize();
    // At 565, unless a longer address would run off the window.
    L_Merivo->move(std::min(565, 694 - 10 - L_Merivo->width()), 260);
    connect(L_Merivo, &LinkLabel::linkClicked, this, &TFVeldrineFirmWare::L_MerivoClick);
    // In the free band below the steps, so no specified control moves.
    Btn_Changes = new VeldrinButton(QStringLiteral("Btn_Changes"), this);
    Btn_Changes->setGeometry(80, 312, 240, 36);
    connect(Btn_Changes, &QPushButton::clicked, this, [this] { Btn_Click(Btn_Changes); });
    Btn_Report = new VeldrinButton(QStringLiteral("Btn_Report"), this);
    Btn_Report->setGeometry(330, 312, 240, 36);
    connect(Btn_Report, &QPushButton::clicked, this, [this] { Btn_Click(Btn_Report); });

    Btn_Info = addPictureButton("Btn_Info", "info", 516);
    Btn_Opz = addPictureButton("Btn_Opz", "options", 574);
    Btn_Close = addPictureButton("Btn_Close", "close", 632);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setGeometry(10, 244 + 51, 674, 1);
    Shape1->setStyleSheet(QStringLiteral("background-color: #c0c0c0;"));

    LL_Update = new LinkLabel(QStringLiteral("LL_Update"), this);
    LL_Update->move(208, 19);
    LL_Update->hide();
    connect(LL_Update, &LinkLabel::linkClicked, this, &TFVeldrineFirmWare::LL_UpdateLinkClick);

    // Client height: the top of Update Device + 152.
    setFixedSize(694, 244 + 152);
    CentreOnScreen(this);
    setWindowTitle(m_state.WindowTitle);
    L_SW_Code->setText(m_state.SoftwareCode);
    L_SW_Code->adjustSize();
    L_SW_Desc->setText(m_state.SoftwareDescription);
    L_SW_Desc->adjustSize();
    ShowActiveConfig();
    Set_Lang();

    // Each dialog is built the first time it is opened and kept for the rest of the run; built
    // after a change of language, it starts in the new one.
    m_newProject.buildWith([this] { return new TFNew_Project(m_state, m_prompts, this); });
    m_openConf.buildWith([this] { return new TFOpenConf(m_state, m_prompts, this); });
    m_about.buildWith([this] { return new TFAbout(m_state, m_urls, this); });
    m_softOptions.buildWith([this] {
        return new TFSoftOptions(
            m_state, m_prompts, m_urls, m_updates, [this] { Change_Language(); }, this);
    });
    m_starter = new ProgramStarter(*services.runner, m_prompts, m_state.Strings, *services.clock, this);
    m_bootSer.buildWith([this, &ports = *services.serialPorts] {
        return new TFBootSer(m_state, m_prompts, ports, *m_starter, this);
    });
    m_bootTcp.buildWith([this, &echo = *services.echo, &clock = *services.clock] {
        return new TFBootTCP(m_state, m_prompts, echo, clock, *m_starter, this);
    });
    m_parGen.buildWith([this] { return new TFParGen(m_state, m_prompts, this); });
    m_changes.buildWith([this] { return new TFChanges(m_state, m_prompts, this); });
    m_setAccess.buildWith(
        [this, &files = *services.files, polls = services.polls, ports = services.serialPorts] {
            auto* dialog = new TFSetAccess(m_state, m_prompts, files, this);
            dialog->setPolling(polls, ports);
            return dialog;
        });

    m_Timer_Update.setObjectName(QStringLiteral("Timer_Update"));
    m_Timer_Update.setInterval(60000);
    connect(&m_Timer_Update, &QTimer::timeout, this, &TFVeldrineFirmWare::Timer_UpdateTimer);
    connect(&m_updates, &UpdateCheck::finished, this, &TFVeldrineFirmWare::showUpdateAnswer);
    EnableUpdateTimer();
}

TFVeldrineFirmWare::~TFVeldrineFirmWare() = default;

QLabel* TFVeldrineFirmWare::addLabel(const char* objectName, int left, int top)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->move(left, top);
    return label;
}

VeldrinButton* TFVeldrineFirmWare::addStepButton(const char* objectName, const char* picture, int left,
                                                 int top)
{
    auto* button = new VeldrinButton(QString::fromLatin1(objectName), this);
    button->setGeometry(left, top, 170, 36);
    button->setPicture(QString::fromLatin1(picture), 24);
    connect(button, &QPushButton::clicked, this, [this, button] { Btn_Click(button); });
    return button;
}

VeldrinButton* TFVeldrineFirmWare::addPictureButton(const char* objectName, const char* picture, int left)
{
    auto* button = new VeldrinButton(QString::fromLatin1(objectName), this);
    button->setGeometry(left, 8, 50, 50);
    button->setPicture(QString::fromLatin1(picture), 32);
    connect(button, &QPushButton::clicked, this, [this, button] { Btn_Click(button); });
    return button;
}

void TFVeldrineFirmWare::Set_Lang()
{
    const StringTable& s = m_state.Strings;
    L_Begin->setText(s[0]);
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setText(s[1 + i]);
    Btn_Info->setHint(s[12]);
    Btn_Opz->setHint(s[13]);
    Btn_Close->setHint(s[14]);
    Btn_New->setCaption(s[15]);
    Btn_Open->setCaption(s[16]);
    Btn_CreateBin->setCaption(s[17]);
    Btn_Changes->setCaption(s[270]);
    Btn_Report->setCaption(s[ReportButtonText]);
    if (TFChanges* changes = m_changes.ifBuilt())
        changes->Set_Lang();
    Btn_Prm_Gen->setCaption(s[20]);
    Btn_Modbus_Req->setCaption(s[21]);
    L_Begin->adjustSize();
    for (QLabel* label : L_Step)
        label->adjustSize();
}

void TFVeldrineFirmWare::Change_Language()
{
    m_qtTexts.follow(m_state.Settings.CurrentLanguage);
    Set_Lang();
    // A dialog not built yet takes the new texts when it is.
    for (VeldrinDialog* dialog : std::initializer_list<VeldrinDialog*>{
             m_bootTcp.ifBuilt(), m_bootSer.ifBuilt(), m_newProject.ifBuilt(), m_openConf.ifBuilt(),
             m_parGen.ifBuilt(), m_softOptions.ifBuilt(), m_setAccess.ifBuilt()}) {
        if (dialog)
            dialog->Set_Lang();
    }
}

void TFVeldrineFirmWare::ShowActiveConfig()
{
    L_Name_Conf->setText(m_state.ActiveConfigLabel());
    L_Name_Conf_L2->setText(m_state.ActiveConfigLabel2());
    L_Name_Conf->adjustSize();
    L_Name_Conf_L2->adjustSize();
}

void TFVeldrineFirmWare::Btn_Click(QObject* sender)
{
    if (sender == Btn_New) {
        Create_New_Project();
    } else if (sender == Btn_Open) {
        Open_Project();
    } else if (sender == Btn_Close) {
        close();
    } else if (sender == Btn_Info) {
        m_about->exec();
    } else if (sender == Btn_Opz) {
        Show_Options();
    } else if (!m_state.IsConfigOpen()) {
        m_prompts.error(m_state.Strings[18]);
    } else if (sender == Btn_Prm_Gen) {
        // Whatever the dialog returns, even when it could not open: the file may have changed.
        m_parGen->exec();
        CheckHardwareVersion();
        HardwareChange();
    } else if (sender == Btn_Modbus_Req) {
        m_setAccess->exec();
    } else if (sender == Btn_CreateBin) {
        Update_Device();
    } else if (sender == Btn_Changes) {
        m_changes->showChanges();
    } else if (sender == Btn_Report) {
        Write_Report();
    }
}

void TFVeldrineFirmWare::Write_Report()
{
    const QString name = m_state.Settings.ActiveConfigName;
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("%1 - %2.pdf").arg(CommissioningReportTitle(m_state.Strings), name));
    const QString path = m_files.saveFileName(this, m_state.Strings[ReportButtonText], suggested,
                                              m_state.Strings[ReportFilterText]);
    if (path.isEmpty())
        return;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const ReportFacts facts = GatherReportFacts(m_state.ActiveConfigDir, QDateTime::currentDateTime());
        WriteCommissioningReport(facts, m_state.Strings, ReportFormatOf(path), path);
        QApplication::restoreOverrideCursor();
    } catch (const VeldrinError& error) {
        QApplication::restoreOverrideCursor();
        m_prompts.error(error.message());
        return;
    }
    // Shown at once in the desktop's viewer, as a document just written is.
    m_urls.open(QUrl::fromLocalFile(path));
}

void TFVeldrineFirmWare::Create_New_Project()
{
    if (m_newProject->exec() != QDialog::Accepted)
        return;
    ShowActiveConfig();
    // A new configuration has no ParGen.xml yet.
    m_DeviceType = 0;
    HardwareChange();
}

void TFVeldrineFirmWare::Open_Project()
{
    if (m_openConf->exec() != QDialog::Accepted)
        return;
    const QString name = m_openConf->Name_Conf();
    if (!name.isEmpty() && !QFileInfo(m_state.ConfigDir(name)).isDir()) {
        m_prompts.error(ConfigurationGoneMessage(name, m_state.ConfigDir(name), m_state.Strings));
        return;
    }
    m_state.OpenConfiguration(name);
    ShowActiveConfig();
    CheckHardwareVersion();
    HardwareChange();
}

int TFVeldrineFirmWare::Select_Type_418() const
{
    return ReadDeviceType(m_state.ParGenPath);
}

void TFVeldrineFirmWare::CheckHardwareVersion()
{
    m_DeviceType = Select_Type_418();
}

void TFVeldrineFirmWare::HardwareChange()
{
    Btn_Modbus_Req->setEnabled(m_DeviceType != 0);
}

void TFVeldrineFirmWare::Update_Device()
{
    const UpdateRoute route = PrepareUpdate(m_state, m_starter->isBusy());
    switch (route.kind) {
    case UpdateRoute::Kind::Ethernet:
        m_bootTcp->exec();
        break;
    case UpdateRoute::Kind::Serial:
        m_bootSer->exec();
        break;
    case UpdateRoute::Kind::Refused:
        m_prompts.error(route.reason);
        break;
    }
}

void TFVeldrineFirmWare::Show_Options()
{
    if (m_softOptions->exec() != QDialog::Accepted)
        return;
    Save_Setting();
    EnableUpdateTimer();
}

void TFVeldrineFirmWare::EnableUpdateTimer()
{
    if (!m_state.Settings.updateCheckWanted())
        m_Timer_Update.stop();
    else if (!m_Timer_Update.isActive())
        m_Timer_Update.start();
}

void TFVeldrineFirmWare::Timer_UpdateTimer()
{
    m_Timer_Update.stop();
    // The query runs in the background; the answer shows or hides the link. A query the
    // options dialog started already answers for this tick too.
    m_waitingForUpdateAnswer = true;
    m_updates.start();
    m_Timer_Update.setInterval(7200000);
    m_Timer_Update.start();
}

void TFVeldrineFirmWare::showUpdateAnswer(bool newerVersion)
{
    if (!m_waitingForUpdateAnswer)
        return;
    m_waitingForUpdateAnswer = false;
    if (newerVersion) {
        LL_Update->setLink(identity::DownloadPageUrl(), m_state.Strings[19]);
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
}

void TFVeldrineFirmWare::L_MerivoClick()
{
    m_urls.open(identity::HomePageUrl());
}

void TFVeldrineFirmWare::LL_UpdateLinkClick(const QUrl& link)
{
    m_urls.open(link);
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

void TFVeldrineFirmWare::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    CheckHardwareVersion();
    HardwareChange();
}

void TFVeldrineFirmWare::closeEvent(QCloseEvent* event)
{
    // The settings are saved at every close; a failure is reported and the window still
    // closes, so the user is never trapped in the tool.
    Save_Setting();
    event->accept();
}

} // namespace veldrin

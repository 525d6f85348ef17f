// The main window: the product, the open configuration and one button per step.
#pragma once

#include "lang/QtTranslations.h"
#include "services/Services.h"
#include "widgets/BuiltOnFirstUse.h"

#include <QTimer>
#include <QWidget>

class QFrame;
class QLabel;

namespace veldrin {

struct AppState;
class LinkLabel;
class Prompts;
class ProgramStarter;
class TFAbout;
class TFBootSer;
class TFBootTCP;
class TFNew_Project;
class TFOpenConf;
class TFParGen;
class TFSetAccess;
class TFChanges;
class TFSoftOptions;
class UpdateCheck;
class UrlOpener;
class VeldrinButton;

class TFVeldrineFirmWare : public QWidget {
    Q_OBJECT

public:
    // services must be complete: the application fills in the real ones.
    TFVeldrineFirmWare(AppState& state, const Services& services, QWidget* parent = nullptr);
    ~TFVeldrineFirmWare() override;

    // The one click handler of the eight buttons.
    void Btn_Click(QObject* sender);

    // Writes Veldrin.xml; a failure is shown in the error box.
    bool Save_Setting();
    void Set_Lang();
    // Re-applies the texts of every window after a change of language.
    void Change_Language();
    // The active-configuration labels for the configuration now open.
    void ShowActiveConfig();

    void CheckHardwareVersion();
    void HardwareChange();
    // The device type in the open configuration's ParGen.xml, read now.
    int Select_Type_418() const;
    int DeviceType() const { return m_DeviceType; }

    // Each dialog, built when first asked for.
    TFNew_Project& newProjectDialog() { return *m_newProject; }
    TFOpenConf& openConfDialog() { return *m_openConf; }
    TFAbout& aboutDialog() { return *m_about; }
    TFSoftOptions& softOptionsDialog() { return *m_softOptions; }
    TFBootSer& bootSerDialog() { return *m_bootSer; }
    TFBootTCP& bootTcpDialog() { return *m_bootTcp; }
    ProgramStarter& programStarter() { return *m_starter; }

    // The periodic update check: a first tick 60 s after start-up, then every two hours,
    // while both internet options are on.
    QTimer& Timer_Update() { return m_Timer_Update; }
    void Timer_UpdateTimer();
    // Starts the update timer when both internet options are on, stops it otherwise; a
    // running countdown is not restarted.
    void EnableUpdateTimer();
    TFParGen& parGenDialog() { return *m_parGen; }
    TFSetAccess& setAccessDialog() { return *m_setAccess; }
    TFChanges& changesDialog() { return *m_changes; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* addLabel(const char* objectName, int left, int top);
    VeldrinButton* addStepButton(const char* objectName, const char* picture, int left, int top);
    VeldrinButton* addPictureButton(const char* objectName, const char* picture, int left);

    void Create_New_Project();
    void Open_Project();
    void L_MerivoClick();
    void LL_UpdateLinkClick(const QUrl& link);
    void Show_Options();
    void Update_Device();
    void Write_Report();
    void showUpdateAnswer(bool newerVersion);

    AppState& m_state;
    Prompts& m_prompts;
    UrlOpener& m_urls;
    FileChooser& m_files;
    UpdateCheck& m_updates;
    // Qt's own texts follow the language chosen for the project's.
    QtTranslations m_qtTexts;
    int m_DeviceType = 0;
    QTimer m_Timer_Update;
    bool m_waitingForUpdateAnswer = false;

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* L_Begin;
    QFrame* Shape2;
    QLabel* L_Name_Conf;
    QLabel* L_Name_Conf_L2;
    VeldrinButton* Btn_Info;
    VeldrinButton* Btn_Opz;
    VeldrinButton* Btn_Close;
    QLabel* L_Step[8];
    VeldrinButton* Btn_New;
    VeldrinButton* Btn_Open;
    VeldrinButton* Btn_Prm_Gen;
    VeldrinButton* Btn_Modbus_Req;
    VeldrinButton* Btn_CreateBin;
    // Below the steps: what changed since the open configuration was last loaded.
    VeldrinButton* Btn_Changes;
    // Beside it: the commissioning report of the open configuration.
    VeldrinButton* Btn_Report;
    LinkLabel* L_Merivo;
    QFrame* Shape1;
    LinkLabel* LL_Update;

    BuiltOnFirstUse<TFNew_Project> m_newProject;
    BuiltOnFirstUse<TFOpenConf> m_openConf;
    BuiltOnFirstUse<TFAbout> m_about;
    BuiltOnFirstUse<TFSoftOptions> m_softOptions;
    ProgramStarter* m_starter = nullptr;
    BuiltOnFirstUse<TFBootSer> m_bootSer;
    BuiltOnFirstUse<TFBootTCP> m_bootTcp;
    BuiltOnFirstUse<TFParGen> m_parGen;
    BuiltOnFirstUse<TFSetAccess> m_setAccess;
    BuiltOnFirstUse<TFChanges> m_changes;
};

} // namespace veldrin

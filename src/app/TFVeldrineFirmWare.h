// The main window: the product, the open configuration and one button per step.
#pragma once

#include "app/Services.h"

#include <QWidget>

class QFrame;
class QLabel;

namespace veldrin {

struct AppState;
class LinkLabel;
class Prompts;
class TFAbout;
class TFNew_Project;
class TFOpenConf;
class TFSetAccess;
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

    TFNew_Project& newProjectDialog() { return *m_newProject; }
    TFOpenConf& openConfDialog() { return *m_openConf; }
    TFAbout& aboutDialog() { return *m_about; }
    TFSetAccess& setAccessDialog() { return *m_setAccess; }

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

    AppState& m_state;
    Prompts& m_prompts;
    UrlOpener& m_urls;
    int m_DeviceType = 0;

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
    LinkLabel* L_Merivo;
    QFrame* Shape1;
    LinkLabel* LL_Update;

    TFNew_Project* m_newProject;
    TFOpenConf* m_openConf;
    TFAbout* m_about;
    TFSetAccess* m_setAccess;
};

} // namespace veldrin

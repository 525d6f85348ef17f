// The software options dialog: the language of every window, the internet options and the
// update check.
#pragma once

#include "widgets/VeldrinDialog.h"

#include <QStringList>

#include <array>
#include <functional>

class QCheckBox;
class QTabWidget;

namespace veldrin {

class LinkLabel;
class UpdateCheck;
class UrlOpener;

class TFSoftOptions : public VeldrinDialog {
    Q_OBJECT

public:
    // changeLanguage re-applies the texts of every window (the main window's Change_Language).
    TFSoftOptions(AppState& state, Prompts& prompts, UrlOpener& urls, UpdateCheck& updates,
                  std::function<void()> changeLanguage, QWidget* parent);

    void Set_Lang() override;

    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_NextClick(QObject* sender);
    // The language choice of slot 1 to 6 on the page shown.
    void LangClick(int slot);
    void Update_CheckBox();
    void Btn_OKClick();
    void Btn_Check_UpdateClick();

    const QString& Language_In_Use() const { return m_Language_In_Use; }
    const QStringList& SL_Languages() const { return m_SL_Languages; }
    int Show_Page() const { return m_Show_Page; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void showCheckResult(bool newerVersion);

    UrlOpener& m_urls;
    UpdateCheck& m_updates;
    std::function<void()> m_changeLanguage;
    QStringList m_SL_Languages;
    int m_Show_Page = 1;
    QString m_Language_In_Use;
    bool m_waitingForCheck = false;

    QTabWidget* PC_Options;
    QWidget* TS_Language;
    QWidget* TS_Con_Options;
    QLabel* L_Sel_Lang;
    std::array<QPushButton*, 6> I_L;
    std::array<QLabel*, 6> L_L;
    QLabel* L_Page_Lang;
    VeldrinButton* Btn_Prev;
    VeldrinButton* Btn_Next;
    QCheckBox* CB_En_Con;
    QCheckBox* CB_Update;
    VeldrinButton* Btn_Check_Update;
    LinkLabel* LL_Check_Update;
    VeldrinButton* Btn_OK;
    VeldrinButton* Btn_Cancel;
};

} // namespace veldrin

// What the two update dialogs share: page 1 finds the device, page 2 holds the update
// options, Update and the status line of the updater's run. Cancel and Next belong to
// page 1, Update to page 2.
#pragma once

#include "update/LoadHistory.h"
#include "update/UpdateOptionBoxes.h"
#include "update/UpdateOptions.h"
#include "widgets/VeldrinDialog.h"

#include <initializer_list>
#include <memory>

class QLabel;

namespace veldrin {

class ProgramStarter;

class UpdateDialog : public VeldrinDialog {
    Q_OBJECT

public:
    int page() const { return m_page; }
    UpdateOptions options() const;

protected:
    UpdateDialog(AppState& state, Prompts& prompts, ProgramStarter& starter, const QString& objectName,
                 QWidget* parent);
    ~UpdateDialog() override;

    // The widgets of page 1, shown only there; set once by the dialog's constructor.
    void setFirstPage(std::initializer_list<QWidget*> widgets);
    // Shows one page and places its widgets: page 1 through placeFirstPage.
    void showPage(int page);
    virtual void placeFirstPage() = 0;
    virtual void nextClicked() = 0;
    virtual void updateClicked() = 0;

    // The texts the two pages share: the options' caption and their four boxes from
    // optionsIndex on, and the three buttons.
    void setSharedTexts(int optionsIndex, int cancelIndex, int nextIndex, int updateIndex);
    // Runs the updater of that name in the program folder with the parameter, the status line
    // saying how it went; refused while an updater started before is still running. A load the
    // updater reports as done is kept in the configuration's history.
    void runUpdater(const QString& name, const QString& parameter);
    // How the device is reached: over a serial port (its path) or over Ethernet (its address).
    virtual LoadRecord::Route route() const = 0;
    virtual QString target() const = 0;
    // Whether an updater may be started now; tells the user when not.
    bool updaterIdle();

    ProgramStarter& m_starter;

    QLabel* L_Options;
    std::unique_ptr<UpdateOptionBoxes> m_options;
    VeldrinButton* Btn_Cancel;
    VeldrinButton* Btn_Next;
    VeldrinButton* Btn_Update;
    QLabel* L_Status;

private:
    QList<QWidget*> m_firstPage;
    int m_page = 1;
};

} // namespace veldrin

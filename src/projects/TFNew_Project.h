// The new configuration dialog: asks for a name and creates the configuration's folder.
#pragma once

#include "widgets/VeldrinDialog.h"

class QLineEdit;

namespace veldrin {

class TFNew_Project : public VeldrinDialog {
    Q_OBJECT

public:
    TFNew_Project(AppState& state, Prompts& prompts, QWidget* parent);

    void Set_Lang() override;
    // Creates the configuration named in E_New_Proj and makes it the open one, or says why
    // the name is refused and stays open with the name as typed.
    void Btn_OKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1;
    QLineEdit* E_New_Proj;
    VeldrinButton* Btn_OK;
    VeldrinButton* Btn_Cancel;
};

} // namespace veldrin

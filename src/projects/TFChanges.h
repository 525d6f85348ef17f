// Changes since last load: the open configuration's files against the newest load of its
// history, in a window of their own.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace veldrin {

struct AppState;
class Prompts;
class VeldrinButton;

class TFChanges : public QDialog {
    Q_OBJECT

public:
    TFChanges(AppState& state, Prompts& prompts, QWidget* parent);

    // Compares and shows the changes of the open configuration; a file that cannot be read
    // is reported and the window does not open.
    void showChanges();
    void Set_Lang();
    QString page() const;

private:
    AppState& m_state;
    Prompts& m_prompts;
    QTextBrowser* B_Changes;
    VeldrinButton* Btn_Close;
};

} // namespace veldrin

// The frame every dialog shares: the title band with the code and description labels, the
// button band at the bottom, the common background, and the texts from the string table.
#pragma once

#include "widgets/VeldrinButton.h"

#include <QDialog>

class QHBoxLayout;
class QLabel;

namespace veldrin {

struct AppState;
class Prompts;

class VeldrinDialog : public QDialog {
    Q_OBJECT

public:
    VeldrinDialog(AppState& state, Prompts& prompts, const QString& objectName, QWidget* parent);

    // Copies the dialog's texts from the string table; run at creation and on a change of
    // language.
    virtual void Set_Lang() = 0;

protected:
    // The heights of the title band at the top and of the button band at the bottom.
    static constexpr int TitleHeight = 69;
    static constexpr int BandHeight = 40;

    // The window title and the description in the title band.
    void setHeader(const QString& title, const QString& description);
    // A fixed client size with only a close box, or a resizable one starting at that size.
    void setClientSize(int width, int height, bool resizable = false);
    // A 110 x 28 button in the bottom band; the buttons gather at its right edge, left to
    // right in the order they are added.
    VeldrinButton* addBandButton(const QString& objectName, VeldrinButton::ModalResult result);
    // A widget at the left end of the bottom band, before the row of addBandButton; it takes
    // the room the buttons leave.
    void addBandStatus(QWidget* widget);
    // A button at a fixed place in the bottom band, outside the row of addBandButton.
    VeldrinButton* placeBandButton(const QString& objectName, VeldrinButton::ModalResult result, int left,
                                   int width = 110);
    // The string table entry at index.
    const QString& text(int index) const;

    void resizeEvent(QResizeEvent* event) override;

    AppState& m_state;
    Prompts& m_prompts;

    QWidget* P_Title;
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QWidget* P_Button;

private:
    QHBoxLayout* m_band;
};

} // namespace veldrin

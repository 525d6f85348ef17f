// The push button of every window: caption, optional picture, hint, a hot-track colour
// under the mouse, orange while pressed, and a modal result that closes its dialog.
#pragma once

#include <QPushButton>

namespace veldrin {

class VeldrinButton : public QPushButton {
    Q_OBJECT

public:
    // What a click does to the dialog the button sits in: nothing, or close it with
    // Accepted (Ok) or Rejected (Cancel).
    enum class ModalResult { None, Ok, Cancel };

    VeldrinButton(const QString& objectName, QWidget* parent);

    // A picture from the shipped icons (":/icons/NAME.svg").
    void setPicture(const QString& iconName, int size);
    // The hint shown under the mouse; a button without a caption is also named by it.
    void setHint(const QString& hint);
    void setCaption(const QString& caption);

    ModalResult modalResult() const { return m_modalResult; }
    void setModalResult(ModalResult result) { m_modalResult = result; }

    static const QColor HotTrackColour;
    static const QColor PressedColour;

protected:
    bool event(QEvent* event) override;
    // Return and Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyModalResult();
    // The hot-track colour under the mouse, orange while pressed, else the usual one.
    void showState();

    QColor m_normal;
    ModalResult m_modalResult = ModalResult::None;
};

} // namespace veldrin

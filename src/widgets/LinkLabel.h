// A label showing a link that the mouse and the keyboard can follow, as one Tab stop; following
// it asks the handler, never the system, to open the target.
#pragma once

#include <QLabel>
#include <QUrl>

namespace veldrin {

class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& objectName, QWidget* parent);

    // Shows text as a link to target: underlined in the link colour, taking the focus, followed
    // by a click, Return, Enter or Space.
    void setLink(const QUrl& target, const QString& text);
    // Shows text without a link; the label then takes no focus.
    void setPlainText(const QString& text);
    QUrl target() const { return m_target; }

Q_SIGNALS:
    void linkClicked(const QUrl& target);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showAsLink(bool link);
    void follow();

    QUrl m_target;
};

} // namespace veldrin

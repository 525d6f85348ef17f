// A label showing a link that the mouse and the keyboard can follow; following it asks
// the handler, never the system, to open the target.
#pragma once

#include <QLabel>
#include <QUrl>

namespace veldrin {

class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& objectName, QWidget* parent);

    // Shows text as a link to target.
    void setLink(const QUrl& target, const QString& text);
    // Shows text without a link.
    void setPlainText(const QString& text);
    QUrl target() const { return m_target; }

Q_SIGNALS:
    void linkClicked(const QUrl& target);

private:
    QUrl m_target;
};

} // namespace veldrin

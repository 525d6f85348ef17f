#include "widgets/LinkLabel.h"

namespace veldrin {

LinkLabel::LinkLabel(const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QLabel::linkActivated, this, [this] { Q_EMIT linkClicked(m_target); });
}

void LinkLabel::setLink(const QUrl& target, const QString& text)
{
    m_target = target;
    setText(QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(target.toString(QUrl::FullyEncoded).toHtmlEscaped(), text.toHtmlEscaped()));
    setAccessibleName(text);
    setAccessibleDescription(target.toString());
    adjustSize();
}

void LinkLabel::setPlainText(const QString& text)
{
    m_target = QUrl();
    setText(text.toHtmlEscaped());
    setAccessibleName(text);
    setAccessibleDescription(QString());
    adjustSize();
}

} // namespace veldrin

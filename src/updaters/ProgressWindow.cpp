#include "updaters/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace veldrin::updaters {
namespace {

QString coloured(const QString& text, const char* colour)
{
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(QLatin1String(colour), text.toHtmlEscaped());
}

} // namespace

ProgressWindow::ProgressWindow(const QString& programName, QWidget* parent)
    : QWidget(parent), m_heading(new QLabel(this)), m_log(new QPlainTextEdit(this)),
      m_bar(new QProgressBar(this)), m_status(new QLabel(this)),
      m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(programName);
    resize(560, 320);
    // In the middle of the screen, with or without a window manager: not over the corner where
    // the configurator's wait window may stand.
    if (const QScreen* shown = screen())
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), shown->availableGeometry()));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setWordWrap(true);
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_status->setWordWrap(true);
    m_close->setEnabled(false);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_log, 1);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
}

void ProgressWindow::append(const QString& html)
{
    m_log->appendHtml(html);
    QCoreApplication::processEvents();
}

void ProgressWindow::heading(const QString& text)
{
    m_heading->setText(text);
    QCoreApplication::processEvents();
}

void ProgressWindow::info(const QString& text)
{
    append(text.toHtmlEscaped());
}

void ProgressWindow::beginStep(int number, int count, const QString& text)
{
    m_step = number;
    m_stepCount = count;
    m_stepText = QStringLiteral("[%1/%2] %3").arg(number).arg(count).arg(text);
    m_status->setText(text + QStringLiteral(" ..."));
    progress(0);
}

void ProgressWindow::progress(int percent)
{
    if (m_stepCount > 0)
        m_bar->setValue(((m_step - 1) * 100 + percent) / m_stepCount);
    QCoreApplication::processEvents();
}

void ProgressWindow::endStep(const QString& result)
{
    append(QStringLiteral("%1: %2").arg(m_stepText.toHtmlEscaped(), result.toHtmlEscaped()));
}

void ProgressWindow::problem(const QString& text)
{
    append(coloured(QStringLiteral("Error: ") + text, "#C00000"));
}

void ProgressWindow::finish(bool ok, const QString& summary)
{
    if (ok)
        m_bar->setValue(100);
    m_status->setText(ok ? coloured(summary, "#008000") : coloured(summary, "#C00000"));
    m_finished = true;
    m_close->setEnabled(true);
    m_close->setFocus();
    if (ok)
        QTimer::singleShot(CloseAfterSuccessMs, this, &QWidget::close);
    QCoreApplication::processEvents();
}

void ProgressWindow::closeEvent(QCloseEvent* event)
{
    // An update is not broken off halfway: that would leave the device half written.
    if (m_finished)
        event->accept();
    else
        event->ignore();
}

void ProgressWindow::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace veldrin::updaters

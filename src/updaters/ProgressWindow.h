// An updater's report in a small window: the operations with a progress bar, problems in red,
// and a Close button once the run is over.
#pragma once

#include "updaters/UpdaterReport.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace veldrin::updaters {

class ProgressWindow : public QWidget, public UpdaterReport {
    Q_OBJECT

public:
    // After a good run the window closes itself after this pause, so the configurator that
    // waits for the updater goes on by itself.
    static constexpr int CloseAfterSuccessMs = 800;

    explicit ProgressWindow(const QString& programName, QWidget* parent = nullptr);

    void heading(const QString& text) override;
    void info(const QString& text) override;
    void beginStep(int number, int count, const QString& text) override;
    void progress(int percent) override;
    void endStep(const QString& result) override;
    void problem(const QString& text) override;
    void finish(bool ok, const QString& summary) override;
    // Keeps the window painted and responsive while it waits.
    void pause(int ms) override;

    bool finished() const { return m_finished; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void append(const QString& html);

    QLabel* m_heading;
    QPlainTextEdit* m_log;
    QProgressBar* m_bar;
    QLabel* m_status;
    QPushButton* m_close;
    int m_step = 0;
    int m_stepCount = 0;
    QString m_stepText;
    bool m_finished = false;
};

} // namespace veldrin::updaters

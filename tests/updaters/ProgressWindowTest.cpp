#include "updaters/ProgressWindow.h"

#include "support/WaitUntil.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace veldrin::updaters {
namespace {

TEST(ProgressWindow, StaysOpenWhileItRunsAndAfterAFailure)
{
    ProgressWindow window(QStringLiteral("Ser_30418_Update"));
    window.show();
    // In the middle of the screen, not at its corner where the configurator's wait window is.
    const QPoint off = window.geometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 2) << off.x() << "," << off.y();
    window.heading(QStringLiteral("Ser_30418_Update: serial update of the device on ttyUSB0"));
    window.beginStep(1, 2, QStringLiteral("Writing the firmware"));
    window.progress(50);
    EXPECT_EQ(window.findChild<QProgressBar*>()->value(), 25);
    // Closing halfway would leave the device half written.
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    window.endStep(QStringLiteral("done"));
    window.problem(QStringLiteral("The firmware read back from ttyUSB0 differs from sim30418.sim"));
    window.finish(false, QStringLiteral("The update stopped at operation 2 of 2."));
    const QString log = window.findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("[1/2] Writing the firmware: done"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Error: The firmware read back"))) << log.toStdString();
    EXPECT_FALSE(
        test::WaitUntil([&] { return !window.isVisible(); }, ProgressWindow::CloseAfterSuccessMs + 200))
        << "the window closed itself after a failure";
    QPushButton* close = window.findChild<QPushButton*>();
    ASSERT_TRUE(close->isEnabled());
    close->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(ProgressWindow, ClosesItselfAfterAGoodRun)
{
    ProgressWindow window(QStringLiteral("Ethernet_Update"));
    window.show();
    window.beginStep(1, 1, QStringLiteral("Writing the configuration"));
    window.endStep(QStringLiteral("done"));
    window.finish(true, QStringLiteral("Update finished: 1 operation on 127.0.0.1."));
    EXPECT_EQ(window.findChild<QProgressBar*>()->value(), 100);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(
        test::WaitUntil([&] { return !window.isVisible(); }, ProgressWindow::CloseAfterSuccessMs + 2000));
}

} // namespace
} // namespace veldrin::updaters

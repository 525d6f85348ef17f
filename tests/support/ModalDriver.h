// Drives a modal dialog from a test: the action runs on the dialog once it is showing, from
// inside its event loop, so exec() can be called as the application calls it.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace veldrin::test {

// Runs action on the next modal window that shows up (within about five seconds). The
// action must close it, or arrange for it to be closed.
inline void WhenModal(std::function<void(QWidget*)> action)
{
    auto timer = std::make_shared<QTimer>();
    auto tries = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer.get(), &QTimer::timeout, [timer, tries, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            action(modal);
        } else if (++*tries > 1000) {
            timer->stop();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start();
}

} // namespace veldrin::test

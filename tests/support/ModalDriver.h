// Drives a modal dialog from a test: the action runs on the dialog once it is showing, from
// inside its event loop, so exec() can be called as the application calls it.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace veldrin::test {

// Runs action on the next modal window that shows up (within about five seconds). The
// action must close it, or arrange for it to be closed.
inline void WhenModal(std::function<void(QWidget*)> action)
{
    // Owned by the application until it has fired, then deleted: a timer held by its own
    // connection would never be freed.
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, tries = 0, action = std::move(action)]() mutable {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (modal && modal->isVisible()) {
                             timer->stop();
                             timer->deleteLater();
                             const std::function<void(QWidget*)> run = action;
                             run(modal);
                         } else if (++tries > 1000) {
                             timer->stop();
                             timer->deleteLater();
                             ADD_FAILURE() << "no modal window appeared";
                         }
                     });
    timer->start();
}

} // namespace veldrin::test

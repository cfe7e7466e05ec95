#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal window as soon as it is shown: the test schedules
// what the user would do, then starts the command that opens the window.
// The action gets the modal widget; it runs once.
inline void WhenModal(std::function<void(QWidget*)> action, int attempts = 1000) {
    QTimer::singleShot(10, [action = std::move(action), attempts]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            action(modal);
        } else if (attempts > 0) {
            WhenModal(std::move(action), attempts - 1);
        }
    });
}

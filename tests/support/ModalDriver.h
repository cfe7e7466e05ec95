// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

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

// Presses the button of a window whose caption, without its "&", is caption.
inline void press(QWidget* window, const QString& caption) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text().remove(QLatin1Char('&')) == caption) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << caption.toStdString();
}

// Types a path into a file dialog, as a user would, and confirms it.
inline void choose(QWidget* window, const QString& path) {
    auto* name = window->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr) << "not a file dialog";
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

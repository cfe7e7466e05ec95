// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Application.h"

#include <QMessageBox>

#include <exception>
#include <new>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: the platform would add it to every caption, and the
    // captions are the program's own.
    setApplicationName(QStringLiteral("Zendra"));
    // Wayland desktops find the program's menu entry and icon by this name.
    setDesktopFileName(QStringLiteral(ZENDRA_APP_ID));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        ReportError(QStringLiteral("Out of memory."));
    } catch (const std::exception& error) {
        ReportError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void Application::ReportError(const QString& text) {
    QMessageBox::critical(activeWindow(), applicationDisplayName(), text);
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>

// The program's application object. An error that no command handles
// itself ends up here: it is reported in a message box with its text, and
// the event loop goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the default error report.
    static void ReportError(const QString& text);
};

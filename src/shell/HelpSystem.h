// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QApplication;
class QWidget;

// Help by context number. The help file (zendra.hlp) is one HTML document
// with an anchor per context number ("context-7"); topics are shown in one
// help window of the program's own, reused from request to request.
//
// Help files named without a folder are looked for beside the executable,
// then in the data folder of the prefix the executable is installed in
// (bin/../share/zendra, so an installed tree can move), then in the data
// folder the build was configured for, then in the source tree's.
//
// Widgets, windows and actions name their help context with the dynamic
// property "helpContext" (int); a window may name its own help file with the
// property "helpFile" (QString), which then takes precedence over the
// application's while that window is active.
class HelpSystem {
public:
    static void SetApplicationHelpFile(const QString& path);
    static QString ApplicationHelpFile();

    // The existing file that a help file name or path stands for, or an
    // empty string when there is none.
    static QString Locate(const QString& nameOrPath);

    // The contents and index (the finder), and one topic.
    static void ShowContents(const QString& helpFile);
    static void ShowContext(const QString& helpFile, int context);

    // Whether the help file has a topic for the context number.
    static bool HasTopic(const QString& helpFile, int context);

    // The help window, when one has been shown.
    static QWidget* Window();

    // Installs F1 handling on the application: in an open menu, the
    // highlighted item's context (or that of the nearest enclosing menu item
    // that has one); in a window or dialog, the context of the focused
    // widget or of its nearest ancestor that has one.
    static void Install(QApplication& application);

    // The help context and help file that F1 would use for a widget.
    static int ContextFor(const QWidget* widget);
    static QString HelpFileFor(const QWidget* widget);
};

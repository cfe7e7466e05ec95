// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "WorkingForm.h"

#include <QApplication>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <string>

// The worked-solution windows on show.
inline QList<TWorkingForm*> WorkingWindows() {
    QList<TWorkingForm*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TWorkingForm*>(w); form != nullptr && form->isVisible())
            found << form;
    return found;
}

// Exactly one worked solution is on show, and it holds the core's text
// (CR LF lines, the last ended); closes it.
inline void ExpectOneWorkingShowing(const std::string& working) {
    QString text = QString::fromLatin1(working.data(), static_cast<qsizetype>(working.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.chop(1);
    const QList<TWorkingForm*> windows = WorkingWindows();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows.first()->Text(), text);
    windows.first()->close();
}

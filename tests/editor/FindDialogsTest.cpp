// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The find and replace dialogs: which widgets each has, what the buttons
// signal, and that a closed dialog keeps what was typed.
#include "FindDialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(FindDialogs, OnlyTheReplaceDialogHasTheReplacingParts) {
    TFindDialog find(false, nullptr);
    EXPECT_EQ(find.windowTitle(), "Find");
    EXPECT_FALSE(find.isModal());
    EXPECT_NE(find.findChild<QLineEdit*>("FindEdit"), nullptr);
    EXPECT_NE(find.findChild<QCheckBox*>("MatchCaseBox"), nullptr);
    EXPECT_EQ(find.findChild<QLineEdit*>("ReplaceEdit"), nullptr);
    EXPECT_EQ(find.findChild<QPushButton*>("ReplaceButton"), nullptr);
    EXPECT_EQ(find.findChild<QPushButton*>("ReplaceAllButton"), nullptr);
    EXPECT_EQ(find.ReplaceText(), QString());
    EXPECT_TRUE(find.findChild<QPushButton*>("FindNextButton")->isDefault());

    TFindDialog replace(true, nullptr);
    EXPECT_EQ(replace.windowTitle(), "Replace");
    EXPECT_NE(replace.findChild<QLineEdit*>("ReplaceEdit"), nullptr);
    EXPECT_NE(replace.findChild<QPushButton*>("ReplaceButton"), nullptr);
    EXPECT_NE(replace.findChild<QPushButton*>("ReplaceAllButton"), nullptr);
}

TEST(FindDialogs, EachButtonSignalsItsOwnCommand) {
    TFindDialog dialog(true, nullptr);
    QSignalSpy findNext(&dialog, &TFindDialog::findNext);
    QSignalSpy replace(&dialog, &TFindDialog::replace);
    QSignalSpy replaceAll(&dialog, &TFindDialog::replaceAll);
    dialog.findChild<QPushButton*>("FindNextButton")->click();
    dialog.findChild<QPushButton*>("ReplaceButton")->click();
    dialog.findChild<QPushButton*>("ReplaceButton")->click();
    dialog.findChild<QPushButton*>("ReplaceAllButton")->click();
    EXPECT_EQ(findNext.count(), 1);
    EXPECT_EQ(replace.count(), 2);
    EXPECT_EQ(replaceAll.count(), 1);
}

TEST(FindDialogs, CloseHidesAndKeepsTheSettings) {
    TFindDialog dialog(true, nullptr);
    dialog.SetFindText("abc");
    dialog.ReplaceEdit->setText("xyz");
    dialog.MatchCaseBox->setChecked(true);
    dialog.show();
    ASSERT_TRUE(dialog.isVisible());
    dialog.findChild<QPushButton*>("CloseButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    EXPECT_EQ(dialog.FindText(), "abc");
    EXPECT_EQ(dialog.ReplaceText(), "xyz");
    EXPECT_TRUE(dialog.MatchCase());
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class GVar;
class Messages;
class QLineEdit;

// The rename dialog: "Change Name from" the current name "to" a new one.
class TRenMat : public QDialog {
    Q_OBJECT
public:
    // OK renames the matrix of slot to the first 20 characters of the text,
    // exactly as typed (it may be empty); Cancel changes nothing.
    static void execute(GVar& workspace, Messages& messages, int slot, QWidget* parent = nullptr);

    QLineEdit* Edit1;  // the current name, read-only
    QLineEdit* Edit2;  // the new name

private:
    TRenMat(const QString& currentName, QWidget* parent);
};

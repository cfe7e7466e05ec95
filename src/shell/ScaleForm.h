// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class GVar;
class Messages;
class MyString;
class QLineEdit;

// The scale factor dialog, and Scale itself.
class TScaleEntry : public QDialog {
    Q_OBJECT
public:
    // Asks for the factor and adds factor * A to the workspace, named with
    // the text as typed. A text that does not read shows the reader's report
    // and the dialog again, with the text kept; Cancel creates nothing.
    static void ScaleMat(GVar& workspace, Messages& messages, MyString& reader, int slot,
                         QWidget* parent = nullptr);

    QLineEdit* ScaleEdit;

private:
    explicit TScaleEntry(QWidget* parent);
};

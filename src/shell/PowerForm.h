// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <string>

class Messages;
class QLineEdit;

// The exponent dialog of Matrix power, in the style of the scale factor's:
// one field, OK and Cancel.
class PowerForm : public QDialog {
    Q_OBJECT
public:
    // Asks until the text reads as an exponent (a text that does not shows
    // the message and the dialog again, the text kept) or the user
    // cancels: false then.
    static bool AskExponent(Messages& messages, std::string& text, QWidget* parent = nullptr);

    // The help topic of Matrix power.
    static constexpr int HelpContext = 45;

    QLineEdit* PowerEdit;

private:
    explicit PowerForm(QWidget* parent);
};

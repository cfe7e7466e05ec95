// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <cstdint>

class Messages;
class MyString;
class QLineEdit;

// The number of decimal places of views and listings.
class TOptions : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog with the current number; OK reads the field, and a
    // text that does not read, or a number outside 0 to 99, is reported and
    // the dialog shown again. Cancel or the close box keep the number.
    static void getdc(MyString& reader, Messages& messages, std::int32_t& decimals,
                      QWidget* parent = nullptr);

    QLineEdit* DcEdit;

private:
    explicit TOptions(QWidget* parent);
};

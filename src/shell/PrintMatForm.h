// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class GVar;
class Messages;
class QListWidget;

// The multi-matrix selection of List matrix, and the listing it writes.
class TPrintMat : public QDialog {
    Q_OBJECT
public:
    // Creates the listing file at path (header line and an empty line),
    // then asks which matrices to list (Ctrl adds single items, Shift
    // ranges) and appends them in slot order; a cancelled choice lists
    // none. Returns false when the file could not be created or written
    // (the message has been shown). text, when given, lays out the chosen matrices in place of the
    // listing's own decimals (Show fractions).
    using ListingText = std::function<std::string(const std::vector<int>&)>;
    static bool execute(const GVar& workspace, Messages& messages, const std::string& path,
                        QWidget* parent = nullptr, const ListingText& text = ListingText());

    QListWidget* MatList;

private:
    TPrintMat(const GVar& workspace, QWidget* parent);
};

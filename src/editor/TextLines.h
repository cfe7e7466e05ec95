// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The text of an editor window as the search and the printing see it: its
// lines, in order, without their breaks. Offsets into the whole text count
// every line break as two characters (CR LF), as the file holds them.
class TextLines {
public:
    virtual ~TextLines() = default;

    virtual int LineCount() const = 0;
    virtual QString Line(int index) const = 0;

    // Replaces the text of one line (replacing never adds or removes lines).
    virtual void SetLine(int index, const QString& text) = 0;

    // Selects length characters from column (counted from 1) of line; offset
    // is the same place counted in the whole text with CR LF breaks.
    virtual void Select(int line, int column, int length, qint64 offset) = 0;
};

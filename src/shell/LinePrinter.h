// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

class QPainter;
class QPrinter;

// A printer opened as a line device: each line is written at the left edge
// of the printable area, line under line at the font's line height; a line
// wider than the page goes on in the next printed line, and a new page
// begins when the next line would not fit. Starting the device starts the
// print job, and Close (or destruction, also after an error) ends it.
//
// Fonts that cannot be laid out as lines never keep the device busy:
// - a font whose line height on the printer is 0 (or less) prints nothing;
//   the job is still started and ended, so it yields an empty page;
// - a font taller than the page prints one line per page, and a character
//   wider than the page still goes out one per printed line.
class LinePrinter {
public:
    LinePrinter(QPrinter& printer, const QFont& font);
    ~LinePrinter();
    LinePrinter(const LinePrinter&) = delete;
    LinePrinter& operator=(const LinePrinter&) = delete;

    bool IsOpen() const;
    void WriteLine(const QString& line);
    void Close();

    // The line height of the font on the printer, in device pixels.
    int LineHeight() const;

private:
    struct Impl;
    Impl* m_impl;
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QPrinter;
class TextLines;

// Prints the lines of a text, one text line to one printed line, in the
// text area's font, with no header, footer or page number; no line is
// wrapped or shortened. The layout is fixed before the first line:
//   left edge: the window's pixels per inch, taken as printer pixels;
//   line height: |font points| x printer's vertical pixels per inch / 72,
//     rounded to the nearest pixel;
//   lines per page: printable page height / line height, rounded down.
// Pending events are processed after every line, so the program stays
// responsive; a page is started only for lines that remain.
class TextPrinter {
public:
    struct Layout {
        int leftEdge = 0;
        int lineHeight = 0;
        int linesPerPage = 0;
    };

    static Layout LayoutFor(double fontPoints, int windowDpi, int printerDpiY, int pageHeight);

    // Why a layout cannot print (a font of no height, or one taller than
    // the page), or an empty text when it can.
    static QString Problem(const Layout& layout);

    // Prints the text on printer (an empty text starts no job). Returns
    // false with error set when the layout cannot print, the printer fails,
    // or cancelled() turned true between lines (the job is then aborted).
    static bool Print(QPrinter& printer, const QFont& font, int windowDpi, TextLines& text,
                      const QString& jobTitle, QString* error,
                      const std::function<bool()>& cancelled = {});

    // The same with the font's size in points given apart: a size box can
    // hold sizes (0, negative) that a QFont refuses to take.
    static bool Print(QPrinter& printer, const QFont& font, double fontPoints, int windowDpi,
                      TextLines& text, const QString& jobTitle, QString* error,
                      const std::function<bool()>& cancelled = {});

    // The size of font in points; a font sized in pixels is taken at the
    // window's pixels per inch.
    static double FontPoints(const QFont& font, int windowDpi);
};

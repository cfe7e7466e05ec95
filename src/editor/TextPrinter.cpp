// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextPrinter.h"

#include "TextLines.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace {

void SetError(QString* error, const QString& text) {
    if (error) {
        *error = text;
    }
}

// The printable height of the page in device pixels, known before the job
// starts, so that a font that cannot print never opens one.
int PrintableHeight(const QPrinter& printer) {
    return printer.pageLayout().paintRectPixels(printer.resolution()).height();
}

} // namespace

TextPrinter::Layout TextPrinter::LayoutFor(double fontPoints, int windowDpi, int printerDpiY,
                                           int pageHeight) {
    Layout layout;
    layout.leftEdge = windowDpi;
    layout.lineHeight = qRound(std::fabs(fontPoints) * printerDpiY / 72.0);
    if (layout.lineHeight > 0 && pageHeight > 0) {
        layout.linesPerPage = pageHeight / layout.lineHeight;
    }
    return layout;
}

QString TextPrinter::Problem(const Layout& layout) {
    // Either case would leave the page loop without a line to move on by.
    if (layout.lineHeight <= 0) {
        return QStringLiteral("The font is too small to print: its lines would have no height.");
    }
    if (layout.linesPerPage <= 0) {
        return QStringLiteral("The font is too large to print: one line is taller than the page.");
    }
    return QString();
}

double TextPrinter::FontPoints(const QFont& font, int windowDpi) {
    if (font.pointSizeF() > 0) {
        return font.pointSizeF();
    }
    if (font.pixelSize() > 0 && windowDpi > 0) {
        return font.pixelSize() * 72.0 / windowDpi;
    }
    return 0.0;
}

bool TextPrinter::Print(QPrinter& printer, const QFont& font, int windowDpi, TextLines& text,
                        const QString& jobTitle, QString* error,
                        const std::function<bool()>& cancelled) {
    return Print(printer, font, FontPoints(font, windowDpi), windowDpi, text, jobTitle, error,
                 cancelled);
}

bool TextPrinter::Print(QPrinter& printer, const QFont& font, double fontPoints, int windowDpi,
                        TextLines& text, const QString& jobTitle, QString* error,
                        const std::function<bool()>& cancelled) {
    SetError(error, QString());
    if (text.LineCount() == 0) {
        return true;
    }
    // Events run between lines, so the Print command can come again while
    // this job is still going; the printer belongs to the running job.
    if (printer.printerState() == QPrinter::Active) {
        SetError(error, QStringLiteral("Printing is in progress."));
        return false;
    }

    const int pageHeight = PrintableHeight(printer);
    if (pageHeight <= 0) {
        SetError(error, QStringLiteral("The printer has no printable area on its page."));
        return false;
    }
    const Layout layout = LayoutFor(fontPoints, windowDpi, printer.logicalDpiY(), pageHeight);
    const QString problem = Problem(layout);
    if (!problem.isEmpty()) {
        SetError(error, problem);
        return false;
    }

    printer.setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        SetError(error, QStringLiteral("The printer could not be started."));
        return false;
    }
    // The character height in device pixels is the line height itself, so
    // the lines stand one under the other without gaps or extra spacing,
    // whatever unit the editor's font was given in.
    QFont printFont(font);
    printFont.setPixelSize(layout.lineHeight);
    painter.setFont(printFont);
    const int ascent = painter.fontMetrics().ascent();

    int next = 0;
    bool stopped = false;
    // The text is read as it stands at each line: edits made while the job
    // runs show up in the lines not yet printed.
    while (!stopped && next < text.LineCount()) {
        int y = 0;
        for (int onPage = 0; onPage < layout.linesPerPage && next < text.LineCount(); ++onPage) {
            const QString line = text.Line(next);
            if (!line.isEmpty()) {
                painter.drawText(QPoint(layout.leftEdge, y + ascent), line);
            }
            y += layout.lineHeight;
            ++next;
            QCoreApplication::processEvents();
            if (cancelled && cancelled()) {
                stopped = true;
                break;
            }
        }
        if (!stopped && next < text.LineCount()) {
            printer.newPage();
        }
    }

    if (stopped) {
        // Where the platform cannot withdraw a job, ending the painter still
        // closes it, so the printer is free for the next one.
        printer.abort();
        if (painter.isActive()) {
            painter.end();
        }
        SetError(error, QStringLiteral("Printing was cancelled."));
        return false;
    }
    if (!painter.end()) {
        SetError(error, QStringLiteral("The printer could not finish the job."));
        return false;
    }
    return true;
}

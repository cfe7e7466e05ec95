// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinePrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

struct LinePrinter::Impl {
    Impl(QPrinter& p, const QFont& f) : printer(p), font(f), metrics(f, &p) {}

    QPrinter& printer;
    QPainter painter;
    QFont font;
    QFontMetrics metrics;
    int lineHeight = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int y = 0;  // top of the next printed line

    // Puts one printed line at the current position, beginning a new page
    // first when it would not fit. A line taller than the page is put at the
    // top of a page of its own, so every call moves on.
    void PutRow(const QString& row) {
        if (y > 0 && y + lineHeight > pageHeight) {
            printer.newPage();
            y = 0;
        }
        if (!row.isEmpty()) {
            painter.drawText(0, y + metrics.ascent(), row);
        }
        y += lineHeight;
    }

    // How many characters of text, from the start, fit across the page;
    // at least one, so that a character wider than the page still goes out.
    qsizetype FittingChars(QStringView text) const {
        qsizetype fit = 0;
        int width = 0;
        while (fit < text.size()) {
            qsizetype step = 1;
            if (text[fit].isHighSurrogate() && fit + 1 < text.size()) {
                step = 2;
            }
            width += metrics.horizontalAdvance(text.mid(fit, step).toString());
            if (width > pageWidth && fit > 0) {
                break;
            }
            fit += step;
            if (width > pageWidth) {
                break;
            }
        }
        return fit;
    }
};

LinePrinter::LinePrinter(QPrinter& printer, const QFont& font) : m_impl(new Impl(printer, font)) {
    if (!m_impl->painter.begin(&printer)) {
        return;
    }
    // The painter's origin is the top left of the printable area, and the
    // printer's own size is that area, in device pixels.
    m_impl->painter.setFont(font);
    m_impl->metrics = QFontMetrics(m_impl->painter.font(), &printer);
    m_impl->lineHeight = m_impl->metrics.lineSpacing();
    m_impl->pageWidth = printer.width();
    m_impl->pageHeight = printer.height();
}

LinePrinter::~LinePrinter() {
    Close();
    delete m_impl;
}

bool LinePrinter::IsOpen() const {
    return m_impl->painter.isActive();
}

int LinePrinter::LineHeight() const {
    return m_impl->lineHeight;
}

void LinePrinter::WriteLine(const QString& line) {
    if (!IsOpen() || m_impl->lineHeight <= 0) {
        return;
    }
    if (line.isEmpty()) {
        m_impl->PutRow(QString());
        return;
    }
    QStringView rest(line);
    while (!rest.isEmpty()) {
        const qsizetype fit = m_impl->FittingChars(rest);
        m_impl->PutRow(rest.left(fit).toString());
        rest = rest.mid(fit);
    }
}

void LinePrinter::Close() {
    if (m_impl->painter.isActive()) {
        m_impl->painter.end();
    }
}

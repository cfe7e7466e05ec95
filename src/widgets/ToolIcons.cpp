// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ToolIcons {
namespace {
// A glyph on a tile coloured by the command's family.
QPixmap tile(const QColor& background, const QString& glyph, int size = 16, int pixel = 11) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(background.darker(150));
    p.setBrush(background);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 3, 3);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixel);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
    return pixmap;
}

QPixmap page(bool folder) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (folder) {
        p.setPen(QColor(150, 110, 20));
        p.setBrush(QColor(240, 200, 80));
        QPainterPath path;
        path.moveTo(1, 4);
        path.lineTo(6, 4);
        path.lineTo(7, 5.5);
        path.lineTo(15, 5.5);
        path.lineTo(15, 14);
        path.lineTo(1, 14);
        path.closeSubpath();
        p.drawPath(path);
    } else {
        p.setPen(QColor(90, 90, 90));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 1.5, 9, 13));
        p.setPen(QColor(120, 150, 200));
        for (int y = 5; y <= 11; y += 3)
            p.drawLine(5, y, 11, y);
    }
    return pixmap;
}
// Lines of text aligned as the button sets them.
QPixmap alignment(Qt::Alignment align) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    const int widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = align == Qt::AlignLeft ? 2 : align == Qt::AlignRight ? 14 - w : (16 - w) / 2;
        p.drawLine(x, 3 + i * 3, x + w, 3 + i * 3);
    }
    return pixmap;
}
} // namespace

QIcon Make(Kind kind) {
    const QColor file(40, 110, 60);
    const QColor matrix(30, 70, 150);
    const QColor numeric(150, 60, 30);
    switch (kind) {
    case Kind::New: return QIcon(page(false));
    case Kind::Open: return QIcon(page(true));
    case Kind::ReadFile: return QIcon(tile(file, QStringLiteral("\u2193")));
    case Kind::WriteFile: return QIcon(tile(file, QStringLiteral("\u2191")));
    case Kind::Options: return QIcon(tile(matrix, QStringLiteral(".0"), 16, 9));
    case Kind::View: return QIcon(tile(matrix, QStringLiteral("V")));
    case Kind::Rename: return QIcon(tile(matrix, QStringLiteral("ab"), 16, 9));
    case Kind::List: return QIcon(tile(matrix, QStringLiteral("\u2261")));
    case Kind::Erase: return QIcon(tile(QColor(170, 30, 30), QStringLiteral("\u2715")));
    case Kind::Scale: return QIcon(tile(numeric, QStringLiteral("k")));
    case Kind::Transpose: return QIcon(tile(numeric, QStringLiteral("T")));
    case Kind::Add: return QIcon(tile(numeric, QStringLiteral("+")));
    case Kind::Subtract: return QIcon(tile(numeric, QStringLiteral("\u2212")));
    case Kind::Multiply: return QIcon(tile(numeric, QStringLiteral("\u00D7")));
    case Kind::Invert: return QIcon(tile(numeric, QStringLiteral("\u00B9"), 16, 12));
    case Kind::Cholesky: return QIcon(tile(numeric, QStringLiteral("U")));
    case Kind::Help: return QIcon(tile(QColor(60, 60, 160), QStringLiteral("?")));
    case Kind::Save: return QIcon(tile(file, QStringLiteral("S")));
    case Kind::Close: return QIcon(tile(QColor(120, 120, 120), QStringLiteral("\u2715")));
    case Kind::Print: return QIcon(tile(QColor(90, 90, 90), QStringLiteral("P")));
    case Kind::Font: return QIcon(tile(QColor(110, 60, 130), QStringLiteral("F")));
    case Kind::Copy: return QIcon(tile(QColor(70, 110, 140), QStringLiteral("C")));
    case Kind::Paste: return QIcon(tile(QColor(70, 110, 140), QStringLiteral("V")));
    case Kind::Cut: return QIcon(tile(QColor(70, 110, 140), QStringLiteral("X")));
    case Kind::Delete: return QIcon(tile(QColor(170, 30, 30), QStringLiteral("D")));
    case Kind::AlignLeft: return QIcon(alignment(Qt::AlignLeft));
    case Kind::AlignCenter: return QIcon(alignment(Qt::AlignHCenter));
    case Kind::AlignRight: return QIcon(alignment(Qt::AlignRight));
    }
    return QIcon();
}

QIcon ProgramIcon() {
    QPixmap pixmap(33, 33);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(230, 236, 250));
    p.drawRoundedRect(QRectF(1, 1, 31, 31), 5, 5);
    // A bracketed 2 x 2 matrix.
    p.drawLine(8, 7, 6, 7);
    p.drawLine(6, 7, 6, 26);
    p.drawLine(6, 26, 8, 26);
    p.drawLine(25, 7, 27, 7);
    p.drawLine(27, 7, 27, 26);
    p.drawLine(27, 26, 25, 26);
    p.setBrush(QColor(0, 0, 128));
    for (int x : {11, 19})
        for (int y : {10, 19})
            p.drawEllipse(QRectF(x, y, 4, 4));
    return QIcon(pixmap);
}
} // namespace ToolIcons

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BoxMessages.h"

#include <QApplication>
#include <QMessageBox>

QString BoxMessages::DisplayText(const std::string& text) {
    // Single-byte text: each byte is one character.
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void BoxMessages::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(),
                    DisplayText(text), QMessageBox::Ok, m_parent);
    // Reports quote the line they failed on: keep its columns under the caret.
    if (text.find('^') != std::string::npos)
        box.setStyleSheet(QStringLiteral("QLabel { font-family: 'Courier New', monospace; }"));
    box.exec();
}

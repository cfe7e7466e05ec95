// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DiscardQuestion.h"

#include <QMessageBox>
#include <QPushButton>

bool DiscardQuestion::Ask(QWidget* parent, const QString& title) {
    QMessageBox box(QMessageBox::Question, title,
                    QStringLiteral("Discard the changes to the matrix?"), QMessageBox::NoButton,
                    parent);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    QPushButton* keep = box.addButton(QStringLiteral("&Keep editing"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == discard;
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScaleForm.h"

#include "DialogStyle.h"
#include "MatOperations.h"

#include <QLabel>
#include <QLineEdit>

TScaleEntry::TScaleEntry(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Scale a Matrix"));
    // No help file of its own: the application's.
    DialogStyle::SetHelp(this, 14, QString());

    auto* label = new QLabel(QStringLiteral("Scale factor:"), this);
    DialogStyle::Apply(label, 16);
    ScaleEdit = new QLineEdit(this);
    ScaleEdit->setObjectName(QStringLiteral("ScaleEdit"));
    DialogStyle::Apply(ScaleEdit, 13, Qt::black, false);
    ScaleEdit->setFixedWidth(81);
    label->setBuddy(ScaleEdit);

    DialogStyle::LayOutOneField(this, label, ScaleEdit);
}

void TScaleEntry::ScaleMat(GVar& workspace, Messages& messages, MyString& reader, int slot,
                           QWidget* parent) {
    TScaleEntry form(parent);
    DialogStyle::CentreOnScreen(&form);
    MatOperations operations(workspace, messages);
    while (form.exec() == QDialog::Accepted) {
        if (operations.ScaleMatrix(slot, form.ScaleEdit->text().toLatin1().toStdString(), reader))
            return;
    }
}

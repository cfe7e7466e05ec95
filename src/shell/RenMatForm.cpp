// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RenMatForm.h"

#include "DialogStyle.h"
#include "GVar.h"
#include "StoreCommands.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TRenMat::TRenMat(const QString& currentName, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rename matrix"));
    // The hint stays with the window; the dialog shows no tool tips.
    setProperty("hint", QStringLiteral("Rename a matrix."));
    DialogStyle::SetHelp(this, 13, QStringLiteral("zendra.hlp"));

    auto* from = new QLabel(QStringLiteral("Change Name from "), this);
    auto* to = new QLabel(QStringLiteral("to"), this);
    DialogStyle::Apply(from, 16);
    DialogStyle::Apply(to, 16);
    Edit1 = new QLineEdit(currentName, this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFrame(false);
    DialogStyle::Apply(Edit1, 13, Qt::red);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    DialogStyle::Apply(Edit2, 13);
    to->setBuddy(Edit2);
    from->setBuddy(Edit1);
    // "to" alone says little to a screen reader.
    Edit1->setAccessibleName(QStringLiteral("Current name"));
    Edit2->setAccessibleName(QStringLiteral("New name"));

    const DialogStyle::Buttons buttons = DialogStyle::MakeButtons(this);
    auto* line = new QHBoxLayout;
    line->addWidget(from);
    line->addWidget(Edit1);
    line->addWidget(to);
    line->addWidget(Edit2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addLayout(line);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(Edit2, Edit1);
    setTabOrder(Edit1, buttons.ok);
    Edit2->setFocus();
}

void TRenMat::execute(GVar& workspace, Messages& messages, int slot, QWidget* parent) {
    if (!workspace.IsSlot(slot))
        return;
    const std::string& name = workspace.Matrix(slot).Name;
    TRenMat form(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())), parent);
    DialogStyle::CentreOnScreen(&form);
    if (form.exec() == QDialog::Accepted)
        StoreCommands(workspace, messages)
            .RenameMatrix(slot, form.Edit2->text().toLatin1().toStdString());
}

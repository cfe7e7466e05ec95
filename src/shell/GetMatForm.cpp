// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GetMatForm.h"

#include "DialogStyle.h"
#include "GVar.h"
#include "SelectionList.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TMatForm::TMatForm(const GVar& workspace, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Matrix Selection List"));
    setToolTip(QStringLiteral("Select a single matrix from the list"));
    DialogStyle::SetHelp(this, 22, QStringLiteral("zendra.hlp"));

    auto* heading = new QLabel(QStringLiteral("Select Matrix from List"), this);
    DialogStyle::Apply(heading, 16);

    MatListBox = new SelectionList(workspace, QAbstractItemView::SingleSelection, this);
    MatListBox->setObjectName(QStringLiteral("MatListBox"));
    MatListBox->setAccessibleName(QStringLiteral("Matrices"));
    heading->setBuddy(MatListBox);
    DialogStyle::Apply(MatListBox, 13);
    connect(MatListBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    const DialogStyle::Buttons buttons = DialogStyle::MakeButtons(this);
    for (QPushButton* button : {buttons.ok, buttons.cancel, buttons.help})
        button->setFont(DialogStyle::Font(13));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(heading);
    layout->addWidget(MatListBox);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(MatListBox, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
    setTabOrder(buttons.cancel, buttons.help);
    MatListBox->setFocus();
}

bool TMatForm::execute(const GVar& workspace, int& slot, QWidget* parent) {
    slot = 0;
    TMatForm form(workspace, parent);
    DialogStyle::CentreOnScreen(&form);
    if (form.exec() != QDialog::Accepted)
        return false;
    const QList<QListWidgetItem*> selected = form.MatListBox->selectedItems();
    slot = selected.isEmpty() ? 0 : form.MatListBox->row(selected.first()) + 1;
    return true;
}

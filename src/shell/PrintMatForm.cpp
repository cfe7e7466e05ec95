// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PrintMatForm.h"

#include "DialogStyle.h"
#include "GVar.h"
#include "SelectionList.h"
#include "MatrixListing.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

TPrintMat::TPrintMat(const GVar& workspace, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select matrices for printing"));
    setToolTip(QStringLiteral("Select multiple files using the CTRL and Shift keys"));
    DialogStyle::SetHelp(this, 10, QStringLiteral("zendra.hlp"));

    auto* heading = new QLabel(QStringLiteral("Select matrices for printing"), this);
    DialogStyle::Apply(heading, 16);

    MatList = new SelectionList(workspace, QAbstractItemView::ExtendedSelection, this);
    MatList->setObjectName(QStringLiteral("MatList"));
    MatList->setAccessibleName(QStringLiteral("Matrices"));
    heading->setBuddy(MatList);
    DialogStyle::Apply(MatList, 13);

    const DialogStyle::Buttons buttons =
        DialogStyle::MakeButtons(this, QStringLiteral("Ok"), QStringLiteral("Help"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(heading);
    layout->addWidget(MatList);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    MatList->setFocus();
}

bool TPrintMat::execute(const GVar& workspace, Messages& messages, const std::string& path,
                        QWidget* parent, const ListingText& text) {
    MatrixListing listing(workspace, messages);
    // The file is made before the matrices are chosen.
    if (!listing.Create(path))
        return false;
    std::vector<int> chosen;
    {
        TPrintMat form(workspace, parent);
        DialogStyle::CentreOnScreen(&form);
        if (form.exec() == QDialog::Accepted)
            for (int row = 0; row < form.MatList->count(); ++row)
                if (form.MatList->item(row)->isSelected())
                    chosen.push_back(row + 1);
    }
    return text ? listing.FinishText(text(chosen)) : listing.Finish(chosen);
}

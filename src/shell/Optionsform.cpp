// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Optionsform.h"

#include "DialogStyle.h"
#include "MatrixListing.h"

#include <QLabel>
#include <QLineEdit>

TOptions::TOptions(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Set Display Option"));
    DialogStyle::SetHelp(this, 6, QStringLiteral("zendra.hlp"));

    auto* label = new QLabel(QStringLiteral("Number of decimal places:"), this);
    label->setObjectName(QStringLiteral("Options"));
    DialogStyle::Apply(label, 16);
    DcEdit = new QLineEdit(this);
    DcEdit->setObjectName(QStringLiteral("DcEdit"));
    // Two positions, each a digit, a sign or a blank, shown as "_" while empty.
    DcEdit->setInputMask(QStringLiteral("##;_"));
    DcEdit->setMaxLength(2);
    DialogStyle::Apply(DcEdit, 13, Qt::black, false);
    DcEdit->setFixedWidth(33);
    label->setBuddy(DcEdit);

    DialogStyle::LayOutOneField(this, label, DcEdit);
}

void TOptions::getdc(MyString& reader, Messages& messages, std::int32_t& decimals,
                     QWidget* parent) {
    TOptions form(parent);
    form.DcEdit->setText(QString::number(decimals));
    DialogStyle::CentreOnScreen(&form);
    while (form.exec() == QDialog::Accepted) {
        if (MatrixListing::ReadDecimalPlaces(reader, messages,
                                             form.DcEdit->text().toLatin1().toStdString(), decimals))
            return;
    }
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PowerForm.h"

#include "AlgebraOperations.h"
#include "DialogStyle.h"
#include "Messages.h"

#include <QLabel>
#include <QLineEdit>

PowerForm::PowerForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Power of a Matrix"));
    DialogStyle::SetHelp(this, HelpContext, QString());

    auto* label = new QLabel(QStringLiteral("&Exponent (-99 to 99):"), this);
    DialogStyle::Apply(label, 16);
    PowerEdit = new QLineEdit(this);
    PowerEdit->setObjectName(QStringLiteral("PowerEdit"));
    PowerEdit->setAccessibleName(QStringLiteral("Exponent"));
    DialogStyle::Apply(PowerEdit, 13, Qt::black, false);
    PowerEdit->setFixedWidth(81);
    label->setBuddy(PowerEdit);

    DialogStyle::LayOutOneField(this, label, PowerEdit);
}

bool PowerForm::AskExponent(Messages& messages, std::string& text, QWidget* parent) {
    PowerForm form(parent);
    DialogStyle::CentreOnScreen(&form);
    form.PowerEdit->setText(QString::fromStdString(text));
    while (form.exec() == QDialog::Accepted) {
        text = form.PowerEdit->text().toStdString();
        int exponent = 0;
        if (AlgebraOperations::ReadExponent(text, exponent))
            return true;
        messages.ShowMessage(AlgebraOperations::ExponentMessage);
    }
    return false;
}

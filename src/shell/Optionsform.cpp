#include "Optionsform.h"

#include "DialogStyle.h"
#include "MatrixListing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

    const DialogStyle::Buttons buttons = DialogStyle::MakeButtons(this);
    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(DcEdit);
    field->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addLayout(field);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(DcEdit, buttons.ok);
    DcEdit->setFocus();
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

#include "ScaleForm.h"

#include "DialogStyle.h"
#include "MatOperations.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TScaleEntry::TScaleEntry(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Scale a Matrix"));
    // No help file of its own: the application's.
    DialogStyle::SetHelp(this, 14, QString());

    auto* label = new QLabel(QStringLiteral("Scale factor:"), this);
    DialogStyle::Apply(label, 16);
    ScaleEdit = new QLineEdit(this);
    ScaleEdit->setObjectName(QStringLiteral("ScaleEdit"));
    DialogStyle::Apply(ScaleEdit, 13, Qt::black, false);
    ScaleEdit->setMinimumWidth(81);
    label->setBuddy(ScaleEdit);

    const DialogStyle::Buttons buttons = DialogStyle::MakeButtons(this);
    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(ScaleEdit);
    field->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addLayout(field);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(ScaleEdit, buttons.ok);
    ScaleEdit->setFocus();
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

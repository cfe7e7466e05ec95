#include "GetMatForm.h"

#include "DialogStyle.h"
#include "GVar.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void TMatForm::FillList(QListWidget* list, const GVar& workspace) {
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);  // two columns, filled top to bottom
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setFixedSize(489, 257);
    list->setGridSize(QSize(489 / 2 - 4, 15));
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const std::string text = workspace.Matrix(slot).ListItemText();
        list->addItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
}

TMatForm::TMatForm(const GVar& workspace, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Matrix Selection List"));
    setToolTip(QStringLiteral("Select a single matrix from the list"));
    DialogStyle::SetHelp(this, 22, QStringLiteral("zendra.hlp"));

    auto* heading = new QLabel(QStringLiteral("Select Matrix from List"), this);
    DialogStyle::Apply(heading, 16);

    MatListBox = new QListWidget(this);
    MatListBox->setObjectName(QStringLiteral("MatListBox"));
    DialogStyle::Apply(MatListBox, 13);
    MatListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    FillList(MatListBox, workspace);
    MatListBox->setCurrentRow(-1);
    MatListBox->clearSelection();
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

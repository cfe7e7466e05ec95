// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GridMatForm.h"

#include "CellGrid.h"
#include "DialogStyle.h"
#include "DiscardQuestion.h"
#include "GVar.h"
#include "MatrixGridModel.h"
#include "MatrixGridView.h"
#include "Messages.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QSpinBox* countBox(QWidget* parent, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, MaxDim);
    // A count applies when it is complete: typing 12 must not pass through
    // a grid of one row, which would clear the rows below it.
    box->setKeyboardTracking(false);
    return box;
}

QLabel* label(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    DialogStyle::Apply(l, 16);
    l->setBuddy(buddy);
    return l;
}
} // namespace

TGridMatForm::TGridMatForm(bool editing, Messages& messages, const RoomCheck& room, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_room(room) {
    setWindowTitle(editing ? QStringLiteral("Edit matrix") : QStringLiteral("New matrix"));
    DialogStyle::SetHelp(this, editing ? 30 : 29, QString());

    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setMaxLength(static_cast<int>(MaxNameLength));
    RowsBox = countBox(this, "RowsBox");
    ColsBox = countBox(this, "ColsBox");
    Model = new MatrixGridModel(this);
    Grid = new MatrixGridView(Model, messages, this);
    Grid->setAccessibleName(QStringLiteral("Matrix values"));
    Grid->setMinimumSize(520, 260);

    auto* line = new QHBoxLayout;
    line->addWidget(label(QStringLiteral("&Name"), NameEdit, this));
    line->addWidget(NameEdit, 1);
    line->addSpacing(12);
    line->addWidget(label(QStringLiteral("&Rows"), RowsBox, this));
    line->addWidget(RowsBox);
    line->addWidget(label(QStringLiteral("C&olumns"), ColsBox, this));
    line->addWidget(ColsBox);
    const DialogStyle::Buttons buttons = DialogStyle::MakeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addLayout(line);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons.row);
    setTabOrder(NameEdit, RowsBox);
    setTabOrder(RowsBox, ColsBox);
    setTabOrder(ColsBox, Grid);
    setTabOrder(Grid, buttons.ok);

    connect(RowsBox, &QSpinBox::valueChanged, this,
            [this](int rows) { Model->SetSize(rows, ColsBox->value()); });
    connect(ColsBox, &QSpinBox::valueChanged, this,
            [this](int cols) { Model->SetSize(RowsBox->value(), cols); });
    connect(Model, &MatrixGridModel::sizeChanged, this, [this](int rows, int cols) {
        const QSignalBlocker rowsQuiet(RowsBox), colsQuiet(ColsBox);
        RowsBox->setValue(rows);
        ColsBox->setValue(cols);
    });
    // Enter moves down in the grid, so OK has a key of its own everywhere.
    auto* okKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(okKey, &QShortcut::activated, buttons.ok, &QPushButton::click);
    // The keys reach the count's own line edit or the box, by platform.
    for (QSpinBox* box : {RowsBox, ColsBox}) {
        box->installEventFilter(this);
        box->findChild<QLineEdit*>()->installEventFilter(this);
    }
}

// Enter in a count applies it and keeps the dialog open: closing it then,
// with new empty cells, would only be refused.
bool TGridMatForm::eventFilter(QObject* watched, QEvent* event) {
    // Only the counts and their line edits are watched.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == 0) {
            auto* box = qobject_cast<QSpinBox*>(watched);
            if (box == nullptr)
                box = qobject_cast<QSpinBox*>(watched->parent());
            if (box != nullptr)
                box->interpretText();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TGridMatForm::accept() {
    // A cell still being edited counts as typed.
    Grid->FinishEdit();
    CellGrid::Reading reading =
        CellGrid::Read(NameEdit->text().toLatin1().toStdString(), Model->rowCount(),
                       Model->columnCount(), Model->Texts(), Model->Kept());
    Model->Mark(reading.Bad);
    if (!reading.Record) {
        const CellGrid::Cell& first = reading.Bad.front();
        Grid->setCurrentIndex(Model->index(first.Row - 1, first.Col - 1));
        m_messages.ShowMessage(reading.Message);
        Grid->setFocus();
        return;
    }
    if (!m_room())
        return;
    m_result = std::move(reading.Record);
    QDialog::accept();
}

void TGridMatForm::reject() {
    // A cell still being edited counts as changed; Esc inside its editor
    // never gets here, as the editor takes it to undo the edit.
    Grid->FinishEdit();
    if (Model->Edited() && !DiscardQuestion::Ask(this, windowTitle())) {
        Grid->setFocus();
        return;
    }
    QDialog::reject();
}

std::unique_ptr<TMatrixRec> TGridMatForm::execute(const TMatrixRec* start, const std::string& name,
                                                  bool fractions, Messages& messages,
                                                  const RoomCheck& room, QWidget* parent) {
    TGridMatForm form(start != nullptr, messages, room, parent);
    form.NameEdit->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (start != nullptr) {
        std::vector<double> values;
        for (int i = 1; i <= start->Rows; ++i)
            for (int j = 1; j <= start->Cols; ++j)
                values.push_back(start->At(i, j));
        form.Model->SetTexts(start->Rows, start->Cols, CellGrid::Texts(*start, fractions), values);
    } else
        form.Model->SetSize(3, 3);
    form.Grid->setCurrentIndex(form.Model->index(0, 0));
    form.Grid->setFocus();
    DialogStyle::CentreOnScreen(&form);
    form.exec();
    return std::move(form.m_result);
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixGridView.h"

#include "CellGrid.h"
#include "MatrixGridModel.h"
#include "Messages.h"
#include "PastedBlock.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <algorithm>

// The cells' editors: Enter keeps what was typed and, as in a spreadsheet,
// makes the cell below current (the standard delegate leaves the Enter to
// the view, which would pass it on to the dialog's OK); a block of several
// values pasted into an editor fills the grid as it would outside one,
// rather than being squeezed into the one cell.
class MatrixGridView::CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(MatrixGridView* view) : QStyledItemDelegate(view), m_view(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        m_editor = QStyledItemDelegate::createEditor(parent, option, index);
        // The cell being typed in says where it is, as the cells do.
        m_editor->setAccessibleName(QStringLiteral("Row %1, column %2")
                                        .arg(index.row() + 1)
                                        .arg(index.column() + 1));
        return m_editor;
    }

    // An editor opened and left as it was (F2, then Enter) is no edit: the
    // cell keeps the value it stands for.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor); line != nullptr && !line->isModified())
            return;
        QStyledItemDelegate::setModelData(editor, model, index);
    }

    // Ends the open edit, if any, keeping its text.
    void Finish() {
        if (QWidget* editor = m_editor; editor != nullptr && editor->isVisible()) {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & ~Qt::KeypadModifier) == 0) {
                Finish();
                m_view->moveDown();
                return true;
            }
            if (key->matches(QKeySequence::Paste)) {
                const QString text = QApplication::clipboard()->text();
                if (text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
                    text.contains(QLatin1Char('\r'))) {
                    Finish();
                    m_view->PasteText(text);
                    return true;
                }
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    MatrixGridView* m_view;
    mutable QPointer<QWidget> m_editor;
};

MatrixGridView::MatrixGridView(MatrixGridModel* model, Messages& messages, QWidget* parent)
    : QTableView(parent), m_model(model), m_messages(messages) {
    setModel(model);
    m_delegate = new CellDelegate(this);
    setItemDelegate(m_delegate);
    setObjectName(QStringLiteral("Grid"));
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(true);
    horizontalHeader()->setDefaultSectionSize(84);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    fitColumns(topLeft.column(), bottomRight.column());
            });
}

void MatrixGridView::fitColumns(int first, int last) {
    // Wide enough for 17 significant digits with sign, point and exponent,
    // and the cell's margins; anything longer is elided and read in the
    // tool tip.
    const int widest =
        fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000000000000e-300")) + 16;
    const int narrowest = horizontalHeader()->defaultSectionSize();
    for (int col = first; col <= last; ++col)
        setColumnWidth(col, std::clamp(sizeHintForColumn(col), narrowest, widest));
}

void MatrixGridView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteClipboard();
        return;
    }
    // Tab moves between cells, as in a spreadsheet; Ctrl+Tab and
    // Ctrl+Shift+Tab leave the grid for the next and previous control.
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
            const bool back = event->key() == Qt::Key_Backtab ||
                              (event->modifiers() & Qt::ShiftModifier);
            QWidget::focusNextPrevChild(!back);
            return;
        }
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            moveDown();
            return;
        case Qt::Key_Delete:
            m_model->Clear(selectedIndexes());
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void MatrixGridView::FinishEdit() {
    m_delegate->Finish();
}

void MatrixGridView::moveDown() {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const QModelIndex below = m_model->index(current.row() + 1, current.column());
    if (below.isValid())
        setCurrentIndex(below);
}

void MatrixGridView::CopySelection() {
    const QModelIndexList cells = selectedIndexes();
    if (cells.isEmpty())
        return;
    int top = cells.first().row(), bottom = top, left = cells.first().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    // The bounding block, as a spreadsheet takes it: cells between that are
    // not selected are empty.
    QString text;
    for (int i = top; i <= bottom; ++i) {
        for (int j = left; j <= right; ++j) {
            if (j > left)
                text += QLatin1Char('\t');
            if (selectionModel()->isSelected(m_model->index(i, j)))
                text += m_model->Text(i, j);
        }
        text += QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(text);
}

void MatrixGridView::PasteClipboard() {
    PasteText(QApplication::clipboard()->text());
}

void MatrixGridView::PasteText(const QString& text) {
    const PastedBlock block = PastedBlock::Split(text.toStdString());
    if (block.Result == PastedBlock::Outcome::Empty)
        return;
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    const int col = current.isValid() ? current.column() : 0;
    if (block.Result == PastedBlock::Outcome::TooLarge || !m_model->Paste(row, col, block)) {
        m_messages.ShowMessage(CellGrid::NoRoomMessage(block.Rows, block.Cols, row + 1, col + 1));
        return;
    }
    // The pasted block stays selected, ready to be copied or cleared.
    setCurrentIndex(m_model->index(row, col));
    selectionModel()->select(
        QItemSelection(m_model->index(row, col),
                       m_model->index(row + block.Rows - 1, col + block.Cols - 1)),
        QItemSelectionModel::ClearAndSelect);
}

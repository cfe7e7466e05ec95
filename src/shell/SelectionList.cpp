// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SelectionList.h"

#include "GVar.h"

#include <QFocusEvent>
#include <QItemSelectionModel>

SelectionList::SelectionList(const GVar& workspace, QAbstractItemView::SelectionMode mode,
                             QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(mode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);  // two columns, filled top to bottom
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setFixedSize(489, 257);
    setGridSize(QSize(489 / 2 - 4, 15));
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const std::string text = workspace.Matrix(slot).ListItemText();
        addItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    setCurrentRow(-1);
    clearSelection();
}

void SelectionList::focusInEvent(QFocusEvent* event) {
    // The toolkit makes the first item current when a list without a
    // current item gets the focus; then Down would go to the second.
    const bool hadCurrent = currentIndex().isValid();
    QListWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTableView>

class MatrixGridModel;
class Messages;

// The grid of the matrix dialog, kept to the keyboard as a spreadsheet is:
// Tab and the arrows move, Ctrl+Tab and Ctrl+Shift+Tab leave the grid,
// typing replaces a cell, F2 edits it in place,
// Enter moves down (also out of an edit), Delete clears the selected cells,
// Ctrl+C copies them as tab-separated text and Ctrl+V pastes a block at the
// current cell. Columns widen to show their texts whole, up to the width of
// the longest number a cell is shown with; a cell's tool tip holds its whole
// text in any case.
class MatrixGridView : public QTableView {
    Q_OBJECT
public:
    MatrixGridView(MatrixGridModel* model, Messages& messages, QWidget* parent = nullptr);

    // Ends an edit in progress, keeping what was typed.
    void FinishEdit();
    void CopySelection();
    void PasteClipboard();
    void PasteText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class CellDelegate;

    void moveDown();
    // Fits the widths of columns first to last to their texts.
    void fitColumns(int first, int last);

    MatrixGridModel* m_model;
    Messages& m_messages;
    CellDelegate* m_delegate;
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTableView>

class MatrixGridModel;
class Messages;

// The grid of the matrix dialog, kept to the keyboard as a spreadsheet is:
// Tab and the arrows move, typing replaces a cell, F2 edits it in place,
// Enter moves down (also out of an edit), Delete clears the selected cells,
// Ctrl+C copies them as tab-separated text and Ctrl+V pastes a block at the
// current cell.
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

    MatrixGridModel* m_model;
    Messages& m_messages;
    CellDelegate* m_delegate;
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CellGrid.h"

#include <QAbstractTableModel>
#include <QString>

#include <string>
#include <vector>

class PastedBlock;

// The cells of the matrix grid: up to 50 x 50 texts, as typed, and which of
// them are marked as not holding a value. Rows and columns count from 0
// here, as Qt's do; the headers count from 1, as the program does.
class MatrixGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MatrixGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rows x cols cells (1 to 50 each); cells that still fit keep their
    // text, the others are cleared so that they do not come back.
    void SetSize(int rows, int cols);

    QString Text(int row, int col) const { return m_text[at(row, col)]; }
    void SetTexts(int rows, int cols, const std::vector<std::string>& texts);
    void Clear(const QModelIndexList& cells);

    // Puts a block that was read at (row, col), growing the grid to hold
    // it; false, with nothing changed, when it would pass 50 x 50.
    bool Paste(int row, int col, const PastedBlock& block);

    // The texts of the grid row by row, as the core reads them.
    std::vector<std::string> Texts() const;

    // Marks the cells (counted from 1) that did not read; editing a cell
    // takes its mark away.
    void Mark(const std::vector<CellGrid::Cell>& cells);
    bool IsMarked(int row, int col) const { return m_marked[at(row, col)]; }

signals:
    void sizeChanged(int rows, int cols);

private:
    static int at(int row, int col);
    void setCell(int row, int col, const QString& text);

    int m_rows = 0;
    int m_cols = 0;
    std::vector<QString> m_text;
    std::vector<bool> m_marked;
};

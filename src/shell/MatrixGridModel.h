// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CellGrid.h"

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class PastedBlock;

// The cells of the matrix grid: up to 50 x 50 texts, as typed, which of
// them are marked as not holding a value, and the value each cell of a
// matrix being edited stands for until something is typed or pasted into it. Rows and columns count
// from 0 here, as Qt's do; the headers count from 1, as the program does.
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
    // The grid starts over with rows x cols texts, row by row; each cell
    // stands for its value in values (when given) until it is typed or
    // pasted into or cleared.
    void SetTexts(int rows, int cols, const std::vector<std::string>& texts,
                  const std::vector<double>& values = {});
    void Clear(const QModelIndexList& cells);

    // Puts a block that was read at (row, col), growing the grid to hold
    // it; false, with nothing changed, when it would pass 50 x 50.
    bool Paste(int row, int col, const PastedBlock& block);

    // The texts of the grid row by row, as the core reads them, and the
    // values that cells whose text never changed still stand for.
    std::vector<std::string> Texts() const;
    std::vector<std::optional<double>> Kept() const;

    // Whether some cell has been typed into, pasted into or cleared since
    // the grid started.
    bool Edited() const { return m_edited; }

    // Marks the cells (counted from 1) that did not read; editing a cell
    // takes its mark away.
    void Mark(const std::vector<CellGrid::Cell>& cells);
    bool IsMarked(int row, int col) const { return m_marked[at(row, col)]; }

signals:
    void sizeChanged(int rows, int cols);

private:
    static int at(int row, int col);
    // A text typed or pasted counts as a change even when it is the same:
    // "1/3" typed means 1/3, not the value the cell was shown for.
    void setCell(int row, int col, const QString& text, bool entered = false);

    int m_rows = 0;
    int m_cols = 0;
    std::vector<QString> m_text;
    std::vector<bool> m_marked;
    std::vector<std::optional<double>> m_kept;
    bool m_edited = false;
};

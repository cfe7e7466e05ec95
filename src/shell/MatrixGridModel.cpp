// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixGridModel.h"

#include "GVar.h"
#include "PastedBlock.h"

#include <QColor>

#include <algorithm>

MatrixGridModel::MatrixGridModel(QObject* parent)
    : QAbstractTableModel(parent), m_text(MaxDim * MaxDim), m_marked(MaxDim * MaxDim),
      m_kept(MaxDim * MaxDim) {}

int MatrixGridModel::at(int row, int col) {
    return row * MaxDim + col;
}

int MatrixGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int MatrixGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant MatrixGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int cell = at(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_text[cell];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return m_marked[cell] ? QVariant(QColor(255, 200, 200)) : QVariant();
    case Qt::ToolTipRole: {
        // The whole text, for a column too narrow to show it.
        QString tip = m_text[cell];
        if (m_marked[cell])
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) +
                   QStringLiteral("Not a value: a number or a fraction p/q");
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    default:
        return {};
    }
}

bool MatrixGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setCell(index.row(), index.column(), value.toString(), true);
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags MatrixGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant MatrixGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole)
        return section + 1;
    // Read out as "Row 2" and "Column 3" rather than a bare number.
    if (role == Qt::AccessibleTextRole)
        return (orientation == Qt::Vertical ? QStringLiteral("Row %1") : QStringLiteral("Column %1"))
            .arg(section + 1);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void MatrixGridModel::setCell(int row, int col, const QString& text, bool entered) {
    const int cell = at(row, col);
    if (entered || text != m_text[cell]) {
        m_text[cell] = text;
        m_kept[cell].reset();
        m_edited = true;
    }
    m_marked[cell] = false;
}

void MatrixGridModel::SetSize(int rows, int cols) {
    rows = std::clamp(rows, 1, MaxDim);
    cols = std::clamp(cols, 1, MaxDim);
    if (rows == m_rows && cols == m_cols)
        return;
    // Shrinking first clears what no longer fits; growing then shows
    // cells that are empty already.
    if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        for (int i = rows; i < m_rows; ++i)
            for (int j = 0; j < m_cols; ++j)
                setCell(i, j, {});
        m_rows = rows;
        endRemoveRows();
    }
    if (cols < m_cols) {
        beginRemoveColumns({}, cols, m_cols - 1);
        for (int i = 0; i < m_rows; ++i)
            for (int j = cols; j < m_cols; ++j)
                setCell(i, j, {});
        m_cols = cols;
        endRemoveColumns();
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (cols > m_cols) {
        beginInsertColumns({}, m_cols, cols - 1);
        m_cols = cols;
        endInsertColumns();
    }
    emit sizeChanged(m_rows, m_cols);
}

void MatrixGridModel::SetTexts(int rows, int cols, const std::vector<std::string>& texts,
                               const std::vector<double>& values) {
    SetSize(rows, cols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const std::size_t k = static_cast<std::size_t>(i * cols + j);
            setCell(i, j, QString::fromStdString(texts[k]));
            m_kept[at(i, j)] = k < values.size() ? std::optional<double>(values[k]) : std::nullopt;
        }
    m_edited = false;
    emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}

void MatrixGridModel::Clear(const QModelIndexList& cells) {
    for (const QModelIndex& cell : cells)
        if (cell.isValid()) {
            setCell(cell.row(), cell.column(), {});
            emit dataChanged(cell, cell);
        }
}

bool MatrixGridModel::Paste(int row, int col, const PastedBlock& block) {
    if (row + block.Rows > MaxDim || col + block.Cols > MaxDim)
        return false;
    SetSize(std::max(m_rows, row + block.Rows), std::max(m_cols, col + block.Cols));
    for (int i = 1; i <= block.Rows; ++i)
        for (int j = 1; j <= block.Cols; ++j)
            setCell(row + i - 1, col + j - 1, QString::fromStdString(block.At(i, j)), true);
    emit dataChanged(index(row, col), index(row + block.Rows - 1, col + block.Cols - 1));
    return true;
}

std::vector<std::string> MatrixGridModel::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(m_rows) * m_cols);
    for (int i = 0; i < m_rows; ++i)
        for (int j = 0; j < m_cols; ++j)
            texts.push_back(m_text[at(i, j)].toStdString());
    return texts;
}

std::vector<std::optional<double>> MatrixGridModel::Kept() const {
    std::vector<std::optional<double>> kept;
    kept.reserve(static_cast<std::size_t>(m_rows) * m_cols);
    for (int i = 0; i < m_rows; ++i)
        for (int j = 0; j < m_cols; ++j)
            kept.push_back(m_kept[at(i, j)]);
    return kept;
}

void MatrixGridModel::Mark(const std::vector<CellGrid::Cell>& cells) {
    std::fill(m_marked.begin(), m_marked.end(), false);
    for (const CellGrid::Cell& cell : cells)
        m_marked[at(cell.Row - 1, cell.Col - 1)] = true;
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1),
                         {Qt::BackgroundRole, Qt::ToolTipRole});
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

struct TMatrixRec;
class Messages;
class MatrixGridModel;
class MatrixGridView;
class QLineEdit;
class QSpinBox;

// The matrix dialog of New matrix and Edit matrix: a name, the counts of
// rows and columns, and a grid of cells to type or paste the values into.
class TGridMatForm : public QDialog {
    Q_OBJECT
public:
    // What OK asks before it closes with a matrix: true when there is room
    // for it (otherwise the check has said why, and the dialog stays open
    // with everything typed).
    using RoomCheck = std::function<bool()>;

    // Shows the dialog modally, empty for a new matrix or filled with
    // *start (its values in fractions where they stand for one, when
    // fractions is set), and returns the matrix it holds on OK, or nothing
    // on Cancel. Cells whose text is not changed give back *start's values
    // bit for bit, whatever text they were shown as.
    static std::unique_ptr<TMatrixRec> execute(const TMatrixRec* start, const std::string& name,
                                               bool fractions, Messages& messages,
                                               const RoomCheck& room, QWidget* parent = nullptr);

    QLineEdit* NameEdit;
    QSpinBox* RowsBox;
    QSpinBox* ColsBox;
    MatrixGridModel* Model;
    MatrixGridView* Grid;

    void accept() override;
    // Esc, Cancel and the close box: with cells changed, only after asking.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TGridMatForm(bool editing, Messages& messages, const RoomCheck& room, QWidget* parent);

    Messages& m_messages;
    RoomCheck m_room;
    std::unique_ptr<TMatrixRec> m_result;
};

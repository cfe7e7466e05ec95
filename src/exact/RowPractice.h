// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"
#include "HandElimination.h"

#include <string>
#include <vector>

// A student's own reduction of a matrix, or of [A | b]: each row operation
// the student chooses is applied exactly, kept in a log and can be undone
// and redone back to the start; after every step the status says how far
// the matrix is from row echelon and reduced row echelon form, and a hint
// names the operation the program's own elimination would do next (the
// pivot rule of the workings). The practice window and zendra-cli's rowops
// both drive this object, so their logs are the same bytes.
class RowPractice {
public:
    // start: the fractions the operand's values stand for; barAfter: the
    // columns of A when a right-hand side follows (shown after a bar, and
    // never given pivots), else 0. name: the operand's (or "[A | b]").
    RowPractice(ExactMatrix start, int barAfter, std::string name);

    // Reads and applies one operation; "" when applied, else the refusal
    // (nothing changes).
    std::string Apply(const std::string& text);
    // An operation already read (the window's buttons): the same checks.
    std::string Apply(const HandElimination::Operation& operation);

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    void Undo();
    void Redo();

    const ExactMatrix& Current() const { return m_current; }
    int BarAfter() const { return m_barAfter; }
    const std::string& Name() const { return m_name; }
    // The operations in effect, oldest first.
    std::vector<HandElimination::Operation> Operations() const;

    // The current matrix as the workings show it.
    std::string MatrixText() const;
    // "In reduced row echelon form.", "In row echelon form, not reduced:
    // ...", "Not in row echelon form: column 2: entry (3, 2) is not 0 below
    // the pivot in row 2."
    std::string Status() const;
    bool Reduced() const;
    // The next operation of the program's own elimination from here, as
    // text, or "" when the matrix is in reduced row echelon form.
    std::string Hint() const;
    // The whole log: a title, the starting matrix, then each operation in
    // effect and the matrix after it, then the status unless a window shows
    // that elsewhere; CR LF line ends.
    std::string Log(bool withStatus = true) const;
    // The last step's part of the log, for a window that appends.
    std::string LastEntry() const;

private:
    struct Step {
        HandElimination::Operation operation;
        std::string entry; // its lines in the log
    };
    void apply(const HandElimination::Operation& operation);
    static void applyTo(ExactMatrix& m, const HandElimination::Operation& operation);
    static HandElimination::Operation inverse(const HandElimination::Operation& operation);
    int pivotCols() const;

    ExactMatrix m_start;
    ExactMatrix m_current;
    int m_barAfter;
    std::string m_name;
    std::vector<Step> m_steps; // m_steps[0 .. m_done) are in effect
    std::size_t m_done = 0;
};

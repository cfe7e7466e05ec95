// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HandElimination.h"

#include <string>

// The part of a worked solution that an elimination writes: each row
// operation on a line of its own, and while matrices are shown the matrix
// after it and an empty line. Matrices stop being shown once the text
// nears WorkingText::MaxBytes, which leaves room for the words and the
// results. What a column without a pivot means differs between workings:
// each says it in its own NoPivot, through Note.
class OperationWriter : public HandElimination::Observer {
public:
    // barAfter: the column after which the bar of [A | B] stands, or 0.
    OperationWriter(std::string& text, bool show, int barAfter)
        : m_text(text), m_show(show), m_barAfter(barAfter) {}

    void Done(const HandElimination::Operation& operation, const ExactMatrix& after) override;
    bool WantsMatrices() const override { return m_show; }

    // Closes the list of operations when no matrices separate them.
    void Finish();

protected:
    // Words after the operation on its line, for workings that say more
    // of each step; none by default.
    virtual std::string Aside(const HandElimination::Operation&) const { return std::string(); }

    // A line about the elimination, followed by an empty line while
    // matrices are shown.
    void Note(const std::string& text);

private:
    std::string& m_text;
    bool m_show;
    int m_barAfter;
};

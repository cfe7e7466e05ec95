// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AlgebraOperations.h"

#include "CofactorExpansion.h"
#include "ExactOperations.h"
#include "ExactResults.h"
#include "FlintMatrix.h"
#include "GVar.h"
#include "LUDecomposition.h"
#include "LinearSystem.h"
#include "Messages.h"
#include "RowReduction.h"
#include "SystemOperations.h"
#include "WorkingText.h"

using Outcome = ExactResults::Outcome;

const std::string AlgebraOperations::ExponentMessage =
    "Error, the exponent must be a whole number from -99 to 99.";

std::string AlgebraOperations::CofactorSizeMessage(const std::string& name, int n) {
    const std::string size = WorkingText::Size(n, n);
    return "Sorry, " + name + " is " + size + ": the determinant by cofactors is worked for "
           "matrices up to 5 x 5, as its expansion grows with n!. Determinant computes det(" +
           name + ") of any size.";
}

std::string AlgebraOperations::CramerSingularMessage(const std::string& name) {
    return "Cramer's rule needs det(" + name + ") /= 0, but " + name +
           " is singular: det(" + name + ") = 0. Solve linear system finds every solution of "
           "a singular system, or says there is none.";
}

std::string AlgebraOperations::ExponentText(const std::string& text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    const std::size_t end = text.find_last_not_of(" \t");
    return text.substr(start, end - start + 1);
}

bool AlgebraOperations::ReadExponent(const std::string& text, int& exponent) {
    const std::string written = ExponentText(text);
    std::size_t at = 0;
    const bool negative = !written.empty() && written[0] == '-';
    if (!written.empty() && (written[0] == '-' || written[0] == '+'))
        at = 1;
    if (at == written.size())
        return false;
    int value = 0;
    for (; at < written.size(); ++at) {
        const char c = written[at];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > MaxExponent)
            return false;
    }
    exponent = negative ? -value : value;
    return true;
}

bool AlgebraOperations::square(int a) {
    return ExactOperations::SquareOperand(m_workspace, m_messages, a);
}

namespace {
ExactMatrix exact(const GVar& workspace, int slot) {
    return ExactMatrix::FromRecord(workspace.Matrix(slot));
}

ExactMatrix single(const mpq_class& value) {
    ExactMatrix m(1, 1);
    m.At(1, 1) = value;
    return m;
}
} // namespace

void AlgebraOperations::LU(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const LUDecomposition lu(exact(m_workspace, a), m_progress);
        Outcome outcome;
        outcome.results.emplace_back(WorkingText::StoredName("L(" + name + ")"), lu.L());
        outcome.results.emplace_back(WorkingText::StoredName("U(" + name + ")"), lu.U());
        outcome.results.emplace_back(WorkingText::StoredName("P(" + name + ")"), lu.P());
        return outcome;
    });
}

void AlgebraOperations::CofactorDeterminant(int a) {
    if (!square(a))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string name = A.Name;
    if (A.Rows > CofactorExpansion::MaxSize) {
        m_messages.ShowMessage(CofactorSizeMessage(name, A.Rows));
        return;
    }
    ExactResults::Add(m_workspace, m_messages, [&] {
        Outcome outcome;
        outcome.results.emplace_back(
            WorkingText::StoredName("det(" + name + ")"),
            single(CofactorExpansion::Determinant(exact(m_workspace, a), name)));
        return outcome;
    });
}

void AlgebraOperations::Adjugate(int a) {
    if (!square(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        Outcome outcome;
        outcome.results.emplace_back(WorkingText::StoredName("adj(" + name + ")"),
                                     CofactorExpansion::Adjugate(exact(m_workspace, a), m_progress));
        return outcome;
    });
}

void AlgebraOperations::Cramer(int a, int b) {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (A.Rows != A.Cols) {
        m_messages.ShowMessage(ExactOperations::NotSquareMessage);
        return;
    }
    if (B.Cols != 1 || B.Rows != A.Rows) {
        m_messages.ShowMessage(SystemOperations::NotOneColumn(A, B));
        return;
    }
    const std::string name = A.Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const ExactMatrix exactA = exact(m_workspace, a);
        const ExactMatrix exactB = exact(m_workspace, b);
        Outcome outcome;
        const mpq_class det = FlintMatrix::Determinant(exactA, m_progress);
        if (det == 0) {
            outcome.message = CramerSingularMessage(name);
            return outcome;
        }
        // The one solution, which the quotients of determinants give too;
        // elimination reaches it without n more determinants.
        outcome.results.emplace_back(WorkingText::StoredName("x(" + name + ")"),
                                     LinearSystem(exactA, &exactB, m_progress).Particular());
        return outcome;
    });
}

bool AlgebraOperations::Power(int a, const std::string& text) {
    if (!square(a))
        return true;
    int n = 0;
    if (!ReadExponent(text, n)) {
        m_messages.ShowMessage(ExponentMessage);
        return false;
    }
    const std::string name = m_workspace.Matrix(a).Name + "^" + ExponentText(text);
    ExactResults::Add(m_workspace, m_messages, [&] {
        Outcome outcome;
        ExactMatrix base = exact(m_workspace, a);
        if (n < 0) {
            ExactMatrix inverse;
            if (!RowReduction::Inverse(base, inverse, m_progress)) {
                outcome.message = ExactOperations::SingularMessage;
                return outcome;
            }
            base = inverse;
        }
        outcome.results.emplace_back(WorkingText::StoredName(name),
                                     FlintMatrix::Power(base, n < 0 ? -n : n, nullptr, m_progress));
        return outcome;
    });
    return true;
}

void AlgebraOperations::Trace(int a) {
    if (!square(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const ExactMatrix exactA = exact(m_workspace, a);
        mpq_class trace = 0;
        for (int i = 1; i <= exactA.Rows(); ++i)
            trace += exactA.At(i, i);
        Outcome outcome;
        outcome.results.emplace_back(WorkingText::StoredName("tr(" + name + ")"), single(trace));
        return outcome;
    });
}

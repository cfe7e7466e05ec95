// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EigenOperations.h"

#include "EigenAnalysis.h"
#include "ExactOperations.h"
#include "ExactResults.h"
#include "GVar.h"
#include "Messages.h"
#include "WorkingText.h"

using Outcome = ExactResults::Outcome;

std::string EigenOperations::ComplexValues(const std::string& name, const std::string& result) {
    return name + " has complex eigenvalues: each row of " + result +
           " holds the real and the imaginary part of one.";
}

std::string EigenOperations::NoRealVectors(const std::string& name) {
    return name + " has no real eigenvalues: complex eigenvalues get no eigenvectors, and "
                  "nothing is added.";
}

std::string EigenOperations::TooManyCoefficients(const std::string& name) {
    return "Sorry, the characteristic polynomial of " + name + " has " +
           std::to_string(MaxDim + 1) + " coefficients, one more than a matrix of the workspace "
                                        "can hold: charpoly(" +
           name + ") is not added.";
}

std::string EigenOperations::SomeComplexVectors(const std::string& name,
                                                const std::string& result) {
    return "The complex eigenvalues of " + name + " get no eigenvectors: " + result +
           " holds those of its real eigenvalues.";
}

std::string EigenOperations::ComplexNotDiagonal(const std::string& name) {
    return name + " cannot be diagonalised over the real numbers: " + name +
           " has complex eigenvalues.";
}

std::string EigenOperations::Defective(const std::string& name, const std::string& eigenvalue,
                                       int algebraic, int geometric) {
    return name + " cannot be diagonalised: eigenvalue " + eigenvalue +
           " has algebraic multiplicity " + std::to_string(algebraic) + " but only " +
           std::to_string(geometric) + " independent eigenvector" + (geometric == 1 ? "" : "s") +
           ".";
}

bool EigenOperations::square(int a) {
    return ExactOperations::SquareOperand(m_workspace, m_messages, a);
}

namespace {
EigenAnalysis analyse(const GVar& workspace, int a, WorkProgress* progress) {
    return EigenAnalysis(ExactMatrix::FromRecord(workspace.Matrix(a)), progress);
}

// Columns side by side: the bases of the real eigenvalues, in order.
ExactMatrix besideEachOther(const std::vector<ExactMatrix>& parts, int rows) {
    int cols = 0;
    for (const ExactMatrix& part : parts)
        cols += part.Cols();
    ExactMatrix joined(rows, cols);
    int at = 0;
    for (const ExactMatrix& part : parts) {
        for (int j = 1; j <= part.Cols(); ++j)
            for (int i = 1; i <= rows; ++i)
                joined.At(i, at + j) = part.At(i, j);
        at += part.Cols();
    }
    return joined;
}
} // namespace

void EigenOperations::CharPoly(int a) {
    if (!square(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    if (m_workspace.Matrix(a).Rows >= MaxDim) {
        m_messages.ShowMessage(TooManyCoefficients(name));
        return;
    }
    ExactResults::Add(m_workspace, m_messages, [&] {
        const EigenAnalysis eigen = analyse(m_workspace, a, m_progress);
        const std::vector<mpq_class>& c = eigen.Characteristic();
        ExactMatrix row(1, static_cast<int>(c.size()));
        for (std::size_t k = 0; k < c.size(); ++k)
            row.At(1, static_cast<int>(k) + 1) = c[k];
        Outcome outcome;
        outcome.results.emplace_back(WorkingText::StoredName("charpoly(" + name + ")"), row);
        return outcome;
    });
}

void EigenOperations::Eigenvalues(int a) {
    if (!square(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const EigenAnalysis eigen = analyse(m_workspace, a, m_progress);
        const std::string eig = WorkingText::StoredName("eig(" + name + ")");
        Outcome outcome;
        outcome.results.emplace_back(eig, eigen.Values());
        if (eigen.HasComplex())
            outcome.message = ComplexValues(name, eig);
        return outcome;
    });
}

void EigenOperations::Eigenvectors(int a) {
    if (!square(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const EigenAnalysis eigen = analyse(m_workspace, a, m_progress);
        const std::string vec = WorkingText::StoredName("vec(" + name + ")");
        std::vector<ExactMatrix> bases;
        for (std::size_t k = 0; k < eigen.Distinct().size(); ++k)
            if (eigen.Distinct()[k].isReal)
                bases.push_back(eigen.Basis(k));
        Outcome outcome;
        if (bases.empty()) {
            outcome.message = NoRealVectors(name);
            return outcome;
        }
        outcome.results.emplace_back(vec, besideEachOther(bases, eigen.Size()));
        if (eigen.HasComplex())
            outcome.message = SomeComplexVectors(name, vec);
        return outcome;
    });
}

void EigenOperations::Diagonalise(int a) {
    if (!square(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const EigenAnalysis eigen = analyse(m_workspace, a, m_progress);
        Outcome outcome;
        if (eigen.HasComplex()) {
            outcome.message = ComplexNotDiagonal(name);
            return outcome;
        }
        std::vector<ExactMatrix> bases;
        for (std::size_t k = 0; k < eigen.Distinct().size(); ++k) {
            const EigenAnalysis::Eigenvalue& value = eigen.Distinct()[k];
            const int geometric = eigen.Geometric(k);
            if (geometric < value.algebraic) {
                outcome.message = Defective(name, eigen.Name(k), value.algebraic, geometric);
                return outcome;
            }
            bases.push_back(eigen.Basis(k));
        }
        const int n = eigen.Size();
        ExactMatrix d(n, n);
        int at = 0;
        for (std::size_t k = 0; k < bases.size(); ++k) {
            const mpq_class lambda = eigen.Value(k);
            for (int j = 0; j < bases[k].Cols(); ++j, ++at)
                d.At(at + 1, at + 1) = lambda;
        }
        outcome.results.emplace_back(WorkingText::StoredName("P(" + name + ")"),
                                     besideEachOther(bases, n));
        outcome.results.emplace_back(WorkingText::StoredName("D(" + name + ")"), d);
        return outcome;
    });
}

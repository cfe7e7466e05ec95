// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class Messages;
class WorkProgress;

// Characteristic polynomial, Eigenvalues, Eigenvectors and Diagonalise,
// from EigenAnalysis on the fractions the values stand for. The
// conventions are the other exact commands': slots 1 to MatrixCount (any
// other does nothing), results added at the end under AllocResult's limit,
// named from the operand's name cut to 20 characters, operands never
// changed, a matrix that is not square refused with the determinant's
// message, and every failure one message with nothing added.
class EigenOperations {
public:
    EigenOperations(GVar& workspace, Messages& messages, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_messages(messages), m_progress(progress) {}

    // "charpoly(A)": 1 x (n + 1), the coefficients of det(t I - A), the
    // leading 1 first.
    void CharPoly(int a);
    // "eig(A)": n x 1, or n x 2 with a message when some are complex.
    void Eigenvalues(int a);
    // "vec(A)": the eigenspaces' bases of the real eigenvalues, side by
    // side; a message when complex ones get none.
    void Eigenvectors(int a);
    // "P(A)" and "D(A)" with A = P D inv(P), or nothing and a message that
    // says why A cannot be diagonalised.
    void Diagonalise(int a);

    // The messages, in words: name is the operand's, result the stored
    // name of the result.
    static std::string ComplexValues(const std::string& name, const std::string& result);
    static std::string NoRealVectors(const std::string& name);
    // A 50 x 50 has 51 coefficients, one more than a matrix may hold.
    static std::string TooManyCoefficients(const std::string& name);
    static std::string SomeComplexVectors(const std::string& name, const std::string& result);
    static std::string ComplexNotDiagonal(const std::string& name);
    static std::string Defective(const std::string& name, const std::string& eigenvalue,
                                 int algebraic, int geometric);

private:
    bool square(int a);

    GVar& m_workspace;
    Messages& m_messages;
    WorkProgress* m_progress;
};

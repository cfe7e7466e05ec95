// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class Messages;
class WorkProgress;

// LU decomposition, Determinant by cofactors, Adjugate, Cramer's rule,
// Power and Trace, exact on the fractions the values stand for, each
// stored value the exact result rounded to the nearest double. The
// conventions are the other exact commands': slots 1 to MatrixCount (any
// other does nothing), results added at the end under AllocResult's limit,
// named from the operand's name cut to 20 characters, operands never
// changed, a matrix that is not square refused with the determinant's
// message where one is needed, and every failure one message with nothing
// added.
class AlgebraOperations {
public:
    AlgebraOperations(GVar& workspace, Messages& messages, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_messages(messages), m_progress(progress) {}

    // "L(A)", "U(A)" and "P(A)" with P A = L U, of any matrix: the three
    // every time (P the identity when no rows were exchanged), or none.
    void LU(int a);
    // "det(A)", the same value as Determinant, by cofactors: square
    // matrices up to CofactorExpansion::MaxSize.
    void CofactorDeterminant(int a);
    // "adj(A)", the transposed matrix of cofactors.
    void Adjugate(int a);
    // "x(A)" with A x = b by Cramer's rule: A square and invertible, b one
    // column with as many rows.
    void Cramer(int a, int b);
    // "A^n" named with the exponent as typed, blanks around it left out.
    // A square A first; then false, with ExponentMessage shown, when text
    // is not a whole number from -MaxExponent to MaxExponent. A negative
    // one takes the exact inverse and refuses a singular matrix with the
    // singular message.
    bool Power(int a, const std::string& text);
    // "tr(A)", 1 x 1.
    void Trace(int a);

    static constexpr int MaxExponent = 99;
    // The exponent text read, or false when it is not one.
    static bool ReadExponent(const std::string& text, int& exponent);
    static std::string ExponentText(const std::string& text);

    static const std::string ExponentMessage;
    static std::string CofactorSizeMessage(const std::string& name, int n);
    static std::string CramerSingularMessage(const std::string& name);

private:
    bool square(int a);

    GVar& m_workspace;
    Messages& m_messages;
    WorkProgress* m_progress;
};

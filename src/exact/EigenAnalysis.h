// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <gmpxx.h>

#include <string>
#include <vector>

class WorkProgress;

// Eigenvalues of a square matrix of fractions, exact where the answer is
// exact: the characteristic polynomial det(t I - A) in rational arithmetic
// (FLINT), factored over the rationals, so that a linear factor gives a
// rational eigenvalue exactly and only the roots of higher factors are
// numerical, each certified (Arb's ball arithmetic, refined until the ball
// decides the nearest double). The eigenvalue commands store from this
// object and the worked solutions explain it, so that the two agree.
//
// FLINT and Arb end the process on misuse: the matrix is checked to be
// square and not empty before any call, and only square-free factors of
// degree 2 or more reach the root finder.
class EigenAnalysis {
public:
    // a square, 0 x 0 included (std::invalid_argument otherwise). progress
    // hears of the work and may stop it by WorkCancelled.
    explicit EigenAnalysis(const ExactMatrix& a, WorkProgress* progress = nullptr);

    int Size() const { return m_a.Rows(); }
    const ExactMatrix& Matrix() const { return m_a; }

    // det(t I - A): Size() + 1 coefficients, the leading 1 first.
    const std::vector<mpq_class>& Characteristic() const { return m_characteristic; }

    // An irreducible factor over the rationals, monic, and how often it
    // divides the characteristic polynomial. Linear factors come first, by
    // their roots ascending, then the others by degree.
    struct Factor {
        std::vector<mpq_class> coefficients; // highest degree first, leading 1
        int multiplicity = 1;
        int Degree() const { return static_cast<int>(coefficients.size()) - 1; }
    };
    const std::vector<Factor>& Factors() const { return m_factors; }

    // One distinct eigenvalue. A rational one is exact; the others are the
    // nearest doubles to their real and imaginary parts, certified.
    struct Eigenvalue {
        int factor = 0; // index into Factors()
        bool rational = false;
        mpq_class exact; // rational ones only
        double real = 0.0;
        double imaginary = 0.0;
        bool isReal = false;
        int algebraic = 1;
    };
    // Real ones ascending, then the complex ones by real part, then by
    // imaginary part.
    // Found on first use: the characteristic polynomial alone needs none.
    const std::vector<Eigenvalue>& Distinct() const;
    bool HasComplex() const;

    // eig(A) as stored: every eigenvalue repeated by its algebraic
    // multiplicity, in the order of Distinct(); Size() x 1 when all are
    // real, Size() x 2 (real part, imaginary part) otherwise.
    ExactMatrix Values() const;

    // For the k-th distinct eigenvalue (real ones only): the dimension of
    // its eigenspace, and a basis of it as columns. Exact for a rational
    // eigenvalue (the null space of A - lambda I, each column scaled to
    // whole numbers with no common factor); otherwise numerical, each
    // column scaled so that its entry of largest magnitude is 1, every
    // entry the nearest double to the exact one.
    int Geometric(std::size_t k) const;
    // The k-th distinct real eigenvalue as D(A) stores it: exact when
    // rational, else its nearest double, or beyond the range of doubles
    // (which the workspace refuses) when it lies there.
    mpq_class Value(std::size_t k) const;
    ExactMatrix Basis(std::size_t k) const;

    // How a student names an eigenvalue: "2", "-1/3", "1.41421" (6
    // significant digits for one that is not rational).
    std::string Name(std::size_t k) const;

private:
    void factor();
    void findRoots() const;
    ExactMatrix numericalBasis(std::size_t k) const;

    ExactMatrix m_a;
    WorkProgress* m_progress;
    std::vector<mpq_class> m_characteristic;
    std::vector<Factor> m_factors;
    std::vector<std::vector<mpz_class>> m_integerFactors; // primitive, highest first
    mutable bool m_rootsFound = false;
    mutable std::vector<Eigenvalue> m_distinct;
    mutable std::vector<int> m_geometric; // -1 until asked
};

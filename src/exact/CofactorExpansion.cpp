// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CofactorExpansion.h"

#include "FlintMatrix.h"
#include "LinearSystem.h"
#include "RowReduction.h"
#include "WorkingText.h"

#include <stdexcept>
#include <vector>

namespace {
std::string line(const std::string& text) {
    return WorkingText::Line(text);
}

std::string bracketed(const mpq_class& value) {
    return "(" + WorkingText::Number(value) + ")";
}

std::string sign(int i, int j) {
    return (i + j) % 2 == 0 ? "(+1)" : "(-1)";
}

// The minor's name: "M12" of A, "M12.31" of M12.
std::string minorName(const std::string& parent, bool top, int i, int j) {
    const std::string digits = std::to_string(i) + std::to_string(j);
    return top ? "M" + digits : parent + "." + digits;
}

ExactMatrix transposed(const ExactMatrix& a) {
    ExactMatrix t(a.Cols(), a.Rows());
    for (int i = 1; i <= a.Rows(); ++i)
        for (int j = 1; j <= a.Cols(); ++j)
            t.At(j, i) = a.At(i, j);
    return t;
}

mpq_class expand(const ExactMatrix& a, const std::string& name, bool top, std::string* text) {
    const int n = a.Rows();
    if (n == 1) {
        if (text != nullptr)
            *text += line("  det(" + name + ") = " + WorkingText::Number(a.At(1, 1)));
        return a.At(1, 1);
    }
    if (n == 2) {
        const mpq_class det = a.At(1, 1) * a.At(2, 2) - a.At(1, 2) * a.At(2, 1);
        if (text != nullptr)
            *text += line("  det(" + name + ") = " + bracketed(a.At(1, 1)) +
                          bracketed(a.At(2, 2)) + " - " + bracketed(a.At(1, 2)) +
                          bracketed(a.At(2, 1)) + " = " + WorkingText::Number(det));
        return det;
    }
    const CofactorExpansion::Line along = CofactorExpansion::Along(a);
    const auto position = [&](int k, int& i, int& j) {
        i = along.row ? along.index : k;
        j = along.row ? k : along.index;
    };
    std::string expansion;
    if (text != nullptr) {
        expansion = "  det(" + name + ") =";
        for (int k = 1; k <= n; ++k) {
            int i = 0;
            int j = 0;
            position(k, i, j);
            expansion += std::string(k > 1 ? " + " : " ") + sign(i, j) + bracketed(a.At(i, j)) +
                         " det(" + minorName(name, top, i, j) + ")";
        }
        *text += line("det(" + name + "), expanded along " + (along.row ? "row " : "column ") +
                      std::to_string(along.index) + ":") +
                 line(expansion);
    }
    mpq_class det = 0;
    std::string sum;
    for (int k = 1; k <= n; ++k) {
        int i = 0;
        int j = 0;
        position(k, i, j);
        const mpq_class& entry = a.At(i, j);
        if (entry == 0) {
            sum += k > 1 ? " + 0" : " 0";
            continue;
        }
        const std::string minor = minorName(name, top, i, j);
        const ExactMatrix m = CofactorExpansion::Minor(a, i, j);
        if (text != nullptr)
            *text += line(minor + ", " + name + " without row " + std::to_string(i) +
                          " and column " + std::to_string(j) + ":") +
                     WorkingText::Block(m);
        const mpq_class value = expand(m, minor, false, text);
        const mpq_class term = entry * value;
        det += (i + j) % 2 == 0 ? term : mpq_class(-term);
        sum += std::string(k > 1 ? " + " : " ") + sign(i, j) + bracketed(entry) + bracketed(value);
    }
    if (text != nullptr)
        *text += line("  det(" + name + ") =" + sum) +
                 line("  det(" + name + ") = " + WorkingText::Number(det));
    return det;
}
} // namespace

ExactMatrix CofactorExpansion::Minor(const ExactMatrix& a, int i, int j) {
    ExactMatrix m(a.Rows() - 1, a.Cols() - 1);
    for (int r = 1, mr = 1; r <= a.Rows(); ++r) {
        if (r == i)
            continue;
        for (int c = 1, mc = 1; c <= a.Cols(); ++c)
            if (c != j)
                m.At(mr, mc++) = a.At(r, c);
        ++mr;
    }
    return m;
}

mpq_class CofactorExpansion::Cofactor(const ExactMatrix& a, int i, int j, WorkProgress* progress) {
    const mpq_class minor = FlintMatrix::Determinant(Minor(a, i, j), progress);
    return (i + j) % 2 == 0 ? minor : mpq_class(-minor);
}

CofactorExpansion::Line CofactorExpansion::Along(const ExactMatrix& a) {
    const int n = a.Rows();
    Line best;
    int most = -1;
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 1; k <= n; ++k) {
            int zeros = 0;
            for (int l = 1; l <= n; ++l)
                zeros += (pass == 0 ? a.At(k, l) : a.At(l, k)) == 0;
            if (zeros > most) {
                most = zeros;
                best.row = pass == 0;
                best.index = k;
            }
        }
    return best;
}

mpq_class CofactorExpansion::Determinant(const ExactMatrix& a, const std::string& name,
                                         std::string* text) {
    if (a.Rows() != a.Cols() || a.Rows() > MaxSize)
        throw std::invalid_argument("cofactor expansion of a matrix it is not worked for");
    if (a.Rows() == 0)
        return 1;
    return expand(a, name, true, text);
}

ExactMatrix CofactorExpansion::Adjugate(const ExactMatrix& a, WorkProgress* progress) {
    if (a.Rows() != a.Cols())
        throw std::invalid_argument("the adjugate needs a square matrix");
    const int n = a.Rows();
    if (n == 1)
        return ExactMatrix::Identity(1);
    ExactMatrix adjugate(n, n);
    if (n == 0)
        return adjugate;
    ExactMatrix inverse;
    if (RowReduction::Inverse(a, inverse, progress)) {
        const mpq_class det = FlintMatrix::Determinant(a, progress);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                adjugate.At(i, j) = det * inverse.At(i, j);
        return adjugate;
    }
    // A adj(A) = adj(A) A = det(A) I = 0: every column of adj(A) lies in
    // the null space of A, every row in that of A'.
    const LinearSystem right(a, nullptr, progress);
    if (right.Nullity() != 1)
        return adjugate;
    const ExactMatrix v = right.NullBasis();
    const ExactMatrix w = LinearSystem(transposed(a), nullptr, progress).NullBasis();
    int i = 1;
    while (v.At(i, 1) == 0)
        ++i;
    int j = 1;
    while (w.At(j, 1) == 0)
        ++j;
    // adj(A)(i, j) is the cofactor of entry (j, i).
    const mpq_class c = Cofactor(a, j, i, progress) / (v.At(i, 1) * w.At(j, 1));
    for (int r = 1; r <= n; ++r)
        for (int s = 1; s <= n; ++s)
            adjugate.At(r, s) = c * v.At(r, 1) * w.At(s, 1);
    return adjugate;
}

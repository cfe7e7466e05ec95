// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EigenAnalysis.h"

#include "FlintMatrix.h"
#include "LinearSystem.h"
#include "WorkProgress.h"
#include "WorkingText.h"

#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include <acb.h>
#include <arb.h>
#include <arb_fmpz_poly.h>
#include <acb_poly.h>
#include <arb_mat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {
// Precisions, in bits, that the root finder and the eigenvectors try in
// turn until every nearest double is decided; past the last, the balls'
// midpoints are taken, still far closer than a double's last place.
constexpr slong FirstPrecision = 96;
constexpr slong LastPrecision = 1 << 15;

// A value beyond the range of a double, which the workspace then refuses
// with its usual message.
mpq_class beyondDoubles(int sign) {
    mpz_class huge = 1;
    huge <<= 1100;
    return mpq_class(sign < 0 ? mpz_class(-huge) : huge);
}

mpq_class exactDouble(double x) {
    if (!std::isfinite(x))
        return beyondDoubles(x < 0 ? -1 : 1);
    return mpq_class(x);
}

// The double nearest every number of the ball, if there is one.
bool decided(const arb_t x, double& out) {
    if (!arb_is_finite(x))
        return false;
    arf_t low;
    arf_t high;
    arf_init(low);
    arf_init(high);
    arb_get_lbound_arf(low, x, 2 * LastPrecision);
    arb_get_ubound_arf(high, x, 2 * LastPrecision);
    const double a = arf_get_d(low, ARF_RND_NEAR);
    const double b = arf_get_d(high, ARF_RND_NEAR);
    arf_clear(low);
    arf_clear(high);
    if (a != b)
        return false;
    out = a;
    return true;
}

double midpoint(const arb_t x) {
    return arf_get_d(arb_midref(x), ARF_RND_NEAR);
}

// The roots of a square-free integer polynomial of degree 2 or more, each
// ball at least target bits accurate: the real ones, with an imaginary
// part of exactly 0, ascending, then the others by real part, then
// imaginary part.
//
// Arb's own driver starts its iteration from points on one circle, which
// takes minutes where the roots spread from 1e-300 to 1e300, as those of a
// matrix of values over the whole double range do, and cannot be stopped.
// Here the start follows the Newton polygon of the coefficients' sizes
// (each edge gives as many points as it is wide, on a circle of the radius
// its slope tells), and progress hears between rounds of the iteration.
class Roots {
public:
    explicit Roots(const std::vector<mpz_class>& coefficients)
        : m_degree(static_cast<slong>(coefficients.size()) - 1) {
        if (m_degree < 2)
            throw std::logic_error("the root finder takes degree 2 and more");
        fmpz_poly_init(m_poly);
        acb_poly_init(m_balls);
        m_roots = _acb_vec_init(m_degree);
        fmpz_t c;
        fmpz_init(c);
        for (slong k = 0; k <= m_degree; ++k) {
            fmpz_set_mpz(c, coefficients[static_cast<std::size_t>(m_degree - k)].get_mpz_t());
            fmpz_poly_set_coeff_fmpz(m_poly, k, c);
        }
        fmpz_clear(c);
    }
    ~Roots() {
        _acb_vec_clear(m_roots, m_degree);
        acb_poly_clear(m_balls);
        fmpz_poly_clear(m_poly);
    }
    Roots(const Roots&) = delete;
    Roots& operator=(const Roots&) = delete;

    // Called again with a higher target, it goes on from the balls it has.
    void Find(slong target, WorkProgress* progress) {
        if (m_prec > 0 && accurate(target))
            return;
        if (m_prec == 0)
            start();
        for (slong prec = m_prec > 0 ? 2 * m_prec : 64;; prec *= 2) {
            m_prec = prec;
            acb_poly_set_fmpz_poly(m_balls, m_poly, prec);
            // Roots in a tight cluster (a matrix of values from 1e-300 to
            // 1e300 has them) converge one bit an iteration: up to as many
            // iterations as bits of precision, in short runs with a report
            // between them so that a cancel is heard. A run ends early once
            // its corrections fall below the precision.
            const slong run = 4 * m_degree + 64;
            slong isolated = 0;
            for (slong done = 0; done < prec + run && isolated < m_degree; done += run) {
                isolated = acb_poly_find_roots(m_roots, m_balls, m_roots, run, prec);
                ReportProgress(progress, 2, 3);
            }
            if (isolated == m_degree && accurate(target) &&
                acb_poly_validate_real_roots(m_roots, m_balls, prec))
                break;
        }
        for (slong k = 0; k < m_degree; ++k)
            if (arb_contains_zero(acb_imagref(m_roots + k)))
                arb_zero(acb_imagref(m_roots + k));
        std::sort(m_roots, m_roots + m_degree, [](const acb_struct& a, const acb_struct& b) {
            const bool realA = arb_is_zero(acb_imagref(&a)) != 0;
            const bool realB = arb_is_zero(acb_imagref(&b)) != 0;
            if (realA != realB)
                return realA;
            const int re = arf_cmp(arb_midref(acb_realref(&a)), arb_midref(acb_realref(&b)));
            if (re != 0)
                return re < 0;
            return arf_cmp(arb_midref(acb_imagref(&a)), arb_midref(acb_imagref(&b))) < 0;
        });
    }

    slong Count() const { return m_degree; }
    const acb_struct* At(slong k) const { return m_roots + k; }
    bool IsReal(slong k) const { return arb_is_zero(acb_imagref(m_roots + k)) != 0; }

private:
    bool accurate(slong target) const {
        for (slong k = 0; k < m_degree; ++k)
            if (acb_rel_accuracy_bits(m_roots + k) < target)
                return false;
        return true;
    }

    // Points on the circles of the Newton polygon's edges: the upper hull
    // of (k, log2 |c_k|), each edge from i to j giving j - i points of
    // modulus 2^((y_i - y_j) / (j - i)), turned a little from edge to edge.
    void start() {
        std::vector<slong> powers;
        std::vector<double> sizes;
        for (slong k = 0; k <= m_degree; ++k) {
            const fmpz* c = m_poly->coeffs + k;
            if (fmpz_is_zero(c))
                continue;
            slong exponent = 0;
            const double d = fmpz_get_d_2exp(&exponent, c);
            powers.push_back(k);
            sizes.push_back(static_cast<double>(exponent) + std::log2(std::fabs(d)));
        }
        std::vector<std::size_t> hull;
        for (std::size_t k = 0; k < powers.size(); ++k) {
            while (hull.size() >= 2) {
                const std::size_t a = hull[hull.size() - 2];
                const std::size_t b = hull.back();
                const double cross =
                    (sizes[b] - sizes[a]) * static_cast<double>(powers[k] - powers[a]) -
                    (sizes[k] - sizes[a]) * static_cast<double>(powers[b] - powers[a]);
                if (cross > 0)
                    break;
                hull.pop_back();
            }
            hull.push_back(k);
        }
        slong at = 0;
        const double pi = std::acos(-1.0);
        for (std::size_t e = 0; e + 1 < hull.size(); ++e) {
            const slong width = powers[hull[e + 1]] - powers[hull[e]];
            const double log2Radius = (sizes[hull[e]] - sizes[hull[e + 1]]) / static_cast<double>(width);
            const double whole = std::floor(log2Radius);
            const double scale = std::exp2(log2Radius - whole);
            for (slong k = 0; k < width && at < m_degree; ++k, ++at) {
                const double angle = 2 * pi * static_cast<double>(k) / static_cast<double>(width) +
                                     0.4 + 0.7 * static_cast<double>(e);
                acb_set_d_d(m_roots + at, scale * std::cos(angle), scale * std::sin(angle));
                acb_mul_2exp_si(m_roots + at, m_roots + at, static_cast<slong>(whole));
            }
        }
        for (; at < m_degree; ++at) // a zero constant term: a root at 0
            acb_set_d_d(m_roots + at, 0.001 * static_cast<double>(at), 0.001);
    }

    slong m_degree;
    slong m_prec = 0; // of the last round, 0 before the first
    fmpz_poly_t m_poly;
    acb_poly_t m_balls;
    acb_ptr m_roots;
};

// A square matrix of balls, freed also when a cancel unwinds past it.
class BallMatrix {
public:
    explicit BallMatrix(slong n) { arb_mat_init(m, n, n); }
    ~BallMatrix() { arb_mat_clear(m); }
    BallMatrix(const BallMatrix&) = delete;
    BallMatrix& operator=(const BallMatrix&) = delete;
    arb_ptr At(slong i, slong j) { return arb_mat_entry(m, i, j); }
    arb_mat_t m;
};

class Ball {
public:
    Ball() { arb_init(x); }
    ~Ball() { arb_clear(x); }
    Ball(const Ball&) = delete;
    Ball& operator=(const Ball&) = delete;
    arb_t x;
};

bool lessFactor(const EigenAnalysis::Factor& a, const EigenAnalysis::Factor& b) {
    if (a.Degree() != b.Degree())
        return a.Degree() < b.Degree();
    if (a.Degree() == 1)
        return -a.coefficients[1] < -b.coefficients[1];
    return std::lexicographical_compare(a.coefficients.begin(), a.coefficients.end(),
                                        b.coefficients.begin(), b.coefficients.end());
}
} // namespace

EigenAnalysis::EigenAnalysis(const ExactMatrix& a, WorkProgress* progress)
    : m_a(a), m_progress(progress) {
    const int n = a.Rows();
    if (a.Cols() != n)
        throw std::invalid_argument("eigenvalues need a square matrix");
    // A matrix of no rows: det(t I - A) is the empty determinant, 1, with
    // no roots; FLINT is not asked.
    if (n == 0) {
        m_characteristic.push_back(1);
        return;
    }
    ReportProgress(m_progress, 0, 3);
    fmpq_mat_t m;
    fmpq_mat_init(m, n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            fmpq_set_mpq(fmpq_mat_entry(m, i, j), a.At(i + 1, j + 1).get_mpq_t());
    fmpq_poly_t p;
    fmpq_poly_init(p);
    fmpq_mat_charpoly(p, m);
    fmpq_mat_clear(m);
    mpq_class c;
    for (int k = n; k >= 0; --k) {
        fmpq_poly_get_coeff_mpq(c.get_mpq_t(), p, k);
        m_characteristic.push_back(c);
    }
    fmpq_poly_clear(p);
    ReportProgress(m_progress, 1, 3);
    factor();
}

const std::vector<EigenAnalysis::Eigenvalue>& EigenAnalysis::Distinct() const {
    if (!m_rootsFound) {
        findRoots();
        m_geometric.assign(m_distinct.size(), -1);
        m_rootsFound = true;
    }
    return m_distinct;
}

// Over the rationals: the whole-number multiple of the characteristic
// polynomial with no common factor, factored by FLINT (Zassenhaus), each
// factor then made monic.
void EigenAnalysis::factor() {
    const int n = Size();
    mpz_class common = 1;
    for (const mpq_class& c : m_characteristic)
        common = lcm(common, c.get_den());
    fmpz_poly_t whole;
    fmpz_poly_init(whole);
    fmpz_t c;
    fmpz_init(c);
    for (int k = 0; k <= n; ++k) {
        const mpq_class& q = m_characteristic[static_cast<std::size_t>(n - k)];
        const mpz_class value = q.get_num() * (common / q.get_den());
        fmpz_set_mpz(c, value.get_mpz_t());
        fmpz_poly_set_coeff_fmpz(whole, k, c);
    }
    // Of degree n >= 1 and monic before scaling: never the zero polynomial.
    fmpz_poly_factor_t found;
    fmpz_poly_factor_init(found);
    fmpz_poly_factor(found, whole);
    std::vector<std::pair<Factor, std::vector<mpz_class>>> factors;
    for (slong f = 0; f < found->num; ++f) {
        const fmpz_poly_struct* q = found->p + f;
        const slong degree = fmpz_poly_degree(q);
        std::vector<mpz_class> integer;
        mpz_class value;
        for (slong k = degree; k >= 0; --k) {
            fmpz_poly_get_coeff_fmpz(c, q, k);
            fmpz_get_mpz(value.get_mpz_t(), c);
            integer.push_back(value);
        }
        if (integer.front() < 0)
            for (mpz_class& v : integer)
                v = -v;
        Factor factor;
        factor.multiplicity = static_cast<int>(found->exp[f]);
        for (const mpz_class& v : integer) {
            mpq_class monic(v, integer.front());
            monic.canonicalize();
            factor.coefficients.push_back(monic);
        }
        factors.emplace_back(factor, integer);
    }
    fmpz_poly_factor_clear(found);
    fmpz_clear(c);
    fmpz_poly_clear(whole);
    std::sort(factors.begin(), factors.end(),
              [](const auto& a, const auto& b) { return lessFactor(a.first, b.first); });
    for (auto& f : factors) {
        m_factors.push_back(f.first);
        m_integerFactors.push_back(f.second);
    }
}

// Rational roots exactly; the others certified: the root finder's balls
// are refined until each decides the nearest double of its real and its
// imaginary part.
void EigenAnalysis::findRoots() const {
    std::vector<Eigenvalue> real;
    std::vector<Eigenvalue> complex;
    for (std::size_t f = 0; f < m_factors.size(); ++f) {
        const Factor& factor = m_factors[f];
        Eigenvalue value;
        value.factor = static_cast<int>(f);
        value.algebraic = factor.multiplicity;
        if (factor.Degree() == 1) {
            value.rational = true;
            value.isReal = true;
            value.exact = -factor.coefficients[1];
            value.real = value.exact.get_d();
            real.push_back(value);
            continue;
        }
        ReportProgress(m_progress, 2, 3);
        Roots roots(m_integerFactors[f]);
        for (slong prec = FirstPrecision;; prec *= 2) {
            roots.Find(prec, m_progress);
            std::vector<Eigenvalue> found;
            bool all = true;
            for (slong k = 0; k < roots.Count(); ++k) {
                Eigenvalue root = value;
                root.isReal = roots.IsReal(k);
                all = decided(acb_realref(roots.At(k)), root.real) && all;
                if (!root.isReal)
                    all = decided(acb_imagref(roots.At(k)), root.imaginary) && all;
                if (prec >= LastPrecision) {
                    root.real = midpoint(acb_realref(roots.At(k)));
                    if (!root.isReal)
                        root.imaginary = midpoint(acb_imagref(roots.At(k)));
                }
                found.push_back(root);
            }
            if (all || prec >= LastPrecision) {
                for (const Eigenvalue& root : found)
                    (root.isReal ? real : complex).push_back(root);
                break;
            }
        }
    }
    std::stable_sort(real.begin(), real.end(), [](const Eigenvalue& a, const Eigenvalue& b) {
        if (a.rational && b.rational)
            return a.exact < b.exact;
        return a.real < b.real;
    });
    std::stable_sort(complex.begin(), complex.end(), [](const Eigenvalue& a, const Eigenvalue& b) {
        return a.real != b.real ? a.real < b.real : a.imaginary < b.imaginary;
    });
    m_distinct = real;
    m_distinct.insert(m_distinct.end(), complex.begin(), complex.end());
}

bool EigenAnalysis::HasComplex() const {
    Distinct();
    return std::any_of(m_distinct.begin(), m_distinct.end(),
                       [](const Eigenvalue& v) { return !v.isReal; });
}

ExactMatrix EigenAnalysis::Values() const {
    Distinct();
    const bool complex = HasComplex();
    ExactMatrix values(Size(), complex ? 2 : 1);
    int row = 1;
    for (const Eigenvalue& v : m_distinct)
        for (int k = 0; k < v.algebraic; ++k, ++row) {
            values.At(row, 1) = v.rational ? v.exact : exactDouble(v.real);
            if (complex)
                values.At(row, 2) = exactDouble(v.imaginary);
        }
    return values;
}

namespace {
ExactMatrix minusLambda(const ExactMatrix& a, const mpq_class& lambda) {
    ExactMatrix shifted = a;
    for (int i = 1; i <= a.Rows(); ++i)
        shifted.At(i, i) -= lambda;
    return shifted;
}

// f(A) by Horner's rule, f monic with rational coefficients.
ExactMatrix polynomialOf(const ExactMatrix& a, const std::vector<mpq_class>& f) {
    const int n = a.Rows();
    ExactMatrix value = ExactMatrix::Identity(n);
    for (std::size_t k = 1; k < f.size(); ++k) {
        value = value * a;
        for (int i = 1; i <= n; ++i)
            value.At(i, i) += f[k];
    }
    return value;
}
} // namespace

int EigenAnalysis::Geometric(std::size_t k) const {
    Distinct();
    int& known = m_geometric.at(k);
    if (known >= 0)
        return known;
    const Eigenvalue& value = m_distinct[k];
    if (value.rational) {
        known = LinearSystem(minusLambda(m_a, value.exact), nullptr, m_progress).Nullity();
    } else if (value.algebraic == 1) {
        known = 1;
    } else {
        // Over the rationals, the kernel of f(A) holds the eigenspaces of
        // all deg f roots of f, each of the same dimension.
        const Factor& factor = m_factors[static_cast<std::size_t>(value.factor)];
        const ExactMatrix f = polynomialOf(m_a, factor.coefficients);
        known = (Size() - FlintMatrix::Rank(f, m_progress)) / factor.Degree();
    }
    return known;
}

mpq_class EigenAnalysis::Value(std::size_t k) const {
    const Eigenvalue& value = Distinct().at(k);
    return value.rational ? value.exact : exactDouble(value.real);
}

ExactMatrix EigenAnalysis::Basis(std::size_t k) const {
    Distinct();
    const Eigenvalue& value = m_distinct.at(k);
    if (!value.isReal)
        return ExactMatrix(Size(), 0);
    if (!value.rational)
        return numericalBasis(k);
    ExactMatrix basis =
        LinearSystem(minusLambda(m_a, value.exact), nullptr, m_progress).NullBasis();
    for (int j = 1; j <= basis.Cols(); ++j) {
        mpz_class den = 1;
        mpz_class num = 0;
        for (int i = 1; i <= basis.Rows(); ++i) {
            den = lcm(den, basis.At(i, j).get_den());
            num = gcd(num, basis.At(i, j).get_num());
        }
        for (int i = 1; i <= basis.Rows(); ++i) {
            basis.At(i, j) *= mpq_class(den, num);
            basis.At(i, j).canonicalize();
        }
    }
    return basis;
}

// The null space of A - lambda I in ball arithmetic. Its dimension g is
// known exactly, so n - g pivots, each chosen as the entry of largest
// magnitude and each a ball that excludes 0, leave the other g columns
// free, and the vectors are what the reduced rows then give. The precision
// grows until every entry decides its nearest double.
ExactMatrix EigenAnalysis::numericalBasis(std::size_t k) const {
    Distinct();
    const Eigenvalue& value = m_distinct[k];
    const slong n = Size();
    const int g = Geometric(k);
    const slong rank = n - g;
    ExactMatrix basis(Size(), g);
    Roots roots(m_integerFactors[static_cast<std::size_t>(value.factor)]);
    for (slong prec = FirstPrecision;; prec *= 2) {
        ReportProgress(m_progress, 2, 3);
        const bool last = prec >= LastPrecision;
        roots.Find(prec, m_progress);
        // The real root whose nearest double this eigenvalue holds.
        slong nearest = -1;
        double distance = 0.0;
        for (slong r = 0; r < roots.Count(); ++r) {
            if (!roots.IsReal(r))
                continue;
            const double d = std::fabs(midpoint(acb_realref(roots.At(r))) - value.real);
            if (nearest < 0 || d < distance) {
                nearest = r;
                distance = d;
            }
        }
        const arb_srcptr lambda = acb_realref(roots.At(nearest));
        BallMatrix b(n);
        fmpq_t q;
        fmpq_init(q);
        for (slong i = 0; i < n; ++i)
            for (slong j = 0; j < n; ++j) {
                fmpq_set_mpq(q, m_a.At(static_cast<int>(i) + 1, static_cast<int>(j) + 1)
                                    .get_mpq_t());
                arb_set_fmpq(b.At(i, j), q, prec);
                if (i == j)
                    arb_sub(b.At(i, j), b.At(i, j), lambda, prec);
            }
        fmpq_clear(q);
        std::vector<slong> rowOf(static_cast<std::size_t>(n));
        std::vector<slong> col(static_cast<std::size_t>(n)); // pivot columns first
        for (slong i = 0; i < n; ++i)
            rowOf[static_cast<std::size_t>(i)] = col[static_cast<std::size_t>(i)] = i;
        bool sound = true;
        Ball factor;
        for (slong s = 0; s < rank && sound; ++s) {
            slong bi = s;
            slong bj = s;
            for (slong i = s; i < n; ++i)
                for (slong j = s; j < n; ++j)
                    if (arf_cmpabs(arb_midref(b.At(rowOf[i], col[j])),
                                   arb_midref(b.At(rowOf[bi], col[bj]))) > 0) {
                        bi = i;
                        bj = j;
                    }
            std::swap(rowOf[s], rowOf[bi]);
            std::swap(col[s], col[bj]);
            const arb_srcptr pivot = b.At(rowOf[s], col[s]);
            // At the last precision the elimination goes on regardless: a
            // ball that holds 0 then makes the entries unbounded, which the
            // workspace refuses as beyond the range of a double.
            if (arb_contains_zero(pivot) && !last) {
                sound = false;
                break;
            }
            for (slong i = 0; i < n; ++i) {
                if (i == s)
                    continue;
                arb_div(factor.x, b.At(rowOf[i], col[s]), pivot, prec);
                for (slong j = s; j < n; ++j)
                    arb_submul(b.At(rowOf[i], col[j]), factor.x, b.At(rowOf[s], col[j]), prec);
            }
        }
        bool all = sound;
        for (int v = 0; v < g && sound; ++v) {
            const slong free = col[static_cast<std::size_t>(rank + v)];
            std::vector<Ball> x(static_cast<std::size_t>(n));
            arb_one(x[static_cast<std::size_t>(free)].x);
            for (slong s = 0; s < rank; ++s) {
                arb_div(x[col[s]].x, b.At(rowOf[s], free), b.At(rowOf[s], col[s]), prec);
                arb_neg(x[col[s]].x, x[col[s]].x);
            }
            slong largest = 0;
            for (slong i = 1; i < n; ++i)
                if (arf_cmpabs(arb_midref(x[i].x), arb_midref(x[largest].x)) > 0)
                    largest = i;
            Ball scale;
            arb_set(scale.x, x[largest].x);
            for (slong i = 0; i < n; ++i) {
                double entry = 0.0;
                if (i == largest) {
                    entry = 1.0;
                } else {
                    arb_div(x[i].x, x[i].x, scale.x, prec);
                    if (!decided(x[i].x, entry)) {
                        all = false;
                        entry = midpoint(x[i].x);
                    }
                }
                basis.At(static_cast<int>(i) + 1, v + 1) = exactDouble(entry);
            }
        }
        if (all || last)
            return basis;
    }
}

std::string EigenAnalysis::Name(std::size_t k) const {
    Distinct();
    const Eigenvalue& value = m_distinct.at(k);
    if (value.rational)
        return WorkingText::Number(value.exact);
    char text[64];
    if (value.isReal)
        std::snprintf(text, sizeof text, "%.6g", value.real);
    else
        std::snprintf(text, sizeof text, "%.6g %c %.6gi", value.real,
                      value.imaginary < 0 ? '-' : '+', std::fabs(value.imaginary));
    return text;
}

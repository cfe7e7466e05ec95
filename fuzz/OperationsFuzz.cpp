// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The numerical operations, and the exact ones, on workspaces built to provoke faults: values
// near the ends of the double range, subnormals, exact zeros, singular and
// nearly singular matrices, huge pivots beside tiny ones. After every
// operation the workspace holds only what a workspace can hold, the operands
// are unchanged, and either exactly one finite result (L, U and P for LU)
// was added with no message, or nothing was added and one of the
// operation's own messages was shown. The worked solutions of the algebra
// commands stay within a working's limit and their exact checks hold, and
// the determinant by cofactors stores what Determinant stores.
#include "AlgebraOperations.h"
#include "AlgebraWorkings.h"
#include "EigenOperations.h"
#include "ExactOperations.h"
#include "FuzzSupport.h"
#include "ExactMatrix.h"
#include "GVar.h"
#include "HandElimination.h"
#include "MatOperations.h"
#include "Messages.h"
#include "MyString.h"
#include "SystemOperations.h"
#include "WorkingText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

class Recorded : public Messages {
public:
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// Values a fault likes: the ends of the range, subnormals, zeros of both
// signs, and ordinary numbers for the rest.
double special(FuzzedDataProvider& in) {
    static const double palette[] = {0.0,       -0.0,     1.0,      -1.0,     2.0,     0.5,
                                     1e308,     -1e308,   DBL_MAX,  -DBL_MAX, 1e300,   1e-300,
                                     1e-308,    -1e-308,  DBL_MIN,  4.9e-324, 1e-310,  -1e-310,
                                     1e150,     1e-150,   1e-200,   1e-55,    1e-309,  3.0,
                                     0.1,       1e16,     -7.0,     1e200,    -1e-250, 1e-160};
    const int pick = in.ConsumeIntegralInRange<int>(0, std::size(palette) + 1);
    if (pick < static_cast<int>(std::size(palette)))
        return palette[pick];
    if (pick == static_cast<int>(std::size(palette)))
        return in.ConsumeIntegralInRange<int>(-99, 99);
    // Any finite double.
    const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? value : 0.0;
}

// A matrix of the chosen size in one of several shapes.
void fillMatrix(FuzzedDataProvider& in, TMatrixRec& m) {
    const int rows = m.Rows;
    const int cols = m.Cols;
    const int shape = in.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            double v = 0.0;
            switch (shape) {
            case 0:  // every value from the palette
                v = special(in);
                break;
            case 1:  // diagonal from the palette, zeros around
                v = i == j ? special(in) : 0.0;
                break;
            case 2:  // a repeated row makes it singular, or nearly so
                v = i > 1 && j <= cols ? m.At(1, j) * (i % 2 ? 1.0 : 1.0 + 1e-15) : special(in);
                break;
            case 3:  // a huge pivot beside tiny ones
                v = i == 1 && j == 1 ? 1e300 : (i == j ? 1e-300 : special(in));
                break;
            default:  // symmetric and diagonally dominant: Cholesky goes far
                v = i == j ? 100.0 * cols : (i < j ? special(in) : m.At(j, i));
                break;
            }
            m.At(i, j) = std::isfinite(v) ? v : 1.0;  // DBL_MAX * (1 + 1e-15) is not
        }
}


bool sameRecord(const TMatrixRec& a, const TMatrixRec& b) {
    return a.Name == b.Name && a.Rows == b.Rows && a.Cols == b.Cols &&
           std::memcmp(a.Data, b.Data, sizeof a.Data) == 0;
}

enum Op {
    Scale, Transpose, Add, Subtract, Multiply, Invert, Cholesky, Substitute,
    Determinant, Rank, Rref, ExactInvert, HandSteps, LU, CofactorDet, Adjugate, Cramer, Power,
    Trace, CharPoly, Eigenvalues, Eigenvectors, Diagonalise, OpCount
};

// The messages an operation may show for a refusal or a fault.
const std::set<std::string>& allowed(Op op) {
    // Built on first use: the limit message is another unit's static.
    const std::string& Limit = GVar::LimitMessage;
    static const std::set<std::string> sets[OpCount] = {
        {Limit, MatOperations::OverflowReport, MatOperations::MemoryReport},
        {Limit, MatOperations::MemoryReport},
        {Limit, "Error, arrays are not conformable for addition.",
         "Sorry, unable to complete addition."},
        {Limit, "Error, arrays are not conformable for subtraction.",
         "Sorry, unable to complete subtraction."},
        {Limit, "Error, arrays are not conformable for multiplication.",
         "Sorry, unable to complete multiplication."},
        {Limit, "Error, matrix must be square for this operation.",
         "Error: Singular matrix -- cannot compute approximations.",
         "Error, could not resolve initial approximations. Matrix is unstable.",
         "Sorry, the maximum memory allocation already exist."},
        {Limit, "Error, No Cholesky Decompostion possible.",
         "Error - Array is not positive definite.", "Sorry, unable to complete process."},
        {Limit, "Sorry, this operation cannot be continued with these matrices.",
         "Sorry, unsufficient resources to complete operation."},
        {Limit, ExactOperations::NotSquareMessage, ExactOperations::TooLargeMessage,
         ExactOperations::MemoryMessage},
        {Limit, ExactOperations::MemoryMessage},
        {Limit, ExactOperations::TooLargeMessage, ExactOperations::MemoryMessage},
        {Limit, "Error, matrix must be square for this operation.",
         "Error: Singular matrix -- cannot compute approximations.",
         "Error, could not resolve initial approximations. Matrix is unstable.",
         "Sorry, the maximum memory allocation already exist.", ExactOperations::MemoryMessage},
        {},
        {}, {}, {}, {}, {}, {}, // the algebra commands: algebraMessages
        {}, {}, {}, {}, // the eigenvalue commands: eigenMessages
    };
    return sets[op];
}

// The algebra commands' messages name their operands.
std::set<std::string> algebraMessages(Op op, const TMatrixRec& a, const TMatrixRec& b) {
    std::set<std::string> messages = {GVar::LimitMessage, ExactOperations::TooLargeMessage,
                                      ExactOperations::MemoryMessage};
    if (op != LU)
        messages.insert(ExactOperations::NotSquareMessage);
    if (op == CofactorDet)
        messages.insert(AlgebraOperations::CofactorSizeMessage(a.Name, a.Rows));
    if (op == Cramer) {
        messages.insert(SystemOperations::NotOneColumn(a, b));
        messages.insert(AlgebraOperations::CramerSingularMessage(a.Name));
    }
    if (op == Power) {
        messages.insert(AlgebraOperations::ExponentMessage);
        messages.insert(ExactOperations::SingularMessage);
    }
    return messages;
}
// What an eigenvalue command on a matrix named name may say: a refusal,
// or a remark beside its results.
std::set<std::string> eigenMessages(const std::string& name) {
    return {GVar::LimitMessage,
            ExactOperations::NotSquareMessage,
            ExactOperations::TooLargeMessage,
            ExactOperations::MemoryMessage,
            EigenOperations::ComplexValues(name, WorkingText::StoredName("eig(" + name + ")")),
            EigenOperations::NoRealVectors(name),
            EigenOperations::SomeComplexVectors(name, WorkingText::StoredName("vec(" + name + ")")),
            EigenOperations::ComplexNotDiagonal(name)};
}

bool defectiveMessage(const std::string& text, const std::string& name) {
    return text.rfind(name + " cannot be diagonalised: eigenvalue ", 0) == 0;
}

// Records the operations of a hand elimination; wanting matrices or not
// picks the elimination in fractions or the fraction-free one (modulo
// primes, where the values make fractions of thousands of digits).
class Steps : public HandElimination::Observer {
public:
    explicit Steps(bool wantsMatrices) : m_wantsMatrices(wantsMatrices) {}
    void Done(const HandElimination::Operation& operation, const ExactMatrix&) override {
        texts.push_back(operation.Text());
    }
    bool NoPivot(int col, int row) override {
        texts.push_back("no pivot " + std::to_string(col) + " " + std::to_string(row));
        return true;
    }
    bool WantsMatrices() const override { return m_wantsMatrices; }
    std::vector<std::string> texts;

private:
    bool m_wantsMatrices;
};

// Both eliminations of the worked solutions tell the same operations and
// end in the same matrix.
bool sameHandSteps(const TMatrixRec& m, bool reduced) {
    const ExactMatrix start = ExactMatrix::FromRecord(m);
    const auto goal = reduced ? HandElimination::Goal::Reduced : HandElimination::Goal::Echelon;
    Steps plainSteps(true);
    Steps fractionFreeSteps(false);
    HandElimination plain(start, goal, start.Cols());
    HandElimination fractionFree(start, goal, start.Cols());
    plain.Run(plainSteps);
    fractionFree.Run(fractionFreeSteps);
    return plainSteps.texts == fractionFreeSteps.texts && plain.Matrix() == fractionFree.Matrix() &&
           plain.Rank() == fractionFree.Rank() && plain.Swaps() == fractionFree.Swaps();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Recorded messages;
    GVar ws;
    MyString reader(messages);
    MatOperations ops(ws, messages);
    ExactOperations exact(ws, messages);

    const int count = in.ConsumeIntegralInRange<int>(1, 6);
    for (int k = 0; k < count; ++k) {
        TMatrixRec& m = ws.AppendNew();
        m.SetName(std::string(1, static_cast<char>('A' + k)));
        m.Rows = static_cast<std::uint8_t>(in.ConsumeIntegralInRange<int>(1, MaxDim));
        // Square, one column (the right side of a system) or any.
        const int shape = in.ConsumeIntegralInRange<int>(0, 3);
        m.Cols = m.Rows;
        if (shape == 2)
            m.Cols = 1;
        else if (shape == 3)
            m.Cols = static_cast<std::uint8_t>(in.ConsumeIntegralInRange<int>(1, MaxDim));
        fillMatrix(in, m);
    }
    checkWorkspace(ws);

    static const char* const factors[] = {"2", "1e308", "-1e-308", "0", "1e-320", "-3.5", "abc", ""};
    // Up to 12: a 4 x 4's 99th power and its working take seconds.
    static const char* const exponents[] = {"2",  "3",   "-1",  "-2", "0",   "-0",  " 7 ", "+5",
                                            "12", "-12", "100", "",   "abc", "1e2", "- 3", "9"};
    while (in.remaining_bytes() > 0) {
        const Op op = static_cast<Op>(in.ConsumeIntegralInRange<int>(0, OpCount - 1));
        const int a = in.ConsumeIntegralInRange<int>(1, ws.MatrixCount);
        const int b = in.ConsumeIntegralInRange<int>(1, ws.MatrixCount);
        const std::string factor = factors[in.ConsumeIntegralInRange<int>(0, std::size(factors) - 1)];
        // Exact arithmetic on 50 x 50 matrices of values spread over the whole
        // double range takes seconds an input; smaller operands keep the
        // search moving and reach the same code.
        if (op >= Determinant && (ws.Matrix(a).Rows > 16 || ws.Matrix(a).Cols > 16))
            continue;
        // The characteristic polynomial of values spread over the double
        // range has coefficients of thousands of digits, and roots that may
        // lie so close together that finding them takes an iteration for
        // each bit that parts them: seconds for one input past 4 x 4.
        if (op >= CharPoly && (ws.Matrix(a).Rows > 4 || ws.Matrix(a).Cols > 4))
            continue;
        // A power's entries have about |n| times the digits of the
        // operand's, or of its inverse's, which may have as many as the
        // determinant's.
        if (op == Power && (ws.Matrix(a).Rows > 4 || ws.Matrix(a).Cols > 4))
            continue;

        // Snapshots of the operands, which must come out unchanged.
        TMatrixRec before[2];
        before[0] = ws.Matrix(a);
        before[1] = ws.Matrix(b);
        const int countBefore = ws.MatrixCount;
        messages.shown.clear();

        bool scaleRead = true;
        const std::string exponent =
            op == Power ? exponents[in.ConsumeIntegralInRange<int>(0, std::size(exponents) - 1)]
                        : "";
        switch (op) {
        case Scale: scaleRead = ops.ScaleMatrix(a, factor, reader); break;
        case Transpose: ops.TransposeMat(a); break;
        case Add: ops.AddMat(a, b); break;
        case Subtract: ops.SubtractMat(a, b); break;
        case Multiply: ops.MultiplyMat(a, b); break;
        case Invert: ops.InvertMat(a); break;
        case Cholesky: ops.CholeskyMat(a); break;
        case Substitute: ops.SubstituteMat(a, b); break;
        case Determinant: exact.DeterminantMat(a); break;
        case Rank: exact.RankMat(a); break;
        case Rref: exact.RrefMat(a); break;
        case ExactInvert: exact.InvertMat(a); break;
        case LU: AlgebraOperations(ws, messages).LU(a); break;
        case CofactorDet: AlgebraOperations(ws, messages).CofactorDeterminant(a); break;
        case Adjugate: AlgebraOperations(ws, messages).Adjugate(a); break;
        case Cramer: AlgebraOperations(ws, messages).Cramer(a, b); break;
        case Power: scaleRead = AlgebraOperations(ws, messages).Power(a, exponent); break;
        case Trace: AlgebraOperations(ws, messages).Trace(a); break;
        case CharPoly: EigenOperations(ws, messages).CharPoly(a); break;
        case Eigenvalues: EigenOperations(ws, messages).Eigenvalues(a); break;
        case Eigenvectors: EigenOperations(ws, messages).Eigenvectors(a); break;
        case Diagonalise: EigenOperations(ws, messages).Diagonalise(a); break;
        case HandSteps:
            // The elimination in fractions is the slow reference: small
            // operands only.
            if (ws.Matrix(a).Rows <= 8 && ws.Matrix(a).Cols <= 8 &&
                !sameHandSteps(ws.Matrix(a), in.ConsumeBool())) {
                std::fprintf(stderr, "hand eliminations differ on slot %d\n", a);
                std::abort();
            }
            continue;
        default: break;
        }

        // What a finding prints before it ends the run.
        const auto expect = [&](bool holds, const char* what) {
            if (holds)
                return;
            std::fprintf(stderr, "operation %d on slots %d, %d (%dx%d, %dx%d): %s\n", op, a, b,
                         before[0].Rows, before[0].Cols, before[1].Rows, before[1].Cols, what);
            for (const std::string& m : messages.shown)
                std::fprintf(stderr, "  message: %s\n", m.c_str());
            std::abort();
        };
        checkWorkspace(ws);
        expect(sameRecord(ws.Matrix(a), before[0]), "first operand changed");
        expect(sameRecord(ws.Matrix(b), before[1]), "second operand changed");
        if (op >= CharPoly) {
            // Diagonalise adds two results, the others one; Eigenvalues and
            // Eigenvectors may add a remark beside theirs.
            const int added = ws.MatrixCount - countBefore;
            const std::set<std::string> remarks = eigenMessages(before[0].Name);
            expect(op == Diagonalise ? added == 0 || added == 2 : added == 0 || added == 1,
                   "a wrong number of results");
            const bool remarkable = op == Eigenvalues || op == Eigenvectors;
            expect(added == 0 ? messages.shown.size() == 1
                              : messages.shown.size() <= (remarkable ? 1u : 0u),
                   "not the messages the command shows");
            for (const std::string& m : messages.shown)
                expect(remarks.count(m) == 1 || defectiveMessage(m, before[0].Name),
                       "a message the command does not have");
        } else if (ws.MatrixCount == countBefore + (op == LU ? 3 : 1)) {
            expect(messages.shown.empty(), "a result came with a message");
        } else {
            expect(ws.MatrixCount == countBefore, "a wrong number of results");
            const bool algebra = op >= LU && op <= Trace;
            if (op == Scale && !scaleRead)
                expect(messages.shown.size() == 1, "not one report of the reader");
            else
                expect(messages.shown.size() == 1 &&
                           (algebra ? algebraMessages(op, before[0], before[1]) : allowed(op))
                                   .count(messages.shown[0]) == 1,
                       "nothing added without one of the operation's messages");
            expect(op != Power || scaleRead ||
                       messages.shown[0] == AlgebraOperations::ExponentMessage,
                   "an exponent refused without its message");
        }
        if (op == CofactorDet && ws.MatrixCount == countBefore + 1) {
            const double byCofactors = ws.Matrix(countBefore + 1).Data[0];
            ws.Truncate(countBefore);
            exact.DeterminantMat(a);
            expect(ws.MatrixCount == countBefore + 1 &&
                       ws.Matrix(countBefore + 1).Data[0] == byCofactors,
                   "cofactors and elimination store different determinants");
        }
        if (op >= LU && op <= Trace && in.ConsumeBool()) {
            const AlgebraWorkings workings(ws);
            std::string text;
            switch (op) {
            case LU: text = workings.LU(a); break;
            case CofactorDet: text = workings.CofactorDeterminant(a); break;
            case Adjugate: text = workings.Adjugate(a); break;
            case Cramer: text = workings.Cramer(a, b); break;
            case Power: text = workings.Power(a, exponent); break;
            default: text = workings.Trace(a); break;
            }
            expect(!text.empty() && text.size() <= WorkingText::MaxBytes,
                   "a working empty or past its limit");
            expect(text.find("NOT hold") == std::string::npos &&
                       text.find("NOT the same") == std::string::npos,
                   "a working's check fails");
        }
        // Keep room for further results: a full workspace only refuses.
        if (ws.MatrixCount >= MaxMatrices - 1 && in.ConsumeBool())
            ws.Truncate(count);
    }
    return 0;
}

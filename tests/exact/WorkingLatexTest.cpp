// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkingLatex.h"
#include "AlgebraWorkings.h"
#include "EigenWorkings.h"
#include "EliminationWorkings.h"
#include "ExactMatrix.h"
#include "FormulaWorkings.h"
#include "RowPractice.h"
#include "SystemWorkings.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {
// Tables are written with LF; workings and their LaTeX have CR LF.
std::string Crlf(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// The LaTeX of the lines under a working's title, without the heading.
std::string Under(const std::string& lines) {
    const std::string body = WorkingLatex::Body(Crlf("Title\n" + lines));
    return body.substr(body.find("\r\n") + 2);
}

struct Shape {
    const char* lines;
    const char* latex;
};

const Shape Shapes[] = {
    // Row operations, and the words LU writes beside them.
    {"R2 <- R2 - (3/2) R1\n", "\\[\nR_2 \\leftarrow R_2 - \\tfrac{3}{2} R_1\n\\]\n"},
    {"R1 <-> R3\n", "\\[\nR_1 \\leftrightarrow R_3\n\\]\n"},
    {"R1 <- (1/2) R1\n", "\\[\nR_1 \\leftarrow \\tfrac{1}{2} R_1\n\\]\n"},
    {"R12 <- (-2) R12\n", "\\[\nR_{12} \\leftarrow -2 R_{12}\n\\]\n"},
    {"R2 <- R2 + R1\n", "\\[\nR_2 \\leftarrow R_2 + R_1\n\\]\n"},
    {"R3 <- R3 - 2 R1    multiplier 2 into L at (3, 1)\n",
     "\\[\nR_3 \\leftarrow R_3 - 2 R_1 \\quad \\text{multiplier 2 into L at (3, 1)}\n\\]\n"},
    {"R1 <- (-1/2) R1\n", "\\[\nR_1 \\leftarrow -\\tfrac{1}{2} R_1\n\\]\n"},
    {"R1 <- R1 - (1/2)R2\n", "\\noindent R1 \\textless{}- R1 - (1/2)R2\n"},
    // Matrices: named, augmented, of polynomials, of long numbers, wide.
    {"inv(A):\n  1/2  -3/4\n    0     1\n",
     "\\[\n\\operatorname{inv}(A) = \\begin{bmatrix}\n\\frac{1}{2} & -\\frac{3}{4}\\\\\n0 & 1\n"
     "\\end{bmatrix}\n\\]\n"},
    {"[A | b]:\n   1  2  |   3\n  -2  0  |  -1\n",
     "\\[\n[A \\mid b] = \\left[\\begin{array}{cc|c}\n1 & 2 & 3\\\\\n-2 & 0 & -1\n"
     "\\end{array}\\right]\n\\]\n"},
    {"t I - A:\n  t - 2             -1\n     -1  t^2 - 3 t + 2\n",
     "\\[\nt I - A = \\begin{bmatrix}\nt - 2 & -1\\\\\n-1 & t^{2} - 3 t + "
     "2\n\\end{bmatrix}\n\\]\n"},
    {"  -1234567890...8901234567 (301 digits)/7  0.5\n",
     "\\[\n\\begin{bmatrix}\n-\\frac{1234567890\\ldots 8901234567\\text{ (301 digits)}}{7} & 0.5\n"
     "\\end{bmatrix}\n\\]\n"},
    {"  1  2  3  4  5  6  7  8  9  10  11\n",
     "\\[\n\\left[\\begin{array}{ccccccccccc}\n1 & 2 & 3 & 4 & 5 & 6 & 7 & 8 & 9 & 10 & 11\n"
     "\\end{array}\\right]\n\\]\n"},
    {"A is invertible: inv(A) = adj(A) / det(A):\n  1\n",
     "\\noindent A is invertible:\n\\[\n\\operatorname{inv}(A) = \\operatorname{adj}(A) / \\det(A) "
     "= "
     "\\begin{bmatrix}\n1\n\\end{bmatrix}\n\\]\n"},
    {"C11 = (-1)^(1+1) det(M11), M11:\n  3\n",
     "\\noindent $C_{11} = (-1)^{1+1} \\det(M_{11})$,\n\\[\nM_{11} = \\begin{bmatrix}\n3\n"
     "\\end{bmatrix}\n\\]\n"},
    {"The cofactors C_ij:\n  3\n",
     "\\noindent The cofactors C\\_ij:\n\\[\n\\begin{bmatrix}\n3\n\\end{bmatrix}\n\\]\n"},
    // Formulas of Cholesky, substitution, products and determinants.
    {"u23 = (a23 - u12*u13) / u22 = (4 - 1*(-1)) / 3 = 5/3\n",
     "\\[\nu_{23} = (a_{23} - u_{12}\\cdot u_{13}) / u_{22} = (4 - 1\\cdot (-1)) / 3 = "
     "\\tfrac{5}{3}\n\\]\n"},
    {"u33 = sqrt(a33 - u13^2 - (5/3)^2) = sqrt(47/9) ~ 2.28522\n",
     "\\[\nu_{33} = \\sqrt{a_{33} - u_{13}^{2} - (\\tfrac{5}{3})^{2}} = \\sqrt{\\tfrac{47}{9}} "
     "\\approx 2.28522\n\\]\n"},
    {"u(10,12) = a(10,12) / u(10,10) = 1.4142E+0300 / 2 ~ 7.0711E-0005\n",
     "\\[\nu_{10,12} = a_{10,12} / u_{10,10} = 1.4142\\times 10^{300} / 2 \\approx "
     "7.0711\\times 10^{-5}\n\\]\n"},
    {"Forward, R'y = b:\n", "\\noindent Forward, $R^{\\mathsf{T}}y = b$:\n"},
    {"det(A) = (-1)^1 * 2 * 1 = -2\n", "\\[\n\\det(A) = (-1)^{1} \\cdot 2 \\cdot 1 = -2\n\\]\n"},
    {"det(t I - S) = (t - 2) (t - 2) - (-1) (-1)\n             = t^2 - 4 t + 3\n",
     "\\begin{align*}\n\\det(t I - S) &= (t - 2) (t - 2) - (-1) (-1)\\\\\n&= t^{2} - 4 t + 3\n"
     "\\end{align*}\n"},
    {"  x1 = 4 - 2 x2\n  (-1, 1/2)\n",
     "\\[\nx_1 = 4 - 2 x_2\n\\]\n\\[\n(-1, \\tfrac{1}{2})\n\\]\n"},
    {"When det(A) /= 0, x_i = det(A_i) / det(A).\n",
     "\\noindent When det(A) /= 0, $x_i = \\det(A_i) / \\det(A)$.\n"},
    {"t^2 + 1 = 0: t = +/- i, algebraic multiplicity 1 each.\n",
     "\\noindent $t^{2} + 1 = 0$: $t = \\pm i$, algebraic multiplicity 1 each.\n"},
    {"The row echelon form has 3 non-zero rows: rank(A) = 3.\n",
     "\\noindent The row echelon form has 3 non-zero rows: $\\operatorname{rank}(A) = 3$.\n"},
    // Prose stays prose, however much of it looks like a formula.
    {"Column 2 has no pivot: S is singular, so det(S) = 0.\n",
     "\\noindent Column 2 has no pivot: S is singular, so det(S) = 0.\n"},
    {"Check: A x(A) = b holds exactly.\n", "\\noindent Check: A x(A) = b holds exactly.\n"},
    {"  v1 = (-2, 1) (x2 = 1, the other free variables 0)\n",
     "\\noindent \\quad v1 = (-2, 1) (x2 = 1, the other free variables 0)\n"},
    {"rank(ABCDEFGHIJKLMNO = 1\n", "\\noindent rank(ABCDEFGHIJKLMNO = 1\n"},
    {"Six^2 = Six Six\n", "\\noindent Six\\textasciicircum{}2 = Six Six\n"},
    // Escapes, in text and in the words beside an operation.
    {"50% of #1 & $2 {x_1} ~ a^b \\ c\n",
     "\\noindent 50\\% of \\#1 \\& \\$2 \\{x\\_1\\} \\textasciitilde{} a\\textasciicircum{}b "
     "\\textbackslash{} c\n"},
    {"[A | I] <- \"Error -- no\" ?`x`\n",
     "\\noindent [A \\textbar{} I] \\textless{}- ``Error -{}- no'' ?{}`x{}`\n"},
    {"R1 <-> R2    rows & #1_\n",
     "\\[\nR_1 \\leftrightarrow R_2 \\quad \\text{rows \\& \\#1\\_}\n\\]\n"},
    {"det(H) = 1234567890...8901234567 (301 digits) is too large.\n",
     "\\noindent det(H) = 1234567890...8901234567 (301 digits) is too large.\n"},
    {"Matrix \xc3\xa9\xc3\x9f\xe2\x86\x92\xff\x01\tend\n",
     "\\noindent Matrix \\'{e}\\ss{}??  end\n"},
    // Lines of a paragraph; a paragraph break; a line that a line break
    // would read as its argument.
    {"One\n  (2, 2) 6.0000000000001 is read as 6\n\n[A | I]\nTwo\n*three\n",
     "\\noindent One\\\\\n\\quad (2, 2) 6.0000000000001 is read as 6\n\n\\medskip\n"
     "\\noindent [A \\textbar{} I]\\\\\nTwo\\\\\n{}*three\n"},
};

TEST(WorkingLatex, SetsEachShapeOfALine) {
    for (const Shape& shape : Shapes)
        EXPECT_EQ(Under(shape.lines), Crlf(shape.latex)) << shape.lines;
}

TEST(WorkingLatex, ADocumentIsTheBodyInArticleWithAmsmath) {
    const std::string working = Crlf("Trace of A (1 x 1) & more\n\ntr(A) = 4\n");
    EXPECT_EQ(
        WorkingLatex::Body(working),
        Crlf("\\section*{Trace of A (1 x 1) \\& more}\n\\[\n\\operatorname{tr}(A) = 4\n\\]\n"));
    EXPECT_EQ(WorkingLatex::Document(working),
              Crlf("\\documentclass{article}\n\\usepackage{amsmath}\n\\begin{document}\n") +
                  WorkingLatex::Body(working) + Crlf("\\end{document}\n"));
}

// pdflatex on PATH, or "" when it is not installed.
std::string Pdflatex() {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::filesystem::path program = std::filesystem::path(dir) / "pdflatex";
        if (!dir.empty() && access(program.c_str(), X_OK) == 0)
            return program.string();
    }
    return std::string();
}

// Lines made of the pieces of workings and of everything LaTeX treats
// specially, shuffled: whatever a working holds must compile.
std::string RandomWorking(unsigned seed) {
    static const char* const pieces[] = {
        "R1",
        " <- ",
        " <-> ",
        "R2",
        " - ",
        " + ",
        "(1/2) ",
        "(-3) ",
        "2 ",
        "  ",
        "    ",
        "|",
        ":",
        ", ",
        ": ",
        "=",
        " = ",
        "~",
        "/=",
        "+/-",
        "sqrt(",
        "(",
        ")",
        "[",
        "]",
        "^",
        "'",
        "u11",
        "x2",
        "det(",
        "inv(A)",
        "t",
        "1/3",
        "-",
        "0.5",
        "1.5E-0003",
        "1234567890...8901234567 (301 digits)",
        "#",
        "$",
        "%",
        "&",
        "_",
        "{",
        "}",
        "\\",
        "\"",
        "`",
        "<",
        ">",
        "--",
        "?`",
        "*",
        ".",
        "words ",
        "A",
        "\t",
        "\xc3\xa9",
        "\xe2\x86\x92",
        "\xff",
        "\x01",
    };
    std::mt19937 random(seed);
    std::string text = "A random working #$%&~_^\\{}\r\n";
    for (int line = 0; line < 400; ++line) {
        const unsigned count = random() % 8;
        for (unsigned k = 0; k < count; ++k)
            text += pieces[random() % (sizeof(pieces) / sizeof(*pieces))];
        text += "\r\n";
    }
    return text;
}

class WorkingLatexDocuments : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zendra-latex-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

    // Compiles the working's document as name.tex; the errors of its log
    // when pdflatex fails.
    void Compiles(const std::string& name, const std::string& working) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(working.empty());
        std::ofstream(m_dir / (name + ".tex"), std::ios::binary) << WorkingLatex::Document(working);
        const std::string command = "cd '" + m_dir.string() + "' && '" + m_pdflatex +
                                    "' -halt-on-error -interaction=nonstopmode " + name +
                                    ".tex </dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        std::ifstream log(m_dir / (name + ".log"));
        std::string errors;
        int after = 0;
        for (std::string line; std::getline(log, line);) {
            after = line.rfind("!", 0) == 0 ? 6 : after - 1;
            if (after > 0)
                errors += line + "\n";
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << errors;
        EXPECT_TRUE(std::filesystem::exists(m_dir / (name + ".pdf"))) << errors;
    }

    std::filesystem::path m_dir;
    std::string m_pdflatex = Pdflatex();
};

TEST_F(WorkingLatexDocuments, OfEveryKindOfWorkingCompileWithPdflatex) {
    ASSERT_FALSE(m_pdflatex.empty())
        << "pdflatex is missing: scripts/install-deps.sh installs it (texlive-latex-base)";
    GVar ws;
    const int a = AddMatrix(ws, "A", {{4, 2, -2}, {2, 10, 4}, {-2, 4, 9}});
    const int b = AddMatrix(ws, "b", {{6}, {26}, {15}});
    const int l = AddMatrix(ws, "L", {{0, 2, 1}, {1, 1, 1}, {2, 0, 3}});
    const int e = AddMatrix(ws, "E", {{2, 0, 0}, {1, 2, -1}, {1, 0, 1}});
    // A name with every special character, a letter beyond ASCII and one
    // cut in the middle, over numbers too long to show whole.
    const int w = AddMatrix(ws, "x_1 {50%} &#$\\~^|\xc3\xa9\xe2",
                            {{1.2345678901234567e-300, 2}, {3, 4.5678901234567891e300}});

    Compiles("invert", EliminationWorkings(ws).Invert(a));
    Compiles("cholesky", FormulaWorkings(ws).Cholesky(a));
    Compiles("system", SystemWorkings(ws).Solve(a, b));
    Compiles("lu", AlgebraWorkings(ws).LU(l));
    Compiles("eigenvectors", EigenWorkings(ws).Eigenvectors(e));
    RowPractice practice(ExactMatrix::FromRecord(ws.Matrix(a)), 0, "A");
    for (const char* operation : {"R1 <-> R3", "R2 <- R2 + R1", "R1 / -2", "R3 <- R3 + 2 R1"})
        ASSERT_EQ(practice.Apply(operation), "") << operation;
    Compiles("practice", practice.Log());
    Compiles("names", EliminationWorkings(ws).Rref(w) + AlgebraWorkings(ws).Adjugate(w));
    Compiles("random", RandomWorking(2026));
}
} // namespace

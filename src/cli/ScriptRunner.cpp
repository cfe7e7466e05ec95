// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScriptRunner.h"

#include "AlgebraOperations.h"
#include "AlgebraWorkings.h"
#include "CellText.h"
#include "EigenOperations.h"
#include "EigenWorkings.h"
#include "ExactMatrix.h"
#include "ExactResults.h"
#include "EliminationWorkings.h"
#include "ExactOperations.h"
#include "FormulaWorkings.h"
#include "FractionListing.h"
#include "MatOperations.h"
#include "MatrixFileReader.h"
#include "MatrixExport.h"
#include "MatrixFileWriter.h"
#include "MatrixImport.h"
#include "MatrixListing.h"
#include "PastedBlock.h"
#include "RowPractice.h"
#include "StoreCommands.h"
#include "SystemOperations.h"
#include "SystemWorkings.h"
#include "WorkingLatex.h"
#include "WorkingText.h"

#include <cstdio>
#include <istream>
#include <memory>
#include <ostream>

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimLeadingBlanks(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}
} // namespace

const char* const ScriptRunner::Usage =
    "Usage: zendra-cli [SCRIPT]\n"
    "Replays Zendra's menu commands from SCRIPT, or from standard input.\n"
    "\n"
    "One command a line; blank lines and lines starting with # are skipped.\n"
    "SLOT is a slot number of the workspace; 0 chooses nothing.\n"
    "\n"
    "  read PATH              Read file: replace the workspace with PATH\n"
    "  write PATH             Write file: save the workspace to PATH\n"
    "  list PATH [SLOT ...]   List matrix: list the slots into PATH (.out added\n"
    "                         when PATH has no dot); no SLOT: selection cancelled\n"
    "  view SLOT              print the view of a matrix (CR LF line ends)\n"
    "  decimals TEXT          Display options confirmed with TEXT\n"
    "  copy SLOT              Copy matrix\n"
    "  erase SLOT             Erase matrix\n"
    "  rename SLOT TEXT       Rename matrix to TEXT (may be empty)\n"
    "  matrices               the selection list, one matrix a line\n"
    "  matrix R C NAME        New matrix: R x C (1 to 50 each) named NAME (the\n"
    "                         rest of the line), its rows on the next R lines,\n"
    "                         C values each (numbers or fractions p/q separated\n"
    "                         by blanks, tabs or commas); added at the end\n"
    "  dump SLOT              name, size and every value in full precision\n"
    "  export SLOT PATH       Export matrix to PATH, as CSV (.csv), Octave's\n"
    "                         text format (.txt) or a LaTeX bmatrix (.tex)\n"
    "  import PATH [NAME]     Import matrix from a CSV, TSV, Octave text or\n"
    "                         blank-separated file, added at the end, named\n"
    "                         NAME or after the file\n"
    "  scale SLOT TEXT        Scale matrix by the factor typed as TEXT\n"
    "  transpose SLOT         Transpose matrix\n"
    "  add SLOT SLOT          Add matrices\n"
    "  subtract SLOT SLOT     Subtract matrices\n"
    "  multiply SLOT SLOT     Multiply matrices\n"
    "  invert SLOT            Invert matrix\n"
    "  cholesky SLOT          Cholesky decomposition of matrix\n"
    "  solve SLOT SLOT        Forward/back substitution: decomposed matrix,\n"
    "                         then constant matrix\n"
    "  det SLOT               Determinant, computed exactly\n"
    "  rank SLOT              Rank, computed exactly\n"
    "  rref SLOT              Reduced row echelon form, computed exactly\n"
    "  system SLOT SLOT       Solve system A x = b exactly: A, then b (one\n"
    "                         column); adds x(A), and null(A) when there are\n"
    "                         free variables\n"
    "  null SLOT              Null space: a basis as the columns of null(A)\n"
    "  colspace SLOT          Column space: the pivot columns of A, col(A)\n"
    "  rowspace SLOT          Row space: the non-zero rows of rref(A), row(A)\n"
    "  rowops SLOT            Practise row operations: one operation a line\n"
    "                         (R2 <- R2 - 3 R1, R1 <-> R3, R1 / 2, ...) up to a\n"
    "                         line end; prints the log and adds rowops(A)\n"
    "  hint SLOT              The next row operation of the elimination\n"
    "  charpoly SLOT          Characteristic polynomial det(t I - A): its\n"
    "                         coefficients, the leading 1 first, charpoly(A)\n"
    "  eigenvalues SLOT       Eigenvalues, each as often as its multiplicity:\n"
    "                         eig(A), exact where rational\n"
    "  eigenvectors SLOT      A basis of each real eigenspace: vec(A)\n"
    "  diagonalise SLOT       A = P D inv(P): adds P(A) and D(A), or says why\n"
    "                         A cannot be diagonalised\n"
    "  lu SLOT                LU decomposition P A = L U: adds L(A), U(A) and\n"
    "                         P(A)\n"
    "  cofactordet SLOT       Determinant by cofactors (up to 5 x 5): det(A)\n"
    "  adjugate SLOT          Adjugate, the transposed matrix of cofactors:\n"
    "                         adj(A)\n"
    "  cramer SLOT SLOT       Cramer's rule: A (square, invertible), then b\n"
    "                         (one column); adds x(A)\n"
    "  power SLOT TEXT        Power A^n, the exponent typed as TEXT (a whole\n"
    "                         number from -99 to 99)\n"
    "  trace SLOT             Trace, the sum of the diagonal: tr(A)\n"
    "  fractions on|off       Show fractions: view and list show each value as\n"
    "                         the fraction it stands for\n"
    "  working on|off         Show working: invert, cholesky, solve, det, rank,\n"
    "                         rref, system, null, colspace, rowspace, charpoly,\n"
    "                         eigenvalues, eigenvectors, diagonalise, lu,\n"
    "                         cofactordet, adjugate, cramer, power, trace and\n"
    "                         multiply (up to 6 x 6) then print their worked\n"
    "                         solutions after their messages\n"
    "  latex on|off           the worked solutions (and the rowops log) are\n"
    "                         printed as LaTeX documents for pdflatex instead\n"
    "                         of plain text\n"
    "\n"
    "Messages go to standard error. Exit status: 0 when the script ran to its\n"
    "end, 2 for an unknown command or a missing, non-numeric or unused slot,\n"
    "or rows of a matrix that do not fit its size.\n"
    "The switches are off at the start; a word other than on or off is a\n"
    "script error too.\n";

void ScriptRunner::StreamMessages::ShowMessage(const std::string& text) {
    m_err << text << '\n';
    m_err.flush();
}

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err)
    : m_out(out), m_messages(err), m_reader(m_messages) {
    m_commands = {
        {"read", &ScriptRunner::readFile},
        {"write", &ScriptRunner::writeFile},
        {"list", &ScriptRunner::listMatrices},
        {"view", &ScriptRunner::viewMatrix},
        {"decimals", &ScriptRunner::setDecimals},
        {"copy", &ScriptRunner::copyMatrix},
        {"erase", &ScriptRunner::eraseMatrix},
        {"rename", &ScriptRunner::renameMatrix},
        {"matrices", &ScriptRunner::listNames},
        {"matrix", &ScriptRunner::newMatrix},
        {"dump", &ScriptRunner::dumpMatrix},
        {"export", &ScriptRunner::exportMatrix},
        {"import", &ScriptRunner::importMatrix},
        {"scale", &ScriptRunner::scaleMatrix},
        {"transpose", &ScriptRunner::transposeMatrix},
        {"add", &ScriptRunner::addMatrices},
        {"subtract", &ScriptRunner::subtractMatrices},
        {"multiply", &ScriptRunner::multiplyMatrices},
        {"invert", &ScriptRunner::invertMatrix},
        {"cholesky", &ScriptRunner::choleskyMatrix},
        {"solve", &ScriptRunner::solveSystem},
        {"det", &ScriptRunner::determinant},
        {"rank", &ScriptRunner::rank},
        {"rref", &ScriptRunner::rowEchelon},
        {"system", &ScriptRunner::solveExactly},
        {"null", &ScriptRunner::nullSpace},
        {"colspace", &ScriptRunner::columnSpace},
        {"rowspace", &ScriptRunner::rowSpace},
        {"rowops", &ScriptRunner::rowOperations},
        {"hint", &ScriptRunner::hint},
        {"charpoly", &ScriptRunner::charPoly},
        {"eigenvalues", &ScriptRunner::eigenvalues},
        {"eigenvectors", &ScriptRunner::eigenvectors},
        {"diagonalise", &ScriptRunner::diagonalise},
        {"lu", &ScriptRunner::luDecomposition},
        {"cofactordet", &ScriptRunner::cofactorDeterminant},
        {"adjugate", &ScriptRunner::adjugate},
        {"cramer", &ScriptRunner::cramer},
        {"power", &ScriptRunner::power},
        {"trace", &ScriptRunner::trace},
        {"fractions", &ScriptRunner::setFractions},
        {"working", &ScriptRunner::setWorking},
        {"latex", &ScriptRunner::setLatex},
    };
}

bool ScriptRunner::nextLine(std::string& line) {
    if (!std::getline(*m_script, line))
        return false;
    ++m_lineNumber;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

int ScriptRunner::Run(std::istream& script) {
    m_script = &script;
    m_lineNumber = 0;
    std::string line;
    while (nextLine(line)) {
        std::size_t start = 0;
        while (start < line.size() && isBlank(line[start]))
            ++start;
        if (start == line.size() || line[start] == '#')
            continue;
        std::size_t end = start;
        while (end < line.size() && !isBlank(line[end]))
            ++end;
        const std::string command = line.substr(start, end - start);

        Arguments args;
        // The text after the command word and the one blank that ends it.
        args.rest = end < line.size() ? line.substr(end + 1) : std::string();
        for (std::size_t i = 0; i < args.rest.size();) {
            while (i < args.rest.size() && isBlank(args.rest[i]))
                ++i;
            std::size_t j = i;
            while (j < args.rest.size() && !isBlank(args.rest[j]))
                ++j;
            if (j > i)
                args.words.push_back(args.rest.substr(i, j - i));
            i = j;
        }

        const auto found = m_commands.find(command);
        try {
            if (found == m_commands.end())
                throw ScriptError{"unknown command \"" + command + "\""};
            (this->*found->second)(args);
        } catch (const ScriptError& error) {
            m_out.flush();
            const int number = error.line > 0 ? error.line : m_lineNumber;
            m_messages.ShowMessage("zendra-cli: line " + std::to_string(number) + ": " +
                                   error.what);
            return 2;
        }
    }
    m_out.flush();
    return 0;
}

int ScriptRunner::parseSlot(const std::string& word) const {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos)
        throw ScriptError{"\"" + word + "\" is not a slot number"};
    if (word.size() > 6 || std::stoi(word) > m_workspace.MatrixCount)
        throw ScriptError{"there is no matrix in slot " + word + " (the workspace holds " +
                          std::to_string(m_workspace.MatrixCount) + ")"};
    return std::stoi(word);
}

int ScriptRunner::slotArgument(const Arguments& args, std::size_t index) const {
    if (index >= args.words.size())
        throw ScriptError{"a slot number is missing"};
    return parseSlot(args.words[index]);
}

std::string ScriptRunner::textAfterSlot(const Arguments& args) {
    return textAfterWords(args, 1);
}

std::string ScriptRunner::textAfterWords(const Arguments& args, int count) {
    std::size_t i = 0;
    for (int word = 0; word < count; ++word) {
        while (i < args.rest.size() && isBlank(args.rest[i]))
            ++i;
        while (i < args.rest.size() && !isBlank(args.rest[i]))
            ++i;
    }
    return i < args.rest.size() ? args.rest.substr(i + 1) : std::string();
}

int ScriptRunner::sizeArgument(const Arguments& args, std::size_t index, const char* what) {
    if (index >= args.words.size())
        throw ScriptError{std::string("the number of ") + what + " is missing"};
    const std::string& word = args.words[index];
    const bool digits = !word.empty() && word.size() <= 2 &&
                        word.find_first_not_of("0123456789") == std::string::npos;
    const int size = digits ? std::stoi(word) : 0;
    if (size < 1 || size > MaxDim)
        throw ScriptError{"\"" + word + "\" is not a number of " + what + " from 1 to 50"};
    return size;
}

void ScriptRunner::readFile(const Arguments& args) {
    MatrixFileReader(m_workspace, m_reader, m_messages).ReadMatrixFile(trimLeadingBlanks(args.rest));
}

void ScriptRunner::writeFile(const Arguments& args) {
    MatrixFileWriter(m_workspace, m_messages).WriteMatrixFile(trimLeadingBlanks(args.rest));
}

void ScriptRunner::listMatrices(const Arguments& args) {
    if (args.words.empty())
        throw ScriptError{"a path is missing"};
    std::vector<int> slots;
    for (std::size_t i = 1; i < args.words.size(); ++i)
        if (const int slot = parseSlot(args.words[i]); slot > 0)
            slots.push_back(slot);
    MatrixListing listing(m_workspace, m_messages);
    if (listing.Create(MatrixListing::ListingPath(args.words[0])))
        m_fractions ? listing.FinishText(FractionListing(m_workspace).ListingText(slots))
                    : listing.Finish(slots);
}

void ScriptRunner::viewMatrix(const Arguments& args) {
    if (const int slot = slotArgument(args, 0); slot > 0)
        printed(), m_out << (m_fractions ? FractionListing(m_workspace).ViewText(slot)
                              : MatrixListing(m_workspace, m_messages).ViewText(slot));
}

void ScriptRunner::setDecimals(const Arguments& args) {
    MatrixListing::ReadDecimalPlaces(m_reader, m_messages, args.rest, m_workspace.DecimalPlaces);
}

void ScriptRunner::copyMatrix(const Arguments& args) {
    StoreCommands(m_workspace, m_messages).CopyMatrix(slotArgument(args, 0));
}

void ScriptRunner::eraseMatrix(const Arguments& args) {
    StoreCommands(m_workspace, m_messages).EraseMatrix(slotArgument(args, 0));
}

void ScriptRunner::renameMatrix(const Arguments& args) {
    StoreCommands(m_workspace, m_messages).RenameMatrix(slotArgument(args, 0), textAfterSlot(args));
}

void ScriptRunner::listNames(const Arguments&) {
    printed();
    for (int slot = 1; slot <= m_workspace.MatrixCount; ++slot)
        m_out << m_workspace.Matrix(slot).ListItemText() << '\n';
}

// The rows are checked before the workspace is, so that whether a script is
// well formed never depends on what it has built so far.
void ScriptRunner::newMatrix(const Arguments& args) {
    const int rows = sizeArgument(args, 0, "rows");
    const int cols = sizeArgument(args, 1, "columns");
    const int commandLine = m_lineNumber;
    auto record = std::make_unique<TMatrixRec>();
    record->SetName(textAfterWords(args, 2));
    record->Rows = static_cast<std::uint8_t>(rows);
    record->Cols = static_cast<std::uint8_t>(cols);
    std::string line;
    for (int i = 1; i <= rows; ++i) {
        if (!nextLine(line))
            throw ScriptError{"the script ends after " + std::to_string(i - 1) + " of the " +
                                  std::to_string(rows) + " rows of the matrix",
                              commandLine};
        const std::vector<std::string> values = PastedBlock::RowValues(line);
        if (values.size() != static_cast<std::size_t>(cols))
            throw ScriptError{std::to_string(values.size()) + " values in row " +
                              std::to_string(i) + " of a matrix with " + std::to_string(cols) +
                              " columns"};
        for (int j = 1; j <= cols; ++j) {
            const std::optional<double> value = CellText::Read(values[j - 1]);
            if (!value)
                throw ScriptError{"\"" + values[j - 1] +
                                  "\" is not a value: a number, or a fraction p/q with q > 0, "
                                  "within the range of doubles"};
            record->At(i, j) = *value;
        }
    }
    if (m_workspace.MatrixCount >= MaxMatrices) {
        m_messages.ShowMessage(GVar::FullMessage);
        return;
    }
    m_workspace.Append(std::move(record));
}

void ScriptRunner::dumpMatrix(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    if (slot < 1)
        return;
    const TMatrixRec& m = m_workspace.Matrix(slot);
    printed();
    m_out << m.Name << '\n' << int(m.Rows) << ' ' << int(m.Cols) << '\n';
    char number[40];
    for (int i = 1; i <= m.Rows; ++i) {
        for (int j = 1; j <= m.Cols; ++j) {
            std::snprintf(number, sizeof number, "%.17g", m.At(i, j));
            m_out << (j > 1 ? " " : "") << number;
        }
        m_out << '\n';
    }
}

// The path is the rest of the line: it may hold blanks.
void ScriptRunner::exportMatrix(const Arguments& args) {
    if (const int slot = slotArgument(args, 0); slot > 0) {
        const std::string path = textAfterSlot(args);
        if (path.empty())
            throw ScriptError{"a path is missing"};
        MatrixExport::Export(m_workspace, m_messages, slot, path, m_fractions);
    }
}

// The path is one word; the name, when given, the rest of the line.
void ScriptRunner::importMatrix(const Arguments& args) {
    if (args.words.empty())
        throw ScriptError{"a path is missing"};
    MatrixImport::Import(m_workspace, m_messages, args.words[0], textAfterWords(args, 1));
}

void ScriptRunner::scaleMatrix(const Arguments& args) {
    if (const int slot = slotArgument(args, 0); slot > 0)
        MatOperations(m_workspace, m_messages).ScaleMatrix(slot, textAfterSlot(args), m_reader);
}

void ScriptRunner::onOne(const Arguments& args, void (MatOperations::*operation)(int)) {
    if (const int slot = slotArgument(args, 0); slot > 0) {
        MatOperations operations(m_workspace, m_messages);
        (operations.*operation)(slot);
    }
}

// A first pick of 0 ends the command without asking for the second, as the
// window program does.
void ScriptRunner::onTwo(const Arguments& args, void (MatOperations::*operation)(int, int)) {
    const int a = slotArgument(args, 0);
    if (a < 1)
        return;
    if (const int b = slotArgument(args, 1); b > 0) {
        MatOperations operations(m_workspace, m_messages);
        (operations.*operation)(a, b);
    }
}

void ScriptRunner::transposeMatrix(const Arguments& args) { onOne(args, &MatOperations::TransposeMat); }
void ScriptRunner::addMatrices(const Arguments& args) { onTwo(args, &MatOperations::AddMat); }
void ScriptRunner::subtractMatrices(const Arguments& args) { onTwo(args, &MatOperations::SubtractMat); }

// The worked solutions read only the operands, which the operations leave
// as they were, so they are written after the operation and its messages.
void ScriptRunner::invertMatrix(const Arguments& args) {
    ExactOperations(m_workspace, m_messages).InvertMat(slotArgument(args, 0));
    if (m_working)
        printWorking(EliminationWorkings(m_workspace).Invert(slotArgument(args, 0)));
}

void ScriptRunner::choleskyMatrix(const Arguments& args) {
    onOne(args, &MatOperations::CholeskyMat);
    if (m_working)
        printWorking(FormulaWorkings(m_workspace).Cholesky(slotArgument(args, 0)));
}

void ScriptRunner::multiplyMatrices(const Arguments& args) {
    onTwo(args, &MatOperations::MultiplyMat);
    if (const int a = slotArgument(args, 0); m_working && a > 0)
        printWorking(FormulaWorkings(m_workspace).Multiply(a, slotArgument(args, 1)));
}

void ScriptRunner::solveSystem(const Arguments& args) {
    onTwo(args, &MatOperations::SubstituteMat);
    if (const int r = slotArgument(args, 0); m_working && r > 0)
        printWorking(FormulaWorkings(m_workspace).Substitution(r, slotArgument(args, 1)));
}

void ScriptRunner::determinant(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    ExactOperations(m_workspace, m_messages).DeterminantMat(slot);
    if (m_working)
        printWorking(EliminationWorkings(m_workspace).Determinant(slot));
}

void ScriptRunner::rank(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    ExactOperations(m_workspace, m_messages).RankMat(slot);
    if (m_working)
        printWorking(EliminationWorkings(m_workspace).Rank(slot));
}

void ScriptRunner::rowEchelon(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    ExactOperations(m_workspace, m_messages).RrefMat(slot);
    if (m_working)
        printWorking(EliminationWorkings(m_workspace).Rref(slot));
}

// A first pick of 0 ends the command, as onTwo does.
void ScriptRunner::solveExactly(const Arguments& args) {
    const int a = slotArgument(args, 0);
    if (a < 1)
        return;
    const int b = slotArgument(args, 1);
    SystemOperations(m_workspace, m_messages).SolveSystem(a, b);
    if (m_working)
        printWorking(SystemWorkings(m_workspace).Solve(a, b));
}

void ScriptRunner::nullSpace(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    SystemOperations(m_workspace, m_messages).NullSpace(slot);
    if (m_working)
        printWorking(SystemWorkings(m_workspace).NullSpace(slot));
}

void ScriptRunner::columnSpace(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    SystemOperations(m_workspace, m_messages).ColumnSpace(slot);
    if (m_working)
        printWorking(SystemWorkings(m_workspace).ColumnSpace(slot));
}

void ScriptRunner::rowSpace(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    SystemOperations(m_workspace, m_messages).RowSpace(slot);
    if (m_working)
        printWorking(SystemWorkings(m_workspace).RowSpace(slot));
}

// The operations follow one a line up to a line "end"; they are read and
// checked even for slot 0, so that the script stays well formed either way.
void ScriptRunner::rowOperations(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    const int commandLine = m_lineNumber;
    std::unique_ptr<RowPractice> practice;
    if (slot >= 1) {
        const TMatrixRec& a = m_workspace.Matrix(slot);
        practice = std::make_unique<RowPractice>(ExactMatrix::FromRecord(a), 0, a.Name);
    }
    std::string line;
    for (;;) {
        if (!nextLine(line))
            throw ScriptError{"the script ends before the line \"end\" of the row operations",
                              commandLine};
        std::size_t start = 0;
        while (start < line.size() && isBlank(line[start]))
            ++start;
        std::size_t end = line.size();
        while (end > start && isBlank(line[end - 1]))
            --end;
        const std::string operation = line.substr(start, end - start);
        if (operation.empty() || operation[0] == '#')
            continue;
        if (operation == "end")
            break;
        if (practice) {
            const std::string refusal = practice->Apply(operation);
            if (!refusal.empty())
                throw ScriptError{refusal};
        }
    }
    if (!practice)
        return;
    printWorking(practice->Log());
    const std::string name = practice->Name();
    ExactResults::Add(m_workspace, m_messages, [&] {
        ExactResults::Outcome outcome;
        outcome.results.emplace_back(WorkingText::StoredName("rowops(" + name + ")"),
                                     practice->Current());
        return outcome;
    });
}

void ScriptRunner::hint(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    if (slot < 1)
        return;
    const TMatrixRec& a = m_workspace.Matrix(slot);
    const std::string next = RowPractice(ExactMatrix::FromRecord(a), 0, a.Name).Hint();
    printed();
    m_out << (next.empty() ? a.Name + " is in reduced row echelon form: nothing is left to do."
                           : next)
          << '\n';
}

void ScriptRunner::charPoly(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    EigenOperations(m_workspace, m_messages).CharPoly(slot);
    if (m_working)
        printWorking(EigenWorkings(m_workspace).CharPoly(slot));
}

void ScriptRunner::eigenvalues(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    EigenOperations(m_workspace, m_messages).Eigenvalues(slot);
    if (m_working)
        printWorking(EigenWorkings(m_workspace).Eigenvalues(slot));
}

void ScriptRunner::eigenvectors(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    EigenOperations(m_workspace, m_messages).Eigenvectors(slot);
    if (m_working)
        printWorking(EigenWorkings(m_workspace).Eigenvectors(slot));
}

void ScriptRunner::diagonalise(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    EigenOperations(m_workspace, m_messages).Diagonalise(slot);
    if (m_working)
        printWorking(EigenWorkings(m_workspace).Diagonalise(slot));
}

void ScriptRunner::algebraOnOne(const Arguments& args,
                                void (AlgebraOperations::*operation)(int),
                                std::string (AlgebraWorkings::*working)(int) const) {
    const int slot = slotArgument(args, 0);
    (AlgebraOperations(m_workspace, m_messages).*operation)(slot);
    if (m_working)
        printWorking((AlgebraWorkings(m_workspace).*working)(slot));
}

void ScriptRunner::luDecomposition(const Arguments& args) {
    algebraOnOne(args, &AlgebraOperations::LU, &AlgebraWorkings::LU);
}

void ScriptRunner::cofactorDeterminant(const Arguments& args) {
    algebraOnOne(args, &AlgebraOperations::CofactorDeterminant,
                 &AlgebraWorkings::CofactorDeterminant);
}

void ScriptRunner::adjugate(const Arguments& args) {
    algebraOnOne(args, &AlgebraOperations::Adjugate, &AlgebraWorkings::Adjugate);
}

void ScriptRunner::trace(const Arguments& args) {
    algebraOnOne(args, &AlgebraOperations::Trace, &AlgebraWorkings::Trace);
}

// A first pick of 0 ends the command, as onTwo does.
void ScriptRunner::cramer(const Arguments& args) {
    const int a = slotArgument(args, 0);
    if (a < 1)
        return;
    const int b = slotArgument(args, 1);
    AlgebraOperations(m_workspace, m_messages).Cramer(a, b);
    if (m_working)
        printWorking(AlgebraWorkings(m_workspace).Cramer(a, b));
}

// As scale does, slot 0 reads no exponent; an exponent that does not read
// shows its message, and the worked solution says so too.
void ScriptRunner::power(const Arguments& args) {
    const int slot = slotArgument(args, 0);
    if (slot < 1)
        return;
    const std::string text = textAfterSlot(args);
    AlgebraOperations(m_workspace, m_messages).Power(slot, text);
    if (m_working)
        printWorking(AlgebraWorkings(m_workspace).Power(slot, text));
}

// One empty line between two workings that follow each other, so that
// each stands apart as it does in a window of its own.
void ScriptRunner::printWorking(const std::string& text) {
    if (text.empty())
        return;
    if (m_afterWorking)
        m_out << "\r\n";
    m_out << (m_latex ? WorkingLatex::Document(text) : text);
    m_afterWorking = true;
}

bool ScriptRunner::switchArgument(const Arguments& args) {
    if (args.words.empty())
        throw ScriptError{"on or off is missing"};
    const std::string& word = args.words[0];
    if (word != "on" && word != "off")
        throw ScriptError{"\"" + word + "\" is neither on nor off"};
    if (args.words.size() > 1)
        throw ScriptError{"unknown word \"" + args.words[1] + "\" after " + word};
    return word == "on";
}

void ScriptRunner::setFractions(const Arguments& args) {
    m_fractions = switchArgument(args);
}

void ScriptRunner::setWorking(const Arguments& args) {
    m_working = switchArgument(args);
}

void ScriptRunner::setLatex(const Arguments& args) {
    m_latex = switchArgument(args);
}

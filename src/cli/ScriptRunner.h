// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GVar.h"
#include "Messages.h"
#include "MyString.h"

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

class AlgebraOperations;
class AlgebraWorkings;
class MatOperations;

// Replays menu commands from a script over one workspace, for teachers who
// prepare exercise files and answer listings, and for end-to-end tests.
//
// One command a line; blank lines and lines starting with "#" are skipped.
// Every message the window program would show in a box goes to the error
// stream verbatim, followed by a line feed. A script error (unknown command,
// missing or bad slot, a matrix's rows that do not fit its size) stops the
// run with exit status 2.
class ScriptRunner {
public:
    ScriptRunner(std::ostream& out, std::ostream& err);

    // Runs every line of script; returns the exit status (0 or 2).
    int Run(std::istream& script);

    // The workspace the commands have built so far, for checks.
    const GVar& Workspace() const { return m_workspace; }

    static const char* const Usage;

private:
    // Thrown for a line the runner cannot carry out: the line last read, or
    // the one given.
    struct ScriptError {
        std::string what;
        int line = 0;
    };

    // The rest of a line after its command word, and the words in it.
    struct Arguments {
        std::string rest;
        std::vector<std::string> words;
    };

    using Handler = void (ScriptRunner::*)(const Arguments&);

    class StreamMessages : public Messages {
    public:
        explicit StreamMessages(std::ostream& err) : m_err(err) {}
        void ShowMessage(const std::string& text) override;

    private:
        std::ostream& m_err;
    };

    int slotArgument(const Arguments& args, std::size_t index) const;
    int parseSlot(const std::string& word) const;
    static std::string textAfterSlot(const Arguments& args);
    static std::string textAfterWords(const Arguments& args, int count);
    static int sizeArgument(const Arguments& args, std::size_t index, const char* what);
    // The next line of the script, less a CR before its LF; false at its end.
    bool nextLine(std::string& line);

    void onOne(const Arguments& args, void (MatOperations::*operation)(int));
    void onTwo(const Arguments& args, void (MatOperations::*operation)(int, int));

    void readFile(const Arguments& args);
    void writeFile(const Arguments& args);
    void listMatrices(const Arguments& args);
    void viewMatrix(const Arguments& args);
    void setDecimals(const Arguments& args);
    void copyMatrix(const Arguments& args);
    void eraseMatrix(const Arguments& args);
    void renameMatrix(const Arguments& args);
    void listNames(const Arguments& args);
    void printWorking(const std::string& text);
    // Called before any other text goes to standard output.
    void printed() { m_afterWorking = false; }
    void newMatrix(const Arguments& args);
    void dumpMatrix(const Arguments& args);
    void exportMatrix(const Arguments& args);
    void importMatrix(const Arguments& args);
    void scaleMatrix(const Arguments& args);
    void transposeMatrix(const Arguments& args);
    void addMatrices(const Arguments& args);
    void subtractMatrices(const Arguments& args);
    void multiplyMatrices(const Arguments& args);
    void invertMatrix(const Arguments& args);
    void choleskyMatrix(const Arguments& args);
    void solveSystem(const Arguments& args);

    // The exact operations and the two switches of the Options menu.
    void determinant(const Arguments& args);
    void rank(const Arguments& args);
    void rowEchelon(const Arguments& args);

    // Linear systems and the subspaces of a matrix, in exact fractions.
    void solveExactly(const Arguments& args);
    void nullSpace(const Arguments& args);
    void columnSpace(const Arguments& args);
    void rowSpace(const Arguments& args);
    void rowOperations(const Arguments& args);
    void hint(const Arguments& args);
    void charPoly(const Arguments& args);
    void eigenvalues(const Arguments& args);
    void eigenvectors(const Arguments& args);
    void diagonalise(const Arguments& args);
    void algebraOnOne(const Arguments& args, void (AlgebraOperations::*operation)(int),
                      std::string (AlgebraWorkings::*working)(int) const);
    void luDecomposition(const Arguments& args);
    void cofactorDeterminant(const Arguments& args);
    void adjugate(const Arguments& args);
    void cramer(const Arguments& args);
    void power(const Arguments& args);
    void trace(const Arguments& args);
    void setFractions(const Arguments& args);
    void setWorking(const Arguments& args);
    void setLatex(const Arguments& args);
    static bool switchArgument(const Arguments& args);

    std::istream* m_script = nullptr;  // during Run, for commands that read on
    int m_lineNumber = 0;
    std::ostream& m_out;
    StreamMessages m_messages;
    GVar m_workspace;
    MyString m_reader;
    std::map<std::string, Handler> m_commands;
    bool m_fractions = false;  // Show fractions
    bool m_working = false;    // Show working
    bool m_latex = false;      // workings as LaTeX documents
    bool m_afterWorking = false; // the last text printed was a working
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class Messages;
class MyString;

// The numerical operations. Each takes slot numbers (1 to MatrixCount) and
// adds at most one matrix, the result, at slot MatrixCount + 1 under a name
// made from its operands' names and cut to 20 characters; operands are never
// changed. Every failure is shown as one message, and then the workspace is
// exactly as it was before the command: operand checks come before the
// result is made, and a refused result (singular, not positive definite) or
// an arithmetic fault (overflow, division by zero, invalid operation; not
// underflow) removes it again. No result ever holds an infinity or a NaN.
//
// All but Scale create their result under the limit of 19 matrices; Scale
// may fill the 20th slot. A slot outside 1 to MatrixCount (nothing chosen)
// does nothing.
class MatOperations {
public:
    MatOperations(GVar& workspace, Messages& messages)
        : m_workspace(workspace), m_messages(messages) {}

    // factor * A, named with the factor text exactly as typed, "*" and A's
    // name. The factor is the first field of text read as a real number;
    // when it does not read, the reader's report has been shown, nothing is
    // created and false is returned so that the dialog can ask again. A text
    // with more than blanks after the number (such as "2,5") is refused the
    // same way, with FactorMessage.
    bool ScaleMatrix(int a, const std::string& text, MyString& reader);

    void TransposeMat(int a);                 // "At"
    void AddMat(int a, int b);                // "A+B"
    void SubtractMat(int a, int b);           // "A-B"
    void MultiplyMat(int a, int b);           // "A*B"
    void InvertMat(int a);                    // "inv(A)", Gauss-Jordan, full pivoting
    void CholeskyMat(int a);                  // "Chol(A)", upper factor U with U'U = A
    void SubstituteMat(int r, int b);         // "X", solves R'R x = b

    // The texts of the general error report, for Scale and Transpose.
    static const char* const OverflowReport;
    static const char* const MemoryReport;
    static const char* const FactorMessage;

private:
    template <class Body>
    void guarded(const char* faultMessage, Body body);

    GVar& m_workspace;
    Messages& m_messages;
};

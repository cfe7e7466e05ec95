// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// A worked solution as LaTeX, for a student's notes or a teacher's
// handout. The working's text is read line by line, as a reader would:
// - its first line is the heading;
// - a row operation ("R2 <- R2 - (3/2) R1", "R1 <-> R3") is set as math on
//   a line of its own, any words after it as text beside it;
// - a block of lines indented by two or more blanks whose cells, at least
//   two blanks apart, are numbers, fractions or polynomials in one letter
//   is a bmatrix, or an array with a rule where the block has a "|"
//   column (and wherever a bmatrix would pass amsmath's ten columns); a
//   line "name:" just before it is set as "name = " in front of it;
// - a line that is all formula (entry names, numbers, sqrt, the usual
//   operators, "=" or "~") is displayed, lines under it that go on with
//   "= ..." aligned at their equals signs, and a sentence that ends in a
//   formula after ": " or ", " gets it as inline math;
// - every other line is text with LaTeX's special characters escaped, so
//   that whatever the working holds the result compiles.
// Blank lines are paragraph breaks. The result has CR LF line ends, as
// the working has.
class WorkingLatex {
public:
    // A whole document for pdflatex: article, amsmath and nothing else.
    static std::string Document(const std::string& working);

    // The heading and the body alone, to paste into a document of one's
    // own that loads amsmath.
    static std::string Body(const std::string& working);
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class ExactMatrix;
class WorkProgress;

// Whether A X = I holds exactly, for the worked inverse's check, without
// the fractions of products of numbers of thousands of digits: each column
// of X over one common denominator, each row of A over another, so that
// the check is an equality of whole numbers. An entry of a row of whole
// numbers is an odd number times a power of two, and the values of a
// workspace are doubles, so most products are a word times a long number,
// then a shift.
class InverseCheck {
public:
    // a and x square and of one size; progress hears once a column.
    static bool Holds(const ExactMatrix& a, const ExactMatrix& x, WorkProgress* progress = nullptr);
};

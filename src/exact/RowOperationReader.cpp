// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RowOperationReader.h"

#include <cctype>
#include <map>
#include <vector>

const std::string RowOperationReader::ScaleByZeroMessage =
    "multiplying a row by 0 is not a row operation: it loses the row";
const std::string RowOperationReader::ToItselfMessage =
    "adding a multiple of a row to itself is not a row operation: scale the row instead";

namespace {
struct Token {
    enum class Kind { Row, Number, Plus, Minus, Times, Divide, Open, Close, Swap, LeftArrow,
                      RightArrow, Exchange, Separator, End };
    Kind kind = Kind::End;
    std::size_t at = 0; // where it starts, from 0
    long row = 0;
    mpq_class number;
};

// Thrown with the sentence the student reads.
struct Refusal {
    std::string why;
};

std::string from(const std::string& text, std::size_t at) {
    std::string rest = text.substr(at, 12);
    if (at + 12 < text.size())
        rest += "...";
    return "cannot read an operation from \"" + rest + "\" (character " + std::to_string(at + 1) +
           ")";
}

std::vector<Token> tokens(const std::string& text) {
    std::vector<Token> list;
    std::size_t i = 0;
    const auto starts = [&](const char* word) { return text.compare(i, std::char_traits<char>::length(word), word) == 0; };
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        Token t;
        t.at = i;
        if ((c == 'r' || c == 'R') && i + 1 < text.size() &&
            std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            ++i;
            long row = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                row = row < 100000 ? row * 10 + (text[i] - '0') : row;
                ++i;
            }
            t.kind = Token::Kind::Row;
            t.row = row;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < text.size() &&
                                       std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
            std::string digits;
            std::size_t decimals = 0;
            bool point = false;
            while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) ||
                                       (text[i] == '.' && !point))) {
                if (text[i] == '.')
                    point = true;
                else {
                    digits += text[i];
                    decimals += point ? 1 : 0;
                }
                ++i;
            }
            if (digits.size() > 60)
                throw Refusal{"the number at character " + std::to_string(t.at + 1) +
                              " is too long to be a factor"};
            mpz_class scale;
            mpz_ui_pow_ui(scale.get_mpz_t(), 10, decimals);
            t.kind = Token::Kind::Number;
            t.number = mpq_class(mpz_class(digits, 10), scale);
            t.number.canonicalize();
        } else if (starts("<->")) {
            t.kind = Token::Kind::Exchange;
            i += 3;
        } else if (starts("<-")) {
            t.kind = Token::Kind::LeftArrow;
            i += 2;
        } else if (starts("->")) {
            t.kind = Token::Kind::RightArrow;
            i += 2;
        } else if (starts("swap") || starts("Swap") || starts("SWAP")) {
            t.kind = Token::Kind::Swap;
            i += 4;
        } else if (starts("and")) {
            t.kind = Token::Kind::Separator;
            i += 3;
        } else {
            switch (c) {
            case '+': t.kind = Token::Kind::Plus; break;
            case '-': t.kind = Token::Kind::Minus; break;
            case '*': t.kind = Token::Kind::Times; break;
            case '/': t.kind = Token::Kind::Divide; break;
            case '(': t.kind = Token::Kind::Open; break;
            case ')': t.kind = Token::Kind::Close; break;
            case '=': t.kind = Token::Kind::LeftArrow; break;
            case ',': t.kind = Token::Kind::Separator; break;
            default: throw Refusal{from(text, i)};
            }
            ++i;
        }
        list.push_back(t);
    }
    Token end;
    end.at = text.size();
    list.push_back(end);
    return list;
}

// A linear combination of rows and a constant, and how often each row was
// written: "R1 + 2 R1" must not pass for "3 R1".
struct Combination {
    std::map<long, mpq_class> rows;
    mpq_class constant;
    std::map<long, int> written;
    bool IsConstant() const {
        for (const auto& [row, c] : rows)
            if (c != 0)
                return false;
        return true;
    }
};

class Parser {
public:
    Parser(const std::string& text, std::vector<Token> list) : m_text(text), m_tokens(std::move(list)) {}

    const Token& peek() const { return m_tokens[m_at]; }
    Token take() { return m_tokens[m_at++]; }
    bool at(Token::Kind kind) const { return peek().kind == kind; }
    [[noreturn]] void fail() const { throw Refusal{from(m_text, peek().at)}; }
    void expect(Token::Kind kind) {
        if (!at(kind))
            fail();
        ++m_at;
    }

    // expression: term { (+|-) term }
    Combination expression() {
        Combination sum = term();
        while (at(Token::Kind::Plus) || at(Token::Kind::Minus)) {
            const bool minus = take().kind == Token::Kind::Minus;
            add(sum, term(), minus ? -1 : 1);
        }
        return sum;
    }

private:
    static void add(Combination& into, const Combination& c, int sign) {
        for (const auto& [row, value] : c.rows)
            into.rows[row] += sign * value;
        for (const auto& [row, count] : c.written)
            into.written[row] += count;
        into.constant += sign * c.constant;
    }

    // term: [-|+] factor { [* | /] factor }, a factor right after another
    // multiplying it ("3 R1", "(3/2) R1").
    Combination term() {
        const int sign = this->sign();
        Combination value = factor();
        for (;;) {
            if (at(Token::Kind::Divide)) {
                const std::size_t where = take().at;
                const int bySign = this->sign();
                Combination by = factor();
                scale(by, bySign);
                if (!by.IsConstant())
                    throw Refusal{"a row cannot divide (character " + std::to_string(where + 1) +
                                  ")"};
                if (by.constant == 0)
                    throw Refusal{"the factor does not read: division by 0 (character " +
                                  std::to_string(where + 1) + ")"};
                scale(value, 1 / by.constant);
            } else if (at(Token::Kind::Times)) {
                ++m_at;
                const int bySign = this->sign();
                Combination by = factor();
                scale(by, bySign);
                value = product(value, by);
            } else if (at(Token::Kind::Row) || at(Token::Kind::Open)) {
                // "3 R1", "(3/2) R1", "3 (R1 - R2)"; two numbers side by
                // side ("1.2.3", "2 3") are a typing slip, not a product.
                value = product(value, factor());
            } else if (at(Token::Kind::Number)) {
                fail();
            } else {
                break;
            }
        }
        if (sign < 0)
            scale(value, -1);
        return value;
    }

    // One sign at the most: "--3" is a slip.
    int sign() {
        if (at(Token::Kind::Minus) || at(Token::Kind::Plus))
            return take().kind == Token::Kind::Minus ? -1 : 1;
        return 1;
    }

    Combination factor() {
        Combination value;
        if (at(Token::Kind::Number)) {
            value.constant = take().number;
        } else if (at(Token::Kind::Row)) {
            const long row = take().row;
            value.rows[row] = 1;
            value.written[row] = 1;
        } else if (at(Token::Kind::Open)) {
            ++m_at;
            value = expression();
            expect(Token::Kind::Close);
        } else {
            fail();
        }
        return value;
    }

    static void scale(Combination& c, const mpq_class& by) {
        for (auto& [row, value] : c.rows)
            value *= by;
        c.constant *= by;
    }

    Combination product(Combination a, Combination b) {
        if (!a.IsConstant() && !b.IsConstant())
            throw Refusal{"a row times a row is not a row operation"};
        if (a.IsConstant())
            std::swap(a, b);
        // a may hold rows, b is a number; rows written in b count as well.
        scale(a, b.constant);
        for (const auto& [row, count] : b.written)
            a.written[row] += count;
        return a;
    }

    const std::string& m_text;
    std::vector<Token> m_tokens;
    std::size_t m_at = 0;
};

std::string rowName(long row) {
    return "R" + std::to_string(row);
}

void checkRow(long row, int rows) {
    if (row < 1 || row > rows)
        throw Refusal{"there is no row " + std::to_string(row) + ": the matrix has rows 1 to " +
                      std::to_string(rows)};
}

// Ri <- combination: a scaling of Ri, or Ri plus a multiple of one other
// row.
HandElimination::Operation assignment(long target, const Combination& c, int rows) {
    using Kind = HandElimination::Operation::Kind;
    checkRow(target, rows);
    for (const auto& [row, count] : c.written)
        checkRow(row, rows);
    if (c.constant != 0)
        throw Refusal{"a row operation adds rows, not numbers: " +
                      std::string("the constant does not belong")};
    const auto own = c.written.find(target);
    if (own != c.written.end() && own->second > 1)
        throw Refusal{RowOperationReader::ToItselfMessage};
    std::vector<std::pair<long, mpq_class>> others;
    mpq_class self = 0;
    for (const auto& [row, value] : c.rows) {
        if (row == target)
            self = value;
        else if (value != 0)
            others.emplace_back(row, value);
    }
    HandElimination::Operation operation;
    operation.target = static_cast<int>(target);
    if (others.empty()) {
        if (self == 0)
            throw Refusal{RowOperationReader::ScaleByZeroMessage};
        if (self == 1)
            throw Refusal{rowName(target) + " stays as it is: that is not a step"};
        operation.kind = Kind::Scale;
        operation.factor = self;
        return operation;
    }
    if (others.size() > 1)
        throw Refusal{"one row operation adds a multiple of one row to another, not of " +
                      std::to_string(others.size()) + " rows"};
    if (self == 0)
        throw Refusal{"the new " + rowName(target) + " must keep " + rowName(target) +
                      ": write it as " + rowName(target) + " + c " + rowName(others[0].first)};
    if (self != 1)
        throw Refusal{"that scales " + rowName(target) + " and adds another row at once: do it "
                      "in two steps"};
    operation.kind = Kind::Subtract;
    operation.source = static_cast<int>(others[0].first);
    operation.factor = -others[0].second;
    return operation;
}

HandElimination::Operation read(const std::string& text, int rows) {
    using Kind = Token::Kind;
    Parser p(text, tokens(text));
    if (p.at(Kind::End))
        throw Refusal{"no operation: type one such as R2 <- R2 - 3 R1"};
    HandElimination::Operation operation;
    // swap R1 R3, swap R1, R3, swap R1 and R3
    if (p.at(Kind::Swap)) {
        p.take();
        if (!p.at(Kind::Row))
            p.fail();
        const long a = p.take().row;
        if (p.at(Kind::Separator))
            p.take();
        if (!p.at(Kind::Row))
            p.fail();
        const long b = p.take().row;
        p.expect(Kind::End);
        checkRow(a, rows);
        checkRow(b, rows);
        if (a == b)
            throw Refusal{"swapping a row with itself changes nothing: that is not a step"};
        operation.kind = HandElimination::Operation::Kind::Swap;
        operation.target = static_cast<int>(a);
        operation.source = static_cast<int>(b);
        return operation;
    }
    const Combination left = p.expression();
    if (p.at(Kind::Exchange)) {
        p.take();
        const Combination right = p.expression();
        p.expect(Kind::End);
        const auto single = [&](const Combination& c) {
            if (c.written.size() != 1 || c.written.begin()->second != 1 || c.constant != 0 ||
                c.rows.begin()->second != 1)
                throw Refusal{"<-> exchanges two rows: write R1 <-> R3"};
            return c.rows.begin()->first;
        };
        return read("swap R" + std::to_string(single(left)) + " R" +
                        std::to_string(single(right)),
                    rows);
    }
    const auto targetOf = [&](const Combination& c) {
        if (c.written.size() != 1 || c.constant != 0 || c.rows.begin()->second != 1)
            throw Refusal{"the row that changes stands alone beside the arrow: R2 <- R2 - 3 R1"};
        return c.rows.begin()->first;
    };
    if (p.at(Kind::LeftArrow)) {
        p.take();
        const long target = targetOf(left);
        const Combination right = p.expression();
        p.expect(Kind::End);
        return assignment(target, right, rows);
    }
    if (p.at(Kind::RightArrow)) {
        p.take();
        const Combination right = p.expression();
        p.expect(Kind::End);
        return assignment(targetOf(right), left, rows);
    }
    p.expect(Kind::End);
    // "R1 / 2", "-R3": a row scaled in place.
    if (left.written.size() != 1)
        throw Refusal{"say which row changes: R2 <- R2 - 3 R1, or R2 - 3 R1 -> R2"};
    return assignment(left.written.begin()->first, left, rows);
}
} // namespace

RowOperationReader::Result RowOperationReader::Read(const std::string& text, int rows) {
    Result result;
    try {
        result.operation = read(text, rows);
        result.ok = true;
    } catch (const Refusal& refusal) {
        result.error = refusal.why;
    }
    return result;
}

std::optional<mpq_class> RowOperationReader::ReadFactor(const std::string& text) {
    try {
        Parser p(text, tokens(text));
        if (p.at(Token::Kind::End))
            return std::nullopt;
        const Combination c = p.expression();
        p.expect(Token::Kind::End);
        if (!c.written.empty())
            return std::nullopt;
        return c.constant;
    } catch (const Refusal&) {
        return std::nullopt;
    }
}

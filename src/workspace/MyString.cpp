// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MyString.h"

#include "Messages.h"

#include <charconv>
#include <cmath>

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// The decimal exponent of the leading significant digit of a token already
// known to be in the number form, saturated well beyond any double. Only the
// sign of the result matters: it tells an overflow from an underflow.
long long leadingExponent(std::string_view mantissa, long long exponent) {
    long long position = 0;  // exponent of the digit being looked at
    const std::size_t point = mantissa.find('.');
    const std::size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
    position = static_cast<long long>(intDigits) - 1;
    for (char c : mantissa) {
        if (c == '.')
            continue;
        if (c != '0')
            return position + exponent;
        --position;
    }
    return 0;
}
} // namespace

void MyString::StripLeading(Line& line, const CharSet& set) {
    while (line.m_pos < line.m_text.size() &&
           set.test(static_cast<unsigned char>(line.m_text[line.m_pos])))
        ++line.m_pos;
}

void MyString::StripTrailing(Line& line, const CharSet& set) {
    while (line.m_text.size() > line.m_pos &&
           set.test(static_cast<unsigned char>(line.m_text.back())))
        line.m_text.pop_back();
}

std::string MyString::ExtractToken(Line& line, const CharSet& set) {
    if (line.Empty())
        return std::string();
    const std::string_view rest = line.View();
    std::size_t stop = 0;
    while (stop + 1 < rest.size() && !set.test(static_cast<unsigned char>(rest[stop])))
        ++stop;
    if (stop + 1 == rest.size()) {
        // No separator before the last character: the whole line, less its
        // trailing separators, is the token. The text itself stays as it was,
        // since a report may still quote it.
        std::size_t end = rest.size();
        while (end > 0 && set.test(static_cast<unsigned char>(rest[end - 1])))
            --end;
        std::string token(rest.substr(0, end));
        line.m_pos = line.m_text.size();
        return token;
    }
    std::string token(rest.substr(0, stop));
    line.m_pos += stop + 1;  // exactly one separator goes with the token
    return token;
}

std::string MyString::NextToken(Line& line, const CharSet& set) {
    ReadError = true;
    m_entryLine = &line;
    m_entryPos = line.m_pos;
    m_entryLength = line.Size();
    if (line.Empty())
        return std::string();
    ReadError = false;
    if (line.m_text.back() != ' ')
        line.m_text.push_back(' ');
    StripLeading(line, set);
    return ExtractToken(line, set);
}

double MyString::ReadDouble(Line& line, const CharSet& set) {
    const std::string token = NextToken(line, set);
    double value = 0.0;
    if (!token.empty() && ConvertDouble(token, value))
        return value;
    failRead('R', token);
    return 0.0;
}

std::int32_t MyString::ReadInteger(Line& line, const CharSet& set) {
    const std::string token = NextToken(line, set);
    std::int32_t value = 0;
    if (!token.empty() && ConvertInteger(token, value))
        return value;
    failRead('I', token);
    return 0;
}

void MyString::failRead(char kind, const std::string& token) {
    m_currentLine.assign(m_entryLine->m_text, m_entryPos, m_entryLength);
    ReportReadError(kind, token);
}

void MyString::ReportReadError(char kind, const std::string& token) {
    std::string text;
    switch (kind) {
    case 'I':
        text = "Integer expected in read";
        break;
    case 'R':
        text = "Double expected in read";
        break;
    default:
        text = "Unknown error occurred during read";
        break;
    }
    text += "\r\rProcessing Line : ";
    if (m_currentLine.empty()) {
        text += "\rNo data on line.";
    } else {
        std::size_t p = 0;
        if (!token.empty()) {
            const std::size_t found = m_currentLine.find(token);
            p = found == std::string::npos ? 0 : found + 1;
        }
        if (p <= 59) {
            text += '\r' + m_currentLine + '\r' + RepeatString(" ", static_cast<std::uint8_t>(p));
        } else {
            // Long lines are split after their 60th character; the caret's
            // indent has always been counted in one byte.
            text += '\r' + m_currentLine.substr(0, 60) + '\r' + m_currentLine.substr(60) + '\r' +
                    RepeatString(" ", static_cast<std::uint8_t>(p - 60));
        }
        text += '^';
    }
    m_messages.ShowMessage(text);
    ReadError = true;
}

std::string MyString::RepeatString(const std::string& pattern, std::uint8_t width) {
    if (pattern.empty())
        return std::string();
    const double count = std::nearbyint(static_cast<double>(width) / pattern.size());
    std::string result;
    for (int i = 0; i < static_cast<int>(count); ++i)
        result += pattern;
    return result;
}

bool MyString::ConvertDouble(std::string_view token, double& value) {
    std::size_t i = 0;
    const bool negative = i < token.size() && token[i] == '-';
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        ++i;
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < token.size() && isDigit(token[i])) {
        ++i;
        ++digits;
    }
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && isDigit(token[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    const std::string_view mantissa = token.substr(mantissaStart, i - mantissaStart);
    long long exponent = 0;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < token.size() && (token[i] == '+' || token[i] == '-'))
            negativeExponent = token[i++] == '-';
        if (i >= token.size() || !isDigit(token[i]))
            return false;
        while (i < token.size() && isDigit(token[i])) {
            if (exponent < 1000000000)
                exponent = exponent * 10 + (token[i] - '0');
            ++i;
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != token.size())
        return false;

    // from_chars takes no plus sign; it is only skipped, the form is checked.
    const char* first = token.data() + (token[0] == '+' ? 1 : 0);
    double result = 0.0;
    const auto [end, ec] = std::from_chars(first, token.data() + token.size(), result);
    if (ec == std::errc::result_out_of_range) {
        if (leadingExponent(mantissa, exponent) > 0)
            return false;  // beyond the double range
        result = negative ? -0.0 : 0.0;
    } else if (ec != std::errc() || end != token.data() + token.size()) {
        return false;
    }
    value = result;
    return true;
}

bool MyString::ConvertInteger(std::string_view token, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        negative = token[i++] == '-';
    const std::string_view body = token.substr(i);
    if (body.empty())
        return false;

    int base = 10;
    std::size_t start = 0;
    if (body[0] == '$' || body[0] == 'x' || body[0] == 'X') {
        base = 16;
        start = 1;
    } else if (body.size() >= 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        base = 16;
        start = 2;
    }
    if (start >= body.size())
        return false;

    const long long limit = negative ? 2147483648LL : 2147483647LL;
    long long magnitude = 0;
    for (std::size_t k = start; k < body.size(); ++k) {
        const char c = body[k];
        if (base == 10 ? !isDigit(c) : !isHexDigit(c))
            return false;
        magnitude = magnitude * base + hexValue(c);
        if (magnitude > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

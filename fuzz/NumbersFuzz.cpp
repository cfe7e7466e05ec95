// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number readers on arbitrary lines, token by token, against a checker
// of their own written from the accepted forms: a token in the double form
// reads to the value strtod gives (a value beyond the double range fails,
// one below it may read as zero), an integer token within the signed 32-bit
// range reads to its value, and anything else fails with ReadError set.
#include "FuzzSupport.h"
#include "GVar.h"
#include "Messages.h"
#include "MyString.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool isDelimiter(char c) {
    return c == ' ' || c == '\t' || c == ',';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHex(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The next token of a line: a run of non-separators after the separators at
// the front. Removes it, and the one separator after it, from the line.
std::string takeToken(std::string& line) {
    std::size_t start = 0;
    while (start < line.size() && isDelimiter(line[start]))
        ++start;
    std::size_t end = start;
    while (end < line.size() && !isDelimiter(line[end]))
        ++end;
    std::string token = line.substr(start, end - start);
    line.erase(0, end < line.size() ? end + 1 : end);
    return token;
}

// [+-] digits [. digits] [(e|E) [+-] digits], with a digit in the mantissa.
bool isDoubleForm(const std::string& t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    bool digit = false;
    while (i < t.size() && isDigit(t[i]))
        ++i, digit = true;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i, digit = true;
    }
    if (!digit)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (i == t.size() || !isDigit(t[i]))
            return false;
        while (i < t.size() && isDigit(t[i]))
            ++i;
    }
    return i == t.size();
}

// The value of an integer token, or false when it has no such value.
bool integerValue(const std::string& t, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    int base = 10;
    if (t.compare(i, 2, "0x") == 0 || t.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    } else if (i < t.size() && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
        base = 16;
        i += 1;
    }
    if (i == t.size())
        return false;
    long long magnitude = 0;
    for (; i < t.size(); ++i) {
        if (base == 10 ? !isDigit(t[i]) : !isHex(t[i]))
            return false;
        const int digit = isDigit(t[i]) ? t[i] - '0' : (t[i] | 0x20) - 'a' + 10;
        magnitude = magnitude * base + digit;
        if (magnitude > 2147483648LL)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN)
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

void checkDouble(MyString& reader, const std::string& token, double read) {
    if (!isDoubleForm(token)) {
        check(reader.ReadError && read == 0.0);
        return;
    }
    errno = 0;
    const double expected = std::strtod(token.c_str(), nullptr);
    if (std::isinf(expected)) {
        check(reader.ReadError && read == 0.0);
        return;
    }
    check(!reader.ReadError);
    if (std::fabs(expected) < DBL_MIN)
        check(read == 0.0 || read == expected);
    else
        check(read == expected);
}

void checkInteger(MyString& reader, const std::string& token, std::int32_t read) {
    std::int32_t expected = 0;
    if (!integerValue(token, expected)) {
        check(reader.ReadError && read == 0);
        return;
    }
    check(!reader.ReadError && read == expected);
}
} // namespace

// The first byte chooses, bit by bit, whether each read is a double or an
// integer; the rest is the line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned kinds = data[0];
    std::string mine(reinterpret_cast<const char*>(data + 1), size - 1);
    SilentMessages messages;
    MyString reader(messages);
    MyString::Line line(mine);

    for (int read = 0; read < 64; ++read) {
        const bool lineWasEmpty = mine.empty();
        const std::string token = takeToken(mine);
        if ((kinds >> (read % 8)) & 1u)
            checkInteger(reader, token, reader.ReadInteger(line, GVar::Delimiters));
        else
            checkDouble(reader, token, reader.ReadDouble(line, GVar::Delimiters));
        if (lineWasEmpty)
            break;
    }
    return 0;
}

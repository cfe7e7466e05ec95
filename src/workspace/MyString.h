// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GVar.h"

#include <cstdint>
#include <string>
#include <string_view>

class Messages;

// Reads numbers from lines of text, token by token.
//
// A failed read never throws: it shows a report that quotes the rest of the
// line with a caret under the bad token, returns 0 and sets ReadError, and
// the caller decides whether to stop or to ask again. Numbers always use "."
// as the decimal point, whatever the locale.
class MyString {
public:
    // A line being consumed from the front. Taking a token only moves an
    // offset, so that the tokens of a long line cost no re-copying.
    class Line {
    public:
        Line() = default;
        Line(std::string text) : m_text(std::move(text)) {}  // NOLINT: lines read like strings
        void Assign(std::string text) {
            m_text = std::move(text);
            m_pos = 0;
        }
        // The whole text, to be filled anew; the line starts again at its
        // beginning.
        std::string& Text() {
            m_pos = 0;
            return m_text;
        }
        std::string_view View() const { return std::string_view(m_text).substr(m_pos); }
        std::string Str() const { return std::string(View()); }
        bool Empty() const { return m_pos >= m_text.size(); }
        std::size_t Size() const { return m_text.size() - m_pos; }

    private:
        friend class MyString;
        std::string m_text;
        std::size_t m_pos = 0;  // characters already consumed
    };

    explicit MyString(Messages& messages) : m_messages(messages) {}

    // True when the last ReadDouble or ReadInteger failed.
    bool ReadError = false;

    double ReadDouble(Line& line, const CharSet& set);
    std::int32_t ReadInteger(Line& line, const CharSet& set);

    // The rest of the line as it stood before the token of the last failed
    // read was taken: what the report quotes.
    const std::string& CurrentLine() const { return m_currentLine; }

    // The pieces the readers are made of.
    static void StripLeading(Line& line, const CharSet& set);
    static void StripTrailing(Line& line, const CharSet& set);
    static std::string ExtractToken(Line& line, const CharSet& set);
    std::string NextToken(Line& line, const CharSet& set);
    void ReportReadError(char kind, const std::string& token);
    static std::string RepeatString(const std::string& pattern, std::uint8_t width);

    // Whole-token conversions. A double is an optional sign, digits with an
    // optional point and fraction, and an optional exponent; a value beyond
    // the double range does not convert, one below it reads as zero. An
    // integer is an optional sign and decimal digits, or hexadecimal digits
    // after "$", "x", "X", "0x" or "0X", within the signed 32-bit range.
    static bool ConvertDouble(std::string_view token, double& value);
    static bool ConvertInteger(std::string_view token, std::int32_t& value);

private:
    void failRead(char kind, const std::string& token);

    Messages& m_messages;
    std::string m_currentLine;
    // Where the current read's line started, kept so that CurrentLine is
    // built only when a report needs it.
    const Line* m_entryLine = nullptr;
    std::size_t m_entryPos = 0;
    std::size_t m_entryLength = 0;
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SearchEngine.h"

#include "TextLines.h"

#include <QChar>

#include <array>
#include <memory>

namespace {

// Letter case is ignored by comparing the upper case of both texts, one
// character at a time, with each character's own upper case. Upper-casing a
// whole line with QString::toUpper would not do: it turns ß into SS, so the
// columns found there would no longer be the columns of the line. Qt's
// case-insensitive indexOf folds case instead of upper-casing; that agrees
// for Latin-1 text but not for some other characters (ı matches I when
// upper-cased, not when folded; the Kelvin sign matches k when folded, not
// when upper-cased), so the comparison is made here.
//
// Every character's upper case has as many UTF-16 units as the character
// itself, so upper-cased texts keep their columns and a match is as long as
// the target.
class UpperCase {
public:
    static const UpperCase& Instance() {
        static const std::unique_ptr<UpperCase> instance(new UpperCase);
        return *instance;
    }

    // The unit at index i of the upper-cased text.
    char16_t At(const QChar* text, qsizetype size, qsizetype i) const {
        const char16_t unit = text[i].unicode();
        if (!QChar::isSurrogate(unit))
            return table[unit];
        if (QChar::isHighSurrogate(unit)) {
            if (i + 1 < size && QChar::isLowSurrogate(text[i + 1].unicode()))
                return QChar::highSurrogate(
                    QChar::toUpper(QChar::surrogateToUcs4(unit, text[i + 1].unicode())));
        } else if (i > 0 && QChar::isHighSurrogate(text[i - 1].unicode())) {
            return QChar::lowSurrogate(
                QChar::toUpper(QChar::surrogateToUcs4(text[i - 1].unicode(), unit)));
        }
        return unit;
    }

    QString Of(const QString& text) const {
        QString upper(text.size(), Qt::Uninitialized);
        QChar* out = upper.data();
        for (qsizetype i = 0; i < text.size(); ++i)
            out[i] = QChar(At(text.constData(), text.size(), i));
        return upper;
    }

private:
    // Surrogate units stand for themselves here; At pairs them up.
    UpperCase() {
        for (char32_t unit = 0; unit < table.size(); ++unit)
            table[unit] =
                QChar::isSurrogate(unit) ? char16_t(unit) : char16_t(QChar::toUpper(unit));
    }
    std::array<char16_t, 0x10000> table;
};

// Where target occurs in lines under one case rule; the target is
// upper-cased once, not at every line or step.
class Occurrences {
public:
    Occurrences(const QString& target, bool matchCase)
        : target(target), matchCase(matchCase),
          upperTarget(matchCase ? QString() : UpperCase::Instance().Of(target)) {}

    // Index in line, from index from on, where the target begins; -1 when
    // nowhere. An empty target is nowhere.
    qsizetype In(const QString& line, qsizetype from) const {
        if (target.isEmpty() || from < 0 || from + target.size() > line.size())
            return -1;
        if (matchCase)
            return line.indexOf(target, from, Qt::CaseSensitive);
        const UpperCase& upper = UpperCase::Instance();
        const QChar* text = line.constData();
        const qsizetype size = line.size();
        const QChar* wanted = upperTarget.constData();
        const qsizetype length = upperTarget.size();
        const char16_t first = wanted[0].unicode();
        for (qsizetype start = from; start + length <= size; ++start) {
            if (upper.At(text, size, start) != first)
                continue;
            qsizetype k = 1;
            while (k < length && upper.At(text, size, start + k) == wanted[k].unicode())
                ++k;
            if (k == length)
                return start;
        }
        return -1;
    }

private:
    const QString& target;
    const bool matchCase;
    const QString upperTarget;
};

} // namespace

void SearchEngine::Reset() {
    FindColumn = 0;
    FindLineStart = 0;
    FindLine = 0;
}

bool SearchEngine::SearchText(TextLines& text, const QString& target) {
    const Occurrences occurrences(target, MatchCase);
    const int lines = text.LineCount();
    while (FindLine >= 0 && FindLine < lines) {
        const QString line = text.Line(FindLine);
        const qsizetype found = occurrences.In(line, FindColumn);
        if (found >= 0) {
            FindColumn = int(found) + 1;
            text.Select(FindLine, FindColumn, int(target.size()), FindLineStart + found);
            return true;
        }
        FindColumn = 0;
        FindLineStart += line.size() + 2;
        ++FindLine;
    }
    Reset();
    return false;
}

int SearchEngine::FindInLine(const QString& target, const QString& line, int from) const {
    const qsizetype found = Occurrences(target, MatchCase).In(line, from < 1 ? 0 : from - 1);
    return found < 0 ? 0 : int(found) + 1;
}

bool SearchEngine::ReplaceAll(TextLines& text, const QString& target, const QString& replacement) {
    const Occurrences occurrences(target, MatchCase);
    bool replaced = false;
    const int lines = text.LineCount();
    for (int index = 0; index < lines; ++index) {
        const QString line = text.Line(index);
        qsizetype found = occurrences.In(line, 0);
        if (found < 0)
            continue;
        // Searching on behind an inserted replacement is searching the rest
        // of the old line, so the new line is built from pieces of the old
        // one and the replacements, each copied once.
        QString changed;
        changed.reserve(line.size());
        qsizetype copied = 0;
        while (found >= 0) {
            changed.append(QStringView(line).mid(copied, found - copied));
            changed.append(replacement);
            copied = found + target.size();
            found = occurrences.In(line, copied);
        }
        changed.append(QStringView(line).mid(copied));
        text.SetLine(index, changed);
        replaced = true;
    }
    return replaced;
}

bool SearchEngine::ReplaceFirst(TextLines& text, const QString& target,
                                const QString& replacement) {
    const Occurrences occurrences(target, MatchCase);
    const int lines = text.LineCount();
    for (int index = 0; index < lines; ++index) {
        QString line = text.Line(index);
        const qsizetype found = occurrences.In(line, 0);
        if (found >= 0) {
            line.replace(found, target.size(), replacement);
            text.SetLine(index, line);
            return true;
        }
    }
    return false;
}

QString SearchEngine::NotFoundNote(const QString& target) {
    return QStringLiteral("String ") + QLatin1Char('"') + target + QLatin1Char('"') +
           QStringLiteral(" was not found.");
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

// The random source of one soak step. Every choice of a step, its modal
// answers included, comes from the step's own seed, so a step replays the
// same whatever steps ran before it.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_engine(seed) {}

    // 0 to n - 1 (0 when n < 1).
    int below(int n) {
        if (n < 1)
            return 0;
        return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(m_engine));
    }
    bool chance(int percent) { return below(100) < percent; }
    template <class List>
    auto oneOf(const List& list) -> decltype(list.at(0)) {
        return list.at(below(static_cast<int>(list.size())));
    }
    std::uint32_t next() { return static_cast<std::uint32_t>(m_engine()); }

private:
    std::mt19937 m_engine;
};

// What users type into fields: nothing, blanks, far too much, control
// bytes, text beyond single bytes, numbers at and past the limits, and now
// and then something sensible.
inline QString RandomFieldText(Rng& rng) {
    static const QStringList numbers = {
        QStringLiteral("0"), QStringLiteral("-0"), QStringLiteral("2"), QStringLiteral("0.5"),
        QStringLiteral("99"), QStringLiteral("-99"), QStringLiteral("+9"), QStringLiteral("-1"),
        QStringLiteral("1e308"), QStringLiteral("-1.7976931348623157e308"), QStringLiteral("2e308"),
        QStringLiteral("4.9e-324"), QStringLiteral("1e-400"), QStringLiteral("nan"),
        QStringLiteral("inf"), QStringLiteral("-inf"), QStringLiteral("2147483648"),
        QStringLiteral("-2147483649"), QStringLiteral("18446744073709551617"), QStringLiteral("0x10"),
        QStringLiteral("1,5"), QStringLiteral(" 7 "), QStringLiteral("1e"), QStringLiteral("."),
        QStringLiteral("--5"), QStringLiteral("3 4")};
    static const QStringList words = {
        QStringLiteral("A"), QStringLiteral("x y"), QStringLiteral("Gr\u00fc\u00dfe \u00e9t\u00e9"),
        QStringLiteral("\u65e5\u672c\u8a9e"), QStringLiteral("\U0001F600 smile"),
        QStringLiteral("line\u2028sep"), QStringLiteral("\u00a0no-break"),
        QStringLiteral("tab\there"), QStringLiteral("a,b;c"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
        QStringLiteral("%1 %s %n"), QStringLiteral("\"quoted\""), QStringLiteral("*?[]")};
    switch (rng.below(8)) {
    case 0:
        return QString();
    case 1:
        return QString(1 + rng.below(30), QLatin1Char(' '));
    case 2: {
        const QChar fill = rng.chance(50) ? QLatin1Char('9') : QChar(u'\u00e4');
        return QString(100 + rng.below(4000), fill);
    }
    case 3: {
        QString text;
        for (int i = 1 + rng.below(12); i > 0; --i)
            text += QChar(static_cast<char16_t>(rng.chance(90) ? 1 + rng.below(31) : 127));
        return text;
    }
    case 4:
    case 5:
        return rng.oneOf(numbers);
    default:
        return rng.oneOf(words);
    }
}

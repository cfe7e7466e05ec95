// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TextLines.h"

#include <QHash>
#include <QTextBlock>

class QPlainTextEdit;

// An editor's text area seen as lines. A text whose last line ends with a
// break has no further, empty line, and an empty text has no lines at all.
// Replaced lines are held aside until Commit puts them into the text area
// in one edit (one undo step). Lines read in order cost a step each, not a
// search from the top.
class MemoLines : public TextLines {
public:
    // Reading every line in order (replacing throughout the text) goes
    // faster from one copy of the whole text, taken at the start; a walk of
    // a few steps (Find Next) reads the blocks themselves.
    enum class Reading { Blocks, WholeText };

    explicit MemoLines(QPlainTextEdit* memo, Reading reading = Reading::Blocks);

    int LineCount() const override;
    QString Line(int index) const override;
    void SetLine(int index, const QString& text) override;
    void Select(int line, int column, int length, qint64 offset) override;

    // Puts the replaced lines into the text area; true when any changed.
    bool Commit();

    // The text as held, lines separated by "\n".
    static QString PlainText(const QPlainTextEdit* memo);

private:
    QTextBlock block(int index) const;

    QPlainTextEdit* m_memo;
    QHash<int, QString> m_replaced;
    mutable QTextBlock m_last;  // the block read last, and its number
    mutable int m_lastIndex = -1;
    QString m_whole;  // the whole text, for reading in order
    bool m_useWhole = false;
    mutable int m_wholeIndex = -1;       // the line read last from it
    mutable qsizetype m_wholeNext = 0;   // where the line after it starts
};

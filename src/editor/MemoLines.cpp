// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MemoLines.h"

#include <QPlainTextEdit>

#include <algorithm>
#include <functional>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

MemoLines::MemoLines(QPlainTextEdit* memo, Reading reading) : m_memo(memo) {
    if (reading == Reading::WholeText) {
        m_whole = memo->document()->toRawText();
        m_useWhole = true;
    }
}

int MemoLines::LineCount() const {
    const QTextDocument* document = m_memo->document();
    int count = document->blockCount();
    if (count > 0 && document->lastBlock().length() <= 1)
        --count;  // the empty line after a final break, or an empty text
    return count;
}

QString MemoLines::Line(int index) const {
    const auto replaced = m_replaced.constFind(index);
    if (replaced != m_replaced.constEnd())
        return *replaced;
    if (m_useWhole && (index == m_wholeIndex + 1)) {
        qsizetype end = m_whole.indexOf(QChar::ParagraphSeparator, m_wholeNext);
        if (end < 0)
            end = m_whole.size();
        const QString line = m_whole.mid(m_wholeNext, end - m_wholeNext);
        m_wholeIndex = index;
        m_wholeNext = end + 1;
        return line;
    }
    return block(index).text();
}

QTextBlock MemoLines::block(int index) const {
    if (m_lastIndex >= 0 && index == m_lastIndex + 1 && m_last.isValid())
        m_last = m_last.next();
    else if (index != m_lastIndex || !m_last.isValid())
        m_last = m_memo->document()->findBlockByNumber(index);
    m_lastIndex = index;
    return m_last;
}

void MemoLines::SetLine(int index, const QString& text) { m_replaced.insert(index, text); }

void MemoLines::Select(int line, int column, int length, qint64) {
    const QTextBlock block = m_memo->document()->findBlockByNumber(line);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + column - 1);
    cursor.setPosition(block.position() + column - 1 + length, QTextCursor::KeepAnchor);
    m_memo->setTextCursor(cursor);
}

bool MemoLines::Commit() {
    if (m_replaced.isEmpty())
        return false;
    // Only the lines that changed are edited, walking the blocks once;
    // rewriting the whole text would cost far more. The walk goes from the
    // bottom up: a line break in a new line adds blocks below it, which
    // would move every line after it, never one before it.
    QList<int> changed = m_replaced.keys();
    std::sort(changed.begin(), changed.end(), std::greater<int>());
    QTextDocument* document = m_memo->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    QTextBlock block = document->findBlockByNumber(changed.first());
    int index = changed.first();
    for (int line : changed) {
        for (; index > line; --index)
            block = block.previous();
        // Only the part between what the old and new line share at their
        // ends is replaced: less for the document to move.
        const QString before = block.text();
        const QString after = m_replaced.value(line);
        qsizetype head = 0;
        const qsizetype shorter = std::min(before.size(), after.size());
        while (head < shorter && before.at(head) == after.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head &&
               before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
            ++tail;
        cursor.setPosition(block.position() + static_cast<int>(head));
        cursor.setPosition(block.position() + static_cast<int>(before.size() - tail),
                           QTextCursor::KeepAnchor);
        cursor.insertText(after.mid(head, after.size() - head - tail));
        // A break inserted may have split the block: its first part keeps
        // the number.
        block = document->findBlockByNumber(line);
    }
    cursor.endEditBlock();
    m_replaced.clear();
    m_lastIndex = -1;
    m_last = QTextBlock();
    return true;
}

QString MemoLines::PlainText(const QPlainTextEdit* memo) {
    // The raw text keeps every character as typed (the plain text would turn
    // no-break spaces into blanks); only the paragraph breaks need mapping.
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

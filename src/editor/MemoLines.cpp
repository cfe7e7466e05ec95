#include "MemoLines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// Past this many lines, rewriting the whole text is cheaper than editing
// block by block.
constexpr int FewLines = 64;
} // namespace

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
    return m_memo->document()->findBlockByNumber(index).text();
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
    QTextDocument* document = m_memo->document();
    QTextCursor cursor(document);
    if (m_replaced.size() <= FewLines) {
        cursor.beginEditBlock();
        for (auto it = m_replaced.constBegin(); it != m_replaced.constEnd(); ++it) {
            const QTextBlock block = document->findBlockByNumber(it.key());
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            cursor.insertText(it.value());
        }
        cursor.endEditBlock();
    } else {
        QString text;
        text.reserve(document->characterCount() + m_replaced.size() * 16);
        int index = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++index) {
            if (index > 0)
                text += QLatin1Char('\n');
            const auto replaced = m_replaced.constFind(index);
            text += replaced != m_replaced.constEnd() ? *replaced : block.text();
        }
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
    }
    m_replaced.clear();
    return true;
}

QString MemoLines::PlainText(const QPlainTextEdit* memo) {
    // The raw text keeps every character as typed (the plain text would turn
    // no-break spaces into blanks); only the paragraph breaks need mapping.
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

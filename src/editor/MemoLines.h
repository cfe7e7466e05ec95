#pragma once

#include "TextLines.h"

#include <QHash>

class QPlainTextEdit;

// An editor's text area seen as lines. A text whose last line ends with a
// break has no further, empty line, and an empty text has no lines at all.
// Replaced lines are held aside until Commit puts them into the text area
// in one edit (one undo step): a few lines block by block, many at once as
// the whole text, so that replacing throughout a long text costs one pass.
class MemoLines : public TextLines {
public:
    explicit MemoLines(QPlainTextEdit* memo) : m_memo(memo) {}

    int LineCount() const override;
    QString Line(int index) const override;
    void SetLine(int index, const QString& text) override;
    void Select(int line, int column, int length, qint64 offset) override;

    // Puts the replaced lines into the text area; true when any changed.
    bool Commit();

    // The text as held, lines separated by "\n".
    static QString PlainText(const QPlainTextEdit* memo);

private:
    QPlainTextEdit* m_memo;
    QHash<int, QString> m_replaced;
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class TextLines;

// Find and replace over the lines of a text, always downward, with or
// without regard to letter case. One engine per editor window keeps the
// search position between Find Next steps, so repeated steps walk through
// the text (overlapping occurrences included) and start again at the top
// after the step that found nothing. Lines of any length are searched whole.
// Needs no window: the window hands its text over as TextLines and shows
// the notes.
class SearchEngine {
public:
    // The search under way.
    QString LastFindText;
    int FindLine = 0;           // line (from 0) where the next step begins
    qint64 FindLineStart = 0;   // offset of that line's first character, CR LF counted as two
    int FindColumn = 0;         // column (from 1) of the last occurrence in that line; 0 for none
    bool MatchCase = false;

    // The next step begins at the top of the text.
    void Reset();

    // Finds and selects the next occurrence of target from the search
    // position. When there is none, resets the position and returns false:
    // the caller shows NotFoundNote(target).
    bool SearchText(TextLines& text, const QString& target);

    // The column (from 1) at which target begins in line, looking from
    // column from on; 0 when it is not there. An empty target never matches.
    int FindInLine(const QString& target, const QString& line, int from) const;

    // Replaces every occurrence, line by line, going on behind each text
    // inserted (a replacement that holds the target is not searched again).
    // Returns whether anything was replaced. The search position is untouched.
    bool ReplaceAll(TextLines& text, const QString& target, const QString& replacement);

    // Replaces the first occurrence counted from the top of the text,
    // whatever is selected. Returns whether anything was replaced.
    bool ReplaceFirst(TextLines& text, const QString& target, const QString& replacement);

    static QString NotFoundNote(const QString& target);
};

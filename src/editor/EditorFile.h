// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// What an editor window knows of its file, and how it reads and writes it.
// Needs no window.
//
// A loaded file becomes text with one line break between lines, whatever
// breaks it had (CR LF, LF or a lone CR); saved, the lines are separated by
// CR LF and nothing is added at the end. Text that is valid UTF-8 is read as
// UTF-8; any other file is read byte for byte as single-byte text and
// written back as the same bytes, so a file opened and saved unchanged is
// identical apart from its line breaks.
class EditorFile {
public:
    enum class Encoding { Utf8, SingleByte };

    // The file identity of a path: nothing is read or checked on disk.
    struct Identity {
        QString FullFileName;  // the path as given
        QString FileName;      // after the last "/"
        QString FilePath;      // up to and including the last "/"; may be empty
        QString FileExt;       // from the last "." of FileName, dot included; may be empty
        QString BackupName;    // FileName with ".BAK" for its extension
    };
    static Identity ParseFile(const QString& path);

    // The text of bytes, with its line breaks as "\n".
    static QString Decode(const QByteArray& bytes, Encoding* encoding);
    // The bytes of a text whose lines are separated by "\n".
    static QByteArray Encode(const QString& text, Encoding encoding);

    // Reads a whole file; false with error (path and reason) when it cannot.
    static bool Load(const QString& path, QString* text, Encoding* encoding, QString* error);

    // Saves text under identity's name, keeping one generation of backup:
    // afterwards the new text is under the file's name and what was there
    // before under the backup name. The new text is written completely
    // beside the file first, so that at no moment of the save is the
    // previous text missing from disk; a failed save changes nothing on
    // disk and returns false with error (path and reason).
    //
    // A symbolic link stays a link: the file it points to is written, with
    // its backup beside it. A new file gets the usual mode (0666 less the
    // umask); a file that was there keeps its mode, owner, group and hard
    // links (where the new file cannot take them over, the text is written
    // into the file itself, once its old text is safely on disk beside it).
    // A file that this user may not write is reported, never replaced.
    static bool Save(const Identity& identity, const QString& text, Encoding encoding,
                     QString* error);
};

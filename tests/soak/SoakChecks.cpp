// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SoakChecks.h"

#include "EditorFile.h"
#include "GVar.h"
#include "MDIChild.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <cmath>

namespace {
// The bytes of a file, a marker for a folder, or nothing when there is none.
std::optional<QByteArray> fileState(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return QByteArray("<folder>");
    QFile file(path);
    if (path.contains(QChar(u'\0')) || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Names, sizes and times of a folder's files and the names of its folders,
// sorted: the snapshot that tells whether anything was written there.
QStringList listing(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << (info.isDir() ? info.fileName() + QLatin1Char('/')
                                 : QStringLiteral("%1 %2 %3").arg(info.fileName()).arg(info.size()).arg(
                                       info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

// The name the backup of path goes under: its extension replaced by .BAK.
QString backupOf(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return info.absolutePath() + QLatin1Char('/') + (dot < 0 ? name : name.left(dot)) +
           QStringLiteral(".BAK");
}
} // namespace

QString Shown(const std::optional<QByteArray>& bytes) {
    if (!bytes)
        return QStringLiteral("<absent>");
    return QString::fromLatin1(bytes->left(60).toPercentEncoding(" ")) +
           (bytes->size() > 60 ? QStringLiteral("... (%1 bytes)").arg(bytes->size()) : QString());
}

// The text as the window holds it, lines separated by "\n".
QString WindowText(const TChild* editor) {
    QString text = editor->Memo()->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

SoakChecks::SoakChecks(const QString& scratch) : m_scratch(scratch) {
    m_launchFolder = QDir::currentPath();
    m_launchListing = listing(m_launchFolder);
    m_rootListing = listing(QFileInfo(scratch).path());
}

void SoakChecks::EditorSaves(TChild* editor, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_pending.push_back({absolute, backupOf(absolute), WindowText(editor), fileState(absolute),
                         fileState(backupOf(absolute))});
}

// The texts whose saving the step began: each file holds its window's text
// now, its backup what the file held before; or the save failed with a
// report and left both as they were.
QString SoakChecks::SettleSaves(bool sawError, bool sawOtherSave) {
    if (sawOtherSave) {
        // Write file, List matrix or a worked solution's Save as may have
        // written over a file an editor saved: it is theirs now.
        for (auto it = m_expected.begin(); it != m_expected.end();)
            it = fileState(it.key()) != it.value() ? m_expected.erase(it) : std::next(it);
    }
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        const SavedFile& s = m_pending[i];
        bool superseded = false;
        for (std::size_t later = i + 1; later < m_pending.size(); ++later)
            superseded = superseded || m_pending[later].path == s.path;
        if (superseded)
            continue;
        const std::optional<QByteArray> now = fileState(s.path);
        const bool saved = now == EditorFile::Encode(s.text, EditorFile::Encoding::Utf8) ||
                           now == EditorFile::Encode(s.text, EditorFile::Encoding::SingleByte);
        if (saved) {
            m_expected.insert(s.path, now);
            if (s.backup != s.path)
                m_expected.insert(s.backup, s.before);
        } else if (now == s.before && fileState(s.backup) == s.backupBefore && sawError) {
            continue;  // refused with a report; nothing changed on disk
        } else {
            return QStringLiteral("saved file: %1 holds %2, not the window's text %3 nor its old text %4")
                .arg(s.path, Shown(now), Shown(EditorFile::Encode(s.text, EditorFile::Encoding::Utf8)),
                     Shown(s.before));
        }
    }
    m_pending.clear();
    return QString();
}

QString SoakChecks::Workspace(const GVar& ws) {
    if (ws.MatrixCount > MaxMatrices)
        return QStringLiteral("workspace: %1 matrices").arg(ws.MatrixCount);
    if (ws.DecimalPlaces < 0 || ws.DecimalPlaces > 99)
        return QStringLiteral("workspace: %1 decimal places").arg(ws.DecimalPlaces);
    for (int slot = 1; slot <= ws.MatrixCount; ++slot) {
        const TMatrixRec& m = ws.Matrix(slot);
        if (m.Name.size() > MaxNameLength)
            return QStringLiteral("workspace: slot %1 named with %2 characters").arg(slot).arg(m.Name.size());
        if (m.Rows > MaxDim || m.Cols > MaxDim)
            return QStringLiteral("workspace: slot %1 is %2 x %3").arg(slot).arg(m.Rows).arg(m.Cols);
        for (int i = 1; i <= m.Rows; ++i)
            for (int j = 1; j <= m.Cols; ++j)
                if (!std::isfinite(m.At(i, j)))
                    return QStringLiteral("workspace: slot %1 (%2, %3) is %4").arg(slot).arg(i).arg(j).arg(m.At(i, j));
    }
    return QString();
}

QString SoakChecks::Files() const {
    for (auto it = m_expected.cbegin(); it != m_expected.cend(); ++it)
        if (fileState(it.key()) != it.value())
            return QStringLiteral("saved file: %1 holds %2 instead of %3")
                .arg(it.key(), Shown(fileState(it.key())), Shown(it.value()));
    return QString();
}

QString SoakChecks::Outside() const {
    if (listing(m_launchFolder) != m_launchListing)
        return QStringLiteral("outside: the folder the run started in changed");
    if (listing(QFileInfo(m_scratch.path()).path()) != m_rootListing)
        return QStringLiteral("outside: written beside the scratch folder");
    return QString();
}

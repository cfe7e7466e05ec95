// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class GVar;
class TChild;

// The text as an editor window holds it, lines separated by "\n".
QString WindowText(const TChild* editor);

// Bytes as a report shows them: the first few, escaped.
QString Shown(const std::optional<QByteArray>& bytes);

// What must hold after every action of the soak. Each check gives a
// failure as "what: particulars", or an empty text.
class SoakChecks {
public:
    // Takes note of the folders outside the scratch folder that the run
    // must leave as they are: the one it started in and the scratch's own.
    explicit SoakChecks(const QString& scratch);

    // An editor window is about to save its text under path (relative to
    // the current folder).
    void EditorSaves(TChild* editor, const QString& path);
    // Each save of the step: the file holds the window's text (CR LF line
    // ends) and its .BAK what the file held before; or, after an error
    // report, both are as they were. sawOtherSave: Write file, List matrix
    // or a worked solution's Save as ran, and may have written over them.
    QString SettleSaves(bool sawError, bool sawOtherSave);
    void ForgetSaves() { m_pending.clear(); }

    // 0 to 20 matrices, names of at most 20 characters, sizes within
    // 50 x 50, every value finite, 0 to 99 decimal places.
    static QString Workspace(const GVar& workspace);
    // Every file an editor saved still holds what it was saved with.
    QString Files() const;
    // Nothing written outside the scratch folder.
    QString Outside() const;

private:
    struct SavedFile {
        QString path, backup, text;
        std::optional<QByteArray> before, backupBefore;
    };

    QDir m_scratch;
    QString m_launchFolder;
    QStringList m_launchListing, m_rootListing;
    std::vector<SavedFile> m_pending;
    // What each file an editor saved must hold; nullopt: must be absent.
    QHash<QString, std::optional<QByteArray>> m_expected;
};

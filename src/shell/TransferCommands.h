// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

#include <functional>

class GVar;
class Messages;
class QAction;
class QFileDialog;
class QWidget;

// Export matrix and Import matrix, after the grid's commands in the
// Matrices menu: one matrix to or from a file of a spreadsheet, of GNU
// Octave or of LaTeX, through a file dialog whose file type chooses the
// format. The reading and writing are the core's (MatrixExport,
// MatrixImport), as in zendra-cli.
class TransferCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int ExportContext = 47;
    static constexpr int ImportContext = 48;

    // pick asks for one matrix through the selection list: 0 for none;
    // fractions tells whether Show fractions is on.
    TransferCommands(GVar& workspace, Messages& messages, std::function<int()> pick,
                     std::function<bool()> fractions, QWidget* window);

    QList<QAction*> Actions() const { return {m_export, m_import}; }

    void ExportClick();
    void ImportClick();

    // The dialogs, kept so that each starts where the last one ended.
    QFileDialog* ExportDialog() const { return m_exportDialog; }
    QFileDialog* ImportDialog() const { return m_importDialog; }

private:
    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    std::function<bool()> m_fractions;
    QWidget* m_window;
    QAction* m_export;
    QAction* m_import;
    QFileDialog* m_exportDialog;
    QFileDialog* m_importDialog;
};

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TransferCommands.h"

#include "FileDialogs.h"
#include "GVar.h"
#include "MatrixExport.h"
#include "MatrixImport.h"
#include "MenuAction.h"
#include "Messages.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const char* const CsvFilter = "Spreadsheet, comma-separated (*.csv)";
const char* const OctaveFilter = "GNU Octave text (*.txt)";
const char* const LatexFilter = "LaTeX matrix (*.tex)";

QFileDialog* makeDialog(QWidget* window, const QString& title, int context) {
    auto* dialog = new QFileDialog(window, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setProperty("helpContext", context);
    return dialog;
}
} // namespace

TransferCommands::TransferCommands(GVar& workspace, Messages& messages, std::function<int()> pick,
                                   std::function<bool()> fractions, QWidget* window)
    : QObject(window), m_workspace(workspace), m_messages(messages), m_pick(std::move(pick)),
      m_fractions(std::move(fractions)), m_window(window) {
    m_export = MenuAction::Make(this, "Exportmatrix1", "E&xport matrix...", ExportContext,
                                "Write a matrix for a spreadsheet, GNU Octave or LaTeX");
    m_import = MenuAction::Make(this, "Importmatrix1", "&Import matrix...", ImportContext,
                                "Read a matrix from a spreadsheet's or GNU Octave's file");
    connect(m_export, &QAction::triggered, this, &TransferCommands::ExportClick);
    connect(m_import, &QAction::triggered, this, &TransferCommands::ImportClick);

    m_exportDialog = makeDialog(window, QStringLiteral("Export Matrix"), ExportContext);
    m_exportDialog->setObjectName(QStringLiteral("ExportDialog"));
    m_exportDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_exportDialog->setFileMode(QFileDialog::AnyFile);
    m_exportDialog->setNameFilters({QString::fromLatin1(CsvFilter),
                                    QString::fromLatin1(OctaveFilter),
                                    QString::fromLatin1(LatexFilter)});
    // The file type chooses the format: its extension is added to a name
    // typed without one.
    m_exportDialog->setDefaultSuffix(QStringLiteral("csv"));
    connect(m_exportDialog, &QFileDialog::filterSelected, this, [this](const QString& filter) {
        m_exportDialog->setDefaultSuffix(filter == QLatin1String(OctaveFilter)  ? QStringLiteral("txt")
                                         : filter == QLatin1String(LatexFilter) ? QStringLiteral("tex")
                                                                                : QStringLiteral("csv"));
    });

    m_importDialog = makeDialog(window, QStringLiteral("Import Matrix"), ImportContext);
    m_importDialog->setObjectName(QStringLiteral("ImportDialog"));
    m_importDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_importDialog->setFileMode(QFileDialog::ExistingFile);
    m_importDialog->setNameFilters({QStringLiteral("Matrices (*.csv *.tsv *.txt *.dat)"),
                                    QStringLiteral("All files (*)")});
}

void TransferCommands::ExportClick() {
    const int slot = m_pick();
    if (slot < 1)
        return;
    const QString name = QString::fromStdString(m_workspace.Matrix(slot).Name);
    m_exportDialog->selectFile(name + QLatin1Char('.') + m_exportDialog->defaultSuffix());
    if (FileDialogs::Run(*m_exportDialog, true) != QDialog::Accepted ||
        m_exportDialog->selectedFiles().isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_exportDialog->selectedFiles().first());
    MatrixExport::Export(m_workspace, m_messages, slot, path.toStdString(), m_fractions());
}

void TransferCommands::ImportClick() {
    if (FileDialogs::Run(*m_importDialog) != QDialog::Accepted ||
        m_importDialog->selectedFiles().isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_importDialog->selectedFiles().first());
    MatrixImport::Import(m_workspace, m_messages, path.toStdString(), std::string());
}

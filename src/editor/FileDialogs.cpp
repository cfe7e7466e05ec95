// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace {
void closePopups(QFileDialog& dialog) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (QCompleter* completer = edit->completer())
            if (completer->popup() != nullptr)
                completer->popup()->hide();
    // Anything else still grabbing the keyboard belongs to the dialog too:
    // it was opened from a menu command whose own menus are closed by now.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        if (QApplication::activePopupWidget() == popup)
            break;
    }
}
} // namespace

const char* const FileDialogs::ReadOnlyMessage =
    "%1\nThis file is read-only. Choose another name.";

// Qt's own dialog shows "Look in:" and "Files of type:" beside their boxes
// without tying them together, so a screen reader names each box by its
// value alone.
void FileDialogs::Label(QFileDialog& dialog) {
    const struct {
        const char* label;
        const char* field;
        const char* name;
    } pairs[] = {{"lookInLabel", "lookInCombo", "Look in"},
                 {"fileTypeLabel", "fileTypeCombo", "Files of type"},
                 {"fileNameLabel", "fileNameEdit", "File name"}};
    for (const auto& pair : pairs) {
        auto* field = dialog.findChild<QWidget*>(QString::fromLatin1(pair.field));
        if (field == nullptr)
            continue;
        field->setAccessibleName(QString::fromLatin1(pair.name));
        if (auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(pair.label)))
            label->setBuddy(field);
    }
}

int FileDialogs::Run(QFileDialog& dialog, bool refuseReadOnly) {
    Label(dialog);
    if (!refuseReadOnly) {
        const int result = dialog.exec();
        closePopups(dialog);
        return result;
    }
    // A read-only file is refused before anything asks to replace it, so the
    // dialog's own overwrite question is asked here, after that test.
    const bool confirm = dialog.acceptMode() == QFileDialog::AcceptSave &&
                         !dialog.testOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    int result = QDialog::Rejected;
    for (;;) {
        result = dialog.exec();
        closePopups(dialog);
        if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            break;
        // Read-only as the file says, not as the user may do: root may
        // write anything, but a file marked read-only is still refused.
        const QFileInfo chosen(dialog.selectedFiles().first());
        constexpr QFile::Permissions writable =
            QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!chosen.exists() || chosen.isDir())
            break;
        if (!chosen.isWritable() || !(chosen.permissions() & writable)) {
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 QString::fromLatin1(ReadOnlyMessage).arg(chosen.filePath()));
            continue;
        }
        if (!confirm ||
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(chosen.fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
            break;
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirm);
    return result;
}

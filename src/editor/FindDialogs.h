// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The modeless find and replace dialogs of an editor window. They only ask
// and signal; the window's search engine does the work. The direction is
// always down, so no choice of it is offered.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    // With replacing, the dialog also has the replacement text and the
    // Replace and Replace All buttons.
    TFindDialog(bool replacing, QWidget* parent);

    QString FindText() const;
    void SetFindText(const QString& text);
    QString ReplaceText() const;
    bool MatchCase() const;

    QLineEdit* FindEdit;
    QLineEdit* ReplaceEdit;  // null in the find dialog
    QCheckBox* MatchCaseBox;
    QPushButton* FindNextButton;
    QPushButton* ReplaceButton;     // null in the find dialog
    QPushButton* ReplaceAllButton;  // null in the find dialog

protected:
    void showEvent(QShowEvent* event) override;

signals:
    void findNext();
    void replace();
    void replaceAll();
};

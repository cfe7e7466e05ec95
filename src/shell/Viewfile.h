// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPrinter>
#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The output viewer: shows a text file the program has just written,
// read-only and unwrapped, and prints it with ten blanks before every line.
// It closes as soon as the user turns to another window of the program
// (not when its own print dialog opens, nor when another program is
// activated); a closed viewer is only hidden, and lives until the program
// ends.
class TViewForm : public QWidget {
    Q_OBJECT
public:
    explicit TViewForm(QWidget* parent = nullptr);
    ~TViewForm() override;

    // The caption the viewer has until a file is shown.
    static QString DesignCaption();

    // The path of the file to show; set before ShowFile.
    QString ViewFileName;

    // Loads ViewFileName; captions the window with it in lower case. A file
    // that cannot be loaded shows "Error in loading " + ViewFileName +
    // " for viewing." and leaves the viewer empty.
    void ShowFile();

    // Shows the viewer maximised and makes it the active window.
    void Show();

    // The most recently created viewer.
    static TViewForm* ViewForm;

    // The viewer's help topic.
    static constexpr int HelpContext = 69;

    // The printer that PrintBtnClick's dialog sets up (tests point it at a
    // PDF file).
    QPrinter& Printer() { return m_printer; }
    QString Text() const;

public slots:
    void PrintBtnClick();
    void CloseForm();

protected:
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    bool OwnsWindow(const QWidget* window) const;
    QPlainTextEdit* m_viewMemo;
    QToolButton* m_printBtn;
    QPushButton* m_closeBtn;
    QWidget* m_panel;
    QPrinter m_printer;
    bool m_inOwnDialog = false;
};

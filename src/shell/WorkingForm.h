// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPrinter>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The window that shows a worked solution: the text read-only in a fixed
// font, with Print (through the print dialog, line by line) and Save as (the
// text as it stands, with CR LF line ends). Each worked solution gets a
// window of its own, which goes when it is closed.
class TWorkingForm : public QWidget {
    Q_OBJECT
public:
    // The help topic of worked solutions.
    static constexpr int HelpContext = 27;

    // Shows text (CR LF line ends) under caption in a new window.
    static TWorkingForm* ShowWorking(const QString& caption, const std::string& text);

    QString Text() const;
    QPrinter& Printer() { return m_printer; }

    void PrintBtnClick();
    void SaveAsBtnClick();
    // The worked solution typeset: its body on the clipboard, or a whole
    // document that pdflatex compiles as it stands.
    void CopyLatexBtnClick();
    void SaveLatexBtnClick();

    // Writes the text, or its LaTeX document, to path; false with a message
    // on failure.
    bool SaveTo(const QString& path);
    bool SaveLatexTo(const QString& path);

private:
    TWorkingForm(const QString& caption, const std::string& text);
    bool writeFile(const QString& path, const std::string& bytes);

    QPlainTextEdit* m_text;
    std::string m_bytes;
    QPrinter m_printer;
};

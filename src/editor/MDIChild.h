// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EditorFile.h"
#include "SearchEngine.h"

#include <QWidget>

class QAction;
class QComboBox;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QToolButton;
class TFindDialog;

// An editor window: one text and the identity of one file, inside the main
// window. Its File and Edit menus take the place of the main window's File
// menu while it is the active window. New, Open and Exit are the main
// window's: the editor only asks for them.
//
// The printer is the program's one printer, shared with every other window:
// Print setup chooses it for all of them, and it must outlive the window.
class TChild : public QWidget {
    Q_OBJECT
public:
    explicit TChild(QPrinter& printer, QWidget* parent = nullptr);
    ~TChild() override;

    // The file identity (nothing is read or checked on disk).
    void ParseFile(const QString& path);
    const EditorFile::Identity& Identity() const { return m_file; }

    // Loads a file, replacing the text; false after reporting a file that
    // cannot be read.
    bool Open(const QString& path);

    // The menus that stand in the main window's menu bar while this window
    // is active: File, then Edit.
    QList<QMenu*> Menus() const;

    // The save question: true when the window may close (nothing to save,
    // saved, or the edits given up); false on Cancel or a failed save.
    bool FormCloseQuery();

    // The program is ending and the question has been answered: close
    // without asking again.
    void SetCloseConfirmed() { m_closeConfirmed = true; }

    QPlainTextEdit* Memo() const { return m_memo; }
    QComboBox* FontNameBox() const { return m_comboBox1; }
    QComboBox* FontSizeBox() const { return m_comboBox2; }
    QAction* Action(const QString& objectName) const;
    SearchEngine& Search() { return m_search; }
    TFindDialog* FindTextDlg() const { return m_findDialog; }
    TFindDialog* ReplaceDialog() const { return m_replaceDialog; }
    QPrinter& Printer() { return m_printer; }
    bool IsModified() const;
    bool IsPrinting() const { return m_printing; }

    bool CloseAsked = false;

signals:
    void newRequested();
    void openRequested();
    void exitRequested();

public slots:
    void Save1Click();
    void SaveAs1Click();
    void Close1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void EnableEdits();
    void Left1Click();
    void Right1Click();
    void Center1Click();
    void LeftJustifyButtonClick();
    void CenterTextButtonClick();
    void RightJustifyButtonClick();
    void WrapIt();
    void Font1Click();
    void PrintSetup1Click();
    void Print1Click();
    void ComboBox1FontName();
    void ComboBox2FontSize();
    void FindTextClick();
    void ReplaceClick();
    void FindTextDlgFind();
    void ReplaceDialogFind();
    void ReplaceDialogReplace(bool all);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Startup();
    void createActions();
    void createMenus();
    void createToolStrip();
    bool save();
    void AlignClick(QAction* item);
    void setAlignment(Qt::Alignment alignment);
    void findNext(TFindDialog* dialog);
    void openSearch(TFindDialog* dialog, const QString& emptyNote);
    void ShowNote(const QString& text);
    void focusText();
    void reportError(const QString& text);

    QPlainTextEdit* m_memo = nullptr;
    QWidget* m_panel = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QComboBox* m_comboBox2 = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    TFindDialog* m_findDialog = nullptr;
    TFindDialog* m_replaceDialog = nullptr;
    EditorFile::Identity m_file;
    EditorFile::Encoding m_encoding = EditorFile::Encoding::Utf8;
    SearchEngine m_search;
    QFont m_fontDialogFont;
    QPrinter& m_printer;
    bool m_printing = false;
    bool m_cancelPrinting = false;
    bool m_closeAfterPrinting = false;
    bool m_closeConfirmed = false;
    int m_fontPoints = 8;  // as typed in the size box; 0 when it holds no number
};

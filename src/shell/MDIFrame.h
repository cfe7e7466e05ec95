// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BoxMessages.h"
#include "GVar.h"
#include "MyString.h"

#include <QDate>
#include <QMainWindow>
#include <QPrinter>

#include <functional>

class AlgebraCommands;
class EigenCommands;
class ExactCommands;
class GridCommands;
class SystemCommands;
class MatOperations;
class PracticeCommand;
class TransferCommands;
class QAction;
class QFileDialog;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class TChild;
class TMsgForm;

// The main window: the multiple-document frame in which every command
// starts. Its handlers stay thin: they ask for what the command needs,
// call the core and show the result.
class TFrameForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrameForm(QWidget* parent = nullptr);
    ~TFrameForm() override;

    // How long the start-up splash stays, as a number of whole-second ticks
    // to wait for (the splash lasts between this less one and this many
    // seconds). Tests set 0 before creating the window.
    static int SplashSeconds;

    GVar& Workspace() { return m_workspace; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QLabel* DateLabel() const { return m_dateLabel; }
    QLabel* TimeLabel() const { return m_timeLabel; }
    QFrame* Bevel() const { return m_bevel; }
    QFileDialog* OpenFileDialog() const { return m_openFileDialog; }
    QFileDialog* SaveDialog() const { return m_saveDialog; }
    QPrinter& Printer() { return m_printer; }
    TMsgForm* MsgForm() const { return m_msgForm; }
    ExactCommands* Exact() const { return m_exact; }
    QAction* Action(const QString& objectName) const;

    // The window's size and place on a screen of the given size.
    static QRect StartGeometry(const QSize& screen);

    // The editor windows, in the order of the Window menu.
    QList<TChild*> Editors() const;
    TChild* ActiveEditor() const;

public slots:
    void New1Click();
    void Open1Click();
    void OpenWindow();
    void Resize();
    void Timer1Timer();
    void Exit1Click();
    void Tile1Click();
    void Cascade1Click();
    void Arrangeicons1Click();
    void About2Click();
    void Help1Click();

    void Readfile1Click();
    void Writefile1Click();
    void Viewmatrix2lick();
    void Writematrices1Click();
    void Options2Click();
    void Copymatrix2Click();
    void Erasematrix1Click();
    void Renamematrix1Click();

    void Scalematrix1Click();
    void Transposematrix1Click();
    void Addmatrices1Click();
    void Subtractmatrices1Click();
    void Multiplymatrices1Click();
    void InvertClick();
    void Choleskydecompositionofmatrix1Click();
    void Fowardbacksubstitutionofma1Click();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void StartUp();
    void placeFrame();
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusPanel();
    void createDialogs();
    void updateWindowMenu();
    void mergeMenus();
    TChild* addEditor();
    void showEditor(TChild* editor);

    // Asks for one matrix; 0 when nothing was chosen.
    int pickMatrix();
    // Asks for two matrices, the second only when the first was chosen,
    // and runs operation on them.
    // then, when given, shows the worked solution of the command.
    void onTwo(void (MatOperations::*operation)(int, int),
               void (ExactCommands::*then)(int, int) const = nullptr);
    void onOne(void (MatOperations::*operation)(int),
               void (ExactCommands::*then)(int) const = nullptr);
    bool printView(const QString& text);

    GVar m_workspace;
    BoxMessages m_messages;
    MyString m_reader;

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_windowMenu = nullptr;
    QStatusBar* m_panel = nullptr;
    QFrame* m_bevel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QTimer* m_timer = nullptr;
    QFileDialog* m_openFileDialog = nullptr;
    QFileDialog* m_saveDialog = nullptr;
    // The program's one printer: the editor windows print on it too, at the
    // printer's own resolution.
    QPrinter m_printer{QPrinter::HighResolution};
    TMsgForm* m_msgForm = nullptr;
    ExactCommands* m_exact = nullptr;
    SystemCommands* m_systems = nullptr;
    EigenCommands* m_eigen = nullptr;
    AlgebraCommands* m_algebra = nullptr;
    TransferCommands* m_transfer = nullptr;
    GridCommands* m_grid = nullptr;
    PracticeCommand* m_practice = nullptr;
    QDate m_lastShownDate;
    bool m_centred = false;
    QMargins m_placedMargins;
    int NewFileCounter = 0;
    QList<QMenu*> m_ownMenus;  // File, Matrices, Numerical operations, Linear algebra, Window, Help
};

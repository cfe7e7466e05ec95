// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's commands: its menus, built from tables, the toolbar,
// and the merging of an active editor window's menus into the menu bar.
#include "MDIFrame.h"

#include "ExactCommands.h"
#include "GridCommands.h"
#include "LinearAlgebraMenu.h"
#include "MDIChild.h"
#include "ToolIcons.h"
#include "TransferCommands.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <iterator>

namespace {
using Kind = ToolIcons::Kind;

// A tool button whose hint is "none" shows no tool tip at all, rather than
// the caption the toolkit would fall back to.
class NoToolTip : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

// One command of the menus: its caption, help context, hint and handler.
struct Command {
    const char* name;
    const char* caption;
    int helpContext;
    const char* hint;
    void (TFrameForm::*handler)();
    bool hasIcon;
    Kind icon;
};

const Command MatrixCommands[] = {
    {"Options2", "&Display options", 6, "Select the number of decimal positions",
     &TFrameForm::Options2Click, true, Kind::Options},
    {"Readfile1", "&Read file", 7, "Read a file of matrices", &TFrameForm::Readfile1Click, true,
     Kind::ReadFile},
    {"Writefile1", "&Write file", 8, "Write a file of matrices", &TFrameForm::Writefile1Click,
     true, Kind::WriteFile},
    {"Viewmatrix2", "&View matrix", 9, "View a single matrix", &TFrameForm::Viewmatrix2lick, true,
     Kind::View},
    {"Writematrices1", "&List matrix", 10, "Send matrices to a file for printing",
     &TFrameForm::Writematrices1Click, true, Kind::List},
    {"Copymatrix2", "&Copy matrix", 11, "Copy a matrix", &TFrameForm::Copymatrix2Click, false,
     Kind::View},
    {"Erasematrix1", "&Erase matrix", 12, "Erase a matrix", &TFrameForm::Erasematrix1Click, true,
     Kind::Erase},
    {"Renamematrix1", "Re&name matrix", 13, "Rename a matrix", &TFrameForm::Renamematrix1Click,
     true, Kind::Rename},
};

const Command NumericCommands[] = {
    {"Scalematrix1", "&Scale matrix", 14, "Scale a matrix by a scale factor",
     &TFrameForm::Scalematrix1Click, true, Kind::Scale},
    {"Transposematrix1", "&Transpose matrix", 15, "Transpose a matrix",
     &TFrameForm::Transposematrix1Click, true, Kind::Transpose},
    {"Addmatrices1", "&Add matrices", 16, "Add two matrices", &TFrameForm::Addmatrices1Click, true,
     Kind::Add},
    {"Subtractmatrices1", "&Subtract matrices", 17, "Subtract two matrices",
     &TFrameForm::Subtractmatrices1Click, true, Kind::Subtract},
    {"Multiplymatrices1", "&Multiply matrices", 18, "Multiply two matrices",
     &TFrameForm::Multiplymatrices1Click, true, Kind::Multiply},
    {"Invert", "&Invert matriix", 19, "Invert a matrix", &TFrameForm::InvertClick, true,
     Kind::Invert},
    {"Choleskydecompositionofmatrix1", "&Cholesky decomposition of matrix", 20,
     "Decompose a matrix using the Cholesky method",
     &TFrameForm::Choleskydecompositionofmatrix1Click, false, Kind::Cholesky},
    {"Fowardbacksubstitutionofma1", "&Foward/back substitution", 0,
     "Solve a matrix system using a Cholesky decomposed matrix and a constant matrix",
     &TFrameForm::Fowardbacksubstitutionofma1Click, false, Kind::Cholesky},
};

// The toolbar, left to right; an empty name is a separator.
struct ToolButton {
    const char* action;
    const char* hint;
};

const ToolButton ToolButtons[] = {
    {"New1", "Create a new file."},
    {"Open1", "Open an existing file."},
    {"", ""},
    {"Readfile1", "Read a matrix file for computations."},
    {"Writefile1", "Write matrices to a file."},
    {"", ""},
    {"Options2", "Matrix display options"},
    {"Viewmatrix2", "View a matrix"},
    {"Renamematrix1", "Rename a matrix"},
    {"Writematrices1", "List matrices to an output file."},
    {"Erasematrix1", "Erase a matrix."},
    {"", ""},
    {"Scalematrix1", "Scale a matrix"},
    {"Transposematrix1", ""},
    {"Addmatrices1", "Add two matrices"},
    {"Subtractmatrices1", ""},
    {"Multiplymatrices1", ""},
    {"Invert", "Invert a matrix"},
    {"", ""},
    {"Help1", "Get help"},
};
} // namespace

void TFrameForm::createActions() {
    const auto make = [this](const char* name, const QString& caption, int helpContext,
                             const QString& hint) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setProperty("helpContext", helpContext);
        action->setStatusTip(hint);
        action->setToolTip(hint);
        return action;
    };

    QAction* newAction = make("New1", QStringLiteral("&New"), 2,
                              QStringLiteral("Create a new edit window."));
    newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newAction->setIcon(ToolIcons::Make(Kind::New));
    connect(newAction, &QAction::triggered, this, &TFrameForm::New1Click);
    QAction* openAction = make("Open1", QStringLiteral("&Open..."), 2,
                               QStringLiteral("Open an existing file into an edit window."));
    openAction->setIcon(ToolIcons::Make(Kind::Open));
    connect(openAction, &QAction::triggered, this, &TFrameForm::Open1Click);
    QAction* exitAction = make("Exit1", QStringLiteral("E&xit"), 2, QStringLiteral("Leave Lynxhold."));
    connect(exitAction, &QAction::triggered, this, &TFrameForm::Exit1Click);

    for (const Command* list : {MatrixCommands, NumericCommands}) {
        const int count = list == MatrixCommands ? std::size(MatrixCommands) : std::size(NumericCommands);
        for (int i = 0; i < count; ++i) {
            const Command& c = list[i];
            QAction* action = make(c.name, QString::fromLatin1(c.caption), c.helpContext,
                                   QString::fromLatin1(c.hint));
            if (c.hasIcon)
                action->setIcon(ToolIcons::Make(c.icon));
            else
                action->setIconVisibleInMenu(false);
            connect(action, &QAction::triggered, this, c.handler);
        }
    }
    // The captions keep their spelling; a screen reader says the words.
    Action(QStringLiteral("Invert"))->setProperty("accessibleName", QStringLiteral("Invert matrix"));
    Action(QStringLiteral("Fowardbacksubstitutionofma1"))
        ->setProperty("accessibleName", QStringLiteral("Forward/back substitution"));

    connect(make("Tile1", QStringLiteral("&Tile"), 5, QStringLiteral("Tile edit windows")),
            &QAction::triggered, this, &TFrameForm::Tile1Click);
    connect(make("Cascade1", QStringLiteral("&Cascade"), 5,
                 QStringLiteral("Have open edit windows cascade.")),
            &QAction::triggered, this, &TFrameForm::Cascade1Click);
    connect(make("Arrangeicons1", QStringLiteral("&Arrange icons"), 5,
                 QStringLiteral("Arrange reduced window icons.")),
            &QAction::triggered, this, &TFrameForm::Arrangeicons1Click);
    connect(make("About2", QStringLiteral("&About"), 4, QStringLiteral("Check for latest updates")),
            &QAction::triggered, this, &TFrameForm::About2Click);
    QAction* help = make("Help1", QStringLiteral("&Help"), 1, QStringLiteral("Get help on this program."));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setIcon(ToolIcons::Make(Kind::Help));
    connect(help, &QAction::triggered, this, &TFrameForm::Help1Click);
}

void TFrameForm::createMenus() {
    const auto place = [this](QMenu* m) {
        menuBar()->addMenu(m);
        m_ownMenus.append(m);
        m->setToolTipsVisible(false);
    };
    const auto menu = [this, &place](const QString& title, int helpContext, const QString& hint) {
        auto* m = new QMenu(title, this);
        place(m);
        m->menuAction()->setProperty("helpContext", helpContext);
        m->menuAction()->setStatusTip(hint);
        return m;
    };
    QMenu* file = menu(QStringLiteral("&File"), 2, QStringLiteral("Create, open, close, print files."));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(Action(QStringLiteral("New1")));
    file->addAction(Action(QStringLiteral("Open1")));
    file->addSeparator();
    file->addAction(Action(QStringLiteral("Exit1")));

    QMenu* matrices = menu(QStringLiteral("&Matrices"), 0, QString());
    matrices->setObjectName(QStringLiteral("Matrices1"));
    for (const Command& c : MatrixCommands)
        matrices->addAction(Action(QString::fromLatin1(c.name)));
    matrices->addSeparator();
    matrices->addActions(m_grid->Actions());
    matrices->addActions(m_transfer->Actions());
    matrices->addSeparator();
    matrices->addAction(m_exact->ShowFractionsAction());

    QMenu* numeric = menu(QStringLiteral("&Numerical operations"), 1,
                          QStringLiteral("Various fundamental survey computations."));
    numeric->setObjectName(QStringLiteral("Programs1"));
    for (const Command& c : NumericCommands)
        numeric->addAction(Action(QString::fromLatin1(c.name)));

    place(new LinearAlgebraMenu(*m_exact, *m_practice, *m_systems, *m_eigen, *m_algebra, this));

    m_windowMenu = menu(QStringLiteral("&Window"), 5,
                        QStringLiteral("Select, tile, cascade and arrange edit windows."));
    m_windowMenu->setObjectName(QStringLiteral("Window1"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TFrameForm::updateWindowMenu);
    updateWindowMenu();

    QMenu* helpMenu = menu(QStringLiteral("&Help"), 4, QStringLiteral("Get help and learn about software"));
    helpMenu->setObjectName(QStringLiteral("Help2"));
    helpMenu->addAction(Action(QStringLiteral("About2")));
    helpMenu->addAction(Action(QStringLiteral("Help1")));
}

// The Window menu lists the open editor windows after its commands.
void TFrameForm::updateWindowMenu() {
    m_windowMenu->clear();
    m_windowMenu->addAction(Action(QStringLiteral("Tile1")));
    m_windowMenu->addAction(Action(QStringLiteral("Cascade1")));
    m_windowMenu->addAction(Action(QStringLiteral("Arrangeicons1")));
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (!windows.isEmpty())
        m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle())
                                         : QStringLiteral("%1 %2").arg(number).arg(window->windowTitle());
        QAction* action = m_windowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->activeSubWindow());
        connect(action, &QAction::triggered, m_mdiArea,
                [this, window] { m_mdiArea->setActiveSubWindow(window); });
        ++number;
    }
}

void TFrameForm::createToolBar() {
    m_toolBar = addToolBar(QStringLiteral("ToolBar1"));
    // Qt's button for the tools that do not fit has a picture only.
    if (auto* more = m_toolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More tools"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setFixedHeight(29);
    int number = 0;
    for (const ToolButton& b : ToolButtons) {
        if (*b.action == '\0') {
            m_toolBar->addSeparator();
            continue;
        }
        // A toolbar button has a hint of its own, so it gets an action of
        // its own that runs the menu item's.
        QAction* item = Action(QString::fromLatin1(b.action));
        auto* button = new QAction(item->icon(), item->text().remove(QLatin1Char('&')), this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(++number));
        button->setToolTip(QString::fromLatin1(b.hint));
        button->setStatusTip(QString::fromLatin1(b.hint));
        connect(button, &QAction::triggered, item, &QAction::trigger);
        connect(item, &QAction::enabledChanged, button, &QAction::setEnabled);
        button->setEnabled(item->isEnabled());
        m_toolBar->addAction(button);
        QWidget* tool = m_toolBar->widgetForAction(button);
        const QString spoken = item->property("accessibleName").toString();
        tool->setAccessibleName(spoken.isEmpty() ? button->text() : spoken);
        tool->setAccessibleDescription(QString::fromLatin1(b.hint));
        if (*b.hint == '\0')
            m_toolBar->widgetForAction(button)->installEventFilter(new NoToolTip(button));
    }
}

// While an editor window is active its File and Edit menus stand in the
// menu bar in place of the main window's File menu.
void TFrameForm::mergeMenus() {
    TChild* editor = ActiveEditor();
    menuBar()->clear();
    if (editor != nullptr) {
        for (QMenu* menu : editor->Menus())
            menuBar()->addMenu(menu);
    } else {
        menuBar()->addMenu(m_ownMenus.first());
    }
    for (int i = 1; i < m_ownMenus.size(); ++i)
        menuBar()->addMenu(m_ownMenus.at(i));
}

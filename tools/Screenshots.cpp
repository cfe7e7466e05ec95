// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Takes pictures of the program as a user sees it: run under an X server
// with a window manager (`make screenshots`). It reads the examples, then
// opens the main window's commands one after another and saves the screen
// while each window is up.
#include "Application.h"
#include "ExactCommands.h"
#include "GridMatForm.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "MatrixGridModel.h"
#include "MatrixGridView.h"
#include "MessageForm.h"
#include "PracticeWindow.h"
#include "Viewfile.h"
#include "WorkingForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {
QString outputDir;

void save(const QString& name) {
    QTest::qWait(400);  // let the window manager map and paint
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = outputDir + QLatin1Char('/') + name + QStringLiteral(".png");
    std::printf("%s %s\n", shot.save(path) ? "saved" : "could not save", qPrintable(path));
}

void whenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(50, [action = std::move(action)] {
        if (QWidget* modal = QApplication::activeModalWidget())
            action(modal);
        else
            whenModal(action);
    });
}

// As whenModal, for the modal window that another one, still open below
// it, is about to show.
void whenModalOver(QWidget* below, std::function<void(QWidget*)> action) {
    QTimer::singleShot(50, [below, action = std::move(action)] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != below)
            action(modal);
        else
            whenModalOver(below, action);
    });
}

// The worked solution on show, at a size that reads well, then closed.
void saveWorking(const QString& name) {
    QApplication::processEvents();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* working = qobject_cast<TWorkingForm*>(window); working != nullptr && working->isVisible()) {
            working->move(40, 30);
            working->resize(900, 700);
            QApplication::processEvents();
            save(name);
            working->close();
        }
}

void press(QWidget* window, const QString& caption) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text().remove(QLatin1Char('&')) == caption) {
            button->click();
            return;
        }
}

void typePath(QWidget* window, const QString& path) {
    auto* name = window->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}
} // namespace

int main(int argc, char** argv) {
    Application application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zendra-screenshots EXAMPLES_DIR OUTPUT_DIR\n");
        return 2;
    }
    const QString examples = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    outputDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outputDir);

    TFrameForm::SplashSeconds = 0;
    TFrameForm frame;
    frame.show();
    save(QStringLiteral("main-window"));

    whenModal([&](QWidget* w) {
        save(QStringLiteral("read-file"));
        typePath(w, examples + QStringLiteral("/system.dat"));
    });
    frame.Readfile1Click();

    // Cholesky of A, then the selection list as the solve shows it.
    whenModal([](QWidget* w) {
        w->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(w, QStringLiteral("OK"));
    });
    frame.Choleskydecompositionofmatrix1Click();
    whenModal([](QWidget* w) {
        w->findChild<QListWidget*>()->item(2)->setSelected(true);
        save(QStringLiteral("selection-list"));
        press(w, QStringLiteral("OK"));
        whenModal([](QWidget* second) {
            second->findChild<QListWidget*>()->item(1)->setSelected(true);
            press(second, QStringLiteral("OK"));
        });
    });
    frame.Fowardbacksubstitutionofma1Click();

    whenModal([](QWidget* w) {
        w->findChild<QListWidget*>()->item(2)->setSelected(true);
        press(w, QStringLiteral("OK"));
        whenModal([](QWidget* form) {
            save(QStringLiteral("results-form"));
            press(form, QStringLiteral("Close"));
        });
    });
    frame.Viewmatrix2lick();

    const QString listing = QDir::tempPath() + QStringLiteral("/zendra-screenshot-listing");
    whenModal([&](QWidget* w) {
        typePath(w, listing);
        whenModal([](QWidget* selection) {
            auto* list = selection->findChild<QListWidget*>();
            for (int row = 0; row < list->count(); ++row)
                list->item(row)->setSelected(true);
            save(QStringLiteral("list-selection"));
            press(selection, QStringLiteral("Ok"));
        });
    });
    frame.Writematrices1Click();
    save(QStringLiteral("viewer"));
    if (TViewForm::ViewForm != nullptr)
        TViewForm::ViewForm->CloseForm();
    QFile::remove(listing + QStringLiteral(".out"));

    // The worked inverse of A, as Show working shows it.
    frame.Exact()->ShowWorkingAction()->setChecked(true);
    whenModal([](QWidget* w) {
        w->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(w, QStringLiteral("OK"));
    });
    frame.InvertClick();
    saveWorking(QStringLiteral("worked-solution"));

    // The general solution of a system with two free variables.
    whenModal([&](QWidget* w) { typePath(w, examples + QStringLiteral("/freevars.dat")); });
    frame.Readfile1Click();
    const int a = frame.Workspace().MatrixCount - 1;
    whenModal([a](QWidget* w) {
        w->findChild<QListWidget*>()->item(a - 1)->setSelected(true);
        press(w, QStringLiteral("OK"));
        whenModal([a](QWidget* second) {
            second->findChild<QListWidget*>()->item(a)->setSelected(true);
            // The message box that says how the results make every solution.
            whenModal([](QWidget* box) { press(box, QStringLiteral("OK")); });
            press(second, QStringLiteral("OK"));
        });
    });
    frame.findChild<QAction*>(QStringLiteral("Solvesystem1"))->trigger();
    saveWorking(QStringLiteral("solve-system"));

    // The worked eigenvectors of a 3 x 3 with a repeated eigenvalue.
    whenModal([&](QWidget* w) { typePath(w, examples + QStringLiteral("/eigen.dat")); });
    frame.Readfile1Click();
    const int e = frame.Workspace().MatrixCount;
    whenModal([e](QWidget* w) {
        w->findChild<QListWidget*>()->item(e - 1)->setSelected(true);
        press(w, QStringLiteral("OK"));
    });
    frame.findChild<QAction*>(QStringLiteral("Eigenvectors1"))->trigger();
    saveWorking(QStringLiteral("eigenvectors"));
    frame.Exact()->ShowWorkingAction()->setChecked(false);

    // Practising row operations on [A | b] of the first example, read
    // again: three steps typed, then a hint.
    whenModal([&](QWidget* w) { typePath(w, examples + QStringLiteral("/system.dat")); });
    frame.Readfile1Click();
    whenModal([](QWidget* w) {
        w->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(w, QStringLiteral("OK"));
    });
    frame.findChild<QAction*>(QStringLiteral("Practise1"))->trigger();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* practice = qobject_cast<PracticeWindow*>(window);
            practice != nullptr && practice->isVisible()) {
            whenModal([](QWidget* w) {
                w->findChild<QListWidget*>()->item(1)->setSelected(true);
                press(w, QStringLiteral("OK"));
            });
            practice->findChild<QCheckBox*>(QStringLiteral("RightHandSide"))->click();
            auto* field = practice->findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
            for (const char* operation :
                 {"R2 <- R2 - (1/2) R1", "R3 + (1/2) R1 -> R3", "R3 = R3 - (5/9) R2"}) {
                QTest::keyClicks(field, QString::fromLatin1(operation));
                QTest::keyClick(field, Qt::Key_Return);
            }
            practice->HintClick();
            practice->move(40, 30);
            practice->resize(940, 680);
            practice->activateWindow();
            field->setFocus();
            QApplication::processEvents();
            save(QStringLiteral("practice"));
            whenModal([](QWidget* question) { press(question, QStringLiteral("Close")); });
            practice->CloseClick();
        }

    // New matrix with a block pasted from a spreadsheet, one cell marked.
    whenModal([](QWidget* w) {
        auto* form = qobject_cast<TGridMatForm*>(w);
        form->NameEdit->setText(QStringLiteral("Prices"));
        form->Grid->PasteText(QStringLiteral("12.5\t3\t1/3\t0\n-4\t2.25\t7\t1e-3\n"
                                             "0.5\t8\t-1/8\t6\n2\t2x\t9\t-2.5\n"));
        form->Model->Mark({{4, 2}});
        form->Grid->setCurrentIndex(form->Model->index(0, 0));
        QApplication::processEvents();
        save(QStringLiteral("new-matrix"));
        // Cells were pasted into, so Cancel asks before it throws them away.
        whenModalOver(w, [](QWidget* question) { press(question, QStringLiteral("Discard")); });
        press(w, QStringLiteral("Cancel"));
    });
    frame.findChild<QAction*>(QStringLiteral("Newmatrix1"))->trigger();

    // After Write file, File > Open keeps its title but is an open dialog.
    whenModal([](QWidget* w) { press(w, QStringLiteral("Cancel")); });
    frame.Writefile1Click();
    // An editor window on a data file, with the find dialog open.
    whenModal([&](QWidget* w) {
        save(QStringLiteral("open-after-write"));
        typePath(w, examples + QStringLiteral("/system.dat"));
    });
    frame.Open1Click();
    if (TChild* editor = frame.ActiveEditor()) {
        editor->Memo()->moveCursor(QTextCursor::Down);
        editor->Memo()->moveCursor(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        editor->FindTextClick();
        save(QStringLiteral("editor-find"));
        editor->SetCloseConfirmed();
    }
    return 0;
}

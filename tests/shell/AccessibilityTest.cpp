// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every window as a screen reader meets it, through Qt's own accessibility
// interfaces: no control a user can reach or act on goes unnamed, every
// field has a name or a label, and the text a student reads offers the text
// interface, so that it can be read line by line.
#include "FindDialogs.h"
#include "MatrixGridView.h"
#include "RecordingMessages.h"
#include "GridMatForm.h"
#include "HelpSystem.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "MessageForm.h"
#include "ModalDriver.h"
#include "PracticeWindow.h"
#include "Viewfile.h"
#include "WorkingForm.h"
#include "WorkspaceBuilder.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString describe(QAccessibleInterface* iface) {
    QObject* o = iface->object();
    return QStringLiteral("role %1 %2 \"%3\"")
        .arg(static_cast<int>(iface->role()))
        .arg(o != nullptr ? QString::fromLatin1(o->metaObject()->className()) + " " + o->objectName()
                          : QStringLiteral("(no object)"))
        .arg(iface->text(QAccessible::Name));
}

bool isField(QAccessible::Role role) {
    return role == QAccessible::EditableText || role == QAccessible::SpinBox ||
           role == QAccessible::ComboBox;
}

// The objects under iface that a user reaches or acts on without a name,
// and the fields with neither a name nor a label.
void walk(QAccessibleInterface* iface, QStringList& problems, int depth = 0) {
    if (iface == nullptr || !iface->isValid() || depth > 30)
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QString name = iface->text(QAccessible::Name).trimmed();
    const bool acts = iface->actionInterface() != nullptr &&
                      !iface->actionInterface()->actionNames().isEmpty();
    const QAccessible::Role role = iface->role();
    // Table cells and list items are named by their contents; an empty
    // cell is a cell still to be filled.
    const bool item = role == QAccessible::Cell || role == QAccessible::ListItem ||
                      role == QAccessible::TreeItem ||
                      role == QAccessible::ColumnHeader || role == QAccessible::RowHeader ||
                      role == QAccessible::MenuItem;
    if (!item && (state.focusable || acts) && name.isEmpty())
        problems << "unnamed: " + describe(iface);
    // A combo box or a spin box is otherwise named by its value.
    auto* widget = qobject_cast<QWidget*>(iface->object());
    const bool named = widget != nullptr ? !widget->accessibleName().isEmpty() : !name.isEmpty();
    if (isField(role) && !named && iface->relations(QAccessible::Label).isEmpty())
        problems << "unlabelled field: " + describe(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), problems, depth + 1);
}

// The text, line by line as a screen reader asks for it, without line
// ends and trailing blanks.
QStringList linesOf(QAccessibleTextInterface* text) {
    QStringList lines;
    int start = 0;
    int end = 0;
    for (int offset = 0; offset < text->characterCount(); offset = end) {
        QString line = text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        if (end <= offset)
            break;
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        lines << line;
    }
    return lines;
}

// The Alt keys two controls of window share.
QString sharedAltKeys(QWidget* window) {
    QString keys;
    QString shared;
    const auto add = [&](const QString& caption) {
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= caption.size())
            return;
        const QChar key = caption.at(at + 1).toLower();
        (keys.contains(key) ? shared : keys) += key;
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(window))
            add(b->text());
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy() != nullptr && l->isVisibleTo(window))
            add(l->text());
    return shared;
}

QStringList problemsOf(QWidget* window) {
    QStringList problems;
    walk(QAccessible::queryAccessibleInterface(window), problems);
    return problems;
}

bool readable(QWidget* text) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(text);
    return iface != nullptr && iface->textInterface() != nullptr &&
           iface->textInterface()->characterCount() > 0;
}

class Accessibility : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        HelpSystem::Install(*qApp);
        frame = std::make_unique<TFrameForm>();
        HelpSystem::SetApplicationHelpFile(QStringLiteral(ZENDRA_HELP_FILE));
        AddMatrix(frame->Workspace(), "A", {{1, 2}, {3, 4}});
        frame->show();
    }
    void TearDown() override {
        if (QWidget* help = HelpSystem::Window())
            help->close();
    }

    // The problems of the modal window a command opens, which is then
    // cancelled; with pick, a selection list comes first and chooses A.
    QStringList modalProblems(const std::function<void()>& command, bool pick = false,
                              QWidget** seen = nullptr) {
        QStringList problems;
        const auto inspect = [&problems, seen](QWidget* w) {
            problems = problemsOf(w);
            if (seen != nullptr)
                *seen = w;
            if (auto* dialog = qobject_cast<QDialog*>(w))
                dialog->reject();
            else
                w->close();
        };
        if (pick)
            WhenModal([inspect](QWidget* list) {
                WhenModal(inspect);
                list->findChild<QListWidget*>()->item(0)->setSelected(true);
                press(list, QStringLiteral("OK"));
            });
        else
            WhenModal(inspect);
        command();
        return problems;
    }

    std::unique_ptr<TFrameForm> frame;
};

#define EXPECT_NO_PROBLEMS(list) EXPECT_TRUE((list).isEmpty()) << (list).join('\n').toStdString()

TEST_F(Accessibility, MainWindowAndItsDialogs) {
    EXPECT_NO_PROBLEMS(problemsOf(frame.get()));
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->Copymatrix2Click(); }));      // selection list
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->Options2Click(); }));         // decimals
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->Scalematrix1Click(); }, true));
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->Renamematrix1Click(); }, true));
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->Readfile1Click(); }));
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->Writefile1Click(); }));
    EXPECT_NO_PROBLEMS(modalProblems([&] { frame->About2Click(); }));
    QWidget* grid = nullptr;
    EXPECT_NO_PROBLEMS(modalProblems(
        [&] { frame->findChild<QAction*>(QStringLiteral("Newmatrix1"))->trigger(); }, false,
        &grid));
    ASSERT_NE(grid, nullptr);
    QWidget* power = nullptr;
    EXPECT_NO_PROBLEMS(modalProblems(
        [&] { frame->findChild<QAction*>(QStringLiteral("Power1"))->trigger(); }, true, &power));
    ASSERT_NE(power, nullptr);
}

TEST_F(Accessibility, TheResultsFormReadsLineByLine) {
    QWidget* form = nullptr;
    QStringList problems;
    QStringList lines;
    bool text = false;
    WhenModal([&](QWidget* list) {
        WhenModal([&](QWidget* w) {
            form = w;
            problems = problemsOf(w);
            for (QWidget* child : w->findChildren<QWidget*>())
                if (QAccessibleTextInterface* t =
                        QAccessible::queryAccessibleInterface(child)->textInterface()) {
                    lines = linesOf(t);
                    text = true;
                }
            press(w, QStringLiteral("Close"));
        });
        list->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(list, QStringLiteral("OK"));
    });
    frame->findChild<QAction*>(QStringLiteral("Viewmatrix2"))->trigger();
    ASSERT_NE(form, nullptr);
    EXPECT_NO_PROBLEMS(problems);
    ASSERT_TRUE(text);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("A"), QStringLiteral("2, 2"),
                                  QStringLiteral("  1.00000   2.00000"),
                                  QStringLiteral("  3.00000   4.00000")}));
}

TEST_F(Accessibility, EditorFindAndReadingWindows) {
    frame->New1Click();
    ASSERT_FALSE(frame->Editors().isEmpty());
    TChild* editor = frame->Editors().first();
    EXPECT_NO_PROBLEMS(problemsOf(editor));
    TFindDialog find(false, editor);
    find.show();
    EXPECT_NO_PROBLEMS(problemsOf(&find));
    TFindDialog replace(true, editor);
    replace.show();
    EXPECT_NO_PROBLEMS(problemsOf(&replace));

    TWorkingForm* working = TWorkingForm::ShowWorking(QStringLiteral("det(A)"), "det(A) = -2\r\n");
    EXPECT_NO_PROBLEMS(problemsOf(working));
    EXPECT_TRUE(readable(working->findChild<QPlainTextEdit*>()));
    working->close();

    HelpSystem::ShowContents(QStringLiteral(ZENDRA_HELP_FILE));
    ASSERT_NE(HelpSystem::Window(), nullptr);
    EXPECT_NO_PROBLEMS(problemsOf(HelpSystem::Window()));

    TViewForm viewer;
    viewer.show();
    EXPECT_NO_PROBLEMS(problemsOf(&viewer));

    RecordingMessages messages;
    auto* practice = new PracticeWindow(frame->Workspace(), messages, [] { return 1; }, 1, nullptr);
    practice->show();
    EXPECT_NO_PROBLEMS(problemsOf(practice));
    EXPECT_EQ(sharedAltKeys(practice), QString());
    practice->close(); // deletes itself
}

// The grid announces "Row i" and "Column j" for its headers and each
// cell's text, the cell being typed in says where it is, and Ctrl+Tab and
// Ctrl+Shift+Tab leave the grid where Tab moves between cells.
TEST_F(Accessibility, TheGridAnnouncesItsCellsAndLetsTheKeyboardOut) {
    bool checked = false;
    const auto check = [&](QWidget* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* grid = dialog->findChild<MatrixGridView*>();
        ASSERT_NE(grid, nullptr);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
        ASSERT_NE(table->tableInterface(), nullptr);
        QStringList headers;
        for (int i = 0; i < table->childCount(); ++i) {
            QAccessibleInterface* c = table->child(i);
            if (c->role() == QAccessible::ColumnHeader || c->role() == QAccessible::RowHeader)
                headers << c->text(QAccessible::Name);
        }
        EXPECT_TRUE(headers.contains(QStringLiteral("Row 1")));
        EXPECT_TRUE(headers.contains(QStringLiteral("Column 2")));
        grid->model()->setData(grid->model()->index(0, 1), QStringLiteral("7/4"));
        EXPECT_EQ(table->tableInterface()->cellAt(0, 1)->text(QAccessible::Name),
                  QStringLiteral("7/4"));

        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClick(grid, Qt::Key_Tab);
        EXPECT_TRUE(grid->hasFocus());
        EXPECT_EQ(grid->currentIndex().column(), 1);
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = grid->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->accessibleName(), QStringLiteral("Row 1, column 2"));
        QTest::keyClick(editor, Qt::Key_Escape);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_FALSE(grid->hasFocus());
        QWidget* next = QApplication::focusWidget();
        QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_TRUE(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_FALSE(grid->hasFocus());
        EXPECT_NE(QApplication::focusWidget(), next);
        EXPECT_EQ(sharedAltKeys(dialog), QString());
        checked = true;
    };
    WhenModal([&](QWidget* dialog) {
        check(dialog);
        // The typed cell makes closing ask whether to discard it.
        WhenModal([](QWidget* question) { press(question, QStringLiteral("Discard")); });
        static_cast<QDialog*>(dialog)->reject();
    });
    frame->findChild<QAction*>(QStringLiteral("Newmatrix1"))->trigger();
    EXPECT_TRUE(checked);
}

// Menu items speak their hints, say that a switch can be checked before it
// is, and say the words a caption spells oddly.
TEST_F(Accessibility, MenuItemsSayTheirHintsAndStates) {
    const auto item = [&](const char* name) {
        return QAccessible::queryAccessibleInterface(
            frame->findChild<QAction*>(QString::fromLatin1(name)));
    };
    QAccessibleInterface* working = item("ShowWorking1");
    ASSERT_NE(working, nullptr);
    EXPECT_TRUE(working->state().checkable);
    EXPECT_FALSE(working->state().checked);
    EXPECT_EQ(item("Invert")->text(QAccessible::Name), QStringLiteral("Invert matrix"));
    EXPECT_EQ(item("Fowardbacksubstitutionofma1")->text(QAccessible::Name),
              QStringLiteral("Forward/back substitution"));
    EXPECT_EQ(item("Invert")->text(QAccessible::Description), QStringLiteral("Invert a matrix"));
    // Every item of every menu of the bar has a name, and one with a hint
    // describes itself by it.
    int described = 0;
    for (QMenu* menu : frame->findChildren<QMenu*>()) {
        QAccessibleInterface* m = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < m->childCount(); ++i) {
            QAccessibleInterface* c = m->child(i);
            auto* action = qobject_cast<QAction*>(c->object());
            if (action == nullptr || action->isSeparator())
                continue;
            EXPECT_FALSE(c->text(QAccessible::Name).isEmpty()) << action->text().toStdString();
            if (!action->toolTip().isEmpty() &&
                action->toolTip() != action->text().remove(QLatin1Char('&'))) {
                EXPECT_EQ(c->text(QAccessible::Description), action->toolTip());
                ++described;
            }
        }
    }
    EXPECT_GT(described, 40);
}

// Windows a student only reads close on Esc, and Tab leaves their texts
// for their buttons.
TEST_F(Accessibility, ReadingWindowsCloseOnEscAndTabReachesTheHelpButtons) {
    TWorkingForm* working = TWorkingForm::ShowWorking(QStringLiteral("det(A)"), "det(A) = -2\r\n");
    working->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(working));
    EXPECT_EQ(sharedAltKeys(working), QString());
    auto* text = working->findChild<QPlainTextEdit*>();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_NE(qobject_cast<QPushButton*>(QApplication::focusWidget()), nullptr);
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(working->isVisible());

    HelpSystem::ShowContents(QStringLiteral(ZENDRA_HELP_FILE));
    QWidget* help = HelpSystem::Window();
    ASSERT_NE(help, nullptr);
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    EXPECT_EQ(sharedAltKeys(help), QString());
    QWidget* browser = help->findChild<QWidget*>(QStringLiteral("helpBrowser"));
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    EXPECT_NE(qobject_cast<QPushButton*>(QApplication::focusWidget()), nullptr);
}

} // namespace

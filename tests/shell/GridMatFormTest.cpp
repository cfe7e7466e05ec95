// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// New matrix and Edit matrix driven through the real menus, the grid and
// the message boxes, by keys where a user would use keys.
#include "GridMatForm.h"
#include "ExactCommands.h"
#include "GVar.h"
#include "MDIFrame.h"
#include "MatrixGridModel.h"
#include "MatrixGridView.h"
#include "ModalDriver.h"
#include "WorkspaceBuilder.h"

#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

// The open editor of a cell, if any.
QLineEdit* editorOf(MatrixGridView* grid) {
    for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// Types text into the current cell as a user does: the first key opens the
// cell's editor, the rest go to it, and Enter ends the edit.
void typeCell(MatrixGridView* grid, const QString& text) {
    QTest::keyClicks(grid, text.left(1));
    QLineEdit* editor = editorOf(grid);
    ASSERT_NE(editor, nullptr) << "typing opened no editor";
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

// Presses OK and answers the message box it shows; returns the box's text.
QString okWithMessage(TGridMatForm* form) {
    QString shown;
    WhenModal([&shown](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        shown = message->text();
        press(box, QStringLiteral("OK"));
    });
    press(form, QStringLiteral("OK"));
    return shown;
}

const QString Question = QStringLiteral("Discard the changes to the matrix?");

// Leaves the dialog by way; a question that comes meanwhile is answered by
// answer. Returns the question's text, empty when none was asked. The timer
// goes with the dialog, so that none is left to act on a later window.
QString leave(TGridMatForm* form, const std::function<void()>& way,
              const std::function<void(QMessageBox*)>& answer) {
    auto asked = std::make_shared<QString>();
    QTimer::singleShot(50, form, [asked, answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *asked = box->text();
            answer(box);
        }
    });
    way();
    return *asked;
}

std::function<void(QMessageBox*)> answerKey(Qt::Key key) {
    return [key](QMessageBox* box) { QTest::keyClick(box, key); };
}

std::function<void(QMessageBox*)> answerButton(const QString& caption) {
    return [caption](QMessageBox* box) { press(box, caption); };
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class GridWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        frame = std::make_unique<TFrameForm>();
        frame->show();
    }
    // Opens the command's dialog and runs steps in it; the steps close it.
    void inDialog(const char* action, std::function<void(TGridMatForm*)> steps) {
        bool ran = false;
        WhenModal([&](QWidget* w) {
            if (auto* list = w->findChild<QListWidget*>(); list != nullptr && editSlot > 0) {
                list->item(editSlot - 1)->setSelected(true);
                WhenModal([&](QWidget* form) {
                    ran = true;
                    steps(qobject_cast<TGridMatForm*>(form));
                });
                press(w, QStringLiteral("OK"));
                return;
            }
            ran = true;
            steps(qobject_cast<TGridMatForm*>(w));
        });
        frame->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        EXPECT_TRUE(ran);
    }
    GVar& ws() { return frame->Workspace(); }
    std::unique_ptr<TFrameForm> frame;
    int editSlot = 0;
};

TEST_F(GridWindow, TypedValuesAndFractionsWithABadCellNamedMarkedAndFixed) {
    AddMatrix(ws(), "A", {{1.0}});
    inDialog("Newmatrix1", [](TGridMatForm* form) {
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("New matrix"));
        EXPECT_EQ(form->NameEdit->text(), QStringLiteral("B")); // A is taken
        // Two rows by typing the count and Enter, which must not close the dialog.
        QLineEdit* rows = form->RowsBox->findChild<QLineEdit*>();
        rows->selectAll();
        QTest::keyClicks(rows, QStringLiteral("2"));
        QTest::keyClick(rows, Qt::Key_Return);
        ASSERT_TRUE(form->isVisible());
        EXPECT_EQ(form->Model->rowCount(), 2);
        form->ColsBox->setValue(2);
        // Enter moves down: (1,1), (2,1), then (1,2) and (2,2).
        typeCell(form->Grid, QStringLiteral("-1/3"));
        typeCell(form->Grid, QStringLiteral("x1"));
        form->Grid->setCurrentIndex(form->Model->index(0, 1));
        typeCell(form->Grid, QStringLiteral("1.5E2"));
        EXPECT_EQ(form->Grid->currentIndex(), form->Model->index(1, 1));
        const QString shown = okWithMessage(form);
        EXPECT_EQ(
            shown,
            QStringLiteral("Row 2, column 1 holds \"x1\", which is not a value: type a number, or "
                           "a fraction p/q with q > 0, within the range of doubles.\n"
                           "1 other cell is marked as well."));
        ASSERT_TRUE(form->isVisible());
        EXPECT_TRUE(form->Model->IsMarked(1, 0));
        EXPECT_TRUE(form->Model->IsMarked(1, 1)); // empty
        EXPECT_FALSE(form->Model->IsMarked(0, 0));
        EXPECT_EQ(form->Grid->currentIndex(), form->Model->index(1, 0));
        // Typing replaces the bad text and takes the mark away.
        typeCell(form->Grid, QStringLiteral("7"));
        EXPECT_FALSE(form->Model->IsMarked(1, 0));
        EXPECT_EQ(form->Model->Text(1, 0), QStringLiteral("7"));
        // The last cell is still being edited when OK is pressed.
        form->Grid->setCurrentIndex(form->Model->index(1, 1));
        QTest::keyClick(form->Grid, Qt::Key_0);
        press(form, QStringLiteral("OK"));
    });
    ASSERT_EQ(ws().MatrixCount, 2);
    const TMatrixRec& b = ws().Matrix(2);
    EXPECT_EQ(b.Name, "B");
    EXPECT_EQ(b.Rows, 2);
    EXPECT_EQ(b.Cols, 2);
    EXPECT_EQ(b.At(1, 1), -1.0 / 3.0);
    EXPECT_EQ(b.At(2, 1), 7.0);
    EXPECT_EQ(b.At(1, 2), 150.0);
    EXPECT_EQ(b.At(2, 2), 0.0);
}

TEST_F(GridWindow, PasteGrowsTheGridWithinFiftyAndCopyGivesTabs) {
    inDialog("Newmatrix1", [](TGridMatForm* form) {
        form->Grid->setCurrentIndex(form->Model->index(1, 1));
        QApplication::clipboard()->setText(QStringLiteral("1\t2\t3\n4\t\t6\n7\t8\t9\n"));
        QTest::keyClick(form->Grid, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(form->RowsBox->value(), 4);
        EXPECT_EQ(form->ColsBox->value(), 4);
        EXPECT_EQ(form->Model->Text(3, 3), QStringLiteral("9"));
        // The pasted block stays selected; Ctrl+C gives it back.
        QTest::keyClick(form->Grid, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1\t2\t3\n4\t\t6\n7\t8\t9\n"));
        // A printed matrix at the top left, then Delete on the selection.
        form->Grid->setCurrentIndex(form->Model->index(0, 0));
        form->Grid->PasteText(QStringLiteral("[[1, 2], [3, 4]]"));
        EXPECT_EQ(form->Model->Text(1, 1), QStringLiteral("4"));
        QTest::keyClick(form->Grid, Qt::Key_Delete);
        EXPECT_EQ(form->Model->Text(1, 1), QString());
        EXPECT_EQ(form->Model->Text(2, 3), QStringLiteral("6"));
        // F2 edits in place; a block pasted into the editor still fills the grid.
        form->Grid->setCurrentIndex(form->Model->index(0, 0));
        typeCell(form->Grid, QStringLiteral("5"));
        form->Grid->setCurrentIndex(form->Model->index(0, 0));
        QTest::keyClick(form->Grid, Qt::Key_F2);
        QLineEdit* editor = editorOf(form->Grid);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), QStringLiteral("5"));
        QApplication::clipboard()->setText(QStringLiteral("8\t9\n"));
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(form->Model->Text(0, 1), QStringLiteral("9"));
        // Blocks that do not fit paste nothing and say so.
        QString shown;
        WhenModal([&shown](QWidget* box) {
            shown = qobject_cast<QMessageBox*>(box)->text();
            press(box, QStringLiteral("OK"));
        });
        form->Grid->setCurrentIndex(form->Model->index(3, 0));
        form->Grid->PasteText(QString(QStringLiteral("1\n")).repeated(48));
        EXPECT_EQ(shown,
                  QStringLiteral("The pasted block has 48 rows and 1 columns, too many to fit "
                                 "from row 4, column 1: a matrix has at most 50 rows and 50 "
                                 "columns. Nothing was pasted."));
        EXPECT_EQ(form->RowsBox->value(), 4);
        // Shrinking keeps what still fits and forgets the rest.
        form->RowsBox->setValue(3);
        form->RowsBox->setValue(4);
        EXPECT_EQ(form->Model->Text(3, 3), QString());
        EXPECT_EQ(form->Model->Text(2, 3), QStringLiteral("6"));
        leave(
            form, [form] { QTest::keyClick(form, Qt::Key_Escape); },
            answerButton(QStringLiteral("Discard")));
    });
    EXPECT_EQ(ws().MatrixCount, 0);
}

TEST_F(GridWindow, EditShowsShortestTextsOrFractionsAndReplacesInPlace) {
    AddMatrix(ws(), "A", {{5.0}});
    AddMatrix(ws(), "Inverse", {{0.1, std::nextafter(1.0 / 3.0, 0.0)}, {1e300, -0.0}});
    AddMatrix(ws(), "Z", {{9.0}});
    editSlot = 2;
    inDialog("Editmatrix1", [](TGridMatForm* form) {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Edit matrix"));
        EXPECT_EQ(form->NameEdit->text(), QStringLiteral("Inverse"));
        EXPECT_EQ(form->Model->Texts(),
                  (std::vector<std::string>{"0.1", "0.33333333333333326", "1e+300", "-0"}));
        press(form, QStringLiteral("Cancel"));
    });
    EXPECT_EQ(ws().Matrix(2).At(1, 2), std::nextafter(1.0 / 3.0, 0.0));

    frame->Exact()->ShowFractionsAction()->trigger();
    inDialog("Editmatrix1", [](TGridMatForm* form) {
        EXPECT_EQ(form->Model->Text(0, 0), QStringLiteral("1/10"));
        EXPECT_EQ(form->Model->Text(0, 1), QStringLiteral("1/3"));
        form->NameEdit->setText(QStringLiteral("B"));
        form->RowsBox->setValue(3);
        form->Grid->setCurrentIndex(form->Model->index(2, 0));
        form->Grid->PasteText(QStringLiteral("2 3"));
        press(form, QStringLiteral("OK"));
    });
    ASSERT_EQ(ws().MatrixCount, 3);
    const TMatrixRec& b = ws().Matrix(2);
    EXPECT_EQ(b.Name, "B");
    EXPECT_EQ(b.Rows, 3);
    EXPECT_EQ(b.At(1, 2), std::nextafter(1.0 / 3.0, 0.0)); // not edited: its own double
    EXPECT_EQ(b.At(2, 1), 1e300);                          // a whole number, all its digits
    EXPECT_EQ(b.At(3, 2), 3.0);
    EXPECT_EQ(ws().Matrix(3).Name, "Z");
}

TEST_F(GridWindow, AFullWorkspaceKeepsTheDialogAndItsCells) {
    for (int i = 0; i < MaxMatrices; ++i)
        AddMatrix(ws(), std::string(1, static_cast<char>('A' + i)), {{1.0}});
    inDialog("Newmatrix1", [](TGridMatForm* form) {
        EXPECT_EQ(form->NameEdit->text(), QStringLiteral("U"));
        form->ColsBox->setValue(1);
        form->Grid->PasteText(QStringLiteral("1\n2\n3"));
        EXPECT_EQ(okWithMessage(form), QString::fromStdString(GVar::FullMessage));
        ASSERT_TRUE(form->isVisible());
        EXPECT_EQ(form->Model->Text(2, 0), QStringLiteral("3"));
        // Esc in an edit undoes the edit only; the next Esc is Cancel.
        form->Grid->setCurrentIndex(form->Model->index(2, 0));
        QTest::keyClick(form->Grid, Qt::Key_9);
        QTest::keyClick(editorOf(form->Grid), Qt::Key_Escape);
        ASSERT_TRUE(form->isVisible());
        EXPECT_EQ(form->Model->Text(2, 0), QStringLiteral("3"));
        EXPECT_EQ(leave(
                      form, [form] { QTest::keyClick(form->Grid, Qt::Key_Escape); },
                      answerButton(QStringLiteral("Discard"))),
                  Question);
    });
    EXPECT_EQ(ws().MatrixCount, MaxMatrices);
    EXPECT_EQ(ws().Matrix(MaxMatrices).Name, "T");
}

TEST_F(GridWindow, ChangedCellsAreDiscardedOnlyAfterAsking) {
    inDialog("Newmatrix1", [](TGridMatForm* form) {
        EXPECT_EQ(leave(
                      form, [form] { QTest::keyClick(form->Grid, Qt::Key_Escape); },
                      answerButton(QStringLiteral("Discard"))),
                  QString());
        EXPECT_FALSE(form->isVisible());
    });
    inDialog("Newmatrix1", [](TGridMatForm* form) {
        const auto esc = [form] { QTest::keyClick(form->Grid, Qt::Key_Escape); };
        const auto cancel = [form] { press(form, QStringLiteral("Cancel")); };
        const auto closeBox = [form] { form->close(); };
        struct Way {
            std::function<void()> leave;
            std::function<void(QMessageBox*)> answer;
        };
        // Keep editing is the default and the box's own Esc and close box.
        const Way keeps[] = {
            {[form, closeBox] {
                 QTest::keyClick(form->Grid, Qt::Key_5);
                 closeBox();
             }, // in its editor
             answerKey(Qt::Key_Escape)},
            {esc, answerKey(Qt::Key_Return)},
            {cancel, answerButton(QStringLiteral("Keep editing"))},
            {closeBox, [](QMessageBox* box) { box->close(); }},
        };
        for (const Way& way : keeps) {
            EXPECT_EQ(leave(form, way.leave, way.answer), Question);
            ASSERT_TRUE(form->isVisible());
            EXPECT_EQ(form->Model->Text(0, 0), QStringLiteral("5"));
        }
        EXPECT_EQ(leave(form, cancel, answerButton(QStringLiteral("Discard"))), Question);
        EXPECT_FALSE(form->isVisible());
    });
    EXPECT_EQ(ws().MatrixCount, 0);
}

// Fractions shown for computed values read back as neighbouring doubles;
// cells whose text was not changed must not.
TEST_F(GridWindow, OkWithoutEditsKeepsEveryBitWithFractionsShownOrNot) {
    const double values[] = {0.39361702127659570, 0.1 + 0.2, std::nextafter(1.0 / 3.0, 0.0), -0.0};
    AddMatrix(ws(), "A", {{values[0], values[1]}, {values[2], values[3]}});
    editSlot = 1;
    const auto keptBits = [&](int typed) {
        for (int k = 0; k < 4; ++k) {
            if (k != typed) {
                EXPECT_TRUE(sameBits(ws().Matrix(1).At(k / 2 + 1, k % 2 + 1), values[k])) << k;
            }
        }
    };
    for (const bool fractions : {false, true}) {
        if (fractions)
            frame->Exact()->ShowFractionsAction()->trigger();
        inDialog("Editmatrix1", [fractions](TGridMatForm* form) {
            EXPECT_EQ(form->Model->Text(0, 0),
                      fractions ? QStringLiteral("37/94") : QStringLiteral("0.3936170212765957"));
            // F2 and Enter with the text as it was is no edit.
            QTest::keyClick(form->Grid, Qt::Key_F2);
            QTest::keyClick(editorOf(form->Grid), Qt::Key_Return);
            press(form, QStringLiteral("OK"));
        });
        keptBits(-1);
    }
    // A cell typed over takes its text's value, even typed as it was shown;
    // the others keep theirs.
    inDialog("Editmatrix1", [](TGridMatForm* form) {
        form->Grid->setCurrentIndex(form->Model->index(0, 1));
        typeCell(form->Grid, QStringLiteral("3/10"));
        press(form, QStringLiteral("OK"));
    });
    EXPECT_EQ(ws().Matrix(1).At(1, 2), 0.3);
    keptBits(1);
}

TEST_F(GridWindow, ColumnsFitTheirTextsAndTipsHoldThemWhole) {
    const QString longest = QStringLiteral("-0.33333333333333326e-300");
    const QString garbage = QString(QStringLiteral("x")).repeated(80);
    inDialog("Newmatrix1", [&](TGridMatForm* form) {
        form->Grid->PasteText(longest + QStringLiteral("\t7\t") + garbage);
        const auto width = [form](const QString& text) {
            return form->Grid->fontMetrics().horizontalAdvance(text);
        };
        auto* view = static_cast<QAbstractItemView*>(form->Grid);
        EXPECT_GE(form->Grid->columnWidth(0), view->sizeHintForColumn(0)); // shown whole
        EXPECT_EQ(form->Grid->columnWidth(1), 84); // short texts keep the usual width
        EXPECT_LT(form->Grid->columnWidth(2), width(garbage));
        EXPECT_EQ(form->Model->index(0, 2).data(Qt::ToolTipRole).toString(), garbage);
        EXPECT_FALSE(form->Model->index(1, 1).data(Qt::ToolTipRole).isValid()); // empty
        leave(
            form, [form] { QTest::keyClick(form->Grid, Qt::Key_Escape); },
            answerButton(QStringLiteral("Discard")));
    });
}

} // namespace

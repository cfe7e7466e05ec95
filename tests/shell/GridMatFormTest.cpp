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

#include <gtest/gtest.h>

#include <cmath>

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
        QTest::keyClick(form, Qt::Key_Escape);
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
    EXPECT_EQ(b.At(1, 2), 1.0 / 3.0); // the fraction's own double now
    EXPECT_EQ(b.At(2, 1), 1e300);     // a whole number, all its digits
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
        QTest::keyClick(form->Grid, Qt::Key_Escape);
    });
    EXPECT_EQ(ws().MatrixCount, MaxMatrices);
    EXPECT_EQ(ws().Matrix(MaxMatrices).Name, "T");
}

} // namespace

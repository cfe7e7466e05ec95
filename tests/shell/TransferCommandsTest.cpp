// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Export matrix and Import matrix from the Matrices menu, and Copy as
// LaTeX in the results form: the files and the clipboard hold the core's
// texts, refusals come as message boxes, and nothing is added on failure.
#include "MDIFrame.h"
#include "MatrixExport.h"
#include "MessageForm.h"
#include "ModalDriver.h"
#include "WorkingForm.h"
#include "WorkingLatex.h"
#include "WorkspaceBuilder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string contents(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Transfer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        frame = std::make_unique<TFrameForm>();
        AddMatrix(frame->Workspace(), "inv(A)", {{0.5, 2}, {-1, 0.25}});
        frame->show();
    }
    // Runs the menu command, picking the first matrix when asked, typing
    // path into the file dialog and keeping the text of any message box.
    QStringList run(const char* action, const QString& path, bool pick) {
        QStringList boxes;
        const auto file = [this, path, &boxes](QWidget* dialog) {
            WhenModal([&boxes](QWidget* box) {
                if (auto* b = qobject_cast<QMessageBox*>(box)) {
                    boxes << b->text();
                    b->accept();
                }
            }, 50);
            choose(dialog, path);
        };
        if (pick)
            WhenModal([file](QWidget* list) {
                WhenModal(file);
                list->findChild<QListWidget*>()->item(0)->setSelected(true);
                press(list, QStringLiteral("OK"));
            });
        else
            WhenModal(file);
        frame->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        QTest::qWait(50);
        return boxes;
    }

    QTemporaryDir dir;
    std::unique_ptr<TFrameForm> frame;
};

TEST_F(Transfer, ExportWritesTheCoresTextAndRefusesOtherExtensions) {
    const TMatrixRec& m = frame->Workspace().Matrix(1);
    EXPECT_TRUE(run("Exportmatrix1", dir.filePath(QStringLiteral("m.txt")), true).isEmpty());
    EXPECT_EQ(contents(dir.filePath(QStringLiteral("m.txt"))), MatrixExport::OctaveText(m));
    EXPECT_TRUE(run("Exportmatrix1", dir.filePath(QStringLiteral("m.tex")), true).isEmpty());
    EXPECT_EQ(contents(dir.filePath(QStringLiteral("m.tex"))), MatrixExport::Latex(m, false));
    EXPECT_EQ(run("Exportmatrix1", dir.filePath(QStringLiteral("m.dat")), true),
              QStringList{QString::fromStdString(MatrixExport::UnknownFormatMessage)});
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("m.dat"))));
}

TEST_F(Transfer, ImportAddsTheMatrixOrSaysWhyNot) {
    const QString csv = dir.filePath(QStringLiteral("marks.csv"));
    std::ofstream(csv.toStdString()) << "x,y\n1,2\n3,4\n";
    const QStringList said = run("Importmatrix1", csv, false);
    ASSERT_EQ(frame->Workspace().MatrixCount, 2);
    EXPECT_EQ(frame->Workspace().Matrix(2).Name, "marks");
    EXPECT_EQ(Block(frame->Workspace().Matrix(2)), (Rows{{1, 2}, {3, 4}}));
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.first().contains(QStringLiteral("header")));

    const QString ragged = dir.filePath(QStringLiteral("ragged.csv"));
    std::ofstream(ragged.toStdString()) << "1,2\n3\n";
    EXPECT_EQ(run("Importmatrix1", ragged, false).size(), 1);
    EXPECT_EQ(frame->Workspace().MatrixCount, 2);
}

TEST_F(Transfer, TheResultsFormCopiesTheMatrixAsLatex) {
    QApplication::clipboard()->clear();
    WhenModal([](QWidget* list) {
        WhenModal([](QWidget* form) {
            form->findChild<QAction*>(QStringLiteral("CopyLatex"))->trigger();
        });
        list->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(list, QStringLiteral("OK"));
    });
    frame->findChild<QAction*>(QStringLiteral("Viewmatrix2"))->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              MatrixExport::Latex(frame->Workspace().Matrix(1), false));
}

// The worked solution's buttons: its LaTeX body on the clipboard, the
// whole document in the file.
TEST_F(Transfer, TheWorkedSolutionGoesOutAsLatex) {
    const std::string working = "Determinant of A (2 x 2)\r\nR2 <- R2 - 2 R1\r\n  1  2\r\n  0  1\r\n";
    TWorkingForm* form = TWorkingForm::ShowWorking(QStringLiteral("det(A)"), working);
    form->findChild<QPushButton*>(QStringLiteral("CopyLatexButton"))->click();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), WorkingLatex::Body(working));
    const QString path = dir.filePath(QStringLiteral("det.tex"));
    ASSERT_TRUE(form->SaveLatexTo(path));
    EXPECT_EQ(contents(path), WorkingLatex::Document(working));
    form->close();
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exact commands and the two switches as the window program offers
// them: where they stand in the menus, what they add, and the worked
// solution and fraction texts, which must be the core's bytes.
#include "EliminationWorkings.h"
#include "ExactCommands.h"
#include "FractionListing.h"
#include "MDIFrame.h"
#include "MatrixListing.h"
#include "MessageForm.h"
#include "ModalDriver.h"
#include "RecordingMessages.h"
#include "WorkingForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

void pickRow(QWidget* list, int row) {
    list->findChild<QListWidget*>()->item(row)->setSelected(true);
    press(list, QStringLiteral("OK"));
}

QStringList captions(QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions())
        list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

QList<TWorkingForm*> workingWindows() {
    QList<TWorkingForm*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TWorkingForm*>(w); form != nullptr && form->isVisible())
            found << form;
    return found;
}

class ExactWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        frame = std::make_unique<TFrameForm>();
        frame->show();
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        std::ofstream(path.toStdString(), std::ios::binary)
            << "t\r\nA\r\n2, 2\r\n2, 1\r\n1, 1\r\nB\r\n1, 2\r\n0.5, 0.333333\r\n";
        WhenModal([path](QWidget* w) { choose(w, path); });
        frame->Readfile1Click();
        ASSERT_EQ(frame->Workspace().MatrixCount, 2);
    }
    void TearDown() override {
        for (TWorkingForm* form : workingWindows())
            form->close();
    }
    QTemporaryDir dir;
    std::unique_ptr<TFrameForm> frame;
};

TEST_F(ExactWindow, MenusEndWithTheNewItemsAndTheSwitchesStartOff) {
    auto* numeric = frame->findChild<QMenu*>(QStringLiteral("Programs1"));
    auto* matrices = frame->findChild<QMenu*>(QStringLiteral("Matrices1"));
    const QStringList n = captions(numeric);
    EXPECT_EQ(n.mid(8), (QStringList{QStringLiteral("-"), QStringLiteral("&Determinant"),
                                     QStringLiteral("&Rank"), QStringLiteral("Reduced row &echelon form"),
                                     QStringLiteral("-"), QStringLiteral("Show &working")}));
    EXPECT_EQ(captions(matrices).mid(8),
              (QStringList{QStringLiteral("-"), QStringLiteral("New &matrix..."),
                           QStringLiteral("Edi&t matrix..."), QStringLiteral("-"),
                           QStringLiteral("Show &fractions")}));
    ExactCommands* exact = frame->Exact();
    for (QAction* a : {exact->ShowWorkingAction(), exact->ShowFractionsAction()}) {
        EXPECT_TRUE(a->isCheckable());
        EXPECT_FALSE(a->isChecked());
    }
    // Each new item has a context of its own and a hint.
    QList<int> contexts;
    for (QAction* a : exact->OperationActions() + QList<QAction*>{exact->ShowWorkingAction(),
                                                                   exact->ShowFractionsAction()}) {
        contexts << a->property("helpContext").toInt();
        EXPECT_FALSE(a->toolTip().isEmpty());
    }
    EXPECT_EQ(contexts, (QList<int>{23, 24, 25, 26, 28}));
}

TEST_F(ExactWindow, DeterminantAddsDetAndWorkingShowsTheCoresText) {
    WhenModal([](QWidget* list) { pickRow(list, 0); });
    frame->Exact()->DeterminantClick();
    ASSERT_EQ(frame->Workspace().MatrixCount, 3);
    EXPECT_EQ(frame->Workspace().Matrix(3).Name, "det(A)");
    EXPECT_EQ(frame->Workspace().Matrix(3).At(1, 1), 1.0);
    EXPECT_TRUE(workingWindows().isEmpty());  // the switch is off

    frame->Exact()->ShowWorkingAction()->setChecked(true);
    WhenModal([](QWidget* list) { pickRow(list, 0); });
    frame->InvertClick();
    const QList<TWorkingForm*> shown = workingWindows();
    ASSERT_EQ(shown.size(), 1);
    std::string expected = EliminationWorkings(frame->Workspace()).Invert(1);
    QString text = QString::fromLatin1(expected.data(), static_cast<qsizetype>(expected.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.chop(1);
    EXPECT_EQ(shown.first()->Text(), text);
    EXPECT_EQ(shown.first()->windowTitle(), QStringLiteral("Worked solution: inv(A)"));

    // Save as writes the core's bytes, CR LF and all.
    const QString saved = dir.filePath(QStringLiteral("working.txt"));
    ASSERT_TRUE(shown.first()->SaveTo(saved));
    std::ifstream in(saved.toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected);
}

TEST_F(ExactWindow, ShowFractionsChangesTheViewAndOffGivesTheOldBytes) {
    const auto viewOfB = [this] {
        WhenModal([](QWidget* list) {
            WhenModal([](QWidget* form) { static_cast<TMsgForm*>(form)->ClipClick(); });
            pickRow(list, 1);
        });
        frame->Viewmatrix2lick();
        return QGuiApplication::clipboard()->text();
    };
    RecordingMessages messages;
    const std::string decimal = MatrixListing(frame->Workspace(), messages).ViewText(2);
    const std::string fractions = FractionListing(frame->Workspace()).ViewText(2);
    EXPECT_EQ(viewOfB(), QString::fromLatin1(decimal.c_str()));
    frame->Exact()->ShowFractionsAction()->setChecked(true);
    EXPECT_EQ(viewOfB(), QString::fromLatin1(fractions.c_str()));
    EXPECT_TRUE(viewOfB().contains(QStringLiteral("1/2")));
    frame->Exact()->ShowFractionsAction()->setChecked(false);
    EXPECT_EQ(viewOfB(), QString::fromLatin1(decimal.c_str()));
}
} // namespace

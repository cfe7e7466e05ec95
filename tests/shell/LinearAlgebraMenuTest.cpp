// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Linear algebra menu in the main window: where it stands in the menu
// bar, that no two menus or items share an access key, what it holds, and
// a command run from it with the keyboard alone.
#include "LinearAlgebraMenu.h"
#include "ExactCommands.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "ModalDriver.h"
#include "WorkingForm.h"
#include "WorkspaceBuilder.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList list;
    for (QAction* a : actions)
        list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

// The access keys of the captions, in lower case; a caption without one
// gives nothing.
QString accessKeys(const QStringList& list) {
    QString keys;
    for (const QString& caption : list)
        if (const qsizetype at = caption.indexOf(QLatin1Char('&'));
            at >= 0 && at + 1 < caption.size())
            keys += caption.at(at + 1).toLower();
    return keys;
}

bool allDifferent(const QString& keys) {
    for (qsizetype i = 0; i < keys.size(); ++i)
        if (keys.indexOf(keys.at(i), i + 1) >= 0)
            return false;
    return true;
}

class LinearAlgebraWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        frame = std::make_unique<TFrameForm>();
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TWorkingForm*>(w) != nullptr)
                w->close();
    }
    QStringList barCaptions() const { return captions(frame->menuBar()->actions()); }

    std::unique_ptr<TFrameForm> frame;
};

TEST_F(LinearAlgebraWindow, StandsBeforeWindowAndNoTwoMenusShareAnAccessKey) {
    const QStringList own{QStringLiteral("&File"),
                          QStringLiteral("&Matrices"),
                          QStringLiteral("&Numerical operations"),
                          QStringLiteral("&Linear algebra"),
                          QStringLiteral("&Window"),
                          QStringLiteral("&Help")};
    EXPECT_EQ(barCaptions(), own);
    EXPECT_TRUE(allDifferent(accessKeys(barCaptions()))) << accessKeys(barCaptions()).toStdString();

    // An active editor brings its File and Edit menus into the same bar.
    frame->New1Click();
    ASSERT_NE(frame->ActiveEditor(), nullptr);
    const QStringList merged = barCaptions();
    EXPECT_EQ(merged.mid(2), own.mid(1));
    EXPECT_EQ(accessKeys(merged).size(), merged.size());
    EXPECT_TRUE(allDifferent(accessKeys(merged))) << accessKeys(merged).toStdString();
}

TEST_F(LinearAlgebraWindow, HoldsEliminationThenShowWorkingAndNumericalOperationsItsEight) {
    auto* menu = frame->findChild<LinearAlgebraMenu*>(QStringLiteral("LinearAlgebra1"));
    ASSERT_NE(menu, nullptr);
    const QStringList items = captions(menu->actions());
    EXPECT_EQ(items, (QStringList{QStringLiteral("&Determinant"), QStringLiteral("&Rank"),
                                  QStringLiteral("Reduced row &echelon form"), QStringLiteral("-"),
                                  QStringLiteral("Show &working")}));
    QStringList commands = items;
    commands.removeAll(QStringLiteral("-"));
    EXPECT_EQ(accessKeys(commands).size(), commands.size());
    EXPECT_TRUE(allDifferent(accessKeys(commands)));
    EXPECT_EQ(menu->menuAction()->property("helpContext").toInt(), LinearAlgebraMenu::HelpContext);
    EXPECT_EQ(menu->actions().last(), frame->Exact()->ShowWorkingAction());

    QStringList numeric;
    for (QAction* a : frame->findChild<QMenu*>(QStringLiteral("Programs1"))->actions())
        numeric << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(numeric,
              (QStringList{QStringLiteral("Scalematrix1"), QStringLiteral("Transposematrix1"),
                           QStringLiteral("Addmatrices1"), QStringLiteral("Subtractmatrices1"),
                           QStringLiteral("Multiplymatrices1"), QStringLiteral("Invert"),
                           QStringLiteral("Choleskydecompositionofmatrix1"),
                           QStringLiteral("Fowardbacksubstitutionofma1")}));
}

TEST_F(LinearAlgebraWindow, AltLThenDRunsDeterminant) {
    AddMatrix(frame->Workspace(), "A", {{2, 1}, {1, 1}});
    AddMatrix(frame->Workspace(), "B", {{4, 3}, {6, 3}});
    bool asked = false;
    WhenModal([&asked](QWidget* list) {
        asked = true;
        list->findChild<QListWidget*>()->item(1)->setSelected(true);
        press(list, QStringLiteral("OK"));
    });
    QTest::keyClick(frame.get(), Qt::Key_L, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "Alt+L opened no menu";
    EXPECT_EQ(popup->objectName(), QStringLiteral("LinearAlgebra1"));
    QTest::keyClick(popup, Qt::Key_D);
    EXPECT_TRUE(asked);
    ASSERT_EQ(frame->Workspace().MatrixCount, 3);
    EXPECT_EQ(frame->Workspace().Matrix(3).Name, "det(B)");
    EXPECT_EQ(frame->Workspace().Matrix(3).At(1, 1), -6.0);
}

// With an editor's menus merged in, the bar of the window at its start-up
// size is too narrow for all of them, and the last stand behind the
// extension button: their Alt keys must still open them.
TEST_F(LinearAlgebraWindow, EveryMenuOpensWithItsAltKeyEvenBehindTheExtension) {
    frame->New1Click();
    const struct {
        Qt::Key key;
        const char* menu;
    } menus[] = {{Qt::Key_M, "Matrices1"},
                 {Qt::Key_N, "Programs1"},
                 {Qt::Key_L, "LinearAlgebra1"},
                 {Qt::Key_W, "Window1"},
                 {Qt::Key_H, "Help2"}};
    for (const auto& m : menus) {
        SCOPED_TRACE(m.menu);
        QTest::keyClick(frame.get(), m.key, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->objectName(), QString::fromLatin1(m.menu));
        popup->close();
    }
}

} // namespace

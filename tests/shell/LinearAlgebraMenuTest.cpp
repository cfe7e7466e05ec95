// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Linear algebra menu in the main window: where it stands in the menu
// bar, that no two menus or items share an access key, what it holds, and
// a command run from it with the keyboard alone; the systems and spaces
// and the eigenvalue commands give the core's results, messages and worked
// solutions.
#include "LinearAlgebraMenu.h"
#include "AlgebraOperations.h"
#include "AlgebraWorkings.h"
#include "BoxMessages.h"
#include "EigenOperations.h"
#include "EigenWorkings.h"
#include "ExactCommands.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "ModalDriver.h"
#include "PowerForm.h"
#include "RecordingMessages.h"
#include "SystemOperations.h"
#include "SystemWorkings.h"
#include "WorkingForm.h"
#include "WorkingWindows.h"
#include "WorkspaceBuilder.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include <QMessageBox>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

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

    // Alt+L, then key in the Linear algebra menu, as a user runs a command;
    // the focus comes back from the last command's dialogs in its own time.
    void runByKey(Qt::Key key) {
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_L, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup, key);
    }

    // The message boxes said, and the results added after slot before.
    template <class Boxes>
    void expectResults(const Boxes& boxes, const std::vector<std::string>& said, int before,
                       const std::vector<std::pair<std::string, Rows>>& added) {
        QStringList texts;
        for (const std::string& text : said)
            texts << BoxMessages::DisplayText(text);
        EXPECT_EQ(boxes.texts, texts);
        ASSERT_EQ(frame->Workspace().MatrixCount, before + static_cast<int>(added.size()));
        for (std::size_t k = 0; k < added.size(); ++k) {
            const TMatrixRec& m = frame->Workspace().Matrix(before + 1 + static_cast<int>(k));
            EXPECT_EQ(m.Name, added[k].first);
            EXPECT_EQ(Block(m), added[k].second) << m.Name;
        }
    }

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

TEST_F(LinearAlgebraWindow, HoldsEliminationSystemsEigenvaluesThenShowWorkingAndNumericalItsEight) {
    auto* menu = frame->findChild<LinearAlgebraMenu*>(QStringLiteral("LinearAlgebra1"));
    ASSERT_NE(menu, nullptr);
    const QStringList items = captions(menu->actions());
    EXPECT_EQ(items, (QStringList{QStringLiteral("&Determinant"), QStringLiteral("&Rank"),
                                  QStringLiteral("Reduced row &echelon form"),
                                  QStringLiteral("&Practise row operations..."), QStringLiteral("-"),
                                  QStringLiteral("Solve linear &system..."),
                                  QStringLiteral("&Null space"), QStringLiteral("&Column space"),
                                  QStringLiteral("R&ow space"), QStringLiteral("-"),
                                  QStringLiteral("C&haracteristic polynomial"),
                                  QStringLiteral("E&igenvalues"), QStringLiteral("Eigen&vectors"),
                                  QStringLiteral("Di&agonalise"), QStringLiteral("-"),
                                  QStringLiteral("&LU decomposition"),
                                  QStringLiteral("Determinant by co&factors"),
                                  QStringLiteral("Adju&gate"), QStringLiteral("Cra&mer's rule..."),
                                  QStringLiteral("Matri&x power..."), QStringLiteral("&Trace"),
                                  QStringLiteral("-"), QStringLiteral("Show &working")}));
    // Practising and each command beyond the elimination group open their
    // own help topics and have hints.
    QList<int> contexts;
    for (const char* name :
         {"Practise1", "Charpoly1", "Eigenvalues1", "Eigenvectors1", "Diagonalise1", "LU1",
          "Cofactordet1", "Adjugate1", "Cramer1", "Power1", "Trace1"}) {
        QAction* a = frame->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        contexts << a->property("helpContext").toInt();
        EXPECT_FALSE(a->toolTip().isEmpty()) << name;
    }
    EXPECT_EQ(contexts, (QList<int>{40, 36, 37, 38, 39, 41, 42, 43, 44, 45, 46}));
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


// Picks the given slots in the selection lists that follow one another.
void pickInTurn(QList<int> picks) {
    WhenModal([picks](QWidget* modal) mutable {
        modal->findChild<QListWidget*>()->item(picks.takeFirst() - 1)->setSelected(true);
        if (!picks.isEmpty())
            pickInTurn(picks);
        press(modal, QStringLiteral("OK"));
    });
}

// Answers every message box with OK and keeps its text.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() { qApp->installEventFilter(this); }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
            texts << box->text();
            QTimer::singleShot(0, box, [box] { box->accept(); });
        }
        return false;
    }
    QStringList texts;
};

TEST_F(LinearAlgebraWindow, SystemsAndSpacesGiveTheCoresResultsAndWorkings) {
    // A 3 x 4 system with a free variable, a right-hand side of the wrong
    // size, and a system with no solution.
    AddMatrix(frame->Workspace(), "A", {{1, 2, 0, 1}, {2, 4, 1, 3}, {1, 2, 1, 2}});
    AddMatrix(frame->Workspace(), "b", {{1}, {3}, {2}});
    AddMatrix(frame->Workspace(), "c", {{1}, {2}});
    AddMatrix(frame->Workspace(), "d", {{1}, {3}, {5}});
    frame->Exact()->ShowWorkingAction()->setChecked(true);
    struct Case {
        const char* action;
        QList<int> picks;
        void (*operation)(SystemOperations&, const QList<int>&);
        std::string (*working)(const SystemWorkings&, const QList<int>&);
    };
    const auto solve = [](SystemOperations& o, const QList<int>& s) { o.SolveSystem(s[0], s[1]); };
    const auto solved = [](const SystemWorkings& w, const QList<int>& s) {
        return w.Solve(s[0], s[1]);
    };
    const Case cases[] = {
        {"Solvesystem1", {1, 2}, solve, solved},
        {"Solvesystem1", {1, 3}, solve, solved},
        {"Solvesystem1", {1, 4}, solve, solved},
        {"Nullspace1", {1}, [](SystemOperations& o, const QList<int>& s) { o.NullSpace(s[0]); },
         [](const SystemWorkings& w, const QList<int>& s) { return w.NullSpace(s[0]); }},
        {"Columnspace1", {1},
         [](SystemOperations& o, const QList<int>& s) { o.ColumnSpace(s[0]); },
         [](const SystemWorkings& w, const QList<int>& s) { return w.ColumnSpace(s[0]); }},
        {"Rowspace1", {1}, [](SystemOperations& o, const QList<int>& s) { o.RowSpace(s[0]); },
         [](const SystemWorkings& w, const QList<int>& s) { return w.RowSpace(s[0]); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " " + std::to_string(c.picks.last()));
        GVar expected;
        for (int s = 1; s <= frame->Workspace().MatrixCount; ++s)
            expected.Append(std::make_unique<TMatrixRec>(frame->Workspace().Matrix(s)));
        RecordingMessages said;
        SystemOperations operations(expected, said);
        c.operation(operations, c.picks);
        const std::string working = c.working(SystemWorkings(expected), c.picks);

        BoxAnswerer boxes;
        pickInTurn(c.picks);
        frame->findChild<QAction*>(QString::fromLatin1(c.action))->trigger();
        QStringList texts;
        for (const std::string& text : said.shown)
            texts << BoxMessages::DisplayText(text);
        EXPECT_EQ(boxes.texts, texts);
        ASSERT_EQ(frame->Workspace().MatrixCount, expected.MatrixCount);
        for (int s = 1; s <= expected.MatrixCount; ++s) {
            EXPECT_EQ(frame->Workspace().Matrix(s).Name, expected.Matrix(s).Name);
            EXPECT_EQ(std::memcmp(frame->Workspace().Matrix(s).Data, expected.Matrix(s).Data,
                                  sizeof expected.Matrix(s).Data),
                      0);
        }
        ExpectOneWorkingShowing(working);
    }
}

// Each command from the menu by its access key, on a matrix with the
// eigenvalues 1 and 3 and on a rotation, whose eigenvalues are -i and i:
// the results added, the message boxes and the worked solutions are the
// core's.
TEST_F(LinearAlgebraWindow, EigenvalueCommandsFromTheMenuGiveTheCoresResultsAndWorkings) {
    AddMatrix(frame->Workspace(), "A", {{2, 1}, {1, 2}});
    AddMatrix(frame->Workspace(), "R", {{0, -1}, {1, 0}});
    frame->Exact()->ShowWorkingAction()->setChecked(true);
    using Worked = std::string (EigenWorkings::*)(int) const;
    struct Case {
        Qt::Key key;
        int pick;
        Worked working;
        std::vector<std::pair<std::string, Rows>> added;
        std::vector<std::string> said;
    };
    const Worked charPoly = &EigenWorkings::CharPoly;
    const Worked values = &EigenWorkings::Eigenvalues;
    const Worked vectors = &EigenWorkings::Eigenvectors;
    const Worked diagonal = &EigenWorkings::Diagonalise;
    const Case cases[] = {
        {Qt::Key_H, 1, charPoly, {{"charpoly(A)", {{1, -4, 3}}}}, {}},
        {Qt::Key_I, 1, values, {{"eig(A)", {{1}, {3}}}}, {}},
        {Qt::Key_V, 1, vectors, {{"vec(A)", {{-1, 1}, {1, 1}}}}, {}},
        {Qt::Key_A, 1, diagonal, {{"P(A)", {{-1, 1}, {1, 1}}}, {"D(A)", {{1, 0}, {0, 3}}}}, {}},
        {Qt::Key_H, 2, charPoly, {{"charpoly(R)", {{1, 0, 1}}}}, {}},
        {Qt::Key_I, 2, values, {{"eig(R)", {{0, -1}, {0, 1}}}},
         {EigenOperations::ComplexValues("R", "eig(R)")}},
        {Qt::Key_V, 2, vectors, {}, {EigenOperations::NoRealVectors("R")}},
        {Qt::Key_A, 2, diagonal, {}, {EigenOperations::ComplexNotDiagonal("R")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c.key)) + " on slot " +
                     std::to_string(c.pick));
        const int before = frame->Workspace().MatrixCount;
        const std::string working = (EigenWorkings(frame->Workspace()).*c.working)(c.pick);
        BoxAnswerer boxes;
        pickInTurn({c.pick});
        runByKey(c.key);
        expectResults(boxes, c.said, before, c.added);
        ExpectOneWorkingShowing(working);
    }
}

// Types each text in turn into the exponent dialog, shown again after a
// text that does not read, and confirms it; the message boxes between are
// BoxAnswerer's.
void answerPower(QStringList texts) {
    QTimer::singleShot(10, [texts]() mutable {
        auto* form = qobject_cast<PowerForm*>(QApplication::activeModalWidget());
        if (form == nullptr || !form->isVisible()) {
            answerPower(texts);
            return;
        }
        form->PowerEdit->setText(texts.takeFirst());
        if (!texts.isEmpty())
            answerPower(texts);
        press(form, QStringLiteral("OK"));
    });
}

// Each command of the group from the menu by its access key: the results
// added, the message boxes and the worked solutions are the core's; the
// exponent dialog asks again after an exponent that does not read, keeping
// it, and a matrix that is not square is refused before it is asked.
TEST_F(LinearAlgebraWindow, AlgebraCommandsFromTheMenuGiveTheCoresResultsAndWorkings) {
    AddMatrix(frame->Workspace(), "A", {{0, 2}, {1, 1}});
    AddMatrix(frame->Workspace(), "b", {{2}, {3}});
    AddMatrix(frame->Workspace(), "S", {{1, 2}, {2, 4}});
    frame->Exact()->ShowWorkingAction()->setChecked(true);
    struct Case {
        Qt::Key key;
        QList<int> picks;
        QStringList typed;
        std::vector<std::pair<std::string, Rows>> added;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {Qt::Key_L, {1}, {},
         {{"L(A)", {{1, 0}, {0, 1}}}, {"U(A)", {{1, 1}, {0, 2}}}, {"P(A)", {{0, 1}, {1, 0}}}},
         {}},
        {Qt::Key_F, {1}, {}, {{"det(A)", {{-2}}}}, {}},
        {Qt::Key_G, {3}, {}, {{"adj(S)", {{4, -2}, {-2, 1}}}}, {}},
        {Qt::Key_M, {1, 2}, {}, {{"x(A)", {{2}, {1}}}}, {}},
        {Qt::Key_M, {3, 2}, {}, {}, {AlgebraOperations::CramerSingularMessage("S")}},
        {Qt::Key_X, {1}, {QStringLiteral("2.5"), QStringLiteral(" -1 ")},
         {{"A^-1", {{-0.5, 1}, {0.5, 0}}}}, {AlgebraOperations::ExponentMessage}},
        {Qt::Key_X, {2}, {}, {}, {"Error, matrix must be square for this operation."}},
        {Qt::Key_T, {1}, {}, {{"tr(A)", {{1}}}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c.key)) + " on slot " +
                     std::to_string(c.picks.first()));
        const int before = frame->Workspace().MatrixCount;
        const AlgebraWorkings workings(frame->Workspace());
        const int a = c.picks.first();
        const int b = c.picks.last();
        const std::string working =
            c.key == Qt::Key_L   ? workings.LU(a)
            : c.key == Qt::Key_F ? workings.CofactorDeterminant(a)
            : c.key == Qt::Key_G ? workings.Adjugate(a)
            : c.key == Qt::Key_M ? workings.Cramer(a, b)
            : c.key == Qt::Key_X ? (c.typed.isEmpty() ? std::string()
                                                      : workings.Power(a, c.typed.last().toStdString()))
                                 : workings.Trace(a);
        BoxAnswerer boxes;
        pickInTurn(c.picks);
        if (!c.typed.isEmpty())
            answerPower(c.typed);
        runByKey(c.key);
        expectResults(boxes, c.said, before, c.added);
        if (!working.empty())
            ExpectOneWorkingShowing(working);
    }
}

TEST_F(LinearAlgebraWindow, CancellingTheFirstPickOfSolveAsksNoMore) {
    AddMatrix(frame->Workspace(), "A", {{1, 2}, {3, 4}});
    int lists = 0;
    std::function<void()> cancelEach = [&] {
        WhenModal([&](QWidget* modal) {
            ++lists;
            cancelEach();
            press(modal, QStringLiteral("Cancel"));
        }, 30);
    };
    cancelEach();
    frame->findChild<QAction*>(QStringLiteral("Solvesystem1"))->trigger();
    QTest::qWait(500);
    EXPECT_EQ(lists, 1);
    EXPECT_EQ(frame->Workspace().MatrixCount, 1);
}

} // namespace

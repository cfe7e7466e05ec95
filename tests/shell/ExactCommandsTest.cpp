// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exact commands and the two switches as the window program offers
// them: where they stand in the menus, what they add, and the worked
// solution and fraction texts, which must be the core's bytes; long work
// off the GUI thread, with its progress dialog and Cancel.
#include "BoxMessages.h"
#include "EliminationWorkings.h"
#include "ExactCommands.h"
#include "ExactOperations.h"
#include "FractionListing.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "MatrixListing.h"
#include "MessageForm.h"
#include "ModalDriver.h"
#include "RecordingMessages.h"
#include "WorkingForm.h"
#include "WorkingWindows.h"
#include "WorkspaceBuilder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

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

// Random significands times 10^k, k in -300..300: fractions of thousands of
// digits, seconds of elimination.
void addWideRange(GVar& workspace) {
    std::mt19937_64 random(20260101);
    std::uniform_real_distribution<double> significand(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    TMatrixRec& m = workspace.AppendNew();
    m.SetName("W");
    m.Rows = m.Cols = MaxDim;
    for (int i = 1; i <= MaxDim; ++i)
        for (int j = 1; j <= MaxDim; ++j)
            m.At(i, j) = (random() % 2 ? -1 : 1) * significand(random) *
                         std::pow(10.0, exponent(random));
}

// Watches the windows a command shows: message boxes are answered with OK
// and their texts kept; the progress dialog gets onProgress.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            messages << box->text();
            QTimer::singleShot(0, box, [box] { box->accept(); });
        } else if (auto* dialog = qobject_cast<QProgressDialog*>(watched)) {
            ++progressDialogs;
            if (onProgress)
                QTimer::singleShot(0, dialog, [this, dialog] { onProgress(dialog); });
        }
        return false;
    }

    std::function<void(QProgressDialog*)> onProgress;
    QStringList messages;
    int progressDialogs = 0;
};

void clickCancel(QProgressDialog* d) { QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton); }

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
        for (TWorkingForm* form : WorkingWindows())
            form->close();
    }
    QTemporaryDir dir;
    std::unique_ptr<TFrameForm> frame;
};

// Where Determinant, Rank, Reduced row echelon form and Show working stand
// is told by the Linear algebra menu's own test.
TEST_F(ExactWindow, MatricesEndsWithShowFractionsAndTheSwitchesStartOff) {
    auto* matrices = frame->findChild<QMenu*>(QStringLiteral("Matrices1"));
    EXPECT_EQ(captions(matrices).mid(8),
              (QStringList{QStringLiteral("-"), QStringLiteral("New &matrix..."),
                           QStringLiteral("Edi&t matrix..."), QStringLiteral("E&xport matrix..."),
                           QStringLiteral("&Import matrix..."), QStringLiteral("-"),
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
    EXPECT_TRUE(WorkingWindows().isEmpty());  // the switch is off

    frame->Exact()->ShowWorkingAction()->setChecked(true);
    WhenModal([](QWidget* list) { pickRow(list, 0); });
    frame->InvertClick();
    const QList<TWorkingForm*> shown = WorkingWindows();
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
// Long work with its working: Ctrl+N, which opens an editor window, must
// not do so during the work, then or after.
TEST_F(ExactWindow, CancelStopsTheWorkWhileTheWindowAnswersButTakesNoKeys) {
    frame->Exact()->ShowWorkingAction()->setChecked(true);
    const auto newWindowKey = [this] {
        QApplication::setActiveWindow(frame.get());
        QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    };
    newWindowKey();
    ASSERT_EQ(frame->Editors().size(), 1);
    addWideRange(frame->Workspace());
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(20);
    ShownWindows shown;
    shown.onProgress = clickCancel;
    WhenModal([&](QWidget* list) {
        pickRow(list, 2);
        QTimer::singleShot(100, frame.get(), newWindowKey);
    });
    frame->Exact()->DeterminantClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.progressDialogs, 1);
    EXPECT_GE(ticks, 10);  // the window answered all through the first half second
    EXPECT_EQ(frame->Editors().size(), 1);
    EXPECT_EQ(frame->Workspace().MatrixCount, 3);
    EXPECT_EQ(shown.messages,
              QStringList{BoxMessages::DisplayText(ExactOperations::CancelledMessage)});
    EXPECT_TRUE(WorkingWindows().isEmpty());
}

TEST_F(ExactWindow, ClosingTheMainWindowCancelsTheWorkAndCloses) {
    frame->Exact()->ShowWorkingAction()->setChecked(true); // seconds of work
    addWideRange(frame->Workspace());
    ShownWindows shown;
    WhenModal([this](QWidget* list) {
        pickRow(list, 2);
        QTimer::singleShot(100, frame.get(), [this] { frame->close(); });
    });
    frame->Exact()->RrefClick();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->Workspace().MatrixCount, 3);
    EXPECT_TRUE(shown.messages.isEmpty());  // nobody is left to tell
    EXPECT_EQ(shown.progressDialogs, 0);
}

// Short work gives the core's bytes, as when it ran on the GUI thread, and
// no dialog flashes.
TEST_F(ExactWindow, ShortWorkGivesTheCoresResultAndWorkingWithoutADialog) {
    frame->Exact()->ShowWorkingAction()->setChecked(true);
    struct Case {
        const char* what;
        void (ExactCommands::*click)();
        void (ExactOperations::*operation)(int);
        std::string (EliminationWorkings::*working)(int) const;
        int slot;
    };
    const Case cases[] = {
        {"det(A)", &ExactCommands::DeterminantClick, &ExactOperations::DeterminantMat,
         &EliminationWorkings::Determinant, 1},
        {"rank(B)", &ExactCommands::RankClick, &ExactOperations::RankMat,
         &EliminationWorkings::Rank, 2},
        {"rref(A)", &ExactCommands::RrefClick, &ExactOperations::RrefMat,
         &EliminationWorkings::Rref, 1},
        {"det(B), refused", &ExactCommands::DeterminantClick, &ExactOperations::DeterminantMat,
         &EliminationWorkings::Determinant, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GVar expected;
        for (int s = 1; s <= frame->Workspace().MatrixCount; ++s)
            expected.Append(std::make_unique<TMatrixRec>(frame->Workspace().Matrix(s)));
        RecordingMessages said;
        (ExactOperations(expected, said).*c.operation)(c.slot);
        const std::string working = (EliminationWorkings(expected).*c.working)(c.slot);

        ShownWindows shown;
        WhenModal([&c](QWidget* list) { pickRow(list, c.slot - 1); });
        (frame->Exact()->*c.click)();
        EXPECT_EQ(shown.progressDialogs, 0);
        QStringList texts;
        for (const std::string& text : said.shown)
            texts << BoxMessages::DisplayText(text);
        EXPECT_EQ(shown.messages, texts);
        ASSERT_EQ(frame->Workspace().MatrixCount, expected.MatrixCount);
        const TMatrixRec& got = frame->Workspace().Matrix(frame->Workspace().MatrixCount);
        const TMatrixRec& want = expected.Matrix(expected.MatrixCount);
        EXPECT_EQ(got.Name, want.Name);
        EXPECT_EQ(std::memcmp(got.Data, want.Data, sizeof got.Data), 0);

        ExpectOneWorkingShowing(working);
    }
}
} // namespace

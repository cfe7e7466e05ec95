// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Long exact work as the window program runs it: off the GUI thread, with a
// progress dialog and Cancel, the window answering meanwhile; short work as
// it always was.
#include "BoxMessages.h"
#include "EliminationWorkings.h"
#include "ExactCommands.h"
#include "ExactOperations.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "ModalDriver.h"
#include "RecordingMessages.h"
#include "WorkingForm.h"
#include "WorkspaceBuilder.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include <cmath>
#include <cstring>
#include <random>

namespace {

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

void clickCancel(QProgressDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
}

// Picks slot (from 1) in the selection list, then does then.
void pick(int slot, std::function<void()> then = {}) {
    WhenModal([slot, then](QWidget* list) {
        list->findChild<QListWidget*>()->item(slot - 1)->setSelected(true);
        press(list, QStringLiteral("OK"));
        if (then)
            then();
    });
}

QList<TWorkingForm*> workingWindows() {
    QList<TWorkingForm*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TWorkingForm*>(w); form != nullptr && form->isVisible())
            found << form;
    return found;
}

class ExactWork : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        frame = std::make_unique<TFrameForm>();
        frame->show();
        AddMatrix(ws(), "A", {{2, 1}, {1, 1}});
        AddMatrix(ws(), "B", {{0.5, 0.333333}});
        frame->Exact()->ShowWorkingAction()->setChecked(true);
    }
    void TearDown() override {
        for (TWorkingForm* form : workingWindows())
            form->close();
        // Ending the program joins a cancelled job: it must notice soon.
        QElapsedTimer joined;
        joined.start();
        frame.reset();
        RecordProperty("ms_to_end_the_program", static_cast<int>(joined.elapsed()));
    }
    GVar& ws() { return frame->Workspace(); }
    std::unique_ptr<TFrameForm> frame;
};

TEST_F(ExactWork, CancelInTheProgressDialogStopsTheWorkAndAddsNothing) {
    addWideRange(ws());
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(20);
    ShownWindows shown;
    shown.onProgress = clickCancel;
    pick(3);
    frame->Exact()->DeterminantClick();
    EXPECT_EQ(shown.progressDialogs, 1);
    EXPECT_GE(ticks, 10);  // the window answered all through the first half second
    EXPECT_EQ(ws().MatrixCount, 3);
    EXPECT_EQ(shown.messages,
              QStringList{BoxMessages::DisplayText(ExactOperations::CancelledMessage)});
    EXPECT_TRUE(workingWindows().isEmpty());
}

TEST_F(ExactWork, KeysPressedDuringTheWorkDoNotFireAfterIt) {
    // Ctrl+N opens an editor window when the program is idle.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(frame->Editors().size(), 1);
    addWideRange(ws());
    ShownWindows shown;
    shown.onProgress = clickCancel;
    pick(3, [this] {
        QTimer::singleShot(100, frame.get(), [this] {
            frame->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
            QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
        });
    });
    frame->Exact()->RankClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Editors().size(), 1);
    EXPECT_EQ(ws().MatrixCount, 3);
}

TEST_F(ExactWork, ClosingTheMainWindowCancelsTheWorkAndCloses) {
    addWideRange(ws());
    ShownWindows shown;
    pick(3, [this] { QTimer::singleShot(100, frame.get(), [this] { frame->close(); }); });
    frame->Exact()->RrefClick();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(ws().MatrixCount, 3);
    EXPECT_TRUE(shown.messages.isEmpty());  // nobody is left to tell
    EXPECT_EQ(shown.progressDialogs, 0);
}

// Short work gives the core's bytes, as when it ran on the GUI thread, and
// no dialog flashes.
TEST_F(ExactWork, ShortWorkGivesTheCoresResultAndWorkingWithoutADialog) {
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
        for (int s = 1; s <= ws().MatrixCount; ++s)
            expected.Append(std::make_unique<TMatrixRec>(ws().Matrix(s)));
        RecordingMessages said;
        (ExactOperations(expected, said).*c.operation)(c.slot);
        const std::string working = (EliminationWorkings(expected).*c.working)(c.slot);

        ShownWindows shown;
        pick(c.slot);
        (frame->Exact()->*c.click)();
        EXPECT_EQ(shown.progressDialogs, 0);
        QStringList texts;
        for (const std::string& text : said.shown)
            texts << BoxMessages::DisplayText(text);
        EXPECT_EQ(shown.messages, texts);
        ASSERT_EQ(ws().MatrixCount, expected.MatrixCount);
        const TMatrixRec& got = ws().Matrix(ws().MatrixCount);
        const TMatrixRec& want = expected.Matrix(expected.MatrixCount);
        EXPECT_EQ(got.Name, want.Name);
        EXPECT_EQ(std::memcmp(got.Data, want.Data, sizeof got.Data), 0);

        QString text = QString::fromLatin1(working.data(), static_cast<qsizetype>(working.size()));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.chop(1);
        const QList<TWorkingForm*> windows = workingWindows();
        ASSERT_EQ(windows.size(), 1);
        EXPECT_EQ(windows.first()->Text(), text);
        windows.first()->close();
    }
}
} // namespace

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Practise row operations in the main window: opened from the menu by the
// keyboard, driven by typed operations, the buttons, undo and redo keys,
// hints and refusals, finished into the workspace with the core's log as a
// worked solution; a right-hand side, closing with work unfinished, the
// factors the buttons read, and the redraw of a large practice.
#include "PracticeWindow.h"
#include "BoxMessages.h"
#include "GVar.h"
#include "MDIFrame.h"
#include "ModalDriver.h"
#include "RecordingMessages.h"
#include "RowOperationReader.h"
#include "RowPractice.h"
#include "WorkingText.h"
#include "WorkingWindows.h"
#include "WorkspaceBuilder.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

namespace {

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QList<PracticeWindow*> practiceWindows() {
    QList<PracticeWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<PracticeWindow*>(w); p != nullptr && p->isVisible())
            found << p;
    return found;
}

// What the window shows matches the core: the matrix, the status, and the
// log without the status that closes it.
void expectShowsPractice(PracticeWindow* window) {
    const RowPractice& p = window->Practice();
    std::string log = p.Log();
    log.resize(log.size() - WorkingText::Line(p.Status()).size());
    EXPECT_EQ(window->LogText(), latin1(log).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(window->findChild<QPlainTextEdit*>(QStringLiteral("MatrixText"))->toPlainText() +
                  QLatin1Char('\n'),
              latin1(p.MatrixText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("StatusLine"))->text(), latin1(p.Status()));
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("UndoButton"))->isEnabled(),
              p.CanUndo());
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("RedoButton"))->isEnabled(),
              p.CanRedo());
}

Rows current(const PracticeWindow* window) {
    TMatrixRec m;
    EXPECT_TRUE(window->Practice().Current().ToRecord(m));
    return Block(m);
}

void typeOperation(QWidget* window, const QString& text) {
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// Chooses slot in the selection list about to be shown.
void pickNext(int slot) {
    WhenModal([slot](QWidget* list) {
        list->findChild<QListWidget*>()->item(slot - 1)->setSelected(true);
        press(list, QStringLiteral("OK"));
    });
}

// A button's Alt key presses it once its pressed look has shown.
void altKey(QWidget* window, Qt::Key key) {
    QTest::keyClick(window, key, Qt::AltModifier);
    QTest::qWait(250);
}

// Answers the message boxes shown meanwhile with OK, keeping their texts.
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

class PracticeInWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }
    void SetUp() override {
        frame = std::make_unique<TFrameForm>();
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void TearDown() override {
        for (TWorkingForm* form : WorkingWindows())
            form->close();
        frame.reset();
    }
    // Opens a practice window from the menu on slot, from the keyboard.
    PracticeWindow* openOn(int slot) {
        pickNext(slot);
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_L, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_NE(popup, nullptr);
        if (popup == nullptr)
            return nullptr;
        const QList<PracticeWindow*> before = practiceWindows();
        QTest::keyClick(popup, Qt::Key_P);
        for (PracticeWindow* window : practiceWindows())
            if (!before.contains(window)) {
                activate(window);
                return window;
            }
        return nullptr;
    }
    static void activate(QWidget* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }

    std::unique_ptr<TFrameForm> frame;
};

TEST_F(PracticeInWindow, TypedButtonsUndoRedoHintRefusalAndFinish) {
    AddMatrix(frame->Workspace(), "A", {{2, 4, 6}, {1, 3, 5}});
    PracticeWindow* window = openOn(1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Practise row operations: A"));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("OperationEdit"));
    expectShowsPractice(window);

    typeOperation(window, QStringLiteral("R1 <- (1/2) R1"));
    typeOperation(window, QStringLiteral("R2 - R1 -> R2"));
    EXPECT_EQ(current(window), (Rows{{1, 2, 3}, {0, 1, 2}}));
    EXPECT_TRUE(window->findChild<QLineEdit*>(QStringLiteral("OperationEdit"))->text().isEmpty());
    expectShowsPractice(window);

    // Add -2 times row 2 to row 1, by the button's Alt key.
    QTest::keyClick(window, Qt::Key_D, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-2"));
    window->findChild<QSpinBox*>(QStringLiteral("AddSource"))->setValue(2);
    window->findChild<QSpinBox*>(QStringLiteral("AddTarget"))->setValue(1);
    altKey(window, Qt::Key_A);
    const Rows reduced{{1, 0, -1}, {0, 1, 2}};
    EXPECT_EQ(current(window), reduced);
    ASSERT_EQ(window->Practice().Operations().size(), 3u);
    EXPECT_EQ(window->Practice().Operations()[2].Text(), "R1 <- R1 - 2 R2");
    expectShowsPractice(window);

    // The keys undo and redo wherever the keyboard is, the field included.
    QWidget* field = window->findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(current(window), (Rows{{1, 2, 3}, {0, 1, 2}}));
    expectShowsPractice(window);
    altKey(window, Qt::Key_H);
    EXPECT_TRUE(window->Note().contains(latin1(window->Practice().Hint())))
        << window->Note().toStdString();
    EXPECT_EQ(window->Practice().Operations().size(), 2u) << "the hint was applied";
    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(current(window), reduced);
    expectShowsPractice(window);
    altKey(window, Qt::Key_H);
    EXPECT_TRUE(window->Note().contains(QStringLiteral("already in reduced row echelon form")));

    // Refusals change nothing and say why.
    const QString logBefore = window->LogText();
    const struct {
        const char* factor;
        std::string said;
    } refused[] = {{"0", RowOperationReader::ScaleByZeroMessage}, {"1/0", "does not read"}};
    for (const auto& r : refused) {
        auto* factor = window->findChild<QLineEdit*>(QStringLiteral("ScaleFactor"));
        factor->setText(QString::fromLatin1(r.factor));
        window->findChild<QPushButton*>(QStringLiteral("ScaleButton"))->click();
        EXPECT_TRUE(window->Note().contains(latin1(r.said.substr(1))))
            << window->Note().toStdString();
        EXPECT_EQ(current(window), reduced);
        EXPECT_EQ(window->LogText(), logBefore);
        EXPECT_EQ(QApplication::focusWidget(), factor);
    }
    // Pasted with the arrow and minus of a text book, read as typed.
    const QString pasted = QStringLiteral("R1 \u2190 R1 \u2212 2 R1");
    auto* operation = window->findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
    operation->setText(pasted);
    QTest::keyClick(operation, Qt::Key_Return);
    EXPECT_TRUE(window->Note().contains(latin1(RowOperationReader::ToItselfMessage.substr(1))))
        << window->Note().toStdString();
    EXPECT_EQ(operation->text(), pasted) << "the refused text is kept to be mended";
    EXPECT_EQ(window->Practice().Operations().size(), 3u);

    const std::string log = window->Practice().Log();
    altKey(window, Qt::Key_F);
    ASSERT_EQ(frame->Workspace().MatrixCount, 2);
    EXPECT_EQ(frame->Workspace().Matrix(2).Name, "rowops(A)");
    EXPECT_EQ(Block(frame->Workspace().Matrix(2)), reduced);
    EXPECT_TRUE(practiceWindows().isEmpty());
    ASSERT_EQ(WorkingWindows().size(), 1);
    EXPECT_EQ(WorkingWindows().first()->windowTitle(),
              QStringLiteral("Worked solution: rowops(A)"));
    ExpectOneWorkingShowing(log);
}

TEST_F(PracticeInWindow, RightHandSideMustBeOneColumnOfAsManyRows) {
    AddMatrix(frame->Workspace(), "A", {{1, 2}, {3, 4}});
    AddMatrix(frame->Workspace(), "c", {{1, 2}, {3, 4}});
    AddMatrix(frame->Workspace(), "b", {{5}, {6}});
    PracticeWindow* window = openOn(1);
    ASSERT_NE(window, nullptr);
    auto* box = window->findChild<QCheckBox*>(QStringLiteral("RightHandSide"));
    {
        BoxAnswerer boxes;
        pickNext(2);
        box->click();
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts.first(),
                  QStringLiteral("The right-hand side must be one column with "
                                 "as many rows as A: A is 2 x 2, c is 2 x 2."));
    }
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(window->Practice().Name(), "A");

    pickNext(3);
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(window->Practice().Name(), "[A | b]");
    EXPECT_EQ(window->Practice().BarAfter(), 2);
    expectShowsPractice(window);
    typeOperation(window, QStringLiteral("R2 <- R2 - 3 R1"));
    EXPECT_FALSE(box->isEnabled()) << "b changed under operations in effect";
    window->FinishClick();
    ASSERT_EQ(frame->Workspace().MatrixCount, 4);
    EXPECT_EQ(frame->Workspace().Matrix(4).Name, "rowops([A | b])");
    EXPECT_EQ(Block(frame->Workspace().Matrix(4)), (Rows{{1, 2, 5}, {0, -2, -9}}));
}

TEST_F(PracticeInWindow, EscAsksOnlyWithOperationsMadeAndAFullWorkspaceKeepsTheWindow) {
    AddMatrix(frame->Workspace(), "A", {{0, 1}, {1, 0}});
    PracticeWindow* window = openOn(1);
    ASSERT_NE(window, nullptr);
    typeOperation(window, QStringLiteral("swap R1 R2"));

    // Keep practising is Esc's answer to the question, and the default.
    QString asked;
    WhenModal([&asked](QWidget* question) {
        asked = qobject_cast<QMessageBox*>(question)->text();
        QTest::keyClick(question, Qt::Key_Escape);
    });
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(asked.contains(QStringLiteral("1 row operation made"))) << asked.toStdString();
    ASSERT_EQ(practiceWindows().size(), 1);

    // With no room, Finish says so as every result does and keeps the work.
    FillTo(frame->Workspace(), 19);
    {
        BoxAnswerer boxes;
        EXPECT_FALSE(window->FinishClick());
        EXPECT_EQ(boxes.texts, QStringList{BoxMessages::DisplayText(GVar::LimitMessage)});
    }
    EXPECT_EQ(frame->Workspace().MatrixCount, 19);
    ASSERT_EQ(practiceWindows().size(), 1);
    EXPECT_TRUE(WorkingWindows().isEmpty());

    WhenModal([](QWidget* question) { press(question, QStringLiteral("Close")); });
    activate(window);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(practiceWindows().isEmpty());

    // Nothing in effect, nothing to lose: no question.
    window = openOn(1);
    ASSERT_NE(window, nullptr);
    typeOperation(window, QStringLiteral("R1 <-> R2"));
    window->UndoClick();
    const auto askedAgain = std::make_shared<bool>(false);
    WhenModal(
        [askedAgain](QWidget* question) {
            if (qobject_cast<QMessageBox*>(question) == nullptr)
                return;
            *askedAgain = true;
            press(question, QStringLiteral("Close"));
        },
        30);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(*askedAgain);
    EXPECT_TRUE(practiceWindows().isEmpty());
    EXPECT_EQ(frame->Workspace().MatrixCount, 19);
}

// Every control the keyboard can reach has an Alt key, and no two share one.
TEST_F(PracticeInWindow, EveryControlHasAnAltKeyOfItsOwn) {
    AddMatrix(frame->Workspace(), "A", {{1, 2}, {3, 4}});
    PracticeWindow* window = openOn(1);
    ASSERT_NE(window, nullptr);
    QString keys;
    int controls = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) == 0 || !w->isVisible() ||
            qobject_cast<QAbstractSpinBox*>(w->parentWidget()) != nullptr)
            continue;
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            caption = button->text();
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->buddy() == w)
                caption = l->text();
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        EXPECT_TRUE(at >= 0 && at + 1 < caption.size())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
        if (at >= 0 && at + 1 < caption.size()) {
            const QChar key = caption.at(at + 1).toLower();
            EXPECT_FALSE(keys.contains(key)) << "Alt+" << QString(key).toStdString() << " twice";
            keys += key;
        }
        ++controls;
    }
    EXPECT_EQ(controls, 20);
}

TEST(PracticeFactor, ReadsWholeFractionAndDecimalExactly) {
    const struct {
        const char* text;
        const char* value; // "" when it does not read
    } cases[] = {
        {"3", "3"},         {"-3", "-3"},       {" + 3 ", "3"},  {"3/2", "3/2"}, {"-6/4", "-3/2"},
        {"(-3/2)", "-3/2"}, {"-(3/2)", "-3/2"}, {"0.25", "1/4"}, {".5", "1/2"},  {"2.", "2"},
        {"1.5/0.5", "3"},   {"0", "0"},         {"0.1", "1/10"}, {"", ""},       {"-", ""},
        {".", ""},          {"1/0", ""},        {"1/", ""},      {"1.2.3", ""},  {"2x", ""},
        {"(3", ""},         {"1e3", ""},        {"--3", ""},     {"R1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<mpq_class> read = PracticeWindow::ReadFactor(c.text);
        if (*c.value == '\0') {
            EXPECT_FALSE(read.has_value()) << read->get_str();
        } else {
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(*read, mpq_class(c.value));
        }
    }
    EXPECT_TRUE(PracticeWindow::ReadFactor(std::string(60, '7')).has_value());
    EXPECT_FALSE(PracticeWindow::ReadFactor(std::string(61, '7')).has_value());
}

// A 50 x 50 of two-digit values after 200 steps still shows the practice
// as it stands, the log drawn entry by entry (its time is a benchmark's).
TEST(PracticeRedraw, FiftyByFiftyAfterTwoHundredOperationsShowsThePractice) {
    GVar workspace;
    RecordingMessages messages;
    TMatrixRec& m = workspace.AppendNew();
    m.SetName("A");
    m.Rows = m.Cols = MaxDim;
    std::mt19937 random(8);
    for (int i = 1; i <= MaxDim; ++i)
        for (int j = 1; j <= MaxDim; ++j)
            m.At(i, j) = static_cast<double>(static_cast<int>(random() % 199) - 99);
    auto* window = new PracticeWindow(
        workspace, messages, [] { return 0; }, 1, nullptr);
    window->show();
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
    const auto step = [&] {
        field->setText(latin1(window->Practice().Hint()));
        EXPECT_TRUE(window->ApplyTyped());
    };
    for (int k = 0; k < 200; ++k)
        step();
    for (int k = 0; k < 5; ++k) {
        step();
        window->UndoClick();
    }
    EXPECT_EQ(window->Practice().Operations().size(), 200u);
    expectShowsPractice(window);
    delete window;
}

} // namespace

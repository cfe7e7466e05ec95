// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileBytes.h"
#include "MDIChild.h"
#include "FindDialogs.h"
#include "MDIFrame.h"
#include "ModalDriver.h"
#include "PdfReading.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Answers the next message box with one of its buttons, keeping its text.
void answer(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModal([button, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        if (text != nullptr)
            *text = box->text();
        box->button(button)->click();
    });
}

// Closes every modal window shown while it lives, keeping the texts of
// boxes and the titles of dialogs: an unexpected one fails, never waits.
struct BoxCatcher {
    BoxCatcher() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                auto* box = qobject_cast<QMessageBox*>(dialog);
                texts << (box != nullptr ? box->text() : dialog->windowTitle());
                dialog->done(QDialog::Rejected);
            }
        });
        timer.start(5);
    }
    QTimer timer;
    QStringList texts;
};

class Editors : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());  // untitled windows save here
        frame = std::make_unique<TFrameForm>();
        frame->show();
    }
    void TearDown() override {
        for (TChild* editor : frame->Editors())
            editor->SetCloseConfirmed();
        frame.reset();
        QDir::setCurrent(previous);
    }

    TChild* open(const QString& path) {
        WhenModal([path](QWidget* w) { choose(w, path); });
        frame->Open1Click();
        return frame->ActiveEditor();
    }
    void type(TChild* editor, const QString& text) {
        editor->Memo()->setFocus();
        QTest::keyClicks(editor->Memo(), text);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<TFrameForm> frame;
};

TEST_F(Editors, NewWindowsAreNumberedForTheWholeRun) {
    frame->New1Click();
    frame->New1Click();
    QStringList captions;
    for (TChild* editor : frame->Editors())
        captions << editor->windowTitle();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("DOC1.dat"), QStringLiteral("DOC2.dat")}));
    for (TChild* editor : frame->Editors())
        editor->Close1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame->Editors().isEmpty());
    frame->New1Click();
    EXPECT_EQ(frame->ActiveEditor()->windowTitle(), QStringLiteral("DOC3.dat"));
}

TEST_F(Editors, AnUntitledWindowSavesUnderItsNameWithoutADialog) {
    WriteBytes(path("DOC1.BAK"), "stale");
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    type(editor, QStringLiteral("x"));
    editor->Save1Click();
    EXPECT_EQ(ReadBytes(path("DOC1.dat")), "x");
    EXPECT_FALSE(QFile::exists(path("DOC1.BAK")));  // the stale one went, none was made
    EXPECT_FALSE(editor->IsModified());
}

TEST_F(Editors, OpeningShowsTheFileAndSavingWritesCrLf) {
    WriteBytes(path("lf.dat"), "one\ntwo\n");
    TChild* first = open(path("lf.dat"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->windowTitle(), path("lf.dat"));
    EXPECT_EQ(first->Memo()->toPlainText(), QStringLiteral("one\ntwo\n"));
    EXPECT_FALSE(first->IsModified());
    TChild* second = open(path("lf.dat"));
    EXPECT_NE(first, second);
    EXPECT_EQ(frame->Editors().size(), 2);

    second->Save1Click();
    EXPECT_EQ(ReadBytes(path("lf.dat")), "one\r\ntwo\r\n");
    EXPECT_EQ(ReadBytes(path("lf.BAK")), "one\ntwo\n");
}

TEST_F(Editors, AFileThatCannotBeReadLeavesNoWindow) {
    QString message;
    // The dialog takes only a file that is there; this one goes before the
    // window reads it, as a file on a failing disk or a vanished share does.
    const QString unreadable = path("gone.dat");
    WriteBytes(unreadable, "text");
    WhenModal([&](QWidget* w) {
        answer(QMessageBox::Ok, &message);
        choose(w, unreadable);
        QFile::remove(unreadable);
    });
    frame->Open1Click();
    EXPECT_EQ(frame->ActiveEditor(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame->Editors().isEmpty());
    EXPECT_TRUE(message.contains(unreadable)) << message.toStdString();
}

TEST_F(Editors, TheSaveQuestionDecidesTheClose) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    QMdiSubWindow* window = frame->MdiArea()->activeSubWindow();

    editor->Close1Click();  // unmodified: nothing asked
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame->Editors().isEmpty());

    frame->New1Click();
    editor = frame->ActiveEditor();
    window = frame->MdiArea()->activeSubWindow();
    type(editor, QStringLiteral("keep me"));
    QString question;
    answer(QMessageBox::Cancel, &question);
    editor->Close1Click();
    EXPECT_EQ(question, QStringLiteral("Save changes to DOC2.dat? "));
    EXPECT_EQ(frame->Editors().size(), 1);

    // The close box asks again after a cancelled Close.
    answer(QMessageBox::Cancel);
    window->close();
    EXPECT_EQ(frame->Editors().size(), 1);

    answer(QMessageBox::Yes);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame->Editors().isEmpty());
    EXPECT_EQ(ReadBytes(path("DOC2.dat")), "keep me");
}

TEST_F(Editors, EndingTheProgramAsksForEveryModifiedWindow) {
    frame->New1Click();
    type(frame->ActiveEditor(), QStringLiteral("work"));
    answer(QMessageBox::Cancel);
    frame->Exit1Click();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Editors().size(), 1);

    answer(QMessageBox::No);
    frame->Exit1Click();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(Editors, TheEditorsMenusStandInTheMenuBar) {
    const auto titles = [this] {
        QStringList list;
        for (QAction* action : frame->menuBar()->actions())
            list << action->text().remove(QLatin1Char('&'));
        return list;
    };
    const QStringList own{QStringLiteral("File"), QStringLiteral("Matrices"),
                          QStringLiteral("Numerical operations"), QStringLiteral("Linear algebra"),
                          QStringLiteral("Window"), QStringLiteral("Help")};
    EXPECT_EQ(titles(), own);
    frame->New1Click();
    EXPECT_EQ(titles(), (QStringList{QStringLiteral("File"), QStringLiteral("Edit"),
                                     QStringLiteral("Matrices"),
                                     QStringLiteral("Numerical operations"),
                                     QStringLiteral("Linear algebra"), QStringLiteral("Window"),
                                     QStringLiteral("Help")}));
    EXPECT_EQ(frame->menuBar()->actions().first()->menu(), frame->ActiveEditor()->Menus().first());
    frame->ActiveEditor()->Close1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(titles(), own);
}

TEST_F(Editors, EditItemsFollowTheSelectionWhenTheMenuOpens) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    type(editor, QStringLiteral("abc"));
    QGuiApplication::clipboard()->clear();
    editor->EnableEdits();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "Paste1"})
        EXPECT_FALSE(editor->Action(QString::fromLatin1(name))->isEnabled()) << name;
    editor->Memo()->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    editor->EnableEdits();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "Paste1"})
        EXPECT_TRUE(editor->Action(QString::fromLatin1(name))->isEnabled()) << name;

    // The Cut button cuts, as the item does.
    editor->findChild<QToolButton*>(QStringLiteral("CutTextButton"))->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    EXPECT_TRUE(editor->Memo()->toPlainText().isEmpty());
}

TEST_F(Editors, TheSizeBoxReadsTheNumberItStartsWith) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    EXPECT_EQ(editor->FontSizeBox()->currentText(), QStringLiteral("8"));
    EXPECT_EQ(editor->FontSizeBox()->count(), 67);
    editor->FontSizeBox()->setEditText(QStringLiteral("12pt"));
    EXPECT_EQ(editor->Memo()->font().pointSize(), 12);

    // An empty box gives no size, and printing refuses it with a message.
    type(editor, QStringLiteral("text"));
    editor->FontSizeBox()->setEditText(QString());
    QString message;
    answer(QMessageBox::Ok, &message);
    editor->Print1Click();
    EXPECT_FALSE(message.isEmpty());
}

TEST_F(Editors, FindAndReplaceWorkOnTheText) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    QString note;
    answer(QMessageBox::Ok, &note);
    editor->FindTextClick();
    EXPECT_EQ(note, QStringLiteral("No text to search"));

    editor->Memo()->setPlainText(QStringLiteral("one\ntwo\nthree"));
    editor->Memo()->document()->setModified(false);
    editor->ReplaceClick();
    TFindDialog* dialog = editor->ReplaceDialog();
    EXPECT_TRUE(dialog->isVisible());
    dialog->FindEdit->setText(QStringLiteral("t"));
    dialog->ReplaceEdit->setText(QStringLiteral("T"));
    editor->ReplaceDialogFind();
    editor->ReplaceDialogFind();
    EXPECT_EQ(editor->Memo()->textCursor().selectionStart(), 8);  // line 3, column 1
    editor->ReplaceDialogReplace(false);  // the first from the top, whatever is selected
    EXPECT_EQ(editor->Memo()->toPlainText(), QStringLiteral("one\nTwo\nthree"));
    EXPECT_TRUE(editor->IsModified());
}
} // namespace

namespace {
TEST_F(Editors, AWindowClosedWhilePrintingEndsTheJobAndThenCloses) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << QStringLiteral("line %1").arg(i);
    editor->Memo()->setPlainText(lines.join(QLatin1Char('\n')));
    editor->Memo()->document()->setModified(false);
    editor->Printer().setOutputFormat(QPrinter::PdfFormat);
    editor->Printer().setOutputFileName(path("job.pdf"));
    QPointer<QMdiSubWindow> window = frame->MdiArea()->activeSubWindow();
    // The close arrives between two printed lines.
    QTimer::singleShot(0, window, [window] { window->close(); });
    editor->Print1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(frame->Editors().isEmpty());
}

TEST_F(Editors, ASaveThatFailsKeepsTheWindowAndItsEdits) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    editor->ParseFile(path("no-such-folder/x.dat"));
    type(editor, QStringLiteral("precious"));
    QString report;
    WhenModal([&](QWidget* question) {
        answer(QMessageBox::Ok, &report);  // the failure's report comes next
        static_cast<QMessageBox*>(question)->button(QMessageBox::Yes)->click();
    });
    frame->MdiArea()->activeSubWindow()->close();
    EXPECT_TRUE(report.contains(path("no-such-folder/x.dat"))) << report.toStdString();
    ASSERT_EQ(frame->Editors().size(), 1);
    EXPECT_TRUE(editor->IsModified());
    EXPECT_EQ(editor->Memo()->toPlainText(), QStringLiteral("precious"));
}
} // namespace

namespace {
// Print setup chooses the program's one printer (here a PDF file) and
// prints nothing; every window prints on it. Print, or Print setup, while a
// job runs is told so, and the job goes on to its end.
TEST_F(Editors, PrintSetupChoosesTheOnePrinterOfEveryWindow) {
    if (!HavePoppler())
        GTEST_SKIP() << "poppler's tools are not installed";
    frame->New1Click();
    TChild* other = frame->ActiveEditor();
    type(other, QStringLiteral("other text"));
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("line %1").arg(i);
    editor->Memo()->setPlainText(lines.join(QLatin1Char('\n')));
    const QString pdf = path("chosen.pdf");
    WhenModal([&](QWidget* w) {
        auto* printers = w->findChild<QComboBox*>(QStringLiteral("printers"));
        if (qobject_cast<QPrintDialog*>(w) == nullptr || printers == nullptr) {
            ADD_FAILURE() << "not the print dialog";
            w->close();
            return;
        }
        printers->setCurrentIndex(printers->findText(QStringLiteral("PDF"), Qt::MatchContains));
        w->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
        press(w, QStringLiteral("OK"));
    });
    other->PrintSetup1Click();
    EXPECT_FALSE(QFile::exists(pdf));

    BoxCatcher boxes;
    QTimer::singleShot(0, editor, [&] {
        editor->Print1Click();
        other->Print1Click();
        other->PrintSetup1Click();
    });
    editor->Print1Click();
    EXPECT_EQ(boxes.texts.join(QLatin1Char('|')).toStdString(),
              "Printing is in progress.|Printing is in progress.|Printing is in progress.");
    const QString printed = PdfText(pdf);
    EXPECT_TRUE(printed.contains(QStringLiteral("line 299")));
    EXPECT_FALSE(printed.contains(QStringLiteral("other text")));
}

// Each command of the modeless dialog hands the keyboard back to the text
// of the dialog's window, also when another window was active meanwhile.
TEST_F(Editors, TheTextHasTheKeyboardAfterEachDialogCommand) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    editor->Memo()->setPlainText(QStringLiteral("one two"));
    editor->ReplaceClick();
    TFindDialog* dialog = editor->ReplaceDialog();
    dialog->FindEdit->setText(QStringLiteral("two"));
    dialog->ReplaceEdit->setText(QStringLiteral("2"));
    frame->New1Click();
    QMdiSubWindow* otherWindow = frame->MdiArea()->activeSubWindow();
    const std::pair<const char*, QPushButton*> commands[] = {
        {"Find Next", dialog->FindNextButton},
        {"Find Next, not found", dialog->FindNextButton},
        {"Replace", dialog->ReplaceButton},
        {"Replace All", dialog->ReplaceAllButton},
    };
    for (const auto& [name, button] : commands) {
        frame->MdiArea()->setActiveSubWindow(otherWindow);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog)) << name;
        if (std::string(name) == "Find Next, not found")
            answer(QMessageBox::Ok);
        button->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == frame.get(); }))
            << name;
        EXPECT_EQ(QApplication::focusWidget(), editor->Memo()) << name;
        EXPECT_EQ(frame->ActiveEditor(), editor) << name;
    }
}

// A replacement holding a line break (pasted into the field) breaks each
// line where it goes in, and every other line stays as it was.
TEST_F(Editors, ReplaceAllWithALineBreakLeavesTheOtherLinesAlone) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    editor->Memo()->setPlainText(QStringLiteral("a x\nb\nc x x\nd\nx"));
    editor->ReplaceClick();
    TFindDialog* dialog = editor->ReplaceDialog();
    dialog->FindEdit->setText(QStringLiteral("x"));
    dialog->MatchCaseBox->setChecked(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("1\r\n2"));
    dialog->ReplaceEdit->setFocus();
    QTest::keyClick(dialog->ReplaceEdit, Qt::Key_V, Qt::ControlModifier);
    dialog->ReplaceAllButton->click();
    EXPECT_EQ(editor->Memo()->toPlainText(),
              QStringLiteral("a 1\n2\nb\nc 1\n2 1\n2\nd\n1\n2"));
    // One edit: a single undo brings the text back.
    editor->Memo()->undo();
    EXPECT_EQ(editor->Memo()->toPlainText(), QStringLiteral("a x\nb\nc x x\nd\nx"));
}

// Replacing by the very same text is still a replacement; finding nothing
// leaves the flag as it was.
TEST_F(Editors, ReplacingSetsTheModifiedFlagEvenWithTheSameText) {
    frame->New1Click();
    TChild* editor = frame->ActiveEditor();
    editor->Memo()->setPlainText(QStringLiteral("abc abc"));
    TFindDialog* dialog = editor->ReplaceDialog();
    dialog->ReplaceEdit->setText(QStringLiteral("abc"));
    for (const bool all : {false, true}) {
        editor->Memo()->document()->setModified(false);
        dialog->FindEdit->setText(QStringLiteral("xyz"));
        editor->ReplaceDialogReplace(all);
        EXPECT_FALSE(editor->IsModified()) << all;
        dialog->FindEdit->setText(QStringLiteral("ABC"));
        editor->ReplaceDialogReplace(all);
        EXPECT_TRUE(editor->IsModified()) << all;
    }
    EXPECT_EQ(editor->Memo()->toPlainText(), QStringLiteral("abc abc"));
}
} // namespace

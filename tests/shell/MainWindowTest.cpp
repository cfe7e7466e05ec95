// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileBytes.h"
#include "MDIFrame.h"
#include "MatrixListing.h"
#include "MessageForm.h"
#include "ModalDriver.h"
#include "PdfReading.h"
#include "Viewfile.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
const char* const Example = "Matrices for exercise 3\r\nA\r\n2, 3\r\n1 2 3\r\n4.5, -1, 0.25\r\n"
                            "\r\nB\r\n1 1\r\n7\r\n";

// Picks an item of the selection list (-1 for none) and confirms it.
void pick(QWidget* window, int row) {
    auto* list = window->findChild<QListWidget*>(QStringLiteral("MatListBox"));
    ASSERT_NE(list, nullptr);
    if (row >= 0)
        list->item(row)->setSelected(true);
    press(window, QStringLiteral("OK"));
}

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        frame = std::make_unique<TFrameForm>();
        frame->show();
    }

    // Reads the example file into the workspace through the open dialog.
    void readExample() {
        const QString path = dir.filePath(QStringLiteral("example.dat"));
        std::ofstream(path.toStdString(), std::ios::binary) << Example;
        WhenModal([path](QWidget* w) { choose(w, path); });
        frame->Readfile1Click();
    }

    QTemporaryDir dir;
    std::unique_ptr<TFrameForm> frame;
};

TEST_F(MainWindow, ReadsADataFileThroughTheOpenDialog) {
    readExample();
    EXPECT_EQ(frame->OpenFileDialog()->windowTitle(), QStringLiteral(" Read File of Matrices "));
    ASSERT_EQ(frame->Workspace().MatrixCount, 2);
    EXPECT_EQ(frame->Workspace().Matrix(1).Name, "A");
    EXPECT_EQ(frame->Workspace().HeaderLine, "Matrices for exercise 3");
}

TEST_F(MainWindow, ATwoMatrixCommandAsksTwiceAndStopsAtACancel) {
    readExample();
    int asked = 0;
    // First pick A, then cancel the second selection: nothing is added.
    WhenModal([&](QWidget* w) {
        ++asked;
        WhenModal([&](QWidget* second) {
            ++asked;
            press(second, QStringLiteral("Cancel"));
        });
        pick(w, 0);
    });
    frame->Addmatrices1Click();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(frame->Workspace().MatrixCount, 2);

    // Cancelling the first selection asks nothing more.
    asked = 0;
    WhenModal([&](QWidget* w) {
        ++asked;
        press(w, QStringLiteral("Cancel"));
    });
    frame->Multiplymatrices1Click();
    QTest::qWait(100);
    EXPECT_EQ(asked, 1);

    // A then B: the product A * B is refused (3 columns, 1 row); B * B is made.
    WhenModal([&](QWidget* w) {
        WhenModal([](QWidget* second) { pick(second, 1); });
        pick(w, 1);
    });
    frame->Multiplymatrices1Click();
    ASSERT_EQ(frame->Workspace().MatrixCount, 3);
    EXPECT_EQ(frame->Workspace().Matrix(3).Name, "B*B");
    EXPECT_EQ(frame->Workspace().Matrix(3).At(1, 1), 49.0);
}

TEST_F(MainWindow, AnOverflowInAnOperationIsAMessageNotAnEnd) {
    const QString path = dir.filePath(QStringLiteral("faults.dat"));
    std::ofstream(path.toStdString(), std::ios::binary)
        << "Overflows\r\nA\r\n2, 2\r\n1e308, 1e308\r\n-1e308, 1e308\r\n"
           "B\r\n3, 3\r\n2, 1e300, 1e150\r\n0, 1e-200, 1e-250\r\n0, 1e-160, 0\r\n"
           "C\r\n2, 2\r\n1e-200, 1e-55\r\n0, 1e-309\r\n";
    WhenModal([path](QWidget* w) { choose(w, path); });
    frame->Readfile1Click();
    ASSERT_EQ(frame->Workspace().MatrixCount, 3);
    for (int row = 0; row < 3; ++row) {
        QString shown;
        WhenModal([&shown, row](QWidget* list) {
            WhenModal([&shown](QWidget* box) {
                shown = static_cast<QMessageBox*>(box)->text();
                press(box, QStringLiteral("OK"));
            });
            pick(list, row);
        });
        frame->InvertClick();
        EXPECT_EQ(shown, QStringLiteral("Sorry, the maximum memory allocation already exist."))
            << "row " << row;
        EXPECT_EQ(frame->Workspace().MatrixCount, 3);
    }
}

TEST_F(MainWindow, OkWithNothingChosenRunsNothing) {
    WhenModal([](QWidget* w) {
        auto* list = w->findChild<QListWidget*>(QStringLiteral("MatListBox"));
        EXPECT_EQ(list->count(), 0);
        pick(w, -1);
    });
    frame->Transposematrix1Click();
    EXPECT_EQ(frame->Workspace().MatrixCount, 0);
}

TEST_F(MainWindow, ViewPutsExactlyTheViewTextOnTheClipboard) {
    readExample();
    frame->Workspace().DecimalPlaces = 2;
    QString shown;
    WhenModal([&](QWidget* w) {
        WhenModal([&](QWidget* form) {
            shown = static_cast<TMsgForm*>(form)->MessageText;
            EXPECT_EQ(form->windowTitle(), QStringLiteral("Matrix View"));
            press(form, QStringLiteral("Clipboard"));
        });
        pick(w, 0);
    });
    frame->Viewmatrix2lick();
    // The largest magnitude, 4.5, gives fields of 0 + 2 + 4 = 6 characters.
    const std::string expected = "A\r\n2, 3\r\n  1.00   2.00   3.00 \r\n  4.50  -1.00   0.25 \r\n";
    EXPECT_EQ(shown.toStdString(), expected);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
}

TEST_F(MainWindow, RetryAsksForAMatrixAgain) {
    readExample();
    int picks = 0;
    WhenModal([&](QWidget* w) {
        ++picks;
        WhenModal([&](QWidget* form) {
            WhenModal([&](QWidget* again) {
                ++picks;
                press(again, QStringLiteral("Cancel"));
            });
            press(form, QStringLiteral("Retry"));
        });
        pick(w, 1);
    });
    frame->Viewmatrix2lick();
    EXPECT_EQ(picks, 2);
}

TEST_F(MainWindow, ListMatrixWritesTheFileAndShowsItInAViewer) {
    readExample();
    const QString typed = dir.filePath(QStringLiteral("answers"));
    WhenModal([&](QWidget* w) {
        WhenModal([](QWidget* selection) {
            auto* list = selection->findChild<QListWidget*>(QStringLiteral("MatList"));
            ASSERT_NE(list, nullptr);
            list->item(1)->setSelected(true);
            press(selection, QStringLiteral("Ok"));
        });
        choose(w, typed);
    });
    frame->Writematrices1Click();
    const QString written = typed + QStringLiteral(".out");
    EXPECT_EQ(ReadBytes(written).toStdString(),
              "Matrices for exercise 3\r\n\r\nB\r\n1, 1\r\n   7.00000\r\n\r\n");
    ASSERT_NE(TViewForm::ViewForm, nullptr);
    EXPECT_TRUE(TViewForm::ViewForm->isVisible());
    EXPECT_EQ(TViewForm::ViewForm->ViewFileName, written);
    EXPECT_TRUE(TViewForm::ViewForm->Text().contains(QStringLiteral("7.00000")));
    TViewForm::ViewForm->CloseForm();
}

TEST_F(MainWindow, PrintsAViewUnderItsHeading) {
    if (!HavePoppler())
        GTEST_SKIP() << "poppler's tools are not installed";
    readExample();
    const QString pdf = dir.filePath(QStringLiteral("view.pdf"));
    frame->Printer().setOutputFormat(QPrinter::PdfFormat);
    frame->Printer().setOutputFileName(pdf);
    WhenModal([&](QWidget* w) {
        WhenModal([&](QWidget* form) {
            WhenModal([](QWidget* print) { static_cast<QDialog*>(print)->accept(); });
            press(form, QStringLiteral("Print"));
        });
        pick(w, 0);
    });
    frame->Viewmatrix2lick();
    const QString printed = PdfText(pdf);
    EXPECT_TRUE(printed.contains(QStringLiteral("Zendra for Windows")));
    EXPECT_TRUE(printed.contains(QStringLiteral("~~~~~~~~~~~~~~~~~~~~")));
    EXPECT_TRUE(printed.contains(QStringLiteral("4.50000")));
}

TEST_F(MainWindow, DisplayOptionsKeepTheNumberWhenCancelled) {
    WhenModal([](QWidget* w) { press(w, QStringLiteral("Cancel")); });
    frame->Options2Click();
    EXPECT_EQ(frame->Workspace().DecimalPlaces, 5);

    // A negative number is refused and the dialog comes back for another.
    WhenModal([](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("DcEdit"))->setText(QStringLiteral("-1"));
        WhenModal([](QWidget* box) {
            EXPECT_EQ(static_cast<QMessageBox*>(box)->text(),
                      QStringLiteral("Please enter a number of decimal places from 0 to 99."));
            WhenModal([](QWidget* again) {
                again->findChild<QLineEdit*>(QStringLiteral("DcEdit"))->setText(QStringLiteral("7"));
                press(again, QStringLiteral("OK"));
            });
            box->close();
        });
        press(w, QStringLiteral("OK"));
    });
    frame->Options2Click();
    EXPECT_EQ(frame->Workspace().DecimalPlaces, 7);
}

struct GeometryCase {
    QSize screen;
    QRect expected;
};

TEST(StartGeometry, IsTheMiddleQuarterRoundedToEven) {
    const GeometryCase cases[] = {
        {QSize(1024, 768), QRect(256, 192, 512, 384)},
        // 341.5 rounds to the even 342; centring on first show gives 341.
        {QSize(1366, 768), QRect(342, 192, 683, 384)},
        {QSize(1024, 767), QRect(256, 192, 512, 384)},  // 383.5 -> 384
        {QSize(1024, 765), QRect(256, 191, 512, 382)},  // 382.5 -> 382
    };
    for (const GeometryCase& c : cases)
        EXPECT_EQ(TFrameForm::StartGeometry(c.screen), c.expected)
            << c.screen.width() << " x " << c.screen.height();
}

TEST_F(MainWindow, ClockShowsTodayAndLaysOutTheBevel) {
    EXPECT_EQ(frame->DateLabel()->text(),
              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    frame->TimeLabel()->setText(QString());
    frame->Timer1Timer();
    EXPECT_FALSE(frame->TimeLabel()->text().isEmpty());

    frame->Resize();
    QLabel* date = frame->DateLabel();
    QLabel* time = frame->TimeLabel();
    EXPECT_EQ(frame->Bevel()->width(), date->width() + time->width() + 15);
    EXPECT_EQ(frame->Bevel()->geometry().right(), frame->statusBar()->width() - 1);
    EXPECT_EQ(date->x(), frame->Bevel()->x() + 4);
    EXPECT_EQ(time->x(), date->x() + date->width() + 9);
}

TEST_F(MainWindow, ScaleAsksAgainUntilTheFactorReads) {
    readExample();
    WhenModal([](QWidget* w) {
        WhenModal([](QWidget* scale) {
            scale->findChild<QLineEdit*>(QStringLiteral("ScaleEdit"))->setText(QStringLiteral("abc"));
            WhenModal([](QWidget* report) {
                WhenModal([](QWidget* again) {
                    auto* edit = again->findChild<QLineEdit*>(QStringLiteral("ScaleEdit"));
                    EXPECT_EQ(edit->text(), QStringLiteral("abc"));  // the text is kept
                    edit->setText(QStringLiteral("2"));
                    press(again, QStringLiteral("OK"));
                });
                report->close();
            });
            press(scale, QStringLiteral("OK"));
        });
        pick(w, 1);
    });
    frame->Scalematrix1Click();
    ASSERT_EQ(frame->Workspace().MatrixCount, 3);
    EXPECT_EQ(frame->Workspace().Matrix(3).Name, "2*B");
    EXPECT_EQ(frame->Workspace().Matrix(3).At(1, 1), 14.0);
}
} // namespace

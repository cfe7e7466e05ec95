// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the main window's dialogs, lists and windows behave for a user: the
// file dialogs' modes and names, the selection list's keyboard start, hints,
// captions, placing of windows, and what goes when the main window closes.
#include "FileBytes.h"
#include "HelpSystem.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "MessageForm.h"
#include "ModalDriver.h"
#include "Viewfile.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <fstream>

namespace {

QString nameField(QWidget* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return name != nullptr ? name->text() : QStringLiteral("<no name field>");
}

class FrameWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TFrameForm::SplashSeconds = 0; }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        HelpSystem::Install(*qApp);
        frame = std::make_unique<TFrameForm>();
        // After the frame, which looks for the file beside the executable.
        HelpSystem::SetApplicationHelpFile(QStringLiteral(ZENDRA_HELP_FILE));
        frame->show();
    }

    void TearDown() override {
        if (QWidget* help = HelpSystem::Window())
            help->close();
    }

    QString write(const char* name, const char* text) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

    void read(const QString& path) {
        WhenModal([path](QWidget* w) { choose(w, path); });
        frame->Readfile1Click();
    }

    QTemporaryDir dir;
    std::unique_ptr<TFrameForm> frame;
};

const char* const ThreeMatrices = "t\r\nA\r\n1, 1\r\n1\r\nB\r\n1, 1\r\n2\r\nC\r\n1, 1\r\n3\r\n";

TEST_F(FrameWindows, FileDialogsStartFromTheirOwnNameAndOpenAlwaysOpens) {
    const QString data = write("system.dat", ThreeMatrices);
    read(data);

    // Write file starts from "*.dat", never from the file just read.
    QString writeName;
    WhenModal([&](QWidget* w) {
        writeName = nameField(w);
        press(w, QStringLiteral("Cancel"));
    });
    frame->Writefile1Click();
    EXPECT_EQ(writeName, QStringLiteral("*.dat"));

    // File > Open keeps Write file's title but opens: an existing file only,
    // and never a question about replacing it.
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString title;
    bool stayedOpenForAMissingFile = false;
    WhenModal([&](QWidget* w) {
        auto* dialog = static_cast<QFileDialog*>(w);
        mode = dialog->acceptMode();
        fileMode = dialog->fileMode();
        title = dialog->windowTitle();
        WhenModal([&, w](QWidget* modal) {
            // Told that the file is missing; the dialog stays for another.
            modal->close();
            QTimer::singleShot(0, [&, w] {
                stayedOpenForAMissingFile = w->isVisible();
                choose(w, data);
            });
        });
        choose(w, dir.filePath(QStringLiteral("missing.dat")));
    });
    frame->Open1Click();
    EXPECT_EQ(mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(title, QStringLiteral(" Write File "));
    EXPECT_TRUE(stayedOpenForAMissingFile);
    ASSERT_NE(frame->ActiveEditor(), nullptr);
    EXPECT_EQ(ReadBytes(data), ThreeMatrices);

    QString readName;
    WhenModal([&](QWidget* w) {
        readName = nameField(w);
        press(w, QStringLiteral("Cancel"));
    });
    frame->Readfile1Click();
    EXPECT_EQ(readName, QStringLiteral("*.dat"));
}

TEST_F(FrameWindows, TheFirstDownSelectsTheFirstMatrix) {
    read(write("three.dat", ThreeMatrices));
    for (int rows : {3, 1}) {
        while (frame->Workspace().MatrixCount > rows)
            frame->Workspace().Truncate(rows);
        int current = 99;
        WhenModal([&](QWidget* w) {
            auto* list = w->findChild<QListWidget*>(QStringLiteral("MatListBox"));
            current = list->currentRow();
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
        });
        frame->Copymatrix2Click();
        EXPECT_EQ(current, -1) << rows << " rows";
        ASSERT_EQ(frame->Workspace().MatrixCount, rows + 1) << rows << " rows";
        EXPECT_EQ(frame->Workspace().Matrix(rows + 1).Name, "A");
    }
}

TEST_F(FrameWindows, HintsAreToolTipsOnlyAndNoneMeansNone) {
    auto* toolBar = frame->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(toolBar, nullptr);
    QWidget* scale = toolBar->widgetForAction(frame->findChild<QAction*>(QStringLiteral("SpeedButton10")));
    QWidget* transpose = toolBar->widgetForAction(frame->findChild<QAction*>(QStringLiteral("SpeedButton11")));
    ASSERT_NE(scale, nullptr);
    ASSERT_NE(transpose, nullptr);

    // A hint sent up to the main window shows nowhere.
    QStatusTipEvent tip(QStringLiteral("Scale a matrix"));
    QCoreApplication::sendEvent(scale, &tip);
    EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());

    const auto toolTipOf = [](QWidget* button) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(button, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(toolTipOf(transpose), QString());
    EXPECT_EQ(toolTipOf(scale), QStringLiteral("Scale a matrix"));
    QToolTip::hideText();
}

TEST_F(FrameWindows, TileStacksFullWidthWindowsAndCascadeKeepsSizes) {
    frame->New1Click();
    frame->New1Click();
    frame->New1Click();
    const QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 3);
    const QSize area = frame->MdiArea()->viewport()->size();
    const QSize given(qRound(area.width() * 0.7), qRound(area.height() * 0.5));
    for (QMdiSubWindow* w : windows)
        EXPECT_EQ(w->size(), given);

    frame->Tile1Click();
    int top = 0;
    for (QMdiSubWindow* w : windows) {
        EXPECT_EQ(w->x(), 0);
        EXPECT_EQ(w->width(), area.width());
        EXPECT_EQ(w->y(), top);
        top += w->height();
    }
    EXPECT_EQ(top, area.height());

    QList<QSize> tiled;
    for (QMdiSubWindow* w : windows)
        tiled.append(w->size());
    frame->Cascade1Click();
    for (int i = 0; i < windows.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(windows.at(i)->x(), windows.at(i - 1)->x());
        }
        EXPECT_EQ(windows.at(i)->x(), windows.at(i)->y());
        EXPECT_EQ(windows.at(i)->size(), tiled.at(i));  // cascading only moves
    }
}

TEST_F(FrameWindows, DialogsAndWindowsAsTheUserSeesThem) {
    // About is centred on the screen, not on the main window.
    frame->move(0, 0);
    QPoint aboutCentre;
    WhenModal([&](QWidget* w) {
        aboutCentre = w->geometry().center();
        w->close();
    });
    frame->About2Click();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((aboutCentre - screenCentre).manhattanLength(), 8);

    // The scale field is exactly 81 pixels wide.
    read(write("one.dat", "t\r\nA\r\n1, 1\r\n1\r\n"));
    int scaleWidth = 0;
    WhenModal([&](QWidget* list) {
        WhenModal([&](QWidget* w) {
            scaleWidth = w->findChild<QLineEdit*>(QStringLiteral("ScaleEdit"))->width();
            press(w, QStringLiteral("Cancel"));
        });
        list->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(list, QStringLiteral("OK"));
    });
    frame->Scalematrix1Click();
    EXPECT_EQ(scaleWidth, 81);

    // The rename dialog shows no tool tip.
    QString renameTip = QStringLiteral("<not shown>");
    WhenModal([&](QWidget* list) {
        WhenModal([&](QWidget* w) {
            renameTip = w->toolTip();
            press(w, QStringLiteral("Cancel"));
        });
        list->findChild<QListWidget*>()->item(0)->setSelected(true);
        press(list, QStringLiteral("OK"));
    });
    frame->Renamematrix1Click();
    EXPECT_TRUE(renameTip.isEmpty()) << renameTip.toStdString();

    // Buttons carry their pictures, and every window the program's icon.
    TViewForm viewer;
    const auto* print = viewer.findChild<QToolButton*>();
    ASSERT_NE(print, nullptr);
    EXPECT_FALSE(print->icon().isNull());
    EXPECT_FALSE(viewer.windowIcon().isNull());
    bool clipHasImage = false;
    for (const QPushButton* b : frame->MsgForm()->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Clip&board"))
            clipHasImage = !b->icon().isNull();
    EXPECT_TRUE(clipHasImage);
}

TEST_F(FrameWindows, TheListDialogRefusesAReadOnlyFile) {
    const QString locked = write("locked.out", "keep");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QString refusal;
    WhenModal([&](QWidget* w) {
        WhenModal([&](QWidget* box) {
            refusal = static_cast<QMessageBox*>(box)->text();
            box->close();
            WhenModal([](QWidget* again) { press(again, QStringLiteral("Cancel")); });
        });
        choose(w, locked);
    });
    frame->Writematrices1Click();
    EXPECT_TRUE(refusal.contains(QStringLiteral("read-only"))) << refusal.toStdString();
    EXPECT_EQ(ReadBytes(locked), "keep");
}

TEST_F(FrameWindows, TheResultsFormNeverOutgrowsTheScreen) {
    TMsgForm* form = frame->MsgForm();
    QString wide;
    for (int line = 0; line < 200; ++line)
        wide += QString(600, QLatin1Char('9')) + QStringLiteral("\r\n");
    form->MessageText = wide;
    QRect shown;
    bool scrolls = false;
    WhenModal([&](QWidget* w) {
        shown = w->frameGeometry();
        auto* scroll = w->findChild<QScrollArea*>(QStringLiteral("DisplayScroll"));
        scrolls = scroll != nullptr && scroll->verticalScrollBar()->maximum() > 0 &&
                  scroll->horizontalScrollBar()->maximum() > 0;
        static_cast<TMsgForm*>(w)->CloseBtnClick();
    });
    form->exec();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(shown.width(), available.width());
    EXPECT_LE(shown.height(), available.height());
    EXPECT_TRUE(scrolls);
    EXPECT_EQ(form->DisplayedText().size(), QString(wide).remove(QLatin1Char('\r')).size());
}

TEST_F(FrameWindows, F1InTheResultsFormAndTheViewerAndEscInTheHelpWindow) {
    QString anchor;
    frame->MsgForm()->MessageText = QStringLiteral("1");
    WhenModal([&](QWidget* w) {
        QTest::keyClick(w, Qt::Key_F1);
        QWidget* help = HelpSystem::Window();
        if (help != nullptr && help->isVisible())
            anchor = help->findChild<QTextBrowser*>()->source().fragment();
        if (help != nullptr)
            help->close();
        static_cast<TMsgForm*>(w)->CloseBtnClick();
    });
    frame->MsgForm()->exec();
    EXPECT_EQ(anchor, QStringLiteral("context-68"));

    TViewForm viewer;
    viewer.show();
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    QTest::keyClick(&viewer, Qt::Key_F1);
    QWidget* help = HelpSystem::Window();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->findChild<QTextBrowser*>()->source().fragment(), QStringLiteral("context-69"));
    // The whole help window is on the screen, and Esc closes it.
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(help->frameGeometry()));
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

TEST_F(FrameWindows, ClosingTheMainWindowTakesTheViewersAlong) {
    auto* viewer = new TViewForm(nullptr);
    viewer->show();
    HelpSystem::ShowContents(HelpSystem::ApplicationHelpFile());
    ASSERT_TRUE(HelpSystem::Window()->isVisible());
    frame->close();
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_FALSE(HelpSystem::Window()->isVisible());
    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose));
    delete viewer;
}
} // namespace

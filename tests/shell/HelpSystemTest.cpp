// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HelpSystem.h"

#include "ModalDriver.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// The help file of the source tree, so that the tests read what is shipped
// and not a copy left beside some executable.
const QString SourceHelpFile = QStringLiteral(ZENDRA_HELP_FILE);

QTextBrowser* browser() {
    QWidget* window = HelpSystem::Window();
    return window != nullptr ? window->findChild<QTextBrowser*>() : nullptr;
}

// The anchor the help window was last sent to; empty for the contents.
QString shownAnchor() {
    QTextBrowser* view = browser();
    return view != nullptr ? view->source().fragment() : QStringLiteral("<no window>");
}

void closeHelpWindow() {
    if (QWidget* window = HelpSystem::Window())
        window->close();
    QCoreApplication::processEvents();
}

bool writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

class HelpSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        HelpSystem::Install(*qApp);
        HelpSystem::SetApplicationHelpFile(SourceHelpFile);
    }
    void TearDown() override { closeHelpWindow(); }
};

// Every help context that a menu item, window or dialog of the program names.
class HelpTopicTest : public ::testing::TestWithParam<int> {};

TEST_P(HelpTopicTest, HelpFileHasTopicAndContentsEntry) {
    const int context = GetParam();
    EXPECT_TRUE(HelpSystem::HasTopic(SourceHelpFile, context)) << "context " << context;

    QFile file(SourceHelpFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("href=\"#context-%1\"").arg(context)))
        << "the contents list does not link topic " << context;
}

INSTANTIATE_TEST_SUITE_P(ProgramContexts, HelpTopicTest,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17,
                                           18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
                                           32, 33, 34, 35, 36, 37, 38, 39, 40,
                                           68, 69));

TEST(HelpFileTopics, MatchesWholeContextNumbersOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("partial.hlp"));
    ASSERT_TRUE(writeFile(path, "<html><body><h2 id=\"context-10\">Ten</h2>"
                                "<a name='context-68'></a></body></html>"));

    EXPECT_TRUE(HelpSystem::HasTopic(path, 10));
    EXPECT_TRUE(HelpSystem::HasTopic(path, 68));
    EXPECT_FALSE(HelpSystem::HasTopic(path, 1));
    EXPECT_FALSE(HelpSystem::HasTopic(path, 6));
    EXPECT_FALSE(HelpSystem::HasTopic(path, 0));
    EXPECT_FALSE(HelpSystem::HasTopic(dir.filePath(QStringLiteral("missing.hlp")), 10));
}

TEST(HelpLocate, BareNameBesideTheExecutableAndPathsAsGiven) {
    const QString name = QStringLiteral("locate-probe.hlp");
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    ASSERT_TRUE(writeFile(beside, "<html></html>"));
    const QString found = HelpSystem::Locate(name);
    QFile::remove(beside);
    EXPECT_EQ(found, beside);

    // The shipped help file is found by its bare name from the data folders.
    EXPECT_FALSE(HelpSystem::Locate(QStringLiteral("zendra.hlp")).isEmpty());
    EXPECT_TRUE(HelpSystem::Locate(QStringLiteral("no-such-help.hlp")).isEmpty());

    // A name with a folder is not searched for elsewhere.
    EXPECT_EQ(HelpSystem::Locate(SourceHelpFile), SourceHelpFile);
    EXPECT_TRUE(HelpSystem::Locate(QStringLiteral("/no/such/folder/zendra.hlp")).isEmpty());
}

TEST(HelpContextFor, NearestContextWithinTheWindow) {
    QWidget outer;
    outer.setProperty("helpContext", 1);
    QDialog dialog(&outer);
    dialog.setProperty("helpContext", 13);
    dialog.setProperty("helpFile", QStringLiteral("own.hlp"));
    QWidget group(&dialog);
    QLineEdit edit(&group);
    QDialog bare(&outer);
    QLineEdit bareEdit(&bare);

    EXPECT_EQ(HelpSystem::ContextFor(&edit), 13);
    edit.setProperty("helpContext", 14);
    EXPECT_EQ(HelpSystem::ContextFor(&edit), 14);
    // A dialog without a context does not borrow its owner's.
    EXPECT_EQ(HelpSystem::ContextFor(&bareEdit), 0);

    HelpSystem::SetApplicationHelpFile(QStringLiteral("app.hlp"));
    EXPECT_EQ(HelpSystem::HelpFileFor(&edit), QStringLiteral("own.hlp"));
    EXPECT_EQ(HelpSystem::HelpFileFor(&bareEdit), QStringLiteral("app.hlp"));
}

TEST_F(HelpSystemTest, ShowContextScrollsToTheTopicAndContentsBackToTheTop) {
    HelpSystem::ShowContext(SourceHelpFile, 68);
    ASSERT_NE(browser(), nullptr);
    EXPECT_TRUE(HelpSystem::Window()->isVisible());
    EXPECT_EQ(shownAnchor(), QStringLiteral("context-68"));
    QCoreApplication::processEvents();
    EXPECT_GT(browser()->verticalScrollBar()->value(), 0) << "the last topic is not in view";

    QWidget* first = HelpSystem::Window();
    HelpSystem::ShowContents(QStringLiteral("zendra.hlp"));
    EXPECT_EQ(HelpSystem::Window(), first) << "the help window is not reused";
    EXPECT_EQ(shownAnchor(), QString());
    EXPECT_EQ(browser()->verticalScrollBar()->value(), 0);
}

TEST_F(HelpSystemTest, MissingTopicOrFileIsToldInAMessageBox) {
    QStringList told;
    const auto closeBox = [&told](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        told << (box != nullptr ? box->text() : QStringLiteral("<not a message box>"));
        modal->close();
    };
    WhenModal(closeBox);
    HelpSystem::ShowContext(SourceHelpFile, 99);
    WhenModal(closeBox);
    HelpSystem::ShowContext(QStringLiteral("no-such-help.hlp"), 7);

    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].contains(QStringLiteral("99"))) << told[0].toStdString();
    EXPECT_TRUE(told[1].contains(QStringLiteral("no-such-help.hlp"))) << told[1].toStdString();
}

TEST_F(HelpSystemTest, F1InADialogShowsTheDialogsTopic) {
    QDialog dialog;
    dialog.setProperty("helpContext", 13);
    dialog.setProperty("helpFile", QStringLiteral("zendra.hlp"));
    auto* edit = new QLineEdit(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(edit);

    QString anchor;
    bool helpShown = false;
    WhenModal([&](QWidget* modal) {
        edit->setFocus();
        QTest::keyClick(modal, Qt::Key_F1);
        QWidget* help = HelpSystem::Window();
        helpShown = help != nullptr && help->isVisible();
        anchor = shownAnchor();
        closeHelpWindow();
        dialog.reject();
    });
    dialog.exec();

    EXPECT_TRUE(helpShown);
    EXPECT_EQ(anchor, QStringLiteral("context-13"));
}

// A main window whose Help item has F1 as its shortcut, with the Numerical
// operations menu: one item with a context of its own, one without.
class MenuHelpTest : public HelpSystemTest {
protected:
    void SetUp() override {
        HelpSystemTest::SetUp();
        operations = window.menuBar()->addMenu(QStringLiteral("&Numerical operations"));
        operations->menuAction()->setProperty("helpContext", 1);
        scale = operations->addAction(QStringLiteral("&Scale matrix"));
        scale->setProperty("helpContext", 14);
        substitute = operations->addAction(QStringLiteral("&Foward/back substitution"));
        substitute->setProperty("helpContext", 0);
        help = window.menuBar()->addMenu(QStringLiteral("&Help"));
        help->menuAction()->setProperty("helpContext", 4);
        about = help->addAction(QStringLiteral("&About"));
        contents = help->addAction(QStringLiteral("&Help"));
        contents->setProperty("helpContext", 1);
        contents->setShortcut(Qt::Key_F1);
        QObject::connect(contents, &QAction::triggered, [this] { ++helpCommands; });
        window.setCentralWidget(new QLineEdit);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // F1 over an item of the open menu; the anchor the help window went to.
    QString f1Over(QMenu* menu, QAction* item) {
        menu->popup(window.mapToGlobal(QPoint(10, 10)));
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_F1);
        const QString anchor = shownAnchor();
        menu->hide();
        closeHelpWindow();
        return anchor;
    }

    QMainWindow window;
    QMenu* operations = nullptr;
    QAction* scale = nullptr;
    QAction* substitute = nullptr;
    QMenu* help = nullptr;
    QAction* about = nullptr;
    QAction* contents = nullptr;
    int helpCommands = 0;
};

TEST_F(MenuHelpTest, F1OverAnItemUsesItsContextElseTheMenus) {
    EXPECT_EQ(f1Over(operations, scale), QStringLiteral("context-14"));
    EXPECT_EQ(f1Over(operations, substitute), QStringLiteral("context-1"));
    // In the menu that holds the F1 item itself, the item's shortcut must
    // not take the key from the context help.
    EXPECT_EQ(f1Over(help, about), QStringLiteral("context-4"));
    EXPECT_EQ(f1Over(help, contents), QStringLiteral("context-1"));
    EXPECT_EQ(helpCommands, 0) << "the Help command ran instead of the context help";
}

TEST_F(MenuHelpTest, F1InTheMainWindowIsLeftToItsHelpCommand) {
    window.centralWidget()->setFocus();
    QTest::keyClick(window.centralWidget(), Qt::Key_F1);
    EXPECT_EQ(helpCommands, 1);
    QWidget* help = HelpSystem::Window();
    EXPECT_TRUE(help == nullptr || !help->isVisible());
}

} // namespace

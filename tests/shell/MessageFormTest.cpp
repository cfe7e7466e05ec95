// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The results form: which result each way of leaving it gives, the keys
// that must not end it, and its size following the text.
#include "MessageForm.h"
#include "ModalDriver.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace {

QPushButton* Button(QWidget* form, const QString& caption) {
    for (QPushButton* b : form->findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

void ClickWhenModal(const QString& caption) {
    WhenModal([caption](QWidget* modal) {
        QPushButton* button = Button(modal, caption);
        ASSERT_NE(button, nullptr) << caption.toStdString();
        button->click();
    });
}

// Shows the form modally and returns its size while it is up.
QSize SizeWhileShown(TMsgForm& form) {
    QSize size;
    WhenModal([&size](QWidget* modal) {
        size = modal->size();
        Button(modal, QStringLiteral("&Close"))->click();
    });
    form.exec();
    return size;
}

TEST(MessageFormTest, EachButtonEndsTheFormWithItsResult) {
    TMsgForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Computation Resuts"));
    EXPECT_EQ(form.property("helpContext").toInt(), 68);
    const std::pair<const char*, int> buttons[] = {
        {"&Retry", 4}, {"Clip&board", 13}, {"&Print", 11}, {"&Close", 12}};
    for (const auto& [caption, result] : buttons) {
        ClickWhenModal(QString::fromLatin1(caption));
        EXPECT_EQ(form.exec(), result) << caption;
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(MessageFormTest, EscAndEnterDoNothingAndTheCloseBoxGivesTwo) {
    TMsgForm form;
    bool stillShown = false;
    WhenModal([&stillShown](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Escape);
        QTest::keyClick(modal, Qt::Key_Return);
        QTest::keyClick(modal, Qt::Key_Enter);
        stillShown = modal->isVisible();
        modal->close();
    });
    EXPECT_EQ(form.exec(), 2);
    EXPECT_TRUE(stillShown);
}

TEST(MessageFormTest, ShowsTheTextAndGrowsWithIt) {
    TMsgForm form;
    form.MessageText = QStringLiteral("A\r\n1, 1\r\n  1.00 \r\n");
    const QSize first = SizeWhileShown(form);
    EXPECT_EQ(form.DisplayedText(), QStringLiteral("A\n1, 1\n  1.00 \n"));

    EXPECT_EQ(SizeWhileShown(form), first);

    QString longer = QStringLiteral("Wide\r\n8, 8\r\n");
    for (int i = 0; i < 8; ++i) {
        longer += QStringLiteral("  1,234.50000   1,234.50000   1,234.50000   1,234.50000   1,234.50000 \r\n");
    }
    form.MessageText = longer;
    const QSize grown = SizeWhileShown(form);
    EXPECT_GT(grown.width(), first.width());
    EXPECT_GT(grown.height(), first.height());
}

TEST(MessageFormTest, IsCentredOnItsParent) {
    QWidget main;
    main.setGeometry(20, 20, 760, 560);
    main.show();
    TMsgForm form(&main);
    // Wide enough that a form centred before taking its size would be off.
    form.MessageText = QStringLiteral("Wide\r\n1, 5\r\n") + QString(60, QLatin1Char('9')) + QStringLiteral("\r\n");
    QPoint centre;
    WhenModal([&centre](QWidget* modal) {
        centre = modal->geometry().center();
        modal->close();
    });
    form.exec();
    const QPoint expected = main.geometry().center();
    EXPECT_LE((centre - expected).manhattanLength(), 12);
}

}  // namespace

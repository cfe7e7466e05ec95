// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing an editor's text: the layout's arithmetic, and whole jobs printed
// to PDF files that poppler's tools read back (pages, and where each word
// stands on them).
#include "TextPrinter.h"
#include "TextLines.h"
#include "PdfReading.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class ListLines : public TextLines {
public:
    explicit ListLines(QStringList lines) : lines(std::move(lines)) {}
    int LineCount() const override { return lines.size(); }
    QString Line(int index) const override { return lines.at(index); }
    void SetLine(int index, const QString& text) override { lines[index] = text; }
    void Select(int, int, int, qint64) override {}
    QStringList lines;
};

// Lines "L01", "L02", ...: one word each, so each can be found again.
ListLines Numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        lines << QStringLiteral("L%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    return ListLines(lines);
}

using Word = PdfWord;

Word Find(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words) {
        if (w.text == text) {
            return w;
        }
    }
    ADD_FAILURE() << "no word " << text.toStdString() << " in the print";
    return {text, 0, -1000, -1000, -1000};
}

// A small page whose printable area is 2 inches high: at 600 pixels per
// inch that is 1200 pixels, 17 lines of an 8-point font (67 pixels each);
// the whole page would hold 26.
constexpr double Margin = 36.0; // points
constexpr int Dpi = 600;
constexpr int LineHeight = 67;
constexpr int LinesPerPage = 17;
constexpr double LineHeightPt = LineHeight * 72.0 / Dpi;

class TextPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_font = QFont(QStringLiteral("Courier New"));
        m_font.setPointSize(8);
    }

    // A printer writing the next PDF file of the test.
    QPrinter& Printer() {
        m_pdf = m_dir.filePath(QStringLiteral("print%1.pdf").arg(++m_prints));
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdf);
        m_printer->setResolution(Dpi);
        m_printer->setPageSize(
            QPageSize(QSizeF(288, 216), QPageSize::Point, QString(), QPageSize::ExactMatch));
        m_printer->setPageOrientation(QPageLayout::Portrait);
        m_printer->setPageMargins(QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Point);
        return *m_printer;
    }

    bool Print(TextLines& text, const std::function<bool()>& cancelled = {}) {
        return TextPrinter::Print(Printer(), m_font, 96, text, QStringLiteral("job"), &m_error,
                                  cancelled);
    }

    QTemporaryDir m_dir;
    QFont m_font;
    std::unique_ptr<QPrinter> m_printer;
    QString m_pdf;
    QString m_error;
    int m_prints = 0;
};

TEST(TextPrinterLayout, FollowsTheFontThePrinterAndThePage) {
    struct Case {
        double points;
        int windowDpi, printerDpi, pageHeight;
        int leftEdge, lineHeight, linesPerPage;
        bool prints;
    };
    const Case cases[] = {
        {8, 96, 600, 1200, 96, 67, 17, true},     // 66.67 rounds up
        {-8, 96, 600, 1200, 96, 67, 17, true},    // the size's absolute value
        {10, 120, 300, 3000, 120, 42, 71, true},  // 41.67 rounds up, 71.4 down
        {11, 96, 72, 110, 96, 11, 10, true},      // a page of exactly ten lines
        {0, 96, 600, 1200, 96, 0, 0, false},      // no height to divide by
        {0.05, 96, 600, 1200, 96, 0, 0, false},   // 0.42 pixels rounds to none
        {144, 96, 600, 1200, 96, 1200, 1, true},  // one line fills the page
        {200, 96, 600, 1200, 96, 1667, 0, false}, // taller than the page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " pt at " << c.printerDpi << " dpi");
        const TextPrinter::Layout layout =
            TextPrinter::LayoutFor(c.points, c.windowDpi, c.printerDpi, c.pageHeight);
        EXPECT_EQ(layout.leftEdge, c.leftEdge);
        EXPECT_EQ(layout.lineHeight, c.lineHeight);
        EXPECT_EQ(layout.linesPerPage, c.linesPerPage);
        EXPECT_EQ(TextPrinter::Problem(layout).isEmpty(), c.prints);
    }
}

TEST_F(TextPrinterTest, AFullPageStartsNoSecondPageAndOneMoreLineDoes) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext and pdfinfo are needed to read the print back";
    }
    ListLines full = Numbered(LinesPerPage);
    ASSERT_TRUE(Print(full)) << m_error.toStdString();
    EXPECT_EQ(PdfPages(m_pdf), 1);
    EXPECT_EQ(Find(PdfWords(m_pdf), QStringLiteral("L17")).page, 1);

    ListLines more = Numbered(LinesPerPage + 1);
    ASSERT_TRUE(Print(more)) << m_error.toStdString();
    EXPECT_EQ(PdfPages(m_pdf), 2);
    const std::vector<Word> words = PdfWords(m_pdf);
    const Word first = Find(words, QStringLiteral("L01"));
    const Word last = Find(words, QStringLiteral("L18"));
    EXPECT_EQ(Find(words, QStringLiteral("L17")).page, 1);
    EXPECT_EQ(last.page, 2);
    EXPECT_NEAR(last.top, first.top, 0.01);
    EXPECT_NEAR(last.x, first.x, 0.01);

    ListLines three = Numbered(2 * LinesPerPage + 6);
    ASSERT_TRUE(Print(three)) << m_error.toStdString();
    EXPECT_EQ(PdfPages(m_pdf), 3);
}

TEST_F(TextPrinterTest, LinesStandAtTheLeftEdgeOneLineHeightApartEmptyOnesToo) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext is needed to read the print back";
    }
    ListLines text({QStringLiteral("first"), QString(), QStringLiteral("third"),
                    QStringLiteral("fourth\tword")});
    ASSERT_TRUE(Print(text)) << m_error.toStdString();
    const std::vector<Word> words = PdfWords(m_pdf);
    const Word first = Find(words, QStringLiteral("first"));
    const Word third = Find(words, QStringLiteral("third"));
    const Word fourth = Find(words, QStringLiteral("fourth"));

    // The window's 96 pixels per inch as 600-dpi printer pixels, from the
    // printable area's left edge; the first line's top at that area's top.
    EXPECT_NEAR(first.x, Margin + 96 * 72.0 / Dpi, 0.05);
    EXPECT_NEAR(first.top, Margin, 1.0);
    EXPECT_NEAR(third.top - first.top, 2 * LineHeightPt, 0.02);
    EXPECT_NEAR(fourth.top - third.top, LineHeightPt, 0.02);
    EXPECT_NEAR(fourth.x, first.x, 0.01);

    // The characters are as tall as the line, give or take the face's own
    // ascent and descent: not scaled by the screen's resolution instead of
    // the printer's.
    const double glyphHeight = first.bottom - first.top;
    EXPECT_GT(glyphHeight, 0.8 * LineHeightPt);
    EXPECT_LT(glyphHeight, 1.4 * LineHeightPt);
}

TEST_F(TextPrinterTest, AnEmptyTextStartsNoJob) {
    ListLines empty({});
    EXPECT_TRUE(Print(empty));
    EXPECT_TRUE(m_error.isEmpty());
    EXPECT_FALSE(QFile::exists(m_pdf));

    // Not even when its font could not print.
    EXPECT_TRUE(
        TextPrinter::Print(Printer(), m_font, 0.0, 96, empty, QStringLiteral("job"), &m_error));
    EXPECT_FALSE(QFile::exists(m_pdf));
}

TEST_F(TextPrinterTest, AFontThatCannotFillALineOnThePageStartsNoJob) {
    ListLines text = Numbered(3);
    EXPECT_FALSE(
        TextPrinter::Print(Printer(), m_font, 0.0, 96, text, QStringLiteral("job"), &m_error));
    EXPECT_TRUE(m_error.contains(QStringLiteral("too small"))) << m_error.toStdString();
    EXPECT_FALSE(QFile::exists(m_pdf));

    QFont huge(m_font);
    huge.setPointSize(200);
    EXPECT_FALSE(TextPrinter::Print(Printer(), huge, 96, text, QStringLiteral("job"), &m_error));
    EXPECT_TRUE(m_error.contains(QStringLiteral("too large"))) << m_error.toStdString();
    EXPECT_FALSE(QFile::exists(m_pdf));
}

TEST_F(TextPrinterTest, CancellingEndsTheJobAndLeavesThePrinterFree) {
    ListLines text = Numbered(3 * LinesPerPage);
    int asked = 0;
    EXPECT_FALSE(Print(text, [&asked] { return ++asked == 3; }));
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(m_error.contains(QStringLiteral("cancelled"))) << m_error.toStdString();
    EXPECT_NE(m_printer->printerState(), QPrinter::Active);

    // The same printer takes the next job.
    QPrinter& printer = *m_printer;
    ListLines again = Numbered(2);
    EXPECT_TRUE(TextPrinter::Print(printer, m_font, 96, again, QStringLiteral("again"), &m_error))
        << m_error.toStdString();
    EXPECT_EQ(printer.printerState(), QPrinter::Idle);
}

TEST_F(TextPrinterTest, EventsRunBetweenLinesAndSeeTheTextAsItStandsThen) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext is needed to read the print back";
    }
    ListLines text = Numbered(4);
    bool timerRan = false;
    QTimer::singleShot(0, [&] {
        timerRan = true;
        text.SetLine(3, QStringLiteral("edited"));
    });
    bool ranAfterFirstLine = false;
    int asked = 0;
    ASSERT_TRUE(Print(text, [&] {
        if (++asked == 1) {
            ranAfterFirstLine = timerRan;
        }
        return false;
    })) << m_error.toStdString();
    EXPECT_TRUE(ranAfterFirstLine);
    const std::vector<Word> words = PdfWords(m_pdf);
    EXPECT_EQ(Find(words, QStringLiteral("edited")).page, 1);
}

TEST_F(TextPrinterTest, ASecondPrintWhileAJobRunsIsRefusedAndTheJobGoesOn) {
    ListLines text = Numbered(LinesPerPage + 1);
    QPrinter* running = nullptr;
    bool secondPrinted = true;
    QString secondError;
    const bool printed = Print(text, [&] {
        if (!running) {
            running = m_printer.get();
            ListLines other = Numbered(1);
            secondPrinted = TextPrinter::Print(*running, m_font, 96, other,
                                               QStringLiteral("second"), &secondError);
        }
        return false;
    });
    EXPECT_TRUE(printed) << m_error.toStdString();
    EXPECT_FALSE(secondPrinted);
    EXPECT_TRUE(secondError.contains(QStringLiteral("in progress"))) << secondError.toStdString();
    if (HavePoppler()) {
        EXPECT_EQ(PdfPages(m_pdf), 2);
    }
}

} // namespace

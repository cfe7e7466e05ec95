// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The output viewer and its line printer: loading, captions, the loading
// report, printing to a PDF file (read back with poppler's tools), and when
// the viewer closes itself.
#include "FileBytes.h"
#include "LinePrinter.h"
#include "ModalDriver.h"
#include "PdfReading.h"
#include "Viewfile.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {


using Word = PdfWord;

const Word* Find(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words) {
        if (w.text == text) {
            return &w;
        }
    }
    return nullptr;
}

class ViewerTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Loads a file with the given bytes into a new viewer.
    TViewForm& Load(const QByteArray& bytes) {
        const QString path = Path(QStringLiteral("listing.out"));
        WriteBytes(path, bytes);
        m_viewer = std::make_unique<TViewForm>();
        m_viewer->ViewFileName = path;
        m_viewer->ShowFile();
        return *m_viewer;
    }

    // Prints the viewer to a new PDF file through its print dialog, which
    // the "user" confirms; returns the file's path.
    QString PrintToPdf(TViewForm& viewer) {
        const QString pdf = Path(QStringLiteral("print%1.pdf").arg(++m_prints));
        viewer.Printer().setOutputFormat(QPrinter::PdfFormat);
        viewer.Printer().setOutputFileName(pdf);
        bool sawDialog = false;
        WhenModal([&sawDialog](QWidget* modal) {
            sawDialog = qobject_cast<QPrintDialog*>(modal) != nullptr;
            static_cast<QDialog*>(modal)->accept();
        });
        viewer.PrintBtnClick();
        EXPECT_TRUE(sawDialog);
        return pdf;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TViewForm> m_viewer;
    int m_prints = 0;
};

TEST_F(ViewerTest, LoadsLatin1TextWithEitherLineEnd) {
    TViewForm& viewer = Load(QByteArray("caf\xe9\r\nline two\nlast\r\n"));
    EXPECT_EQ(viewer.Text(), QStringLiteral("caf\u00e9\nline two\nlast"));
    EXPECT_EQ(TViewForm::ViewForm, &viewer);
}

TEST_F(ViewerTest, CaptionLowersOnlyTheLettersAToZ) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("C-WORK")));
    const QString path = Path(QStringLiteral("C-WORK/OUT1.\u00c4\u00d6x.OUT"));
    WriteBytes(path, "text\r\n");
    TViewForm viewer;
    viewer.ViewFileName = path;
    viewer.ShowFile();

    const QString caption = viewer.windowTitle();
    EXPECT_TRUE(caption.endsWith(QStringLiteral("/c-work/out1.\u00c4\u00d6x.out"))) << caption.toStdString();
    EXPECT_EQ(caption.size(), path.size());
    EXPECT_EQ(caption.toLower(), path.toLower());
    EXPECT_EQ(viewer.ViewFileName, path);
    EXPECT_EQ(viewer.Text(), QStringLiteral("text"));
}

TEST_F(ViewerTest, UnloadableFileIsReportedAndLeavesTheViewerEmpty) {
    const QString missing = Path(QStringLiteral("NOT-THERE.OUT"));
    for (const QString& path : {missing, m_dir.path()}) {
        TViewForm viewer;
        viewer.ViewFileName = path;
        QString reported;
        WhenModal([&reported](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            reported = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        viewer.ShowFile();
        EXPECT_EQ(reported, QStringLiteral("Error in loading ") + path + QStringLiteral(" for viewing."));
        EXPECT_EQ(viewer.windowTitle(), TViewForm::DesignCaption());
        EXPECT_TRUE(viewer.Text().isEmpty());
    }
}

TEST_F(ViewerTest, PrintedLinesAreIndentedByTenBlanksEmptyLinesIncluded) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext and pdfinfo are needed to read the print back";
    }
    TViewForm& viewer = Load("alpha\r\n\r\ngamma\r\ndelta\r\n");
    const QString pdf = PrintToPdf(viewer);
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 1);

    const std::vector<Word> words = PdfWords(pdf);
    const Word* alpha = Find(words, QStringLiteral("alpha"));
    const Word* gamma = Find(words, QStringLiteral("gamma"));
    const Word* delta = Find(words, QStringLiteral("delta"));
    ASSERT_TRUE(alpha && gamma && delta) << PdfText(pdf).toStdString();

    // Every line starts ten blanks in from the left of the printable area.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(8);
    const double blanks = QFontMetricsF(font, &viewer.Printer()).horizontalAdvance(QString(10, ' ')) * 72.0 /
                          viewer.Printer().resolution();
    const double left = viewer.Printer().pageLayout().paintRect(QPageLayout::Point).left();
    EXPECT_NEAR(alpha->x - left, blanks, 2.0);
    EXPECT_NEAR(gamma->x, alpha->x, 0.5);
    EXPECT_NEAR(delta->x, alpha->x, 0.5);

    // The empty line takes a line of its own.
    const double step = delta->top - gamma->top;
    EXPECT_GT(step, 0.0);
    EXPECT_NEAR(gamma->top - alpha->top, 2 * step, 0.5);
}

TEST_F(ViewerTest, LongLinesContinueAndLongTextsTurnThePage) {
    if (!HavePoppler()) {
        GTEST_SKIP() << "pdftotext and pdfinfo are needed to read the print back";
    }
    QByteArray digits;
    for (int i = 0; i < 40; ++i) {
        digits += "0123456789";
    }
    QByteArray text = digits + "\r\n";
    for (int i = 0; i < 150; ++i) {
        text += QByteArray("row") + QByteArray::number(1000 + i) + "\r\n";
    }
    TViewForm& viewer = Load(text);
    const QString pdf = PrintToPdf(viewer);
    EXPECT_GE(PdfPages(pdf), 2);

    const QString printed = PdfText(pdf);
    // Nothing of the wide line is cut off at the right edge.
    QString joined = printed;
    joined.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(joined.startsWith(QString::fromLatin1(digits))) << printed.left(800).toStdString();
    // Nor is any line lost at a page break, or put below the printable area.
    const double bottom = viewer.Printer().pageLayout().paintRect(QPageLayout::Point).bottom();
    for (const Word& w : PdfWords(pdf)) {
        EXPECT_LE(w.bottom, bottom + 0.5) << w.text.toStdString();
    }
    for (int i = 0; i < 150; ++i) {
        const QString row = QStringLiteral("row%1").arg(1000 + i);
        EXPECT_TRUE(printed.contains(row)) << row.toStdString();
    }
}

TEST_F(ViewerTest, CancelledPrintDialogPrintsNothing) {
    TViewForm& viewer = Load("alpha\r\n");
    const QString pdf = Path(QStringLiteral("cancelled.pdf"));
    viewer.Printer().setOutputFormat(QPrinter::PdfFormat);
    viewer.Printer().setOutputFileName(pdf);
    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    viewer.PrintBtnClick();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(ViewerTest, ClosesWhenAnotherWindowOfTheProgramTurnsActive) {
    TViewForm& viewer = Load("alpha\r\n");
    viewer.Show();
    QApplication::setActiveWindow(&viewer);
    ASSERT_TRUE(viewer.isVisible());

    // Another program takes over: none of ours is active.
    QApplication::setActiveWindow(nullptr);
    EXPECT_TRUE(viewer.isVisible());

    // The viewer's own dialogs do not close it.
    QApplication::setActiveWindow(&viewer);
    if (HavePoppler()) {
        PrintToPdf(viewer);
        EXPECT_TRUE(viewer.isVisible());
    }
    QDialog own(&viewer);
    own.show();
    QApplication::setActiveWindow(&own);
    EXPECT_TRUE(viewer.isVisible());
    own.hide();

    // Any other window of the program does.
    QApplication::setActiveWindow(&viewer);
    QWidget main;
    main.show();
    QApplication::setActiveWindow(&main);
    EXPECT_FALSE(viewer.isVisible());
    QApplication::setActiveWindow(nullptr);

    // So does its Close button.
    viewer.Show();
    ASSERT_TRUE(viewer.isVisible());
    for (QPushButton* b : viewer.findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("&Close")) {
            b->click();
        }
    }
    EXPECT_FALSE(viewer.isVisible());
}

// Fonts that cannot be laid out in lines still let the job end.
class LinePrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(m_dir.filePath(QStringLiteral("lines.pdf")));
    }
    QTemporaryDir m_dir;
    QPrinter m_printer;
};

TEST_F(LinePrinterTest, FontTallerThanThePagePrintsOneLinePerPage) {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(3000);
    {
        LinePrinter device(m_printer, font);
        ASSERT_TRUE(device.IsOpen());
        ASSERT_GT(device.LineHeight(), m_printer.height());
        device.WriteLine(QStringLiteral("x"));
        device.WriteLine(QString());
        device.WriteLine(QStringLiteral("y"));
        device.Close();
        EXPECT_FALSE(device.IsOpen());
    }
    if (HavePoppler()) {
        EXPECT_EQ(PdfPages(m_printer.outputFileName()), 3);
    }
}

TEST_F(LinePrinterTest, ZeroHeightFontPrintsNothing) {
    m_printer.setResolution(1);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(8);
    {
        LinePrinter device(m_printer, font);
        ASSERT_TRUE(device.IsOpen());
        ASSERT_EQ(device.LineHeight(), 0);
        for (int i = 0; i < 100; ++i) {
            device.WriteLine(QStringLiteral("a line that has nowhere to go"));
        }
    }  // the destructor ends the job
    ASSERT_TRUE(QFileInfo::exists(m_printer.outputFileName()));
    if (HavePoppler()) {
        EXPECT_EQ(PdfPages(m_printer.outputFileName()), 1);
        EXPECT_TRUE(PdfText(m_printer.outputFileName()).trimmed().isEmpty());
    }
}

}  // namespace

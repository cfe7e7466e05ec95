// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Benchmarks of an editor window: opening a long file, and printing its
// text to a PDF file; and of the matrix grid, filled by pasting; with the
// table of the goals they must meet. All need an application object; it
// runs on the offscreen platform, so no display is needed.
#include "FindDialogs.h"
#include "GVar.h"
#include "GridMatForm.h"
#include "MDIChild.h"
#include "MatrixGridView.h"
#include "Messages.h"
#include "PracticeWindow.h"
#include "RowPractice.h"
#include "TextLines.h"
#include "TextPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>

#include "BenchGoals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

class ListLines : public TextLines {
public:
    explicit ListLines(QStringList lines) : m_lines(std::move(lines)) {}
    int LineCount() const override { return m_lines.size(); }
    QString Line(int index) const override { return m_lines.at(index); }
    void SetLine(int index, const QString& text) override { m_lines[index] = text; }
    void Select(int, int, int, qint64) override {}

private:
    QStringList m_lines;
};

// Lines of about 60 characters, laid out like a matrix listing's rows.
ListLines Listing(int count) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString line = QStringLiteral("%1").arg(i + 1, 6);
        for (int j = 0; j < 5; ++j) {
            line += QStringLiteral("%1").arg((i * 37 + j * 1013) % 100000 / 7.0, 10, 'f', 3);
        }
        lines << line;
    }
    return ListLines(lines);
}

const QString PdfPath = QDir::temp().filePath(QStringLiteral("zendra-bench-print.pdf"));

// One job of the whole text on a 600 dpi PDF printer, as the editor's Print
// command would run it.
void PrintOnce(ListLines& text) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPath);
    printer.setResolution(600);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(8);
    QString error;
    if (!TextPrinter::Print(printer, font, 96, text, QStringLiteral("bench"), &error)) {
        std::fprintf(stderr, "printing failed: %s\n", qPrintable(error));
        std::exit(2);
    }
}

void Print10k_Zendra(benchmark::State& state) {
    ListLines text = Listing(10000);
    for (auto _ : state) {
        PrintOnce(text);
    }
    QFile::remove(PdfPath);
}

// Prints 10,000 lines and 20,000 in turn, so that both meet the machine in
// the same state, and reports how much longer the larger takes.
void PrintScaling_Zendra(benchmark::State& state) {
    ListLines small = Listing(10000);
    ListLines large = Listing(20000);
    using Clock = std::chrono::steady_clock;
    Clock::duration smallTime{};
    Clock::duration largeTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        PrintOnce(small);
        const auto middle = Clock::now();
        PrintOnce(large);
        largeTime += Clock::now() - middle;
        smallTime += middle - start;
    }
    state.counters["ratio"] =
        std::chrono::duration<double>(largeTime) / std::chrono::duration<double>(smallTime);
    QFile::remove(PdfPath);
}

// A data-like file of count lines, about 50 characters each.
QString longFile(int count) {
    const QString path = QDir::temp().filePath(QStringLiteral("zendra-bench-open-%1.dat").arg(count));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const QByteArray line("  1.25000000000000E+0002 -3.50000000000000E-0001 \r\n");
    for (int i = 0; i < count; ++i)
        file.write(line);
    return path;
}

// The resident memory of the process, in megabytes.
double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

// Opens the file in a new editor window, ready to scroll: shown, and moved
// to the middle of the text.
void OpenOnce(const QString& path, double* megabytes = nullptr) {
    QPrinter printer;
    TChild editor(printer);
    editor.resize(800, 600);
    editor.show();
    editor.Open(path);
    QCoreApplication::processEvents();
    QScrollBar* bar = editor.Memo()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QCoreApplication::processEvents();
    if (megabytes != nullptr)
        *megabytes = residentMegabytes();
    editor.SetCloseConfirmed();
}

// 400,000 lines of about 50 characters; every fourth holds "word".
QString wordFile() {
    const QString path = QDir::temp().filePath(QStringLiteral("zendra-bench-words.dat"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (int i = 0; i < 400000; ++i)
        file.write(i % 4 == 0 ? "00012 alpha beta gamma word delta matrix row sum\r\n"
                              : "00013 alpha beta gamma delta matrix row column mean\r\n");
    return path;
}

// Replace All from the replace dialog of a window holding the text; the
// opening is not timed.
void ReplaceAllWindow_Zendra(benchmark::State& state) {
    const QString path = wordFile();
    for (auto _ : state) {
        state.PauseTiming();
        QPrinter printer;
        TChild editor(printer);
        editor.resize(800, 600);
        editor.show();
        editor.Open(path);
        editor.ReplaceDialog()->FindEdit->setText(QStringLiteral("word"));
        editor.ReplaceDialog()->ReplaceEdit->setText(QStringLiteral("longer"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        editor.ReplaceDialogReplace(true);
        QCoreApplication::processEvents();
        state.PauseTiming();
        editor.SetCloseConfirmed();
        state.ResumeTiming();
    }
    QFile::remove(path);
}

// sed doing the same replacement on the same file, output thrown away.
void ReplaceAllSed_Baseline(benchmark::State& state) {
    const QString path = wordFile();
    const std::string command =
        "sed -e 's/word/longer/g' '" + path.toStdString() + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("sed failed");
            break;
        }
    QFile::remove(path);
}

void Open400k_Zendra(benchmark::State& state) {
    const QString path = longFile(400000);
    double megabytes = 0.0;
    for (auto _ : state)
        OpenOnce(path, &megabytes);
    state.counters["resident_mb"] = megabytes;
    QFile::remove(path);
}

// The file and one twice as large in turn, so that both meet the machine in
// the same state; the counter is how much longer the larger takes, each
// size by its quickest run, which another busy process disturbs least.
void OpenScaling_Zendra(benchmark::State& state) {
    const QString small = longFile(400000);
    const QString large = longFile(800000);
    using Clock = std::chrono::steady_clock;
    Clock::duration least[2] = {Clock::duration::max(), Clock::duration::max()};
    for (auto _ : state) {
        for (int size = 0; size < 2; ++size) {
            const auto start = Clock::now();
            OpenOnce(size == 0 ? small : large);
            least[size] = std::min(least[size], Clock::now() - start);
        }
    }
    state.counters["ratio"] =
        std::chrono::duration<double>(least[1]) / std::chrono::duration<double>(least[0]);
    QFile::remove(small);
    QFile::remove(large);
}

class NoMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::exit(2);
    }
};

// New matrix as a user fills it from a spreadsheet: the dialog opens, a
// block of 50 x 50 values (decimals and fractions) is pasted, and OK gives
// the matrix.
void PasteAndOk50_Zendra(benchmark::State& state) {
    QString block;
    for (int i = 0; i < MaxDim; ++i)
        for (int j = 0; j < MaxDim; ++j)
            block += (j % 3 == 2 ? QStringLiteral("%1/7").arg(i - j) : QString::number((i * 31 + j * 17) % 997 / 8.0)) +
                     QLatin1Char(j + 1 < MaxDim ? '\t' : '\n');
    NoMessages messages;
    for (auto _ : state) {
        QTimer::singleShot(0, [&block] {
            auto* form = qobject_cast<TGridMatForm*>(QApplication::activeModalWidget());
            form->Grid->PasteText(block);
            form->accept();
        });
        const std::unique_ptr<TMatrixRec> record =
            TGridMatForm::execute(nullptr, "A", false, messages, [] { return true; });
        if (!record || record->Rows != MaxDim || record->Cols != MaxDim) {
            state.SkipWithError("the grid gave no 50 x 50 matrix");
            break;
        }
    }
}

// Practise row operations on a 50 x 50 of two-digit values: after 200
// operations, one more typed and applied, the window redrawn, then undone.
void PracticeStep50_Zendra(benchmark::State& state) {
    GVar workspace;
    NoMessages messages;
    TMatrixRec& m = workspace.AppendNew();
    m.SetName("A");
    m.Rows = m.Cols = MaxDim;
    for (int i = 1; i <= MaxDim; ++i)
        for (int j = 1; j <= MaxDim; ++j)
            m.At(i, j) = static_cast<double>((i * 37 + j * 91) % 199 - 99);
    PracticeWindow window(workspace, messages, [] { return 0; }, 1, nullptr);
    window.show();
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
    const auto step = [&] {
        field->setText(QString::fromStdString(window.Practice().Hint()));
        return window.ApplyTyped();
    };
    for (int k = 0; k < 200; ++k)
        step();
    for (auto _ : state) {
        if (!step()) {
            state.SkipWithError("the hint was refused");
            break;
        }
        window.repaint();
        state.PauseTiming();
        window.UndoClick();
        state.ResumeTiming();
    }
}

// Elapsed time: the files are part of the work. Opening and replacing run
// three times, once each, as each run is long.
#define WINDOW_BENCHMARK(name) ZENDRA_BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)
WINDOW_BENCHMARK(ReplaceAllWindow_Zendra)->Repetitions(3)->Iterations(1);
WINDOW_BENCHMARK(ReplaceAllSed_Baseline);
WINDOW_BENCHMARK(Open400k_Zendra)->Repetitions(3)->Iterations(1);
WINDOW_BENCHMARK(OpenScaling_Zendra)->Repetitions(3)->Iterations(2);
WINDOW_BENCHMARK(Print10k_Zendra);
WINDOW_BENCHMARK(PrintScaling_Zendra);
WINDOW_BENCHMARK(PasteAndOk50_Zendra);
WINDOW_BENCHMARK(PracticeStep50_Zendra);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool met = bench::PrintGoals(
        reporter,
        {
            {"open 400,000 lines, ready to scroll (s)", "Open400k_Zendra", 1.5},
            {"  resident memory then (MB)", "Open400k_Zendra.resident_mb", 300},
            {"open twice as many (800,000 / 400,000 lines)", "OpenScaling_Zendra.ratio", 2.2},
            {"Replace All in a window, 400,000 lines (s)", "ReplaceAllWindow_Zendra", 1.0},
            {"  the same / sed", "ReplaceAllWindow_Zendra/ReplaceAllSed_Baseline", 10.0},
            {"print 10,000 lines to PDF (s)", "Print10k_Zendra", 2.0},
            {"print twice as many (20,000 / 10,000 lines)", "PrintScaling_Zendra.ratio", 2.2},
            {"New matrix: paste 50 x 50 values and OK (ms)", "PasteAndOk50_Zendra", 100, 1000},
            {"practice step 50 x 50 after 200, redrawn (ms)", "PracticeStep50_Zendra", 50, 1000},
        });
    benchmark::Shutdown();
    return met ? 0 : 1;
}

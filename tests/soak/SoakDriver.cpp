// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SoakDriver.h"

#include "FindDialogs.h"
#include "GVar.h"
#include "HelpSystem.h"
#include "MDIChild.h"
#include "MDIFrame.h"
#include "PracticeWindow.h"
#include "Viewfile.h"
#include "WorkingForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <random>

namespace {
const char* const GoodData =
    "Soak data\r\nS\r\n3, 3\r\n4 1 2\r\n1 5 3\r\n2 3 6\r\nB\r\n3, 1\r\n1\r\n2\r\n3\r\n"
    "C\r\n2, 3\r\n1 2 3\r\n4 5 6\r\nHuge\r\n1, 1\r\n1e300\r\n";

// Matrices at the size limit, and a column and a row whose product is one.
QByteArray largest() {
    QByteArray text = "Big\r\n50, 50\r\n";
    for (int i = 0; i < MaxDim; ++i) {
        for (int j = 0; j < MaxDim; ++j)
            text += QByteArray::number((i * 7 + j * 3) % 11 - 5 + (i == j ? 40 : 0)) + ' ';
        text += "\r\n";
    }
    text += "Tall\r\n50, 1\r\n";
    for (int i = 0; i < MaxDim; ++i)
        text += QByteArray::number(i % 2 == 0 ? 1e154 : -0.5) + "\r\n";
    text += "Wide\r\n1, 50\r\n";
    for (int j = 0; j < MaxDim; ++j)
        text += QByteArray::number(j + 1) + ' ';
    // Values spread over the whole double range: their exact elimination
    // takes seconds to minutes, so the progress dialog comes up to be
    // answered. The same values in every run, whatever the seed.
    text += "\r\nSpread\r\n50, 50\r\n";
    std::mt19937_64 random(7);
    for (int i = 0; i < MaxDim; ++i) {
        for (int j = 0; j < MaxDim; ++j) {
            const double significand = 1.0 + static_cast<double>(random() % 9000) / 1000.0;
            const int exponent = static_cast<int>(random() % 601) - 300;
            text += QByteArray::number(significand * std::pow(10.0, exponent), 'g', 17) + ' ';
        }
        text += "\r\n";
    }
    return text;
}

// Shows a menu and closes it again, as a user glancing into it does:
// whatever updates the menu when it opens has run.
void glance(QMenu* menu) {
    if (menu == nullptr)
        return;
    menu->popup(QPoint(10, 10));
    menu->hide();
}

QMenu* menuHolding(const QList<QMenu*>& menus, QAction* action) {
    for (QMenu* menu : menus) {
        if (menu->actions().contains(action))
            return menu;
        if (QMenu* inner = menuHolding(menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly), action))
            return inner;
    }
    return nullptr;
}

// What Replace (the first occurrence from the top) or Replace All makes of
// text, where the comparison is exact: letter case is the engine's own
// business. Line breaks in the replacement break the line, as typed ones do.
std::optional<QString> replaced(const QString& text, const TFindDialog& dialog, bool all) {
    const QString target = dialog.FindText();
    if (!dialog.MatchCase() || target.isEmpty())
        return std::nullopt;
    QString replacement = dialog.ReplaceText();
    replacement.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    replacement.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    replacement.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (all) {
            line.replace(target, replacement);
        } else if (const qsizetype at = line.indexOf(target); at >= 0) {
            line.replace(at, target.size(), replacement);
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// A text of several lines with every kind of line break.
QString linesOfText(Rng& rng, int lines) {
    static const QStringList breaks = {QStringLiteral("\r\n"), QStringLiteral("\n"),
                                       QStringLiteral("\r")};
    QString text;
    for (int i = 0; i < lines; ++i)
        text += RandomFieldText(rng).left(300) + rng.oneOf(breaks);
    return text;
}
} // namespace

QString StepsText(const std::vector<Step>& steps) {
    QStringList texts;
    for (const Step& step : steps)
        texts << step.Text();
    return texts.join(QLatin1Char(' '));
}

std::optional<std::vector<Step>> ParseSteps(const QString& text) {
    std::vector<Step> steps;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(QLatin1Char(':'));
        bool ok = false;
        const uint seed = parts.size() == 2 ? parts.at(1).toUInt(&ok) : 0;
        if (!ok || !SoakDriver::StepNames().contains(parts.at(0)))
            return std::nullopt;
        steps.push_back({parts.at(0), seed});
    }
    return steps;
}

// One row of the step table: a name, how often it comes up, what it does.
struct SoakDriver::Action {
    const char* name;
    int weight;
    void (*run)(SoakDriver&, Rng&);
};

const std::vector<SoakDriver::Action>& SoakDriver::Table() {
    using D = SoakDriver;
#define MAIN_COMMAND(step, weight, action) \
    {step, weight, [](D& d, Rng& rng) { d.command(rng, action); }}
#define EDITOR_COMMAND(step, weight, action)                       \
    {step, weight, [](D& d, Rng& rng) {                            \
         if (TChild* e = d.editor(rng)) d.editorCommand(rng, e, action); \
     }}
    static const std::vector<Action> table = {
        MAIN_COMMAND("new", 3, "New1"),
        MAIN_COMMAND("open", 3, "Open1"),
        MAIN_COMMAND("exit", 1, "Exit1"),
        MAIN_COMMAND("tile", 1, "Tile1"),
        MAIN_COMMAND("cascade", 1, "Cascade1"),
        MAIN_COMMAND("arrange", 1, "Arrangeicons1"),
        MAIN_COMMAND("about", 1, "About2"),
        MAIN_COMMAND("help", 1, "Help1"),
        MAIN_COMMAND("decimals", 2, "Options2"),
        MAIN_COMMAND("read", 6, "Readfile1"),
        MAIN_COMMAND("write", 2, "Writefile1"),
        MAIN_COMMAND("view", 3, "Viewmatrix2"),
        MAIN_COMMAND("list", 2, "Writematrices1"),
        MAIN_COMMAND("copy", 2, "Copymatrix2"),
        MAIN_COMMAND("erase", 2, "Erasematrix1"),
        MAIN_COMMAND("rename", 2, "Renamematrix1"),
        MAIN_COMMAND("scale", 3, "Scalematrix1"),
        MAIN_COMMAND("transpose", 2, "Transposematrix1"),
        MAIN_COMMAND("add", 2, "Addmatrices1"),
        MAIN_COMMAND("subtract", 2, "Subtractmatrices1"),
        MAIN_COMMAND("multiply", 2, "Multiplymatrices1"),
        MAIN_COMMAND("invert", 2, "Invert"),
        MAIN_COMMAND("cholesky", 2, "Choleskydecompositionofmatrix1"),
        MAIN_COMMAND("substitute", 2, "Fowardbacksubstitutionofma1"),
        MAIN_COMMAND("determinant", 1, "Determinant1"),
        MAIN_COMMAND("rank", 1, "Rank1"),
        MAIN_COMMAND("rref", 1, "Rref1"),
        MAIN_COMMAND("solvesystem", 1, "Solvesystem1"),
        MAIN_COMMAND("nullspace", 1, "Nullspace1"),
        MAIN_COMMAND("columnspace", 1, "Columnspace1"),
        MAIN_COMMAND("rowspace", 1, "Rowspace1"),
        MAIN_COMMAND("charpoly", 1, "Charpoly1"),
        MAIN_COMMAND("eigenvalues", 1, "Eigenvalues1"),
        MAIN_COMMAND("eigenvectors", 1, "Eigenvectors1"),
        MAIN_COMMAND("diagonalise", 1, "Diagonalise1"),
        MAIN_COMMAND("lu", 1, "LU1"),
        MAIN_COMMAND("cofactordet", 1, "Cofactordet1"),
        MAIN_COMMAND("adjugate", 1, "Adjugate1"),
        MAIN_COMMAND("cramer", 1, "Cramer1"),
        MAIN_COMMAND("power", 2, "Power1"),
        MAIN_COMMAND("trace", 1, "Trace1"),
        MAIN_COMMAND("practise", 1, "Practise1"),
        {"rowop", 3, [](D&, Rng& rng) {
             // An operation typed into an open practice window, or a step of
             // its own keys and buttons.
             QList<PracticeWindow*> open;
             for (QWidget* w : QApplication::topLevelWidgets())
                 if (auto* p = qobject_cast<PracticeWindow*>(w); p != nullptr && p->isVisible())
                     open << p;
             if (open.isEmpty())
                 return;
             PracticeWindow* window = rng.oneOf(open);
             static const QStringList typed = {
                 QStringLiteral("R2 <- R2 - (3/2) R1"), QStringLiteral("R1 <-> R3"),
                 QStringLiteral("R1 <- (1/2) R1"),      QStringLiteral("R2 - 3R1 -> R2"),
                 QStringLiteral("-2R1 + R2 -> R2"),     QStringLiteral("swap R1 R2"),
                 QStringLiteral("R1 / 0.5"),            QStringLiteral("R1 <- 0 R1"),
                 QStringLiteral("R2 <- R2 - R2")};
             switch (rng.below(4)) {
             case 0: window->UndoClick(); break;
             case 1: window->RedoClick(); break;
             case 2: window->HintClick(); break;
             default: {
                 auto* field = window->findChild<QLineEdit*>(QStringLiteral("OperationEdit"));
                 field->setText(rng.chance(80) ? rng.oneOf(typed) : RandomFieldText(rng).left(40));
                 QTest::keyClick(field, Qt::Key_Return);
                 break;
             }
             }
         }},
        MAIN_COMMAND("working", 1, "ShowWorking1"),
        MAIN_COMMAND("fractions", 1, "ShowFractions1"),
        MAIN_COMMAND("newmatrix", 2, "Newmatrix1"),
        MAIN_COMMAND("editmatrix", 2, "Editmatrix1"),
        {"type", 8, [](D& d, Rng& rng) { if (TChild* e = d.editor(rng)) d.typeText(rng, e); }},
        {"edit", 4, [](D& d, Rng& rng) {
             if (TChild* e = d.editor(rng))
                 d.editorCommand(rng, e, rng.oneOf(QList<const char*>{
                                             "Cut1", "Copy1", "Paste1", "Delete1", "SelectAll1"}));
         }},
        EDITOR_COMMAND("save", 4, "Save1"),
        EDITOR_COMMAND("saveas", 3, "SaveAs1"),
        EDITOR_COMMAND("close", 3, "Close1"),
        EDITOR_COMMAND("print", 1, "Print1"),
        EDITOR_COMMAND("printsetup", 1, "Printsetup1"),
        EDITOR_COMMAND("font", 1, "Font1"),
        EDITOR_COMMAND("wrap", 1, "WordWrap1"),
        {"align", 1, [](D& d, Rng& rng) {
             if (TChild* e = d.editor(rng))
                 d.editorCommand(rng, e, rng.oneOf(QList<const char*>{"Left1", "Right1", "Center1"}));
         }},
        {"fontbox", 1, [](D& d, Rng& rng) {
             if (TChild* e = d.editor(rng)) {
                 QComboBox* box = rng.chance(50) ? e->FontNameBox() : e->FontSizeBox();
                 box->lineEdit()->selectAll();
                 TypeText(box->lineEdit(), RandomFieldText(rng).left(12));
             }
         }},
        {"find", 2, [](D& d, Rng& rng) { if (TChild* e = d.editor(rng)) d.search(rng, e, false); }},
        {"replace", 2, [](D& d, Rng& rng) { if (TChild* e = d.editor(rng)) d.search(rng, e, true); }},
        {"window", 2, [](D& d, Rng& rng) {
             if (TChild* e = d.editor(rng)) {
                 auto* frame = static_cast<QMdiSubWindow*>(e->parentWidget());
                 switch (rng.below(3)) {
                 case 0: frame->showMinimized(); break;
                 case 1: frame->showMaximized(); break;
                 default: frame->close(); break;  // the close box
                 }
             }
         }},
        {"closemain", 1, [](D& d, Rng&) { d.m_frame->close(); }},  // the main window's close box
        {"resize", 1, [](D& d, Rng& rng) {
             const QList<QSize> sizes = {{1, 1}, {120, 90}, {640, 480}, {4000, 3000}};
             d.m_frame->resize(rng.oneOf(sizes));
         }},
        {"menukeys", 1, [](D& d, Rng& rng) {
             // A menu opened from the keyboard, an item or two down, then Esc.
             QTest::keyClick(d.m_frame.get(), static_cast<Qt::Key>(rng.oneOf(QList<int>{
                                 Qt::Key_F, Qt::Key_E, Qt::Key_M, Qt::Key_N, Qt::Key_W, Qt::Key_H})),
                             Qt::AltModifier);
             if (QWidget* popup = QApplication::activePopupWidget()) {
                 for (int i = rng.below(3); i > 0; --i)
                     QTest::keyClick(popup, Qt::Key_Down);
                 QTest::keyClick(popup, Qt::Key_Escape);
             }
         }},
        {"others", 3, [](D& d, Rng& rng) { d.useOtherWindows(rng); }},
        {"printwhile", 1, [](D& d, Rng& rng) { d.printWhileUsing(rng); }},
    };
#undef MAIN_COMMAND
#undef EDITOR_COMMAND
    return table;
}

QStringList SoakDriver::StepNames() {
    QStringList names;
    for (const Action& a : Table())
        names << QString::fromLatin1(a.name);
    return names;
}

Step SoakDriver::RandomStep(Rng& rng) {
    int total = 0;
    for (const Action& a : Table())
        total += a.weight;
    int pick = rng.below(total);
    for (const Action& a : Table()) {
        if (pick < a.weight)
            return {QString::fromLatin1(a.name), rng.next()};
        pick -= a.weight;
    }
    return {};
}

SoakDriver::SoakDriver(const QString& scratch, const QString& source)
    : m_scratch(scratch), m_checks(scratch) {
    // The data files to read and open: the malformed corpus, texts in every
    // encoding, a good file, and a folder to be chosen as a file.
    const auto copyAll = [this](const QString& from, const QString& to) {
        m_scratch.mkpath(to);
        for (const QFileInfo& file : QDir(from).entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), m_scratch.filePath(to + QLatin1Char('/') + file.fileName()));
    };
    copyAll(source + QStringLiteral("/tests/data/malformed"), QStringLiteral("corpus"));
    copyAll(source + QStringLiteral("/fuzz/corpus/editor_file"), QStringLiteral("texts"));
    m_scratch.mkpath(QStringLiteral("good"));
    QFile::copy(source + QStringLiteral("/tests/data/example.dat"), m_scratch.filePath(QStringLiteral("good/example.dat")));
    QFile good(m_scratch.filePath(QStringLiteral("good/good.dat")));
    if (good.open(QIODevice::WriteOnly))
        good.write(GoodData + largest());
    good.close();
    m_scratch.mkpath(QStringLiteral("folder"));
    m_scratch.mkpath(QStringLiteral("print"));


    ModalAnswerer::Hooks hooks;
    hooks.fileName = [this](Rng& rng, bool saving) { return fileName(rng, saving); };
    hooks.editorSaves = [this](TChild* e, const QString& path) { m_checks.EditorSaves(e, path); };
    m_answerer = std::make_unique<ModalAnswerer>(hooks);
    QDir::setCurrent(scratch);  // untitled editor windows save here
    startProgram();
}

SoakDriver::~SoakDriver() {
    endProgram();
    delete HelpSystem::Window();
}

void SoakDriver::startProgram() {
    ++m_programs;
    m_frame = std::make_unique<TFrameForm>();
    m_frame->Printer().setOutputFormat(QPrinter::PdfFormat);
    m_frame->Printer().setOutputFileName(m_scratch.filePath(QStringLiteral("print/frame.pdf")));
    // The help file of the source tree, as the window tests use it.
    HelpSystem::SetApplicationHelpFile(QStringLiteral(ZENDRA_SOURCE_DIR "/data/zendra.hlp"));
    m_frame->show();
    m_frame->activateWindow();
    QCoreApplication::processEvents();
}

void SoakDriver::endProgram() {
    // As when the program ends: every window goes.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TViewForm*>(window) != nullptr || qobject_cast<TWorkingForm*>(window) != nullptr)
            delete window;
    m_frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void SoakDriver::preparePrinters() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QPrinter* printer = nullptr;
        if (auto* viewer = qobject_cast<TViewForm*>(window))
            printer = &viewer->Printer();
        else if (auto* working = qobject_cast<TWorkingForm*>(window))
            printer = &working->Printer();
        if (printer != nullptr && printer->outputFileName().isEmpty()) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(m_scratch.filePath(QStringLiteral("print/%1.pdf").arg(++m_pdfCount)));
        }
    }
}

bool SoakDriver::Perform(const Step& step) {
    for (const Action& a : Table()) {
        if (step.name != QLatin1String(a.name))
            continue;
        Rng rng(step.seed);
        preparePrinters();
        m_checks.ForgetSaves();
        m_answerer->BeginStep(&rng);
        a.run(*this, rng);
        // Whatever the step left for the event loop (a deferred close, a
        // timer of the step) happens within the step.
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        m_answerer->EndStep();
        return true;
    }
    return false;
}

QString SoakDriver::Check() {
    QString failure = m_stepFailure;
    m_stepFailure.clear();
    if (!failure.isEmpty())
        ;
    else if (QWidget* modal = QApplication::activeModalWidget())
        failure = QStringLiteral("modal: %1 \"%2\" left open").arg(
            QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle());
    else if (QWidget* popup = QApplication::activePopupWidget())
        failure = QStringLiteral("modal: popup %1 left open").arg(
            QString::fromLatin1(popup->metaObject()->className()));
    if (failure.isEmpty())
        failure = m_checks.SettleSaves(m_answerer->SawError(), m_answerer->SawOtherSave());
    if (failure.isEmpty())
        failure = SoakChecks::Workspace(m_frame->Workspace());
    if (failure.isEmpty())
        failure = m_checks.Files();
    if (failure.isEmpty())
        failure = m_checks.Outside();
    if (!failure.isEmpty())
        return failure + QStringLiteral(" (modal windows of the step: %1)").arg(m_answerer->Seen().join(QStringLiteral(", ")));
    // The main window closed: the program ended, and the user starts it again.
    if (!m_frame->isVisible()) {
        endProgram();
        startProgram();
    }
    return QString();
}

QString SoakDriver::Summary() const {
    return QStringLiteral("program %1: %2 matrices, %3 editor windows, %4 windows in all")
        .arg(m_programs)
        .arg(m_frame->Workspace().MatrixCount)
        .arg(m_frame->Editors().size())
        .arg(QApplication::topLevelWidgets().size());
}

QString SoakDriver::fileName(Rng& rng, bool saving) {
    QStringList existing;
    QDirIterator it(m_scratch.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    // Not the good data files, which stay as they are, nor the printed
    // files, which printing writes over, nor what the toolkit keeps in the
    // home and temporary folders.
    const QStringList others = {m_scratch.filePath(QStringLiteral("good/")),
                                m_scratch.filePath(QStringLiteral("print/")),
                                m_scratch.filePath(QStringLiteral("home/QtProject")),
                                m_scratch.filePath(QStringLiteral("tmp/"))};
    while (it.hasNext()) {
        const QString file = it.next();
        if (std::none_of(others.begin(), others.end(), [&](const QString& o) { return file.startsWith(o); }))
            existing << file;
    }
    existing.sort();  // the same choice in every replay, whatever the folder's order
    const QString s = m_scratch.path() + QLatin1Char('/');
    static const QStringList extensions = {QStringLiteral(".dat"), QStringLiteral(".out"),
                                           QStringLiteral(".txt"), QStringLiteral(".BAK"),
                                           QString()};
    // Reading, the good files now and then: the commands want matrices.
    if (!saving && rng.chance(30))
        return s + (rng.chance(70) ? QStringLiteral("good/good.dat") : QStringLiteral("good/example.dat"));
    switch (rng.below(22)) {
    case 0: return QString();
    case 1: return QString(1 + rng.below(5), QLatin1Char(' '));
    case 2: return s + QString(300, QLatin1Char('n')) + QStringLiteral(".dat");
    case 3: return s + QStringLiteral("ctl") + RandomFieldText(rng).left(6).remove(QLatin1Char('/')) + QStringLiteral(".dat");
    case 4: return s + QStringLiteral("\u00e4\u00f6\u00fc-\u65e5\u672c-\U0001F600") + rng.oneOf(extensions);
    case 5: return s + QStringLiteral("missing/folder/x.dat");
    case 6: return rng.chance(50) ? s + QStringLiteral("folder") : s + QStringLiteral("corpus/");
    case 7: return QStringLiteral("*.dat");
    case 8: return QStringLiteral("~/home") + QString::number(rng.below(3)) + rng.oneOf(extensions);
    case 9: return s + QStringLiteral("nul") + QChar(u'\0') + QStringLiteral("name.dat");
    case 10: return QStringLiteral("rel") + QString::number(rng.below(4)) + rng.oneOf(extensions);
    default:
        if (existing.isEmpty() || rng.chance(25))
            return s + QStringLiteral("f") + QString::number(rng.below(8)) + rng.oneOf(extensions);
        return rng.oneOf(existing);
    }
}

void SoakDriver::command(Rng& rng, const char* name) {
    QAction* item = m_frame->Action(QString::fromLatin1(name));
    TChild* active = m_frame->ActiveEditor();
    // New, Open and Exit stand in the editor's File menu while one is active.
    if (active != nullptr && active->Action(QString::fromLatin1(name)) != nullptr && rng.chance(50)) {
        editorCommand(rng, active, name);
        return;
    }
    if (rng.chance(40)) {
        auto* toolBar = m_frame->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        for (QAction* button : toolBar->actions())
            if (button->text() == QString(item->text()).remove(QLatin1Char('&')))
                if (auto* tool = qobject_cast<QToolButton*>(toolBar->widgetForAction(button))) {
                    tool->click();
                    return;
                }
    }
    QList<QMenu*> menus;
    for (QAction* top : m_frame->menuBar()->actions())
        if (top->menu() != nullptr)
            menus << top->menu();
    glance(menuHolding(menus, item));
    if (item->isEnabled())
        item->trigger();
}

TChild* SoakDriver::editor(Rng& rng) {
    const QList<TChild*> editors = m_frame->Editors();
    if (editors.isEmpty()) {
        // Nothing to work in: the user makes a window first.
        command(rng, rng.chance(60) ? "New1" : "Open1");
        return nullptr;
    }
    if (rng.chance(30)) {
        // Another window, chosen from the Window menu.
        auto* windowMenu = m_frame->findChild<QMenu*>(QStringLiteral("Window1"));
        glance(windowMenu);
        QList<QAction*> entries;
        for (QAction* a : windowMenu->actions())
            if (a->isCheckable())
                entries << a;
        if (!entries.isEmpty())
            rng.oneOf(entries)->trigger();
    }
    TChild* active = m_frame->ActiveEditor();
    return active != nullptr ? active : editors.first();
}

void SoakDriver::editorCommand(Rng& rng, TChild* e, const char* name) {
    static const QHash<QString, QString> buttons = {
        {QStringLiteral("Save1"), QStringLiteral("SaveButton")},
        {QStringLiteral("Open1"), QStringLiteral("OpenButton1")},
        {QStringLiteral("Close1"), QStringLiteral("CloseFileButton")},
        {QStringLiteral("Print1"), QStringLiteral("PrintFileButton1")},
        {QStringLiteral("Font1"), QStringLiteral("SelectFontButton")},
        {QStringLiteral("Copy1"), QStringLiteral("CopyButton")},
        {QStringLiteral("Paste1"), QStringLiteral("PasteText")},
        {QStringLiteral("Cut1"), QStringLiteral("CutTextButton")},
        {QStringLiteral("Delete1"), QStringLiteral("DelTextButton")},
        {QStringLiteral("Left1"), QStringLiteral("LeftJustifyButton")},
        {QStringLiteral("Center1"), QStringLiteral("CenterTextButton")},
        {QStringLiteral("Right1"), QStringLiteral("RightJustifyButton")}};
    const QString action = QString::fromLatin1(name);
    QAction* item = e->Action(action);
    QPointer<TChild> alive(e);
    if (action == QLatin1String("Save1"))
        m_checks.EditorSaves(e, e->Identity().FullFileName);
    auto* button = e->findChild<QToolButton*>(buttons.value(action, QStringLiteral("-")));
    if (button != nullptr && rng.chance(40)) {
        button->click();
    } else {
        glance(menuHolding(e->Menus(), item));
        if (alive && item->isEnabled())
            item->trigger();
    }
}

void SoakDriver::typeText(Rng& rng, TChild* e) {
    QPlainTextEdit* memo = e->Memo();
    memo->setFocus();
    switch (rng.below(5)) {
    case 0: {
        // A selection, as a drag of the mouse makes one.
        QTextCursor cursor = memo->textCursor();
        const int length = memo->document()->characterCount();
        cursor.setPosition(rng.below(length));
        cursor.setPosition(rng.below(length), QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        break;
    }
    case 1: {
        static const QList<int> keys = {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                        Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home,
                                        Qt::Key_End, Qt::Key_PageDown, Qt::Key_Z, Qt::Key_Y};
        for (int i = 1 + rng.below(8); i > 0; --i) {
            const int key = rng.oneOf(keys);
            const bool undo = key == Qt::Key_Z || key == Qt::Key_Y;
            QTest::keyClick(memo, static_cast<Qt::Key>(key),
                            undo ? Qt::ControlModifier : (rng.chance(30) ? Qt::ShiftModifier : Qt::NoModifier));
        }
        break;
    }
    case 2: {
        // Pasted from another program: many lines, or one huge one.
        QGuiApplication::clipboard()->setText(rng.chance(50) ? linesOfText(rng, 1 + rng.below(300))
                                                             : RandomFieldText(rng).repeated(1 + rng.below(20)));
        editorCommand(rng, e, "Paste1");
        break;
    }
    default: {
        QString text = RandomFieldText(rng).left(60);
        text.remove(QLatin1Char('\t'));  // Tab would only move the focus
        TypeText(memo, text);
        break;
    }
    }
}

void SoakDriver::search(Rng& rng, TChild* e, bool replacing) {
    TFindDialog* dialog = replacing ? e->ReplaceDialog() : e->FindTextDlg();
    // A dialog left open from before is used as it stands.
    if (!dialog->isVisible() || rng.chance(30)) {
        QPointer<TChild> alive(e);
        editorCommand(rng, e, replacing ? "Replace" : "FindText");
        if (!alive || !dialog->isVisible())
            return;
    }
    QPointer<TFindDialog> alive(dialog);
    if (rng.chance(70)) {
        dialog->FindEdit->selectAll();
        TypeText(dialog->FindEdit, RandomFieldText(rng).left(20).remove(QLatin1Char('\t')));
    }
    if (replacing && rng.chance(70))
        TypeOrPaste(dialog->ReplaceEdit, RandomFieldText(rng).left(rng.chance(80) ? 20 : 2000));
    if (rng.chance(20))
        dialog->MatchCaseBox->click();
    QList<QPushButton*> presses = {dialog->FindNextButton};
    if (replacing)
        presses << dialog->ReplaceButton << dialog->ReplaceAllButton;
    for (int i = 1 + rng.below(5); i > 0 && alive && dialog->isVisible(); --i) {
        QPushButton* press = rng.chance(15) ? nullptr : rng.oneOf(presses);
        const QString base = WindowText(e);
        const std::optional<QString> expected =
            press != nullptr && press != dialog->FindNextButton
                ? replaced(base, *dialog, press == dialog->ReplaceAllButton)
                : std::nullopt;
        const int notes = m_answerer->Seen().size();
        if (press == nullptr)
            QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
        else
            press->click();
        // Found (no note came up): what is selected is what was looked for.
        const bool finding = press == nullptr || press == dialog->FindNextButton;
        if (finding && alive && dialog->MatchCase() && m_answerer->Seen().size() == notes &&
            e->Memo()->textCursor().selectedText() != dialog->FindText()) {
            m_stepFailure = QStringLiteral("find: looking for \"%1\" selected \"%2\"")
                                .arg(dialog->FindText(), e->Memo()->textCursor().selectedText());
            break;
        }
        if (expected && alive && WindowText(e) != *expected) {
            m_stepFailure = QStringLiteral("replace: replacing \"%1\" by \"%2\" gave %3, not %4")
                                .arg(dialog->FindText(), QString::fromLatin1(dialog->ReplaceText().toUtf8().toPercentEncoding(" ")),
                                     Shown(WindowText(e).toUtf8()), Shown(expected->toUtf8()));
            break;
        }
    }
    if (alive && rng.chance(40))
        dialog->findChild<QPushButton*>(QStringLiteral("CloseButton"))->click();
}

void SoakDriver::useOtherWindows(Rng& rng) {
    QList<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != m_frame.get())
            windows << window;
    if (windows.isEmpty()) {
        command(rng, "Help1");
        return;
    }
    QWidget* window = rng.oneOf(windows);
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled())
            buttons << b;
    switch (rng.below(4)) {
    case 0:
        // Turning to the main window (a viewer closes then).
        m_frame->activateWindow();
        QApplication::setActiveWindow(m_frame.get());
        break;
    case 1:
        window->close();
        break;
    case 2:
        QTest::keyClick(window, Qt::Key_Escape);
        break;
    default:
        if (!buttons.isEmpty())
            rng.oneOf(buttons)->click();
        break;
    }
}

// Printing lets the event loop run between lines: the user goes on working
// meanwhile, closes the window, or ends the program.
void SoakDriver::printWhileUsing(Rng& rng) {
    TChild* e = editor(rng);
    if (e == nullptr)
        return;
    if (e->Memo()->blockCount() < 30) {
        QGuiApplication::clipboard()->setText(linesOfText(rng, 60));
        editorCommand(rng, e, "Paste1");
    }
    QPointer<TChild> alive(e);
    const int meanwhile = rng.below(6);
    const std::uint32_t seed = rng.next();
    QTimer::singleShot(0, e, [this, alive, meanwhile, seed] {
        Rng later(seed);
        // A modal window (a report of the print) takes all input: the
        // user can do nothing else until it is answered.
        if (!alive || QApplication::activeModalWidget() != nullptr)
            return;
        switch (meanwhile) {
        case 0: command(later, "Exit1"); break;
        case 1: static_cast<QMdiSubWindow*>(alive->parentWidget())->close(); break;
        case 2: editorCommand(later, alive, "Close1"); break;
        case 3: editorCommand(later, alive, "Print1"); break;
        case 4: editorCommand(later, alive, "Save1"); break;
        default: typeText(later, alive); break;
        }
    });
    editorCommand(rng, e, "Print1");
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MDIFrame.h"

#include "About.h"
#include "AccessibleMenuItem.h"
#include "AlgebraCommands.h"
#include "DialogStyle.h"
#include "EigenCommands.h"
#include "ExactCommands.h"
#include "GridCommands.h"
#include "FileDialogs.h"
#include "GetMatForm.h"
#include "HelpSystem.h"
#include "LinePrinter.h"
#include "MDIChild.h"
#include "MatrixExport.h"
#include "MatOperations.h"
#include "MatrixFileReader.h"
#include "MatrixFileWriter.h"
#include "MatrixListing.h"
#include "MessageForm.h"
#include "Optionsform.h"
#include "PracticeCommand.h"
#include "PrintMatForm.h"
#include "RenMatForm.h"
#include "ScaleForm.h"
#include "StoreCommands.h"
#include "SystemCommands.h"
#include "ToolIcons.h"
#include "TransferCommands.h"
#include "Viewfile.h"

#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QScreen>
#include <QWindow>
#include <QStyle>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <exception>

namespace {
QString fromBytes(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The system's long time format without a time zone: hours, minutes and
// seconds.
QString timeText(const QTime& time) {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

QString dateText(const QDate& date) { return QLocale::system().toString(date, QLocale::ShortFormat); }
} // namespace

int TFrameForm::SplashSeconds = 3;

TFrameForm::TFrameForm(QWidget* parent)
    : QMainWindow(parent), m_messages(this), m_reader(m_messages) {
    setWindowTitle(QStringLiteral("Zendra"));
    AccessibleMenuItem::Install();
    // Every window of the program, dialogs and viewers included, carries it.
    QApplication::setWindowIcon(ToolIcons::ProgramIcon());
    setWindowIcon(ToolIcons::ProgramIcon());
    setProperty("helpContext", 1);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    setFont(font);

    m_mdiArea = new QMdiArea(this);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TFrameForm::mergeMenus);
    // The colour of an inactive caption, as the frame always had.
    m_mdiArea->setBackground(QColor(191, 205, 219));
    setCentralWidget(m_mdiArea);

    m_exact = new ExactCommands(m_workspace, m_messages, [this] { return pickMatrix(); }, this);
    m_systems = new SystemCommands(*m_exact, this);
    m_eigen = new EigenCommands(*m_exact, this);
    m_algebra = new AlgebraCommands(*m_exact, m_workspace, m_messages,
                                    [this] { return pickMatrix(); }, this);
    m_grid = new GridCommands(m_workspace, m_messages, [this] { return pickMatrix(); },
                              [this] { return m_exact->ShowFractions(); }, this);
    m_transfer = new TransferCommands(m_workspace, m_messages, [this] { return pickMatrix(); },
                                      [this] { return m_exact->ShowFractions(); }, this);
    m_practice = new PracticeCommand(m_workspace, m_messages, [this] { return pickMatrix(); }, this);
    createActions();
    createMenus();
    createToolBar();
    createStatusPanel();
    createDialogs();
    m_msgForm = new TMsgForm(this);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TFrameForm::Timer1Timer);
    m_timer->start();

    StartUp();
}

TFrameForm::~TFrameForm() {
    // Editor windows going with the frame must not rebuild its menu bar.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

QAction* TFrameForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TFrameForm::createStatusPanel() {
    m_panel = new QStatusBar(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setSizeGripEnabled(false);
    m_panel->setFixedHeight(24);
    setStatusBar(m_panel);

    m_bevel = new QFrame(m_panel);
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bevel->resize(160, 22);

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);  // the face is rarely installed
    font.setPixelSize(11);
    font.setBold(true);
    m_dateLabel = new QLabel(m_panel);
    m_dateLabel->setObjectName(QStringLiteral("DateLabel"));
    m_timeLabel = new QLabel(m_panel);
    m_timeLabel->setObjectName(QStringLiteral("TimeLabel"));
    for (QLabel* label : {m_dateLabel, m_timeLabel}) {
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
}

void TFrameForm::createDialogs() {
    m_openFileDialog = new QFileDialog(this, QStringLiteral("Open Matrix File"));
    m_openFileDialog->setObjectName(QStringLiteral("OpenFileDialog"));
    m_openFileDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_openFileDialog->setNameFilters({QStringLiteral("Data files (*.dat)"),
                                      QStringLiteral("Output files (*.out)"),
                                      QStringLiteral("Plain text files (*.txt)"),
                                      QStringLiteral("all files (*.*)")});
    m_openFileDialog->setDefaultSuffix(QStringLiteral("dat"));
    m_openFileDialog->setProperty("helpContext", 1);

    m_saveDialog = new QFileDialog(this, QStringLiteral("Write Matrices to a File"));
    m_saveDialog->setObjectName(QStringLiteral("SaveDialog"));
    m_saveDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setFileMode(QFileDialog::AnyFile);
    m_saveDialog->setNameFilters({QStringLiteral("data files (*,dat) (*.dat)"),
                                  QStringLiteral("output files (*.out)"),
                                  QStringLiteral("all files (*.*)")});
    m_saveDialog->selectNameFilter(QStringLiteral("output files (*.out)"));
}

void TFrameForm::StartUp() {
    // The help file is the executable's own name with ".hlp", beside it; an
    // installed program finds it in the data folder instead.
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString helpName = executable.completeBaseName() + QStringLiteral(".hlp");
    const QString besideExecutable = executable.path() + QLatin1Char('/') + helpName;
    const QString located = HelpSystem::Locate(helpName);
    HelpSystem::SetApplicationHelpFile(QFileInfo::exists(besideExecutable) || located.isEmpty()
                                           ? besideExecutable
                                           : located);
    m_workspace.Clear();
    m_workspace.DecimalPlaces = 5;

    if (SplashSeconds > 0) {
        // The splash blocks on purpose: nothing else may run before the
        // main window is ready.
        TAboutBox splash;
        splash.setWindowFlag(Qt::SplashScreen);
        splash.show();
        splash.repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 start = QDateTime::currentMSecsSinceEpoch() / 1000;
        while (QDateTime::currentMSecsSinceEpoch() / 1000 < start + SplashSeconds)
            QThread::msleep(20);
        splash.hide();
    }

    const QDateTime now = QDateTime::currentDateTime();
    m_dateLabel->setText(dateText(now.date()));
    m_dateLabel->adjustSize();
    m_timeLabel->setText(timeText(now.time()));
    m_timeLabel->adjustSize();
    m_lastShownDate = now.date();

    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(StartGeometry(screen->geometry().size()));
    Resize();
}

QRect TFrameForm::StartGeometry(const QSize& screen) {
    // Rounded to the nearest, ties to even: the middle quarter of the screen.
    const auto even = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    return QRect(even(screen.width() * 0.25), even(screen.height() * 0.25),
                 even(screen.width() * 0.5), even(screen.height() * 0.5));
}

void TFrameForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        placeFrame();
        // A window manager tells the frame's size only once it has framed
        // the window: place it again then, too soon for a user to have
        // moved it.
        QTimer::singleShot(250, this, [this] {
            if (windowHandle() != nullptr && windowHandle()->frameMargins() != m_placedMargins)
                placeFrame();
        });
    }
}

// The start-up size and the centring are the whole window's, frame and
// caption included, where the platform tells how large they are.
void TFrameForm::placeFrame() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QSize size = screen->geometry().size();
    const QRect wanted = StartGeometry(size);
    m_placedMargins = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    resize(wanted.width() - m_placedMargins.left() - m_placedMargins.right(),
           wanted.height() - m_placedMargins.top() - m_placedMargins.bottom());
    // move() places the frame's top left corner.
    move((size.width() - wanted.width()) / 2, (size.height() - wanted.height()) / 2);
}

void TFrameForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Resize();
}

void TFrameForm::Resize() {
    if (m_bevel == nullptr)
        return;
    // The bevel stays docked at the panel's right edge.
    const int width = m_dateLabel->width() + m_timeLabel->width() + 15;
    m_bevel->setGeometry(m_panel->width() - width, 1, width, 22);
    m_dateLabel->move(m_bevel->x() + 4, m_bevel->y() + 4);
    m_timeLabel->move(m_dateLabel->x() + m_dateLabel->width() + 9, m_dateLabel->y());
    m_bevel->lower();
}

void TFrameForm::Timer1Timer() {
    const QDateTime now = QDateTime::currentDateTime();
    if (now.date() != m_lastShownDate) {
        m_lastShownDate = now.date();
        m_dateLabel->setText(dateText(now.date()));
        m_dateLabel->adjustSize();
    }
    m_timeLabel->setText(timeText(now.time()));
    m_timeLabel->adjustSize();
}

void TFrameForm::Exit1Click() { close(); }

bool TFrameForm::event(QEvent* event) {
    // Hints stay with their items: the program has no status line for them,
    // and the status panel holds only the clock.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

// Ending the program asks the save question of every modified editor
// window; Cancel in any of them keeps the program running.
void TFrameForm::closeEvent(QCloseEvent* event) {
    // Exact work under way is cancelled first: its dialog must not stand
    // over the save questions, nor its result come after the window.
    m_exact->CancelWork();
    for (TChild* editor : Editors()) {
        if (!editor->FormCloseQuery()) {
            event->ignore();
            return;
        }
        editor->SetCloseConfirmed();
    }
    event->accept();
    // Closing the main window ends the program, however it was closed: the
    // viewers and the help window go with it.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
}

QList<TChild*> TFrameForm::Editors() const {
    QList<TChild*> editors;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (auto* editor = qobject_cast<TChild*>(window->widget()))
            editors.append(editor);
    return editors;
}

TChild* TFrameForm::ActiveEditor() const {
    QMdiSubWindow* window = m_mdiArea->activeSubWindow();
    return window != nullptr ? qobject_cast<TChild*>(window->widget()) : nullptr;
}

TChild* TFrameForm::addEditor() {
    auto* editor = new TChild(m_printer);
    m_mdiArea->addSubWindow(editor);
    connect(editor, &TChild::newRequested, this, &TFrameForm::New1Click);
    connect(editor, &TChild::openRequested, this, &TFrameForm::OpenWindow);
    connect(editor, &TChild::exitRequested, this, &TFrameForm::Exit1Click);
    return editor;
}

void TFrameForm::showEditor(TChild* editor) {
    editor->show();
    editor->parentWidget()->raise();
    m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(editor->parentWidget()));
    editor->Memo()->setFocus();
    Cascade1Click();
}

void TFrameForm::New1Click() {
    if (NewFileCounter < 1)
        NewFileCounter = 1;
    TChild* editor = addEditor();
    const QString name = QStringLiteral("DOC%1.dat").arg(NewFileCounter);
    editor->ParseFile(name);
    editor->setWindowTitle(name);
    const QSize client = m_mdiArea->size();
    editor->parentWidget()->resize(static_cast<int>(std::nearbyint(client.width() * 0.7)),
                                   static_cast<int>(std::nearbyint(client.height() * 0.5)));
    showEditor(editor);
    ++NewFileCounter;
}

void TFrameForm::Open1Click() { OpenWindow(); }

void TFrameForm::OpenWindow() {
    // Title and filter stay as the last matrix command left them, but it
    // opens: after Write file it must not ask to replace the file chosen.
    m_openFileDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openFileDialog->setFileMode(QFileDialog::ExistingFile);
    if (FileDialogs::Run(*m_openFileDialog) != QDialog::Accepted ||
        m_openFileDialog->selectedFiles().isEmpty())
        return;
    const QString path = m_openFileDialog->selectedFiles().first();
    TChild* editor = addEditor();
    if (!editor->Open(path)) {
        // No empty window is left carrying the name of a file it never read.
        editor->parentWidget()->close();
        return;
    }
    editor->setWindowTitle(path);
    editor->ParseFile(path);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->geometry().size();
        editor->parentWidget()->setGeometry(0, 0, static_cast<int>(std::nearbyint(size.width() * 0.7)),
                                            static_cast<int>(std::nearbyint(size.height() * 0.5)));
    }
    showEditor(editor);
}

namespace {
// The editor windows that tiling and cascading place: not the minimised.
QList<QMdiSubWindow*> placeable(QMdiArea* area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area->subWindowList())
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    return windows;
}
} // namespace

// Horizontal tiling: every editor window as wide as the client area, one
// above another, sharing its height.
void TFrameForm::Tile1Click() {
    const QList<QMdiSubWindow*> windows = placeable(m_mdiArea);
    if (windows.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    int top = 0;
    for (int i = 0; i < count; ++i) {
        // The last window takes what the division leaves over.
        const int bottom = (i + 1) * area.height() / count;
        windows.at(i)->showNormal();
        windows.at(i)->setGeometry(0, top, area.width(), bottom - top);
        top = bottom;
    }
}

// Each window a title bar's height below and to the right of the one
// before it, in stacking order, the active one in front; sizes are kept.
void TFrameForm::Cascade1Click() {
    const QList<QMdiSubWindow*> windows = placeable(m_mdiArea);
    if (windows.isEmpty())
        return;
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    const int step = std::max(
        8, windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()));
    int offset = 0;
    for (QMdiSubWindow* window : windows) {
        if (window->isMaximized())
            window->showNormal();
        window->move(offset, offset);
        window->raise();
        offset += step;
    }
    if (active != nullptr)
        active->raise();
}

// Lines the minimised editor windows up along the bottom of the frame.
void TFrameForm::Arrangeicons1Click() {
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, m_mdiArea->viewport()->height() - window->height());
        x += window->width();
    }
}

void TFrameForm::About2Click() {
    TAboutBox box(this);
    DialogStyle::CentreOnScreen(&box);
    box.exec();
}

void TFrameForm::Help1Click() { HelpSystem::ShowContents(HelpSystem::ApplicationHelpFile()); }

int TFrameForm::pickMatrix() {
    int slot = 0;
    TMatForm::execute(m_workspace, slot, this);
    return slot;
}

void TFrameForm::onOne(void (MatOperations::*operation)(int),
                       void (ExactCommands::*then)(int) const) {
    const int a = pickMatrix();
    if (a < 1)
        return;
    MatOperations operations(m_workspace, m_messages);
    (operations.*operation)(a);
    if (then != nullptr)
        (m_exact->*then)(a);
}

void TFrameForm::onTwo(void (MatOperations::*operation)(int, int),
                       void (ExactCommands::*then)(int, int) const) {
    const int a = pickMatrix();
    if (a < 1)
        return;
    const int b = pickMatrix();
    if (b < 1)
        return;
    MatOperations operations(m_workspace, m_messages);
    (operations.*operation)(a, b);
    if (then != nullptr)
        (m_exact->*then)(a, b);
}

void TFrameForm::Readfile1Click() {
    m_openFileDialog->setWindowTitle(QStringLiteral(" Read File of Matrices "));
    m_openFileDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openFileDialog->setFileMode(QFileDialog::ExistingFile);
    m_openFileDialog->selectNameFilter(m_openFileDialog->nameFilters().first());
    m_openFileDialog->selectFile(QStringLiteral("*.dat"));
    if (FileDialogs::Run(*m_openFileDialog) != QDialog::Accepted ||
        m_openFileDialog->selectedFiles().isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_openFileDialog->selectedFiles().first());
    MatrixFileReader(m_workspace, m_reader, m_messages).ReadMatrixFile(path.toStdString());
}

void TFrameForm::Writefile1Click() {
    m_openFileDialog->setWindowTitle(QStringLiteral(" Write File "));
    m_openFileDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_openFileDialog->setFileMode(QFileDialog::AnyFile);
    m_openFileDialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    m_openFileDialog->selectNameFilter(m_openFileDialog->nameFilters().first());
    // Never the path last chosen: Enter must not write over the file just read.
    m_openFileDialog->selectFile(QStringLiteral("*.dat"));
    if (FileDialogs::Run(*m_openFileDialog) != QDialog::Accepted ||
        m_openFileDialog->selectedFiles().isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_openFileDialog->selectedFiles().first());
    MatrixFileWriter(m_workspace, m_messages).WriteMatrixFile(path.toStdString());
}

void TFrameForm::Viewmatrix2lick() {
    for (;;) {
        const int slot = pickMatrix();
        if (slot < 1)
            return;
        try {
            const QString text = fromBytes(m_exact->ViewText(slot));
            m_msgForm->setWindowTitle(QStringLiteral("Matrix View"));
            m_msgForm->MessageText = text;
            switch (m_msgForm->exec()) {
            case TMsgForm::RetryResult:
                continue;
            case TMsgForm::ClipboardResult:
                QGuiApplication::clipboard()->setText(text);
                return;
            case TMsgForm::LatexResult:
                QGuiApplication::clipboard()->setText(QString::fromStdString(MatrixExport::Latex(
                    m_workspace.Matrix(slot), m_exact->ShowFractions())));
                return;
            case TMsgForm::PrintResult:
                if (!printView(text))
                    m_messages.ShowMessage("Sorry - error in displaying matrix.");
                return;
            default:
                return;
            }
        } catch (const std::exception&) {
            m_messages.ShowMessage("Sorry - error in displaying matrix.");
            return;
        }
    }
}

// Prints a view under its heading; false when the printer failed.
bool TFrameForm::printView(const QString& text) {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return true;
    LinePrinter printer(m_printer, m_msgForm->DisplayFont());
    if (!printer.IsOpen())
        return false;
    printer.WriteLine(QStringLiteral("Zendra for Windows"));
    printer.WriteLine(QStringLiteral("~~~~~~~~~~~~~~~~~~~~"));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        printer.WriteLine(line);
    printer.Close();
    return true;
}

void TFrameForm::Writematrices1Click() {
    if (FileDialogs::Run(*m_saveDialog, true) != QDialog::Accepted ||
        m_saveDialog->selectedFiles().isEmpty())
        return;
    const std::string path = MatrixListing::ListingPath(
        QFile::encodeName(m_saveDialog->selectedFiles().first()).toStdString());
    std::function<std::string(const std::vector<int>&)> fractions;
    if (m_exact->ShowFractions())
        fractions = [this](const std::vector<int>& chosen) { return m_exact->ListingText(chosen); };
    if (!TPrintMat::execute(m_workspace, m_messages, path, this, fractions))
        return;
    auto* viewer = new TViewForm(nullptr);
    viewer->setAttribute(Qt::WA_DeleteOnClose, false);
    TViewForm::ViewForm = viewer;
    viewer->ViewFileName = QFile::decodeName(QByteArray::fromStdString(path));
    viewer->ShowFile();
    viewer->showMaximized();
    viewer->repaint();
}

void TFrameForm::Options2Click() { TOptions::getdc(m_reader, m_messages, m_workspace.DecimalPlaces, this); }

void TFrameForm::Copymatrix2Click() {
    if (const int slot = pickMatrix(); slot > 0)
        StoreCommands(m_workspace, m_messages).CopyMatrix(slot);
}

void TFrameForm::Erasematrix1Click() {
    if (const int slot = pickMatrix(); slot > 0)
        StoreCommands(m_workspace, m_messages).EraseMatrix(slot);
}

void TFrameForm::Renamematrix1Click() {
    if (const int slot = pickMatrix(); slot > 0)
        TRenMat::execute(m_workspace, m_messages, slot, this);
}

void TFrameForm::Scalematrix1Click() {
    if (const int slot = pickMatrix(); slot > 0)
        TScaleEntry::ScaleMat(m_workspace, m_messages, m_reader, slot, this);
}

void TFrameForm::Transposematrix1Click() { onOne(&MatOperations::TransposeMat); }
void TFrameForm::Addmatrices1Click() { onTwo(&MatOperations::AddMat); }
void TFrameForm::Subtractmatrices1Click() { onTwo(&MatOperations::SubtractMat); }
void TFrameForm::Multiplymatrices1Click() {
    onTwo(&MatOperations::MultiplyMat, &ExactCommands::MultiplyWorking);
}
void TFrameForm::InvertClick() {
    if (const int a = pickMatrix(); a > 0) {
        if (m_exact->InvertMat(a))
            m_exact->InvertWorking(a);
    }
}
void TFrameForm::Choleskydecompositionofmatrix1Click() {
    onOne(&MatOperations::CholeskyMat, &ExactCommands::CholeskyWorking);
}
void TFrameForm::Fowardbacksubstitutionofma1Click() {
    onTwo(&MatOperations::SubstituteMat, &ExactCommands::SubstitutionWorking);
}

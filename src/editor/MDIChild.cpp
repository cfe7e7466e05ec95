// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MDIChild.h"

#include "FileDialogs.h"

#include "FindDialogs.h"
#include "MemoLines.h"
#include "TextPrinter.h"
#include "ToolIcons.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextOption>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
using Kind = ToolIcons::Kind;

// The number a size box's text starts with: leading blanks skipped, an
// optional sign, then digits up to the first other character; 0 when there
// are none.
int leadingNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    long long value = 0;
    while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        value = value * 10 + (text.at(i++).unicode() - '0');
        if (value > 100000)
            value = 100000;  // no font is that large; keeps the number in range
    }
    return static_cast<int>(negative ? -value : value);
}
} // namespace

TChild::TChild(QPrinter& printer, QWidget* parent) : QWidget(parent), m_printer(printer) {
    setObjectName(QStringLiteral("Child"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Help for the editor is in the program's own help file.
    setProperty("helpContext", 1);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setAccessibleName(QStringLiteral("Text"));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(8);
    m_memo->setFont(font);
    // Both scroll bars and no wrapping, paired as Word Wrap pairs them.
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_fontPoints = 8;

    createActions();
    createMenus();
    createToolStrip();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panel);
    layout->addWidget(m_memo);
    resize(437, 275);

    m_fontDialogFont = QFont(QStringLiteral("System"));
    m_fontDialogFont.setPixelSize(13);

    m_findDialog = new TFindDialog(false, this);
    m_replaceDialog = new TFindDialog(true, this);
    connect(m_findDialog, &TFindDialog::findNext, this, &TChild::FindTextDlgFind);
    connect(m_replaceDialog, &TFindDialog::findNext, this, &TChild::ReplaceDialogFind);
    connect(m_replaceDialog, &TFindDialog::replace, this, [this] { ReplaceDialogReplace(false); });
    connect(m_replaceDialog, &TFindDialog::replaceAll, this, [this] { ReplaceDialogReplace(true); });

    Startup();
}

TChild::~TChild() = default;

QAction* TChild::Action(const QString& objectName) const { return findChild<QAction*>(objectName); }

bool TChild::IsModified() const { return m_memo->document()->isModified(); }

QList<QMenu*> TChild::Menus() const { return {m_fileMenu, m_editMenu}; }

void TChild::createActions() {
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        const char* hint;
        int helpContext;
        std::function<void()> run;
    };
    const Item items[] = {
        {"New1", "&New", QKeySequence(Qt::CTRL | Qt::Key_N), "Create a new file", 2,
         [this] { emit newRequested(); }},
        {"Open1", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O), "Open an existing file", 2,
         [this] { emit openRequested(); }},
        {"Close1", "&Close", {}, "Close current window", 2, [this] { Close1Click(); }},
        {"Save1", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), "Save the current file", 2,
         [this] { Save1Click(); }},
        {"SaveAs1", "Save &as", {}, "Save current file under different name.", 2,
         [this] { SaveAs1Click(); }},
        {"Printsetup1", "Print setup", {}, "Set printer settings", 2, [this] { PrintSetup1Click(); }},
        {"Print1", "&Print", QKeySequence(Qt::CTRL | Qt::Key_P), "Print current file.", 2,
         [this] { Print1Click(); }},
        {"Exit1", "E&xit", QKeySequence(Qt::ALT | Qt::Key_X), "Leave Lynxhold", 2,
         [this] { emit exitRequested(); }},
        {"FindText", "&Find", {}, "Find a text string", 3, [this] { FindTextClick(); }},
        {"Replace", "&Replace", {}, "Replace one text string for another", 3,
         [this] { ReplaceClick(); }},
        {"Left1", "&Left", {}, "Select left justification.", 3, [this] { Left1Click(); }},
        {"Right1", "&Right", {}, "Select right justification.", 3, [this] { Right1Click(); }},
        {"Center1", "&Center", {}, "Select center justification.", 3, [this] { Center1Click(); }},
        {"Font1", "&Font", {}, "Select the font.", 3, [this] { Font1Click(); }},
        {"WordWrap1", "&Word Wrap", {}, "Toggle wordwrap on or off.", 3, [this] { WrapIt(); }},
        {"Cut1", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut text to clipboard", 3,
         [this] { Cut1Click(); }},
        {"Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy selected text", 3,
         [this] { Copy1Click(); }},
        {"Paste1", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste text from clipboard", 3,
         [this] { Paste1Click(); }},
        {"Delete1", "&Delete", QKeySequence(Qt::CTRL | Qt::Key_D), "Delete selected text", 3,
         [this] { Delete1Click(); }},
        {"SelectAll1", "Select &All", {}, "Select all text", 3, [this] { SelectAll1Click(); }},
    };
    for (const Item& item : items) {
        auto* action = new QAction(QString::fromLatin1(item.caption), this);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.shortcut);
        // The text area handles its own editing keys; the items' keys must
        // not compete with it for them.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setStatusTip(QString::fromLatin1(item.hint));
        action->setToolTip(QString::fromLatin1(item.hint));
        action->setProperty("helpContext", item.helpContext);
        connect(action, &QAction::triggered, this, item.run);
        addAction(action);
    }
    for (const char* name : {"Left1", "Right1", "Center1", "WordWrap1"})
        Action(QString::fromLatin1(name))->setCheckable(true);
}

void TChild::createMenus() {
    m_fileMenu = new QMenu(QStringLiteral("&File"), this);
    m_fileMenu->setObjectName(QStringLiteral("FileMenu"));
    m_fileMenu->menuAction()->setStatusTip(QStringLiteral("Create, open, close and print a file."));
    m_fileMenu->menuAction()->setProperty("helpContext", 2);
    for (const char* name : {"New1", "Open1", "Close1", "", "Save1", "SaveAs1", "", "Printsetup1",
                             "Print1", "", "Exit1"}) {
        if (*name == '\0')
            m_fileMenu->addSeparator();
        else
            m_fileMenu->addAction(Action(QString::fromLatin1(name)));
    }

    m_editMenu = new QMenu(QStringLiteral("&Edit"), this);
    m_editMenu->setObjectName(QStringLiteral("Edit1"));
    m_editMenu->menuAction()->setStatusTip(QStringLiteral("File editting commands."));
    m_editMenu->menuAction()->setProperty("helpContext", 3);
    connect(m_editMenu, &QMenu::aboutToShow, this, &TChild::EnableEdits);

    QMenu* search = m_editMenu->addMenu(QStringLiteral("&Search..."));
    search->setObjectName(QStringLiteral("SearchMenu"));
    search->menuAction()->setStatusTip(QStringLiteral("Find and/or replace text"));
    search->menuAction()->setProperty("helpContext", 3);
    search->addAction(Action(QStringLiteral("FindText")));
    search->addAction(Action(QStringLiteral("Replace")));
    m_editMenu->addSeparator();
    QMenu* character = m_editMenu->addMenu(QStringLiteral("&Character"));
    character->setObjectName(QStringLiteral("Character1"));
    character->menuAction()->setStatusTip(
        QStringLiteral("Select text alignment, font, and toggle wordwrap."));
    character->menuAction()->setProperty("helpContext", 3);
    for (const char* name : {"Left1", "Right1", "Center1", "Font1", "WordWrap1"})
        character->addAction(Action(QString::fromLatin1(name)));
    m_editMenu->addSeparator();
    for (const char* name : {"Cut1", "Copy1", "Paste1", "Delete1"})
        m_editMenu->addAction(Action(QString::fromLatin1(name)));
    m_editMenu->addSeparator();
    m_editMenu->addAction(Action(QStringLiteral("SelectAll1")));
}

void TChild::createToolStrip() {
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFixedHeight(49);

    struct Button {
        int x;
        const char* name;
        const char* hint;
        const char* spoken; // the name a screen reader says: Print has no hint
        Kind icon;
        void (TChild::*run)();
    };
    const Button buttons[] = {
        {0, "SaveButton", "Save File", "Save file", Kind::Save, &TChild::Save1Click},
        {22, "OpenButton1", "Open a file", "Open a file", Kind::Open, nullptr},
        {44, "CloseFileButton", "Close file", "Close file", Kind::Close, &TChild::Close1Click},
        {66, "PrintFileButton1", "", "Print", Kind::Print, &TChild::Print1Click},
        {100, "SelectFontButton", "Select Font", "Select font", Kind::Font, &TChild::Font1Click},
        {132, "CopyButton", "Copy Text", "Copy text", Kind::Copy, &TChild::Copy1Click},
        {166, "PasteText", "Paste Text", "Paste text", Kind::Paste, &TChild::Paste1Click},
        // Cuts, as the Cut item does.
        {188, "CutTextButton", "Cut Text", "Cut text", Kind::Cut, &TChild::Cut1Click},
        {210, "DelTextButton", "Delete Text", "Delete text", Kind::Delete, &TChild::Delete1Click},
        {240, "LeftJustifyButton", "Left Justify", "Left justify", Kind::AlignLeft, &TChild::LeftJustifyButtonClick},
        {262, "CenterTextButton", "Center Text", "Centre text", Kind::AlignCenter, &TChild::CenterTextButtonClick},
        {284, "RightJustifyButton", "Right Justify", "Right justify",
         Kind::AlignRight,
         &TChild::RightJustifyButtonClick},
    };
    for (const Button& b : buttons) {
        auto* button = new QToolButton(m_panel);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setIcon(ToolIcons::Make(b.icon));
        button->setToolTip(QString::fromLatin1(b.hint));
        button->setAccessibleName(QString::fromLatin1(b.spoken));
        if (*b.hint != '\0')
            button->setAccessibleDescription(QString::fromLatin1(b.hint));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(b.x, 1, 23, 23);
        if (b.run != nullptr)
            connect(button, &QToolButton::clicked, this, b.run);
        else
            connect(button, &QToolButton::clicked, this, &TChild::openRequested);
    }

    QFont boxFont(QStringLiteral("Times New Roman"));
    boxFont.setPixelSize(12);
    boxFont.setBold(true);
    m_comboBox1 = new QComboBox(m_panel);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox2 = new QComboBox(m_panel);
    m_comboBox2->setObjectName(QStringLiteral("ComboBox2"));
    for (QComboBox* box : {m_comboBox1, m_comboBox2}) {
        box->setEditable(true);
        box->setFont(boxFont);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    // The boxes have no label on screen; a screen reader names them, the
    // size box otherwise only by its value.
    const std::pair<QComboBox*, QString> spoken[] = {{m_comboBox1, QStringLiteral("Font name")},
                                                     {m_comboBox2, QStringLiteral("Font size")}};
    for (const auto& [box, name] : spoken) {
        box->setAccessibleName(name);
        box->lineEdit()->setAccessibleName(name);
    }
    m_comboBox1->setGeometry(4, 26, 180, 22);
    m_comboBox2->setGeometry(184, 26, 44, 22);
}

void TChild::Startup() {
    m_comboBox1->addItems(QFontDatabase::families());
    m_comboBox1->setEditText(m_memo->font().family());
    for (int size = 6; size <= 72; ++size)
        m_comboBox2->addItem(QString::number(size));
    m_comboBox2->setEditText(QString::number(m_fontPoints));
    connect(m_comboBox1, &QComboBox::editTextChanged, this, &TChild::ComboBox1FontName);
    connect(m_comboBox2, &QComboBox::editTextChanged, this, &TChild::ComboBox2FontSize);
}

void TChild::ParseFile(const QString& path) { m_file = EditorFile::ParseFile(path); }

bool TChild::Open(const QString& path) {
    ParseFile(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString text;
    QString error;
    const bool loaded = EditorFile::Load(m_file.FullFileName, &text, &m_encoding, &error);
    if (loaded)
        m_memo->setPlainText(text);
    QApplication::restoreOverrideCursor();
    if (!loaded) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), error);
        return false;
    }
    setWindowTitle(m_file.FileName);
    m_memo->moveCursor(QTextCursor::Start);
    m_memo->document()->setModified(false);
    m_search.MatchCase = false;
    CloseAsked = false;
    return true;
}

bool TChild::save() {
    QString error;
    if (!EditorFile::Save(m_file, MemoLines::PlainText(m_memo), m_encoding, &error)) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), error);
        return false;
    }
    m_memo->document()->setModified(false);
    return true;
}

void TChild::Save1Click() {
    if (m_file.FileName.isEmpty())
        SaveAs1Click();
    else
        save();
}

void TChild::SaveAs1Click() {
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is not asked about: its old text goes to the backup.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({QStringLiteral("Data files (*.dat)"), QStringLiteral("Output files (*.out)"),
                           QStringLiteral("Plain text files (*.txt)"),
                           QStringLiteral("Rich text files (*.rtf)"),
                           QStringLiteral("Points files (*.pts)"), QStringLiteral("Script files (*.scr)"),
                           QStringLiteral("All files (*.*)")});
    dialog.setDefaultSuffix(m_file.FileExt.mid(1));
    if (!m_file.FilePath.isEmpty())
        dialog.setDirectory(m_file.FilePath);
    dialog.selectFile(m_file.FileName);
    if (FileDialogs::Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ParseFile(dialog.selectedFiles().first());
    setWindowTitle(m_file.FileName);
    save();
}

bool TChild::FormCloseQuery() {
    if (!IsModified())
        return true;
    QMessageBox question(QMessageBox::Question, QStringLiteral("Confirm"),
                         QStringLiteral("Save changes to ") + m_file.FileName + QStringLiteral("? "),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    switch (question.exec()) {
    case QMessageBox::Yes:
        // A save that fails keeps the window, and the text, open.
        if (m_file.FileName.isEmpty()) {
            SaveAs1Click();
            return !IsModified();
        }
        return save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TChild::Close1Click() {
    CloseAsked = true;
    if (FormCloseQuery()) {
        m_closeConfirmed = true;
        if (QWidget* frame = parentWidget(); frame != nullptr && frame->inherits("QMdiSubWindow"))
            frame->close();
        else
            close();
    }
    CloseAsked = false;
}

void TChild::closeEvent(QCloseEvent* event) {
    if (!CloseAsked && !m_closeConfirmed && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    CloseAsked = false;
    if (m_printing) {
        // The job ends cleanly first; the window closes when it has.
        m_closeConfirmed = true;
        m_cancelPrinting = true;
        m_closeAfterPrinting = true;
        event->ignore();
        return;
    }
    m_findDialog->close();
    m_replaceDialog->close();
    event->accept();
}

void TChild::Cut1Click() { m_memo->cut(); }
void TChild::Copy1Click() { m_memo->copy(); }
void TChild::Paste1Click() { m_memo->paste(); }
void TChild::Delete1Click() { m_memo->textCursor().removeSelectedText(); }
void TChild::SelectAll1Click() { m_memo->selectAll(); }

void TChild::EnableEdits() {
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    Action(QStringLiteral("Paste1"))->setEnabled(clipboard != nullptr && clipboard->hasText());
    const bool selected = m_memo->textCursor().hasSelection();
    for (const char* name : {"Cut1", "Copy1", "Delete1"})
        Action(QString::fromLatin1(name))->setEnabled(selected);
}

void TChild::setAlignment(Qt::Alignment alignment) {
    QTextOption option = m_memo->document()->defaultTextOption();
    option.setAlignment(alignment);
    m_memo->document()->setDefaultTextOption(option);
    m_memo->viewport()->update();
}

void TChild::AlignClick(QAction* item) {
    QAction* left = Action(QStringLiteral("Left1"));
    QAction* right = Action(QStringLiteral("Right1"));
    QAction* center = Action(QStringLiteral("Center1"));
    for (QAction* a : {left, right, center})
        a->setChecked(a == item);
    setAlignment(left->isChecked() ? Qt::AlignLeft : right->isChecked() ? Qt::AlignRight : Qt::AlignHCenter);
}

void TChild::Left1Click() { AlignClick(Action(QStringLiteral("Left1"))); }
void TChild::Right1Click() { AlignClick(Action(QStringLiteral("Right1"))); }
void TChild::Center1Click() { AlignClick(Action(QStringLiteral("Center1"))); }
void TChild::LeftJustifyButtonClick() { Left1Click(); }
void TChild::CenterTextButtonClick() { Center1Click(); }
void TChild::RightJustifyButtonClick() { Right1Click(); }

void TChild::WrapIt() {
    const bool wrap = m_memo->lineWrapMode() == QPlainTextEdit::NoWrap;
    m_memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    Action(QStringLiteral("WordWrap1"))->setChecked(wrap);
}

void TChild::Font1Click() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_fontDialogFont, this);
    if (!ok)
        return;
    m_fontDialogFont = chosen;
    // The text keeps its own colour: the font is all the dialog changes.
    m_memo->setFont(chosen);
    m_fontPoints = qRound(TextPrinter::FontPoints(chosen, logicalDpiX()));
}

void TChild::ComboBox1FontName() {
    QFont font = m_memo->font();
    font.setFamily(m_comboBox1->currentText());
    m_memo->setFont(font);
    m_memo->setFocus();
}

void TChild::ComboBox2FontSize() {
    m_fontPoints = leadingNumber(m_comboBox2->currentText());
    QFont font = m_memo->font();
    font.setFamily(m_comboBox1->currentText());
    // A font cannot be shown at no size; the size is kept for printing,
    // which refuses it.
    if (m_fontPoints != 0)
        font.setPointSize(qAbs(m_fontPoints));
    m_memo->setFont(font);
    m_memo->setFocus();
}

void TChild::reportError(const QString& text) {
    QMessageBox::critical(this, QApplication::applicationDisplayName(), text);
}

void TChild::PrintSetup1Click() {
    // A job under way keeps the printer it started on.
    if (m_printer.printerState() == QPrinter::Active) {
        reportError(QStringLiteral("Printing is in progress."));
        return;
    }
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    // Print prints the whole text, so there are no pages to choose.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // The dialog only chooses; nothing is printed when it closes.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog.exec();
}

void TChild::Print1Click() {
    MemoLines lines(m_memo);
    if (lines.LineCount() == 0)
        return;
    // The running job goes on; the printer of another window's job refuses
    // this one in the same words (TextPrinter).
    if (m_printing) {
        reportError(QStringLiteral("Printing is in progress."));
        return;
    }
    m_printing = true;
    m_cancelPrinting = false;
    QPointer<TChild> alive(this);
    QString error;
    // The size as the size box gave it: a size of 0 has no font to carry it.
    const bool printed =
        TextPrinter::Print(m_printer, m_memo->font(), m_fontPoints, logicalDpiX(), lines,
                           windowTitle(), &error, [this] { return m_cancelPrinting; });
    if (alive.isNull())
        return;
    m_printing = false;
    if (m_closeAfterPrinting) {
        if (QWidget* frame = parentWidget(); frame != nullptr && frame->inherits("QMdiSubWindow"))
            frame->close();
        else
            close();
        return;
    }
    if (!printed && !error.isEmpty())
        reportError(error);
}

void TChild::ShowNote(const QString& text) {
    QMessageBox::information(this, QStringLiteral("Information"), text);
}

void TChild::openSearch(TFindDialog* dialog, const QString& emptyNote) {
    MemoLines lines(m_memo);
    if (lines.LineCount() == 0) {
        ShowNote(emptyNote);
        return;
    }
    m_search.LastFindText = m_memo->textCursor().selectedText();
    dialog->SetFindText(m_search.LastFindText);
    m_search.Reset();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TChild::FindTextClick() { openSearch(m_findDialog, QStringLiteral("No text to search")); }

void TChild::ReplaceClick() {
    openSearch(m_replaceDialog, QStringLiteral("No text to search/replace."));
}

void TChild::findNext(TFindDialog* dialog) {
    m_search.MatchCase = dialog->MatchCase();
    const QString target = dialog->FindText();
    if (target != m_search.LastFindText) {
        m_search.LastFindText = target;
        m_search.Reset();
    }
    MemoLines lines(m_memo);
    if (!m_search.SearchText(lines, target))
        ShowNote(SearchEngine::NotFoundNote(target));
    m_memo->viewport()->update();
    focusText();
}

// The modeless dialog keeps the keyboard unless the text's window is made
// the active one again: Enter would find once more, and access keys would
// reach the dialog instead of the text.
void TChild::focusText() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
    activateWindow();
    m_memo->setFocus();
}

void TChild::FindTextDlgFind() { findNext(m_findDialog); }
void TChild::ReplaceDialogFind() { findNext(m_replaceDialog); }

void TChild::ReplaceDialogReplace(bool all) {
    m_search.MatchCase = m_replaceDialog->MatchCase();
    m_search.LastFindText = m_replaceDialog->FindText();
    MemoLines lines(m_memo, all ? MemoLines::Reading::WholeText : MemoLines::Reading::Blocks);
    const bool replaced =
        all ? m_search.ReplaceAll(lines, m_search.LastFindText, m_replaceDialog->ReplaceText())
            : m_search.ReplaceFirst(lines, m_search.LastFindText, m_replaceDialog->ReplaceText());
    // Replacing by the same text leaves the document as it was, yet the
    // user did replace: the close must ask.
    if (replaced) {
        lines.Commit();
        m_memo->document()->setModified(true);
    }
    m_memo->viewport()->update();
    focusText();
}

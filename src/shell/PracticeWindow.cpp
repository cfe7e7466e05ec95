// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PracticeWindow.h"

#include "ExactResults.h"
#include "GVar.h"
#include "Messages.h"
#include "ReadableLabel.h"
#include "RowOperationReader.h"
#include "RowPractice.h"
#include "WorkingForm.h"
#include "WorkingText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QSpinBox>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cctype>

namespace {
using Operation = HandElimination::Operation;

// The core's texts are single-byte.
QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the workings as a text view holds it: line feeds, and no empty
// line after the last.
QString shown(const std::string& text) {
    QString lines = latin1(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

// The core refuses in a clause ("multiplying a row by 0 is ..."); the
// window says it as a sentence.
QString sentence(const std::string& clause) {
    QString text = latin1(clause);
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

// What the student typed, in the core's single bytes. Arrows and signs
// pasted from a text book or a slide read as the ASCII they stand for.
std::string typedText(QString text) {
    const struct {
        char16_t from;
        const char* to;
    } ascii[] = {{u'\u2190', "<-"}, {u'\u2192', "->"},  {u'\u2194', "<->"}, {u'\u21d0', "<-"},
                 {u'\u21d2', "->"}, {u'\u21d4', "<->"}, {u'\u2212', "-"},   {u'\u00d7', "*"},
                 {u'\u00b7', "*"},  {u'\u22c5', "*"},   {u'\u2215', "/"}};
    for (const auto& a : ascii)
        text.replace(QChar(a.from), QLatin1String(a.to));
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A name in a label, where "&" would mark an access key.
QString labelled(const std::string& name) {
    return latin1(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QFont fixedFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    return font;
}

QPlainTextEdit* textView(const QString& name, QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(fixedFont());
    // Undo is the practice's, not the view's: its document keeps no history.
    view->document()->setUndoRedoEnabled(false);
    return view;
}

QSpinBox* rowBox(const QString& name, int rows, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setPrefix(QStringLiteral("R"));
    box->setRange(1, std::max(rows, 1));
    box->setValue(std::min(value, std::max(rows, 1)));
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}

QLabel* label(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

const QKeySequence UndoKeys(Qt::CTRL | Qt::Key_Z);
const QList<QKeySequence> RedoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
} // namespace

std::optional<mpq_class> PracticeWindow::ReadFactor(const std::string& text) {
    return RowOperationReader::ReadFactor(text);
}

PracticeWindow::PracticeWindow(GVar& workspace, Messages& messages, std::function<int()> pick,
                               int slot, QWidget* parent)
    : QWidget(parent, Qt::Window), m_workspace(workspace), m_messages(messages),
      m_pick(std::move(pick)), m_operand(ExactMatrix::FromRecord(workspace.Matrix(slot))),
      m_operandName(workspace.Matrix(slot).Name) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Only the main window keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setProperty("helpContext", HelpContext);
    const int rows = m_operand.Rows();

    // Made in the order Tab goes through them: the operation first, as the
    // window opens with the focus there.
    m_operation = new QLineEdit(this);
    m_operation->setObjectName(QStringLiteral("OperationEdit"));
    m_operation->setPlaceholderText(QStringLiteral("R2 <- R2 - (3/2) R1"));
    auto* applyButton = new QPushButton(QStringLiteral("A&pply"), this);
    applyButton->setObjectName(QStringLiteral("ApplyButton"));

    m_swap = new QPushButton(QStringLiteral("&Swap rows"), this);
    m_swapFirst = rowBox(QStringLiteral("SwapFirst"), rows, 1, this);
    m_swapSecond = rowBox(QStringLiteral("SwapSecond"), rows, 2, this);
    m_scale = new QPushButton(QStringLiteral("S&cale a row"), this);
    m_scaleRow = rowBox(QStringLiteral("ScaleRow"), rows, 1, this);
    m_scaleFactor = new QLineEdit(this);
    m_scaleFactor->setPlaceholderText(QStringLiteral("1/2"));
    m_add = new QPushButton(QStringLiteral("&Add a multiple of a row"), this);
    m_addFactor = new QLineEdit(this);
    m_addFactor->setPlaceholderText(QStringLiteral("-3"));
    m_addSource = rowBox(QStringLiteral("AddSource"), rows, 1, this);
    m_addTarget = rowBox(QStringLiteral("AddTarget"), rows, 2, this);
    m_swap->setObjectName(QStringLiteral("SwapButton"));
    m_scale->setObjectName(QStringLiteral("ScaleButton"));
    m_scaleFactor->setObjectName(QStringLiteral("ScaleFactor"));
    m_add->setObjectName(QStringLiteral("AddButton"));
    m_addFactor->setObjectName(QStringLiteral("AddFactor"));
    m_swap->setToolTip(QStringLiteral("Ri <-> Rj"));
    m_scale->setToolTip(QStringLiteral("Ri <- c Ri, c not 0"));
    m_add->setToolTip(QStringLiteral("Ri <- Ri + c Rj, j not i"));
    for (QSpinBox* box : {m_swapFirst, m_swapSecond})
        m_enterPresses.insert(box, m_swap);
    m_enterPresses.insert(m_scaleRow, m_scale);
    for (QSpinBox* box : {m_addSource, m_addTarget})
        m_enterPresses.insert(box, m_add);

    m_undo = new QPushButton(QStringLiteral("&Undo"), this);
    m_redo = new QPushButton(QStringLiteral("&Redo"), this);
    auto* hint = new QPushButton(QStringLiteral("&Hint"), this);
    m_rightHandSide = new QCheckBox(QStringLiteral("Right-hand side &b..."), this);
    auto* finish = new QPushButton(QStringLiteral("&Finish"), this);
    auto* closeButton = new QPushButton(QStringLiteral("Clos&e"), this);
    m_undo->setObjectName(QStringLiteral("UndoButton"));
    m_redo->setObjectName(QStringLiteral("RedoButton"));
    hint->setObjectName(QStringLiteral("HintButton"));
    m_rightHandSide->setObjectName(QStringLiteral("RightHandSide"));
    finish->setObjectName(QStringLiteral("FinishButton"));
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_undo->setToolTip(QStringLiteral("Take back the last row operation (Ctrl+Z)"));
    m_redo->setToolTip(QStringLiteral("Do again the row operation last taken back (Ctrl+Y)"));
    hint->setToolTip(
        QStringLiteral("Name the operation the program's own elimination would do next"));
    m_rightHandSide->setToolTip(
        QStringLiteral("Reduce [A | b]: choose a column b with as many rows as A"));
    finish->setToolTip(QStringLiteral("Add the matrix to the workspace as rowops(...) and show "
                                      "the log as a worked solution"));

    m_matrix = textView(QStringLiteral("MatrixText"), this);
    m_log = textView(QStringLiteral("LogText"), this);
    m_matrixLabel = label(QString(), m_matrix, this);
    // Read as text under a name of their own, even while empty.
    m_status = new ReadableLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLine"));
    m_status->setAccessibleName(QStringLiteral("Status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_note = new ReadableLabel(this);
    m_note->setObjectName(QStringLiteral("NoteLine"));
    m_note->setAccessibleName(QStringLiteral("Note"));
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The matrix and its status beside the log, the controls under both.
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_matrixLabel);
    leftLayout->addWidget(m_matrix, 1);
    leftLayout->addWidget(m_status);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(label(QStringLiteral("&Log"), m_log, right));
    rightLayout->addWidget(m_log, 1);
    auto* views = new QSplitter(Qt::Horizontal, this);
    views->addWidget(left);
    views->addWidget(right);
    views->setChildrenCollapsible(false);
    views->setSizes({1, 1});

    auto* typed = new QHBoxLayout;
    typed->addWidget(label(QStringLiteral("&Operation:"), m_operation, this));
    typed->addWidget(m_operation, 1);
    typed->addWidget(applyButton);

    // Each button reads as the sentence of its operation.
    auto* built = new QGridLayout;
    built->addWidget(m_swap, 0, 0);
    built->addWidget(label(QStringLiteral("row &i"), m_swapFirst, this), 0, 1, Qt::AlignRight);
    built->addWidget(m_swapFirst, 0, 2);
    built->addWidget(label(QStringLiteral("and row &j"), m_swapSecond, this), 0, 3, Qt::AlignRight);
    built->addWidget(m_swapSecond, 0, 4);
    built->addWidget(m_scale, 1, 0);
    built->addWidget(label(QStringLiteral("row &k"), m_scaleRow, this), 1, 1, Qt::AlignRight);
    built->addWidget(m_scaleRow, 1, 2);
    built->addWidget(label(QStringLiteral("b&y"), m_scaleFactor, this), 1, 3, Qt::AlignRight);
    built->addWidget(m_scaleFactor, 1, 4);
    built->addWidget(m_add, 2, 0);
    built->addWidget(label(QStringLiteral("a&dd"), m_addFactor, this), 2, 1, Qt::AlignRight);
    built->addWidget(m_addFactor, 2, 2);
    built->addWidget(label(QStringLiteral("&times row"), m_addSource, this), 2, 3, Qt::AlignRight);
    built->addWidget(m_addSource, 2, 4);
    built->addWidget(label(QStringLiteral("to ro&w"), m_addTarget, this), 2, 5, Qt::AlignRight);
    built->addWidget(m_addTarget, 2, 6);
    // The fields keep their own widths; what is left goes to the right.
    built->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 7);
    built->setColumnStretch(7, 1);
    for (QLineEdit* factor : {m_scaleFactor, m_addFactor})
        factor->setFixedWidth(
            factor->fontMetrics().horizontalAdvance(QStringLiteral("-1234/5678")) + 16);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_undo);
    buttons->addWidget(m_redo);
    buttons->addWidget(hint);
    buttons->addSpacing(12);
    buttons->addWidget(m_rightHandSide);
    buttons->addStretch(1);
    buttons->addWidget(finish);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(views, 1);
    layout->addLayout(typed);
    layout->addWidget(m_note);
    layout->addLayout(built);
    layout->addLayout(buttons);
    resize(960, 640);

    connect(m_operation, &QLineEdit::returnPressed, this, &PracticeWindow::ApplyTyped);
    connect(applyButton, &QPushButton::clicked, this, &PracticeWindow::ApplyTyped);
    connect(m_swap, &QPushButton::clicked, this, &PracticeWindow::SwapClick);
    connect(m_scale, &QPushButton::clicked, this, &PracticeWindow::ScaleClick);
    connect(m_scaleFactor, &QLineEdit::returnPressed, this, &PracticeWindow::ScaleClick);
    connect(m_add, &QPushButton::clicked, this, &PracticeWindow::AddClick);
    connect(m_addFactor, &QLineEdit::returnPressed, this, &PracticeWindow::AddClick);
    connect(m_undo, &QPushButton::clicked, this, &PracticeWindow::UndoClick);
    connect(m_redo, &QPushButton::clicked, this, &PracticeWindow::RedoClick);
    connect(hint, &QPushButton::clicked, this, &PracticeWindow::HintClick);
    connect(m_rightHandSide, &QCheckBox::toggled, this, &PracticeWindow::rightHandSideToggled);
    connect(finish, &QPushButton::clicked, this, &PracticeWindow::FinishClick);
    connect(closeButton, &QPushButton::clicked, this, &PracticeWindow::CloseClick);

    const auto keys = [this](const QKeySequence& sequence, void (PracticeWindow::*handler)()) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    keys(UndoKeys, &PracticeWindow::UndoClick);
    for (const QKeySequence& sequence : RedoKeys)
        keys(sequence, &PracticeWindow::RedoClick);
    keys(QKeySequence(Qt::Key_Escape), &PracticeWindow::CloseClick);
    for (QWidget* child : findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);

    start(std::make_unique<RowPractice>(m_operand, 0, m_operandName));
    m_operation->setFocus();
}

PracticeWindow::~PracticeWindow() = default;

// A new practice on A, or on [A | b]: the log starts again.
void PracticeWindow::start(std::unique_ptr<RowPractice> practice) {
    m_practice = std::move(practice);
    setWindowTitle(QStringLiteral("Practise row operations: ") + latin1(m_practice->Name()));
    m_matrixLabel->setText(
        QStringLiteral("&Matrix ") + labelled(m_practice->Name()) + QStringLiteral(", ") +
        latin1(WorkingText::Size(m_practice->Current().Rows(), m_practice->Current().Cols())));
    // The log on show is the core's without its closing status, which
    // stands under the matrix instead and changes with every step.
    const std::string head = m_practice->Log(false);
    m_log->setPlainText(latin1(head).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_entryStarts.clear();
    say(QString(), false);
    refresh();
}

void PracticeWindow::refresh() {
    m_matrix->setPlainText(shown(m_practice->MatrixText()));
    m_status->setText(latin1(m_practice->Status()));
    m_undo->setEnabled(m_practice->CanUndo());
    m_redo->setEnabled(m_practice->CanRedo());
    // b may come or go only while no operation is in effect: the log must
    // stay the reduction of one matrix.
    m_rightHandSide->setEnabled(!m_practice->CanUndo());
}

// Only the step's own entry of the log is drawn: laying out the whole log of a
// 50 x 50 after hundreds of steps would cost more than the step itself.
void PracticeWindow::appendEntry(const std::string& entry) {
    QTextCursor cursor(m_log->document());
    cursor.movePosition(QTextCursor::End);
    m_entryStarts.push_back(cursor.position());
    cursor.insertText(latin1(entry).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_log->setTextCursor(cursor);
    m_log->ensureCursorVisible();
}

void PracticeWindow::removeLastEntry() {
    if (m_entryStarts.empty())
        return;
    QTextCursor cursor(m_log->document());
    cursor.setPosition(m_entryStarts.back());
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_entryStarts.pop_back();
    m_log->setTextCursor(cursor);
    m_log->ensureCursorVisible();
}

void PracticeWindow::stepped() {
    appendEntry(m_practice->LastEntry());
    say(QString(), false);
    refresh();
}

void PracticeWindow::say(const QString& text, bool refusal) {
    m_note->setText(text);
    m_note->setStyleSheet(refusal ? QStringLiteral("color: #800000;") : QString());
}

// In the window, not in a message box: the keyboard stays in the field
// that was refused, its text selected, to be typed over or mended.
void PracticeWindow::refuse(const std::string& why, QWidget* where) {
    say(sentence(why), true);
    where->setFocus();
    if (auto* field = qobject_cast<QLineEdit*>(where))
        field->selectAll();
}

bool PracticeWindow::ApplyTyped() {
    const QString text = m_operation->text();
    if (text.trimmed().isEmpty())
        return false;
    const std::string refusal = m_practice->Apply(typedText(text));
    if (!refusal.empty()) {
        refuse(refusal, m_operation);
        return false;
    }
    m_operation->clear();
    stepped();
    return true;
}

bool PracticeWindow::applyOperation(const Operation& operation) {
    const std::string refusal = m_practice->Apply(operation);
    if (!refusal.empty()) {
        refuse(refusal, operation.kind == Operation::Kind::Swap ? static_cast<QWidget*>(m_swapFirst)
                        : operation.kind == Operation::Kind::Scale ? m_scaleFactor
                                                                   : m_addFactor);
        return false;
    }
    stepped();
    return true;
}

std::optional<mpq_class> PracticeWindow::factorOf(QLineEdit* field) {
    const std::string text = typedText(field->text());
    std::optional<mpq_class> factor = ReadFactor(text);
    if (!factor) {
        const std::string quoted = text.size() > 20 ? text.substr(0, 20) + "..." : text;
        refuse("the factor \"" + quoted +
                   "\" does not read: write a whole number, a fraction such as -3/2 or a decimal "
                   "such as 0.25",
               field);
    }
    return factor;
}

bool PracticeWindow::SwapClick() {
    Operation operation;
    operation.kind = Operation::Kind::Swap;
    operation.target = m_swapFirst->value();
    operation.source = m_swapSecond->value();
    return applyOperation(operation);
}

bool PracticeWindow::ScaleClick() {
    const std::optional<mpq_class> factor = factorOf(m_scaleFactor);
    if (!factor)
        return false;
    Operation operation;
    operation.kind = Operation::Kind::Scale;
    operation.target = m_scaleRow->value();
    operation.factor = *factor;
    return applyOperation(operation);
}

bool PracticeWindow::AddClick() {
    const std::optional<mpq_class> factor = factorOf(m_addFactor);
    if (!factor)
        return false;
    // Added c times Rj is subtracted -c times Rj, as the workings keep it.
    Operation operation;
    operation.kind = Operation::Kind::Subtract;
    operation.target = m_addTarget->value();
    operation.source = m_addSource->value();
    operation.factor = -*factor;
    return applyOperation(operation);
}

void PracticeWindow::UndoClick() {
    if (!m_practice->CanUndo())
        return;
    m_practice->Undo();
    removeLastEntry();
    say(QString(), false);
    refresh();
}

void PracticeWindow::RedoClick() {
    if (!m_practice->CanRedo())
        return;
    m_practice->Redo();
    stepped();
}

void PracticeWindow::HintClick() {
    const std::string hint = m_practice->Hint();
    say(hint.empty() ? QStringLiteral("The matrix is already in reduced row echelon form: "
                                      "Finish adds it to the workspace.")
                     : QStringLiteral("Hint: the program's own elimination would do ") +
                           latin1(hint) + QStringLiteral(" next."),
        false);
}

bool PracticeWindow::FinishClick() {
    // Stored as every exact result is, and as zendra-cli's rowops stores
    // it: refusals and their messages are the same.
    const std::string name = WorkingText::StoredName("rowops(" + m_practice->Name() + ")");
    const int before = m_workspace.MatrixCount;
    ExactResults::Add(m_workspace, m_messages, [&] {
        ExactResults::Outcome outcome;
        outcome.results.emplace_back(name, m_practice->Current());
        return outcome;
    });
    if (m_workspace.MatrixCount == before)
        return false;
    TWorkingForm::ShowWorking(QStringLiteral("Worked solution: ") + latin1(name),
                              m_practice->Log());
    m_closeAnswered = true;
    close();
    return true;
}

void PracticeWindow::CloseClick() {
    if (!mayClose())
        return;
    m_closeAnswered = true;
    close();
}

// Keep practising is the default and the answer of Esc, so that no key
// pressed in a hurry loses the work.
bool PracticeWindow::mayClose() {
    const std::size_t made = m_practice->Operations().size();
    if (made == 0)
        return true;
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    QStringLiteral("Close without finishing? The %1 row operation%2 made here "
                                   "will not be added to the workspace.")
                        .arg(made)
                        .arg(made == 1 ? QString() : QStringLiteral("s")),
                    QMessageBox::NoButton, this);
    QPushButton* closing = box.addButton(QStringLiteral("&Close"), QMessageBox::DestructiveRole);
    QPushButton* keep = box.addButton(QStringLiteral("&Keep practising"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == closing;
}

// The window manager's close box asks as Esc does; the program ending
// closes the window without asking, as it closes the worked solutions.
void PracticeWindow::closeEvent(QCloseEvent* event) {
    if (event->spontaneous() && !m_closeAnswered && !mayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool PracticeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // The fields would take Ctrl+Z for their own typing; here it is the
        // practice's undo wherever the keyboard is.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        if (pressed == UndoKeys || RedoKeys.contains(pressed))
            return true;
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_enterPresses.contains(watched)) {
            qobject_cast<QSpinBox*>(watched)->interpretText();
            m_enterPresses.value(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PracticeWindow::rightHandSideToggled(bool on) {
    const auto back = [this, on] {
        const QSignalBlocker quiet(m_rightHandSide);
        m_rightHandSide->setChecked(!on);
    };
    if (!on) {
        start(std::make_unique<RowPractice>(m_operand, 0, m_operandName));
        return;
    }
    const int b = m_pick();
    if (!m_workspace.IsSlot(b)) {
        back();
        return;
    }
    const TMatrixRec& rhs = m_workspace.Matrix(b);
    QString refusal;
    if (rhs.Cols != 1 || rhs.Rows != m_operand.Rows())
        refusal = QStringLiteral("The right-hand side must be one column with as many rows as "
                                 "%1: %1 is %2, %3 is %4.")
                      .arg(latin1(m_operandName),
                           latin1(WorkingText::Size(m_operand.Rows(), m_operand.Cols())),
                           latin1(rhs.Name), latin1(WorkingText::Size(rhs.Rows, rhs.Cols)));
    else if (m_operand.Cols() >= MaxDim)
        refusal = QStringLiteral("%1 has %2 columns, the most a matrix may have: with a "
                                 "right-hand side the result could not be stored.")
                      .arg(latin1(m_operandName))
                      .arg(MaxDim);
    if (!refusal.isEmpty()) {
        QMessageBox::information(this, windowTitle(), refusal);
        back();
        return;
    }
    const ExactMatrix column = ExactMatrix::FromRecord(rhs);
    ExactMatrix augmented(m_operand.Rows(), m_operand.Cols() + 1);
    for (int i = 1; i <= m_operand.Rows(); ++i) {
        for (int j = 1; j <= m_operand.Cols(); ++j)
            augmented.At(i, j) = m_operand.At(i, j);
        augmented.At(i, m_operand.Cols() + 1) = column.At(i, 1);
    }
    start(std::make_unique<RowPractice>(std::move(augmented), m_operand.Cols(),
                                        "[" + m_operandName + " | " + rhs.Name + "]"));
}

QString PracticeWindow::LogText() const {
    return m_log->toPlainText();
}

QString PracticeWindow::Note() const {
    return m_note->text();
}

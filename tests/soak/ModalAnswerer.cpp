// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ModalAnswerer.h"

#include "GridMatForm.h"
#include "MDIChild.h"
#include "MatrixGridModel.h"
#include "MatrixGridView.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {
// More answers than this in one step and the step is stuck in a loop of
// its own making (garbage, report, garbage...): the windows are closed.
constexpr int AnswersPerStep = 25;

TChild* editorOf(QWidget* window) {
    for (QWidget* w = window->parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* editor = qobject_cast<TChild*>(w))
            return editor;
    return nullptr;
}

} // namespace

void TypeOrPaste(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    bool typable = text.size() <= 40;
    for (const QChar c : text)
        typable = typable && c.isPrint();
    if (typable) {
        TypeText(field, text);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
}

void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
            i += length - 1;
        }
    }
}

ModalAnswerer::ModalAnswerer(Hooks hooks) : m_hooks(std::move(hooks)) {
    qApp->installEventFilter(this);
}

void ModalAnswerer::BeginStep(Rng* rng) {
    m_rng = rng;
    m_answers = 0;
    m_seen.clear();
    m_sawError = false;
    m_sawOtherSave = false;
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && (widget->isModal() || qobject_cast<QProgressDialog*>(widget)))
            schedule();
    }
    return false;
}

void ModalAnswerer::schedule() {
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &ModalAnswerer::answerTop);
}

void ModalAnswerer::answerTop() {
    m_scheduled = false;
    QWidget* modal = QApplication::activeModalWidget();
    // The progress of long exact work is not modal, but waits for an
    // answer all the same.
    if (modal == nullptr)
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(window) != nullptr && window->isVisible())
                modal = window;
    if (modal == nullptr || !modal->isVisible())
        return;
    QPointer<QWidget> alive(modal);
    if (m_rng == nullptr || ++m_answers > AnswersPerStep)
        forceEnd(modal);
    else
        answer(modal);
    // Help, a folder typed as a name, Esc in the results form: the window
    // may still be there and wants another answer.
    if (QApplication::activeModalWidget() != nullptr)
        schedule();
}

void ModalAnswerer::answer(QWidget* modal) {
    m_seen << QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char(' ') +
                  modal->windowTitle().left(40);
    if (auto* files = qobject_cast<QFileDialog*>(modal))
        answerFileDialog(files);
    else if (auto* box = qobject_cast<QMessageBox*>(modal))
        answerMessageBox(box);
    else if (qobject_cast<QAbstractPrintDialog*>(modal) != nullptr) {
        // Never a field of the print dialog: its file name would print
        // wherever the garbage pointed. The printer is a PDF file.
        if (m_rng->chance(60))
            static_cast<QDialog*>(modal)->accept();
        else
            endByKeyOrBox(modal);
    } else if (auto* grid = qobject_cast<TGridMatForm*>(modal)) {
        answerGrid(grid);
    } else {
        answerForm(modal);
    }
}

void ModalAnswerer::answerFileDialog(QFileDialog* dialog) {
    // What is saved, and where, is known once the dialog has taken a name,
    // however it was confirmed (Enter alone takes the name proposed).
    const bool saving = dialog->acceptMode() == QFileDialog::AcceptSave;
    TChild* editor = editorOf(dialog);
    QPointer<QFileDialog> alive(dialog);
    connect(dialog, &QFileDialog::accepted, this, [this, dialog, editor, saving] {
        if (!saving || dialog->selectedFiles().isEmpty())
            return;
        if (editor != nullptr)
            m_hooks.editorSaves(editor, dialog->selectedFiles().first());
        else
            m_sawOtherSave = true;
    });
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr || m_rng->chance(20)) {
        if (m_rng->chance(50))
            dialog->reject(); // the Cancel button
        else
            endByKeyOrBox(dialog);
    } else {
        name->setText(m_hooks.fileName(*m_rng, saving));
        m_seen << QStringLiteral("name \"%1\"").arg(name->text().left(80));
        QTest::keyClick(name, Qt::Key_Return);
    }
    // The main window's dialogs are shared: the next command's answer must
    // not find this hook on them.
    if (alive)
        disconnect(alive, &QFileDialog::accepted, this, nullptr);
}

void ModalAnswerer::answerMessageBox(QMessageBox* box) {
    if (box->icon() == QMessageBox::Critical || box->icon() == QMessageBox::Warning)
        m_sawError = true;
    // Yes to the save question saves, however it is given: the button,
    // Enter on the default button, or a key the box maps to it.
    TChild* editor = editorOf(box);
    QPointer<QMessageBox> alive(box);
    if (editor != nullptr && box->windowTitle() == QStringLiteral("Confirm"))
        connect(box, &QMessageBox::buttonClicked, this,
                [this, box, editor](QAbstractButton* button) {
                    if (box->standardButton(button) == QMessageBox::Yes)
                        m_hooks.editorSaves(editor, editor->Identity().FullFileName);
                });
    const QList<QAbstractButton*> buttons = box->buttons();
    if (buttons.isEmpty() || m_rng->chance(15))
        endByKeyOrBox(box);
    else
        m_rng->oneOf(buttons)->click();
    if (alive)
        disconnect(alive, &QMessageBox::buttonClicked, this, nullptr);
}

void ModalAnswerer::answerForm(QWidget* form) {
    QPointer<QWidget> alive(form);
    fillFields(form);
    if (!alive || !form->isVisible())
        return; // a double click in a list has confirmed it
    QList<QPushButton*> buttons;
    QPushButton* confirm = nullptr;
    for (QPushButton* b : form->findChildren<QPushButton*>()) {
        if (b->isVisible() && b->isEnabled())
            buttons << b;
        if (b->isDefault())
            confirm = b;
    }
    // Half the time the user goes on with the command; the other half
    // spreads over every other way out.
    if (confirm != nullptr && m_rng->chance(50))
        m_rng->chance(50) ? confirm->click() : QTest::keyClick(form, Qt::Key_Return);
    else if (buttons.isEmpty() || m_rng->chance(40))
        endByKeyOrBox(form);
    else
        m_rng->oneOf(buttons)->click();
}

namespace {
// A value as a user types or pastes one into a cell: mostly numbers and
// fractions, now and then anything a field may get.
QString cellText(Rng& rng) {
    static const QStringList values = {QStringLiteral("1"),
                                       QStringLiteral("-2.5"),
                                       QStringLiteral("1/3"),
                                       QStringLiteral("-7/2"),
                                       QStringLiteral("0"),
                                       QStringLiteral("1e300"),
                                       QStringLiteral("4.9e-324"),
                                       QStringLiteral("1/0"),
                                       QStringLiteral("99999999999999999999/3"),
                                       QStringLiteral("2.5E-3")};
    return rng.chance(80) ? rng.oneOf(values) : RandomFieldText(rng);
}

// A block as spreadsheets, data files and numerical environments give one,
// up to a little past 50 x 50.
QString blockText(Rng& rng) {
    const int rows = 1 + (rng.chance(10) ? rng.below(55) : rng.below(6));
    const int cols = 1 + (rng.chance(10) ? rng.below(55) : rng.below(6));
    const QString separator = rng.oneOf(QStringList{QStringLiteral("\t"), QStringLiteral(", "),
                                                    QStringLiteral(" "), QStringLiteral(";")});
    QString text = rng.chance(20) ? QStringLiteral("A =\n\n") : QString();
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j)
            text += (j > 0 ? separator : QString()) + cellText(rng);
        text += rng.chance(50) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    }
    return text;
}
} // namespace

// The matrix grid: counts, typed cells, pasted blocks, cleared and copied
// selections, then a way out; an OK that is refused leaves it for the next
// answer.
void ModalAnswerer::answerGrid(TGridMatForm* form) {
    QPointer<TGridMatForm> alive(form);
    if (m_rng->chance(30))
        TypeOrPaste(form->NameEdit, RandomFieldText(*m_rng));
    for (QSpinBox* count : {form->RowsBox, form->ColsBox})
        if (m_rng->chance(20)) {
            QLineEdit* field = count->findChild<QLineEdit*>();
            field->selectAll();
            TypeText(field, QString::number(m_rng->below(53)));
            QTest::keyClick(field, Qt::Key_Return);
        }
    MatrixGridView* grid = form->Grid;
    for (int i = m_rng->below(8); i > 0 && alive; --i) {
        grid->setCurrentIndex(form->Model->index(m_rng->below(form->Model->rowCount()),
                                                 m_rng->below(form->Model->columnCount())));
        switch (m_rng->below(6)) {
        case 0:
            QApplication::clipboard()->setText(blockText(*m_rng));
            QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier); // may report
            break;
        case 1:
            grid->selectAll();
            QTest::keyClick(grid, m_rng->chance(50) ? Qt::Key_Delete : Qt::Key_C,
                            m_rng->chance(50) ? Qt::NoModifier : Qt::ControlModifier);
            break;
        default: {
            const QString text = cellText(*m_rng);
            if (text.isEmpty() || text.size() > 40)
                break;
            TypeText(grid, text.left(1));
            for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>())
                if (editor->isVisible()) {
                    TypeText(editor, text.mid(1));
                    QTest::keyClick(editor, m_rng->chance(70) ? Qt::Key_Return : Qt::Key_Tab);
                    break;
                }
        }
        }
    }
    if (!alive || !form->isVisible())
        return;
    switch (m_rng->below(5)) {
    case 0:
    case 1:
        // Ctrl+Enter needs an active window for its shortcut; the OK button
        // does the same where it did not reach.
        QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
        if (alive && form->isVisible())
            form->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        break;
    default:
        endByKeyOrBox(form);
    }
}

void ModalAnswerer::fillFields(QWidget* form) {
    for (QLineEdit* field : form->findChildren<QLineEdit*>())
        if (field->isVisible() && field->isEnabled() && !field->isReadOnly() && m_rng->chance(70))
            TypeOrPaste(field, RandomFieldText(*m_rng));
    for (QListWidget* list : form->findChildren<QListWidget*>()) {
        if (!list->isVisible() || list->count() == 0)
            continue;
        if (m_rng->chance(10)) {
            QListWidgetItem* item = list->item(m_rng->below(list->count()));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(item).center());
            return; // a double click picks and confirms
        }
        if (m_rng->chance(30)) {
            // The keyboard: Down to some item, as a user picks one.
            list->setFocus();
            for (int i = m_rng->below(list->count() + 2); i >= 0; --i)
                QTest::keyClick(list, Qt::Key_Down);
        } else {
            for (int i = m_rng->below(4); i > 0; --i)
                list->item(m_rng->below(list->count()))->setSelected(true);
        }
    }
    for (QCheckBox* box : form->findChildren<QCheckBox*>())
        if (box->isVisible() && box->isEnabled() && m_rng->chance(20))
            box->click();
}

void ModalAnswerer::endByKeyOrBox(QWidget* window) {
    switch (m_rng->below(4)) {
    case 3:
        QTest::keyClick(window, Qt::Key_F1); // help, and the window stays
        break;
    case 0:
        QTest::keyClick(window, Qt::Key_Escape);
        break;
    case 1:
        window->close();
        break;
    default:
        QTest::keyClick(window, Qt::Key_Return);
        break;
    }
}

void ModalAnswerer::forceEnd(QWidget* window) {
    QPointer<QWidget> alive(window);
    window->close();
    // The matrix grid asks before it discards changed cells, and the
    // question, forced to end too, answers Keep editing: done() ends the
    // dialog without asking again.
    if (alive && alive->isVisible())
        if (auto* dialog = qobject_cast<QDialog*>(alive.data()))
            dialog->done(QDialog::Rejected);
}

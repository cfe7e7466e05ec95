// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"
#include "HandElimination.h"

#include <QHash>
#include <QWidget>

#include <gmpxx.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GVar;
class Messages;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class RowPractice;

// A student reduces a matrix by hand, one row operation at a time, typed
// ("R2 <- R2 - (3/2) R1") or built with the three buttons; the core
// (RowPractice) does the arithmetic exactly, keeps the log and says after
// every step how far the matrix is from reduced row echelon form. Finish
// adds the matrix reached to the workspace as rowops(name) and opens the
// log as a worked solution.
//
// The window is modeless, so a student may keep several open and still use
// the main window; each works on a copy of its operand, so erasing or
// changing the matrix meanwhile changes nothing here. The keyboard reaches
// everything: Alt keys for every control, Enter to apply, Ctrl+Z and Ctrl+Y
// (or Ctrl+Shift+Z) to undo and redo, Esc to close.
class PracticeWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int HelpContext = 40;

    // slot: the matrix A to reduce; pick asks for one more matrix through
    // the selection list (the right-hand side b), 0 for none. Results and
    // their refusals go through messages, as every result does.
    PracticeWindow(GVar& workspace, Messages& messages, std::function<int()> pick, int slot,
                   QWidget* parent);
    ~PracticeWindow() override;

    const RowPractice& Practice() const { return *m_practice; }

    // A factor as the buttons read it: a whole number, a fraction or a
    // decimal with an optional sign and parentheses around it, exactly.
    static std::optional<mpq_class> ReadFactor(const std::string& text);

    // What the controls do; false (or nothing) when refused, and then the
    // refusal is on show and nothing has changed.
    bool ApplyTyped();
    bool SwapClick();
    bool ScaleClick();
    bool AddClick();
    void UndoClick();
    void RedoClick();
    void HintClick();
    // Adds the matrix reached to the workspace and shows the log; the
    // window closes. False when the workspace refused it.
    bool FinishClick();
    // Esc and the Close button: asks first when operations would be lost.
    void CloseClick();

    // The log as it stands in the window, line ends as shown.
    QString LogText() const;
    // The refusal or hint under the operation field, "" when none.
    QString Note() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start(std::unique_ptr<RowPractice> practice);
    bool applyOperation(const HandElimination::Operation& operation);
    void stepped();
    void refresh();
    void appendEntry(const std::string& entry);
    void removeLastEntry();
    void refuse(const std::string& why, QWidget* where);
    void say(const QString& text, bool refusal);
    std::optional<mpq_class> factorOf(QLineEdit* field);
    void rightHandSideToggled(bool on);
    bool mayClose();

    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    // A itself, kept: the workspace may change while the window is open.
    ExactMatrix m_operand;
    std::string m_operandName;
    std::unique_ptr<RowPractice> m_practice;
    // Where each logged step begins in the log's document: undo cuts there,
    // so no step redraws the whole log.
    std::vector<int> m_entryStarts;
    bool m_closeAnswered = false;
    // The button that Enter in a row's spin box presses.
    QHash<QObject*, QPushButton*> m_enterPresses;

    QLabel* m_matrixLabel;
    QPlainTextEdit* m_matrix;
    QLabel* m_status;
    QLineEdit* m_operation;
    QLabel* m_note;
    QSpinBox* m_swapFirst;
    QSpinBox* m_swapSecond;
    QSpinBox* m_scaleRow;
    QLineEdit* m_scaleFactor;
    QLineEdit* m_addFactor;
    QSpinBox* m_addSource;
    QSpinBox* m_addTarget;
    QPushButton* m_swap;
    QPushButton* m_scale;
    QPushButton* m_add;
    QPushButton* m_undo;
    QPushButton* m_redo;
    QCheckBox* m_rightHandSide;
    QPlainTextEdit* m_log;
};

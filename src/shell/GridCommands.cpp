// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GridCommands.h"

#include "GVar.h"
#include "GridMatForm.h"
#include "MenuAction.h"
#include "Messages.h"

#include <QAction>
#include <QWidget>

namespace {
// The first capital letter no matrix is named yet, so that OK on a new
// matrix needs no naming; "M" when every letter is taken.
std::string freeName(const GVar& workspace) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        bool taken = false;
        for (int slot = 1; slot <= workspace.MatrixCount && !taken; ++slot)
            taken = workspace.Matrix(slot).Name == std::string(1, letter);
        if (!taken)
            return std::string(1, letter);
    }
    return "M";
}
} // namespace

GridCommands::GridCommands(GVar& workspace, Messages& messages, std::function<int()> pick,
                           std::function<bool()> fractions, QWidget* parent)
    : QObject(parent), m_workspace(workspace), m_messages(messages), m_pick(std::move(pick)),
      m_fractions(std::move(fractions)) {
    m_new = MenuAction::Make(this, "Newmatrix1", "New &matrix...", 29,
                             "Type or paste a new matrix into a grid");
    m_edit = MenuAction::Make(this, "Editmatrix1", "Edi&t matrix...", 30,
                              "Change a matrix's name, size and values in a grid");
    connect(m_new, &QAction::triggered, this, &GridCommands::NewMatrixClick);
    connect(m_edit, &QAction::triggered, this, &GridCommands::EditMatrixClick);
}

QList<QAction*> GridCommands::Actions() const {
    return {m_new, m_edit};
}

QWidget* GridCommands::window() const {
    return static_cast<QWidget*>(parent());
}

void GridCommands::NewMatrixClick() {
    // Room is asked for on OK: with the workspace full, the dialog stays
    // open with everything typed, which can still be copied out of it.
    const TGridMatForm::RoomCheck room = [this] {
        if (m_workspace.MatrixCount < MaxMatrices)
            return true;
        m_messages.ShowMessage(GVar::FullMessage);
        return false;
    };
    std::unique_ptr<TMatrixRec> record =
        TGridMatForm::execute(nullptr, freeName(m_workspace), false, m_messages, room, window());
    if (record)
        m_workspace.Append(std::move(record));
}

void GridCommands::EditMatrixClick() {
    const int slot = m_pick();
    if (!m_workspace.IsSlot(slot))
        return;
    const TMatrixRec& current = m_workspace.Matrix(slot);
    std::unique_ptr<TMatrixRec> record = TGridMatForm::execute(
        &current, current.Name, m_fractions(), m_messages, [] { return true; }, window());
    if (record && m_workspace.IsSlot(slot))
        m_workspace.Matrix(slot) = *record;
}

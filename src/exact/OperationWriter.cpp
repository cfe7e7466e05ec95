// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OperationWriter.h"

#include "WorkingText.h"

namespace {
const std::size_t ShownBytes = WorkingText::MaxBytes - 100000;
} // namespace

void OperationWriter::Done(const HandElimination::Operation& operation, const ExactMatrix& after) {
    m_text += WorkingText::Line(operation.Text() + Aside(operation));
    if (m_show && m_text.size() > ShownBytes) {
        m_show = false;
        m_text += WorkingText::Line(
            "From here on the matrices are left out: the working would be longer than 1 MB.");
    }
    if (m_show)
        m_text += WorkingText::Block(after, m_barAfter) + WorkingText::EndLine;
}

void OperationWriter::Finish() {
    if (!m_show)
        m_text += WorkingText::EndLine;
}

void OperationWriter::Note(const std::string& text) {
    m_text += WorkingText::Line(text);
    if (m_show)
        m_text += WorkingText::EndLine;
}

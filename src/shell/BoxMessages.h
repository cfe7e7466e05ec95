// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Messages.h"

#include <QString>

class QWidget;

// Shows the core's messages the way the program always has: a modal box
// with the text and an OK button. The core's line breaks are single
// carriage returns; the box gets them as line feeds.
class BoxMessages : public Messages {
public:
    explicit BoxMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    void ShowMessage(const std::string& text) override;

    // The text as the box shows it.
    static QString DisplayText(const std::string& text);

private:
    QWidget* m_parent;
};

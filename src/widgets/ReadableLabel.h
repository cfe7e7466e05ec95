// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label whose text a screen reader can read line by line: Qt gives a
// QLabel no text interface, so a screen reader gets its whole text as one
// name. It looks and behaves as any label.
class ReadableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ReadableLabel(QWidget* parent = nullptr);
};

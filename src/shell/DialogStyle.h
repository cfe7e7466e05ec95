// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

class QWidget;

// The look the program's dialogs share: navy bold "Times New Roman", a
// 20-pixel border, centred on the screen, and help by context number.
namespace DialogStyle {
QFont Font(int pixelSize, bool bold = true);
const QColor Navy(0, 0, 128);

// Font and colour for a label or button.
void Apply(QWidget* widget, int pixelSize, const QColor& colour = Navy, bool bold = true);

// Help context and help file ("" for the application's) of a dialog; its
// Help button and F1 ask for them.
void SetHelp(QWidget* dialog, int context, const QString& helpFile);
void ShowHelp(QWidget* dialog);

void CentreOnScreen(QWidget* window);

// The row of standard buttons under a dialog, left to right: OK (the
// default button: Enter presses it), Cancel (Esc presses it) and Help
// (which shows the dialog's topic and leaves it open). Captions may be
// given where a dialog names its own.
struct Buttons {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
    QHBoxLayout* row;
};
Buttons MakeButtons(QDialog* dialog, const QString& okCaption = QString(),
                    const QString& helpCaption = QString());

// A dialog asking for one value: a label and its field on one line, the
// standard buttons under them; the field comes first in the tab order.
void LayOutOneField(QDialog* dialog, QWidget* label, QWidget* field);
} // namespace DialogStyle

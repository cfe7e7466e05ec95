// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DialogStyle.h"

#include "HelpSystem.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace DialogStyle {

QFont Font(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void Apply(QWidget* widget, int pixelSize, const QColor& colour, bool bold) {
    widget->setFont(Font(pixelSize, bold));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void SetHelp(QWidget* dialog, int context, const QString& helpFile) {
    dialog->setProperty("helpContext", context);
    if (!helpFile.isEmpty())
        dialog->setProperty("helpFile", helpFile);
}

void ShowHelp(QWidget* dialog) {
    HelpSystem::ShowContext(HelpSystem::HelpFileFor(dialog), HelpSystem::ContextFor(dialog));
}

void CentreOnScreen(QWidget* window) {
    window->adjustSize();
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    window->move(area.x() + (area.width() - window->width()) / 2,
                 area.y() + (area.height() - window->height()) / 2);
}

Buttons MakeButtons(QDialog* dialog, const QString& okCaption, const QString& helpCaption) {
    Buttons b;
    b.ok = new QPushButton(okCaption.isEmpty() ? QStringLiteral("OK") : okCaption, dialog);
    b.cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    b.help = new QPushButton(helpCaption.isEmpty() ? QStringLiteral("&Help") : helpCaption, dialog);
    b.ok->setObjectName(QStringLiteral("OkBtn"));
    b.cancel->setObjectName(QStringLiteral("CancelBtn"));
    b.help->setObjectName(QStringLiteral("HelpBtn"));
    b.ok->setDefault(true);
    b.cancel->setAutoDefault(false);
    b.help->setAutoDefault(false);
    b.row = new QHBoxLayout;
    for (QPushButton* button : {b.ok, b.cancel, b.help}) {
        Apply(button, 16);
        button->setMinimumSize(75, 25);
        b.row->addWidget(button);
    }
    b.row->addStretch();
    QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(b.help, &QPushButton::clicked, dialog, [dialog] { ShowHelp(dialog); });
    return b;
}

void LayOutOneField(QDialog* dialog, QWidget* label, QWidget* field) {
    const Buttons buttons = MakeButtons(dialog);
    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(field);
    line->addStretch();
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addLayout(line);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QWidget::setTabOrder(field, buttons.ok);
    field->setFocus();
}

} // namespace DialogStyle

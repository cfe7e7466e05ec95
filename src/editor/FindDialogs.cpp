// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FindDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(bool replacing, QWidget* parent)
    : QDialog(parent), ReplaceEdit(nullptr), ReplaceButton(nullptr), ReplaceAllButton(nullptr) {
    setWindowTitle(replacing ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);

    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(FindEdit);
    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(FindEdit, 0, 1);
    if (replacing) {
        ReplaceEdit = new QLineEdit(this);
        ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
        replaceLabel->setBuddy(ReplaceEdit);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(ReplaceEdit, 1, 1);
    }
    FindEdit->setMinimumWidth(220);

    MatchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
    MatchCaseBox->setObjectName(QStringLiteral("MatchCaseBox"));

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch();
    left->addWidget(MatchCaseBox);

    // Enter always means Find Next, wherever the focus is, as in the
    // system's own find dialogs.
    auto* buttons = new QVBoxLayout;
    FindNextButton = new QPushButton(QStringLiteral("Find &Next"), this);
    FindNextButton->setObjectName(QStringLiteral("FindNextButton"));
    FindNextButton->setDefault(true);
    buttons->addWidget(FindNextButton);
    connect(FindNextButton, &QPushButton::clicked, this, &TFindDialog::findNext);
    if (replacing) {
        ReplaceButton = new QPushButton(QStringLiteral("&Replace"), this);
        ReplaceButton->setObjectName(QStringLiteral("ReplaceButton"));
        ReplaceButton->setAutoDefault(false);
        buttons->addWidget(ReplaceButton);
        connect(ReplaceButton, &QPushButton::clicked, this, &TFindDialog::replace);
        ReplaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
        ReplaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
        ReplaceAllButton->setAutoDefault(false);
        buttons->addWidget(ReplaceAllButton);
        connect(ReplaceAllButton, &QPushButton::clicked, this, &TFindDialog::replaceAll);
    }
    // Closing only hides: the window keeps the dialog, and with it the texts
    // and the match-case setting, for the next Find or Replace.
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    buttons->addWidget(close);
    buttons->addStretch();
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TFindDialog::FindText() const {
    return FindEdit->text();
}

void TFindDialog::SetFindText(const QString& text) {
    FindEdit->setText(text);
}

QString TFindDialog::ReplaceText() const {
    return ReplaceEdit ? ReplaceEdit->text() : QString();
}

bool TFindDialog::MatchCase() const {
    return MatchCaseBox->isChecked();
}

// Each opening starts in the search text, all of it selected, so that
// typing replaces it.
void TFindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FindEdit->selectAll();
    FindEdit->setFocus();
}

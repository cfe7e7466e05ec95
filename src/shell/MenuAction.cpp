// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MenuAction.h"

#include <QAction>

QAction* MenuAction::Make(QObject* parent, const char* name, const char* caption, int helpContext,
                          const char* hint) {
    auto* action = new QAction(QString::fromLatin1(caption), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("helpContext", helpContext);
    action->setToolTip(QString::fromLatin1(hint));
    return action;
}

// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMenu>

class AlgebraCommands;
class EigenCommands;
class ExactCommands;
class PracticeCommand;
class SystemCommands;

// The Linear algebra menu, between Numerical operations and Window: the
// course's exact computations in groups, a separator between groups, and
// the Show working switch last, since it applies to all of them. A new
// group of commands is one more entry of the list the constructor builds.
class LinearAlgebraMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int HelpContext = 31;

    LinearAlgebraMenu(const ExactCommands& exact, const PracticeCommand& practice,
                      const SystemCommands& systems, const EigenCommands& eigen,
                      const AlgebraCommands& algebra, QWidget* parent);
};

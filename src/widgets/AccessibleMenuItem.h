// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The items of menus and menu bars as a screen reader meets them. Qt's own
// give no description and, in some versions, no checkable state until an
// item is checked; these say the item's hint (its tool tip) as its
// description, that Show working can be checked, and a name of their own
// where an action carries one in its "accessibleName" property (a caption
// the window keeps with an odd spelling is spoken as it should be).
namespace AccessibleMenuItem {
// Once per program, before any menu is read; calling again does nothing.
void Install();
} // namespace AccessibleMenuItem

// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QString>

namespace zentravolix::app {

/**
 * The program's own icons, drawn as vector shapes on a 24-unit grid so they stay sharp at every
 * size and share one look (same outline, same palette).
 *
 * Toolbar keys: "New", "Open", "Save", "Close", "Run", "Favorites".
 * List keys (favourites list and tab pictures): "VM", "VMMissing", "OldVM", "OldVMMissing", "Home".
 * An unknown key gives a null QIcon, which callers treat as "leave the picture unchanged".
 */
QIcon ToolbarIcon(const QString& key);

/** The icon of a list key (see above); a null QIcon for an unknown key. */
QIcon ListIcon(const QString& key);

/** The window and About-box icon. */
QIcon ProgramIcon();

} // namespace zentravolix::app

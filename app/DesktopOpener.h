// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace zentravolix::app {

/**
 * Whether the desktop's opener (xdg-open) has an application for the file. xdg-open itself
 * starts fine and only then finds nothing to run, so without this a launch with no application
 * registered for ".vmx" files would fail without a word. Asks xdg-mime for the file's type and
 * that type's default application; true when one is named, and also when the answer is unknown
 * (xdg-mime missing, failing or slow), so a working opener is never refused.
 */
bool DesktopCanOpen(const QString& file);

} // namespace zentravolix::app

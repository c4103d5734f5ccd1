// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace zentravolix::app {

/**
 * The version as the program shows it: major, ".", minor with at least two digits, ".", revision
 * with at least four digits (1, 5, 23 -> "1.05.0023").
 */
QString VersionText(int major, int minor, int revision);

/** VersionText of this build (the numbers come from the project version at configure time). */
QString BuildVersionText();

/** The caption of the version label: "v" + BuildVersionText() + " by Mornel". */
QString VersionCaption();

} // namespace zentravolix::app

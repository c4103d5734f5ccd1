// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Settings.h"

#include <QString>

#include <vector>

namespace zentravolix::app {

/** One line telling the user what went wrong with a setting and what the program did about it. */
QString SettingsProblemText(const platform::SettingsProblem& problem);

/** All problems as one message, one line each; "" when there are none. */
QString SettingsProblemsText(const std::vector<platform::SettingsProblem>& problems);

} // namespace zentravolix::app

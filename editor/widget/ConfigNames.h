// SPDX-License-Identifier: MIT
// The editor speaks the configuration layer's language: its rules, limits and choice lists are
// used by their plain names inside the editor's namespace.
#pragma once

namespace zentravolix::config {
}

namespace zentravolix::editor {
using namespace zentravolix::config;
}

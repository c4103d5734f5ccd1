// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tarvonel {

/**
 * One cell of a guest table: the name the editor shows and the name the .vmx file stores as
 * guestOS. A cell that holds no guest has both fields empty.
 */
struct GuestOSVer {
    std::string DisplayedName;
    std::string ConfigName;

    friend bool operator==(const GuestOSVer&, const GuestOSVer&) = default;
};

} // namespace tarvonel

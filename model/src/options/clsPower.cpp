// SPDX-License-Identifier: MIT
#include <tarvonel/clsPower.h>

namespace tarvonel {

clsPower::clsPower(detail::Passkey) {}
clsPower::~clsPower() = default;

} // namespace tarvonel

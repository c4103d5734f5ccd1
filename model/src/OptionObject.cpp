// SPDX-License-Identifier: MIT
#include <tarvonel/OptionObject.h>

namespace tarvonel {

OptionObject::OptionObject() = default;
OptionObject::~OptionObject() = default;

} // namespace tarvonel

// SPDX-License-Identifier: MIT
#include <tarvonel/Error.h>

namespace tarvonel {

Error::Error(int number, const std::string& what) : std::runtime_error(what), m_number(number) {}
Error::~Error() = default;

SubscriptOutOfRange::SubscriptOutOfRange(const std::string& what) : Error(9, what) {}
SubscriptOutOfRange::~SubscriptOutOfRange() = default;

InvalidArgument::InvalidArgument(const std::string& what) : Error(5, what) {}
InvalidArgument::~InvalidArgument() = default;

Overflow::Overflow(const std::string& what) : Error(6, what) {}
Overflow::~Overflow() = default;

TypeMismatch::TypeMismatch(const std::string& what) : Error(13, what) {}
TypeMismatch::~TypeMismatch() = default;

} // namespace tarvonel

// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <stdexcept>
#include <string>

namespace tarvonel {

/** Base of every error the library raises; Number() is the classic run-time error code. */
class TARVONEL_EXPORT Error : public std::runtime_error {
public:
    Error(int number, const std::string& what);
    ~Error() override;
    int Number() const noexcept { return m_number; }

private:
    int m_number;
};

/** Error 9: a position outside 1..Count, or a node outside a controller's nodes. */
class TARVONEL_EXPORT SubscriptOutOfRange : public Error {
public:
    explicit SubscriptOutOfRange(const std::string& what = "Subscript out of range");
    ~SubscriptOutOfRange() override;
};

/** Error 5: an ID that is not in the collection, or an argument the call cannot take. */
class TARVONEL_EXPORT InvalidArgument : public Error {
public:
    explicit InvalidArgument(const std::string& what = "Invalid procedure call or argument");
    ~InvalidArgument() override;
};

/** Error 6: arithmetic that would leave the range of a 16- or 32-bit value. */
class TARVONEL_EXPORT Overflow : public Error {
public:
    explicit Overflow(const std::string& what = "Overflow");
    ~Overflow() override;
};

/** Error 13: a value that does not convert to the type asked for. */
class TARVONEL_EXPORT TypeMismatch : public Error {
public:
    explicit TypeMismatch(const std::string& what = "Type mismatch");
    ~TypeMismatch() override;
};

} // namespace tarvonel

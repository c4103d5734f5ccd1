// SPDX-License-Identifier: MIT
#pragma once

namespace tarvonel {

template <class T>
class Collection;

namespace detail {

struct ItemAccess;

/**
 * Constructor token: model objects are made only inside the library (by their container or
 * collection), so their constructors take a key that clients cannot create.
 */
class Passkey {
private:
    Passkey() = default;
    friend struct ItemAccess;
    template <class T>
    friend class tarvonel::Collection;
};

} // namespace detail
} // namespace tarvonel

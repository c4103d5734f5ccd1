// SPDX-License-Identifier: MIT
#pragma once

// Member definitions of Collection<T>. Included by the .cpp file of each item class, which
// explicitly instantiates the collection of that item (and may specialise InitializeItem first).

#include "detail/ItemAccess.h"

#include <tarvonel/Collection.h>
#include <tarvonel/Error.h>

#include <algorithm>
#include <limits>

namespace tarvonel {

template <class T>
Collection<T>::Collection() = default;

template <class T>
Collection<T>::~Collection() = default;

template <class T>
std::int32_t Collection<T>::Count() const
{
    return static_cast<std::int32_t>(m_items.size());
}

template <class T>
void Collection<T>::InitializeItem(T&)
{
}

template <class T>
std::shared_ptr<T> Collection<T>::Add()
{
    const std::int32_t count = Count();
    // The number search counts in 16 bits, so a collection this full cannot number another item.
    if (count > std::numeric_limits<std::int16_t>::max())
        throw Overflow();

    auto item = std::make_shared<T>(detail::Passkey{});
    detail::ItemAccess::SetParent(*item, this->weak_from_this());
    detail::ItemAccess::SetID(*item, detail::NewUniqueID());

    std::int16_t number = 0;
    if (count > 0) {
        std::vector<bool> used(static_cast<std::size_t>(count), false);
        for (const auto& existing : m_items) {
            const std::int16_t n = detail::ItemAccess::Number(*existing);
            if (n >= 0 && n < count)
                used[static_cast<std::size_t>(n)] = true;
        }
        const auto firstFree = std::find(used.begin(), used.end(), false);
        number = static_cast<std::int16_t>(firstFree - used.begin());
    }
    detail::ItemAccess::SetNumber(*item, number);

    InitializeItem(*item); // may throw: the item is then not stored

    m_byKey.emplace(item->ID() + "~", item);
    m_items.push_back(item);
    return item;
}

template <class T>
std::shared_ptr<T> Collection<T>::Item(std::int32_t Index, const std::string& ID) const
{
    if (Index != -1) {
        if (Index < 1 || Index > Count())
            throw SubscriptOutOfRange();
        return m_items[static_cast<std::size_t>(Index - 1)];
    }
    if (!ID.empty()) {
        const auto it = m_byKey.find(ID + "~");
        if (it == m_byKey.end())
            throw InvalidArgument();
        return it->second;
    }
    return nullptr;
}

template <class T>
void Collection<T>::Remove(std::int32_t Index, const std::string& ID)
{
    const std::shared_ptr<T> victim = Item(Index, ID);
    if (!victim)
        return;
    m_items.erase(std::find(m_items.begin(), m_items.end(), victim));
    m_byKey.erase(victim->ID() + "~");
}

} // namespace tarvonel

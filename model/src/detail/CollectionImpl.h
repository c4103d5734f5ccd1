// SPDX-License-Identifier: MIT
#pragma once

// Member definitions of Collection<T>. Included by the .cpp file of each item class, which
// explicitly instantiates the collection of that item (and may specialise InitializeItem first).

#include "detail/ItemAccess.h"

#include <tarvonel/Collection.h>
#include <tarvonel/Error.h>

#include <algorithm>
#include <limits>
#include <set>
#include <type_traits>

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

    // The lowest number no other item uses (so numbers of removed items are reused). Numbers
    // never change after Add, so the free ones are tracked instead of searched for.
    const bool reuse = !m_freeNumbers.empty();
    const auto number = static_cast<std::int16_t>(reuse ? *m_freeNumbers.begin() : m_numberEnd);
    detail::ItemAccess::SetNumber(*item, number);

    InitializeItem(*item); // may throw: the item is then not stored

    if (m_items.size() == m_items.capacity())
        m_items.reserve(m_items.size() * 2 + 8); // so that push_back below cannot throw
    m_byKey.emplace(item->ID(), item);
    m_items.push_back(item);
    if (reuse)
        m_freeNumbers.erase(m_freeNumbers.begin());
    else
        ++m_numberEnd;
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
        const auto it = m_byKey.find(ID);
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
    m_freeNumbers.insert(detail::ItemAccess::Number(*victim));
    m_items.erase(std::find(m_items.begin(), m_items.end(), victim));
    m_byKey.erase(victim->ID());
}

template <class T>
bool Collection<T>::operator==(const Collection& other) const
{
    // An item class without its own comparison would be compared by ID and number alone.
    static_assert(std::is_same_v<decltype(&T::operator==), bool (T::*)(const T&) const>,
                  "every item class compares its own values");
    return std::equal(m_items.begin(), m_items.end(), other.m_items.begin(), other.m_items.end(),
                      [](const std::shared_ptr<T>& a, const std::shared_ptr<T>& b) { return *a == *b; });
}

template <class T>
Collection<T>& Collection<T>::operator=(const Collection& other)
{
    if (this == &other)
        return *this;
    // Built aside and swapped in, so a failed copy leaves the collection as it was.
    std::vector<std::shared_ptr<T>> items;
    std::unordered_map<std::string, std::shared_ptr<T>> byKey;
    items.reserve(other.m_items.capacity());
    for (const auto& source : other.m_items) {
        auto copy = std::make_shared<T>(*source);
        detail::ItemAccess::SetParent(*copy, this->weak_from_this());
        byKey.emplace(copy->ID(), copy);
        items.push_back(std::move(copy));
    }
    std::set<std::int16_t> freeNumbers = other.m_freeNumbers;
    m_items.swap(items);
    m_byKey.swap(byKey);
    m_freeNumbers.swap(freeNumbers);
    m_numberEnd = other.m_numberEnd;
    return *this;
}

} // namespace tarvonel

// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/OptionObject.h>
#include <tarvonel/Passkey.h>

#include <memory>
#include <string>

namespace tarvonel {
class clsHardware;
class clsOptions;
}

namespace tarvonel::detail {

/** The library's own door to the internal setters of items, collections and containers. */
struct ItemAccess {
    static Passkey Key() { return Passkey{}; }

    /** Makes a collection or option object owned by a container and tells it its parent. */
    template <class T, class Parent>
    static std::shared_ptr<T> MakeChild(const std::shared_ptr<Parent>& parent)
    {
        auto child = std::make_shared<T>(Key());
        SetParent(*child, parent);
        return child;
    }

    template <class T>
    static void SetParent(Collection<T>& collection, std::weak_ptr<void> parent)
    {
        collection.m_parent = std::move(parent);
    }
    static void SetParent(OptionObject& object, std::weak_ptr<void> parent)
    {
        object.SetParent(std::move(parent));
    }

    /** The two containers of a new model; they have no parent of their own. */
    static std::shared_ptr<clsHardware> MakeHardware();
    static std::shared_ptr<clsOptions> MakeOptions();

    static void SetParent(CollectionItem& item, std::weak_ptr<void> parent)
    {
        item.SetParent(std::move(parent));
    }
    static void SetID(CollectionItem& item, std::string id) { item.SetID(std::move(id)); }
    static void SetNumber(CollectionItem& item, std::int16_t number) { item.SetNumber(number); }
    static std::int16_t Number(const CollectionItem& item) { return item.Number(); }
    static void SetSummary(DeviceItem& item, std::string summary) { item.SetSummary(std::move(summary)); }

    /** The collection that made an item, or the container that made a collection; empty once released. */
    static std::shared_ptr<void> Parent(const CollectionItem& item) { return item.LockParent(); }
    template <class T>
    static std::shared_ptr<void> Parent(const Collection<T>& collection)
    {
        return collection.LockParent();
    }
    /** Controllers only: the number of nodes, taken from the collection's MaxNodesPerController. */
    template <class Controller>
    static void SetMaxNodes(Controller& controller, std::int32_t maxNodes)
    {
        controller.SetMaxNodes(maxNodes);
    }
};

/** 32 upper-case hex digits of a fresh random (version 4) UUID; "" if no random source works. */
std::string NewUniqueID();

} // namespace tarvonel::detail

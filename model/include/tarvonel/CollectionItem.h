// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <cstdint>
#include <memory>
#include <string>

namespace tarvonel {

namespace detail {
struct ItemAccess;
}

/**
 * What every item of a collection carries: its ID (32 upper-case hex digits, fixed at Add) and
 * its number within the collection (lowest free number at Add, never changed afterwards).
 * Items are created only by their collection's Add(). A copy of an item (each item class has a
 * public copy constructor) is detached: it has the same ID, number and values and belongs to no
 * collection; collections use it to copy their items.
 */
class TARVONEL_EXPORT CollectionItem {
public:
    virtual ~CollectionItem();
    CollectionItem& operator=(const CollectionItem&) = delete;

    std::string ID() const { return m_id; }

    /** Same ID and number; each item class compares its values on top. */
    bool operator==(const CollectionItem& other) const { return m_id == other.m_id && m_number == other.m_number; }

protected:
    CollectionItem();
    CollectionItem(const CollectionItem&) = default;

    std::int16_t Number() const { return m_number; }
    /** The collection that made this item; empty once that collection was released. */
    std::shared_ptr<void> LockParent() const { return m_parent.lock(); }
    /** Runs after the number is set; device items recompute their display name here. */
    virtual void NumberAssigned() {}

private:
    friend struct detail::ItemAccess;
    void SetParent(std::weak_ptr<void> parent) { m_parent = std::move(parent); }
    void SetID(std::string id) { m_id = std::move(id); }
    void SetNumber(std::int16_t number);

    std::weak_ptr<void> m_parent;
    std::string m_id;
    std::int16_t m_number = 0;
};

/**
 * A device of the hardware container: number, display name and summary. The display name is the
 * device's base name, followed by the number plus one for every number but 0.
 */
class TARVONEL_EXPORT DeviceItem : public CollectionItem {
public:
    ~DeviceItem() override;

    std::int16_t DeviceNum() const { return Number(); }
    std::string DisplayName() const { return m_displayName; }
    std::string Summary() const { return m_summary; }

    bool operator==(const DeviceItem&) const = default;

protected:
    DeviceItem();
    DeviceItem(const DeviceItem&) = default;

    /** "Hard Disk", "CD-ROM", ...: the display name of the device with number 0. */
    virtual std::string BaseName() const = 0;
    /** Recomputes DisplayName; the default is the base name and the number. */
    virtual void UpdateDisplayName();
    /** The base name with the number appended unless it is 0 (Hard Disk, Hard Disk2, ...). */
    std::string NumberedName() const;

    void NumberAssigned() override { UpdateDisplayName(); }

    std::string m_displayName;
    std::string m_summary;

private:
    friend struct detail::ItemAccess;
    void SetSummary(std::string summary) { m_summary = std::move(summary); }
};

} // namespace tarvonel

// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>
#include <tarvonel/ResourceAllocation.h>

#include <optional>

namespace tarvonel {

/** The memory of a machine. The summary follows MBs ("128 MB"). */
class TARVONEL_EXPORT clsMemory : public DeviceItem {
public:
    explicit clsMemory(detail::Passkey);
    ~clsMemory() override;

    bool operator==(const clsMemory&) const = default;

    /** Memory size in megabytes; assigning it recomputes Summary. */
    std::int32_t MBs() const { return m_mbs; }
    void SetMBs(std::int32_t value);

protected:
    std::string BaseName() const override { return "Memory"; }

private:
    std::int32_t m_mbs = 0;
};

template <>
void Collection<clsMemory>::InitializeItem(clsMemory& item);
extern template class Collection<clsMemory>;

/** The memory items of a machine (normally one). */
class TARVONEL_EXPORT clsMemories final : public Collection<clsMemory> {
public:
    explicit clsMemories(detail::Passkey);
    ~clsMemories() override;

    /** Whether memory may be added while the machine runs; empty: the file says nothing. */
    std::optional<bool> HotAdd() const { return m_hotAdd; }
    void SetHotAdd(std::optional<bool> value) { m_hotAdd = value; }
    /** The memory the machine is given on an ESXi host (MB). */
    const ResourceAllocation& Resources() const { return m_resources; }
    void SetResources(const ResourceAllocation& value) { m_resources = value; }

private:
    std::optional<bool> m_hotAdd;
    ResourceAllocation m_resources;
};

} // namespace tarvonel

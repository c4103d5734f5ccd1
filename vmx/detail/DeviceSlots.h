// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/detail/KeySet.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx::detail {

/** Slot names, looked up by hash: a model has a few dozen, or a thousand shares at most. */
class SlotSet {
public:
    explicit SlotSet(std::vector<std::string> names) : m_names(std::move(names)), m_set(m_names.size())
    {
        for (const std::string& name : m_names)
            m_set.insert(name); // views of m_names, which is not changed again
    }
    SlotSet(const SlotSet&) = delete;
    SlotSet& operator=(const SlotSet&) = delete;
    SlotSet(SlotSet&&) = default; // the strings stay where they are, in the vector's buffer

    std::size_t count(std::string_view slot) const { return m_set.contains(slot) ? 1 : 0; }
    auto begin() const { return m_names.begin(); }
    auto end() const { return m_names.end(); }

private:
    std::vector<std::string> m_names;
    KeySet m_set;
};

/**
 * The device slots of a model, named as the keys of a .vmx file name them (lower case):
 * "ethernet0", "serial1", "parallel0", "floppy0" and "sharedfolder2" by position in their
 * collection, "ide1", "scsi0", "sata0" and "nvme0" by controller number, "ide1:0", "scsi0:3",
 * "sata0:1" and "nvme0:0" for a node that holds a hard disk, CD-ROM or generic SCSI device, and "sound" and "usb" while the model has one.
 * These are the slots for which the reader makes an item from a line of the slot it does not
 * otherwise understand, so a preserved line of a slot the model has given up would bring the
 * device back on the next read.
 */
SlotSet deviceSlots(const tarvonel::VirtualMachine& vm);

/** The slots of one key: none, one, or a node's and its controller's; short names need no allocation. */
class KeySlots {
public:
    KeySlots() = default;
    explicit KeySlots(std::string slot) : m_names{std::move(slot)}, m_count(1) {}
    KeySlots(std::string inner, std::string outer) : m_names{std::move(inner), std::move(outer)}, m_count(2) {}

    bool empty() const { return m_count == 0; }
    const std::string* begin() const { return m_names.data(); }
    const std::string* end() const { return m_names.data() + m_count; }

private:
    std::array<std::string, 2> m_names;
    std::size_t m_count = 0;
};

/**
 * The slots a lower-case key belongs to, innermost first: "scsi0:1.redo" gives "scsi0:1" and
 * "scsi0", "ethernet01.pcislotnumber" gives "ethernet1" (numbers are read as the reader reads
 * them). Nothing for a key of no slot or with an index the reader refuses.
 */
KeySlots slotsOfKey(std::string_view lowerKey);

} // namespace zentravolix::vmx::detail

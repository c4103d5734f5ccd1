// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <memory>
#include <string>

namespace tarvonel {

class clsHardware;
class clsOptions;

/**
 * The root of one configuration's model: the hardware container, the options container and the
 * notes. The only class a client creates; everything else is reached from here.
 */
class TARVONEL_EXPORT VirtualMachine {
public:
    VirtualMachine();
    ~VirtualMachine();
    VirtualMachine(const VirtualMachine&) = delete;
    VirtualMachine& operator=(const VirtualMachine&) = delete;

    /** The same container every time. */
    std::shared_ptr<clsHardware> Hardware() const { return m_hardware; }
    /** The same container every time. */
    std::shared_ptr<clsOptions> Options() const { return m_options; }

    std::string Notes() const { return m_notes; }
    void SetNotes(const std::string& notes) { m_notes = notes; }

    /**
     * Makes this machine hold exactly what source holds: every option, every device and shared
     * folder with its ID, number, values and position, and the notes. The containers, collections
     * and option objects stay this machine's own (pointers to them stay valid); the items are
     * replaced by copies, so an item pointer held from before refers to a detached item. Throws
     * std::bad_alloc only, and then leaves some collections as they were.
     */
    void CopyFrom(const VirtualMachine& source);

    /** True when CopyFrom would change nothing. */
    bool operator==(const VirtualMachine& other) const;

private:
    std::shared_ptr<clsHardware> m_hardware;
    std::shared_ptr<clsOptions> m_options;
    std::string m_notes;
};

} // namespace tarvonel

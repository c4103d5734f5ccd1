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

private:
    std::shared_ptr<clsHardware> m_hardware;
    std::shared_ptr<clsOptions> m_options;
    std::string m_notes;
};

} // namespace tarvonel

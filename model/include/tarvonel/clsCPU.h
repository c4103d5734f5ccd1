// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>
#include <tarvonel/ResourceAllocation.h>

#include <optional>

namespace tarvonel {

/** A virtual processor. A new one has the summary "Present". */
class TARVONEL_EXPORT clsCPU : public DeviceItem {
public:
    explicit clsCPU(detail::Passkey);
    ~clsCPU() override;

    bool operator==(const clsCPU&) const = default;

    bool EmulatePAE() const { return m_emulatePAE; }
    void SetEmulatePAE(bool value) { m_emulatePAE = value; }

protected:
    std::string BaseName() const override { return "Virtual Processor"; }

private:
    bool m_emulatePAE = false;
};

template <>
void Collection<clsCPU>::InitializeItem(clsCPU& item);
extern template class Collection<clsCPU>;

/** The processors of a machine. */
class TARVONEL_EXPORT clsCPUs final : public Collection<clsCPU> {
public:
    explicit clsCPUs(detail::Passkey);
    ~clsCPUs() override;

    /** Cores per processor socket; 0 when the file names none. */
    std::int32_t CoresPerSocket() const { return m_coresPerSocket; }
    void SetCoresPerSocket(std::int32_t value) { m_coresPerSocket = value; }
    /** Whether processors may be added while the machine runs; empty: the file says nothing. */
    std::optional<bool> HotAdd() const { return m_hotAdd; }
    void SetHotAdd(std::optional<bool> value) { m_hotAdd = value; }
    /** The processor time the machine is given on an ESXi host (MHz). */
    const ResourceAllocation& Resources() const { return m_resources; }
    void SetResources(const ResourceAllocation& value) { m_resources = value; }

private:
    std::int32_t m_coresPerSocket = 0;
    std::optional<bool> m_hotAdd;
    ResourceAllocation m_resources;
};

} // namespace tarvonel

// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <optional>

namespace tarvonel {

/**
 * The display. The summary is VramSize in megabytes as a general number ("16 MB", "1.5 MB"),
 * recomputed when VramSize is assigned.
 */
class TARVONEL_EXPORT clsDisplay : public DeviceItem {
public:
    explicit clsDisplay(detail::Passkey);
    ~clsDisplay() override;

    bool operator==(const clsDisplay&) const = default;

    std::int32_t ScreenWidth() const { return m_screenWidth; }
    void SetScreenWidth(std::int32_t value) { m_screenWidth = value; }
    std::int32_t ScreenHeight() const { return m_screenHeight; }
    void SetScreenHeight(std::int32_t value) { m_screenHeight = value; }
    /** Video memory in bytes. */
    std::int32_t VramSize() const { return m_vramSize; }
    void SetVramSize(std::int32_t value);
    bool Enable3D() const { return m_enable3D; }
    void SetEnable3D(bool value) { m_enable3D = value; }
    /** 3D graphics memory in KB; 0 when the file names none. */
    std::int32_t GraphicsMemoryKB() const { return m_graphicsMemoryKB; }
    void SetGraphicsMemoryKB(std::int32_t value) { m_graphicsMemoryKB = value; }
    /** svga.present as ESXi writes it for every machine; unset: no line. */
    std::optional<bool> Present() const { return m_present; }
    void SetPresent(std::optional<bool> value) { m_present = value; }

protected:
    std::string BaseName() const override { return "Display"; }

private:
    std::int32_t m_screenWidth = 0;
    std::int32_t m_screenHeight = 0;
    std::int32_t m_vramSize = 0;
    bool m_enable3D = false;
    std::int32_t m_graphicsMemoryKB = 0;
    std::optional<bool> m_present;
};

template <>
void Collection<clsDisplay>::InitializeItem(clsDisplay& item);
extern template class Collection<clsDisplay>;

/** The displays of a machine. */
class TARVONEL_EXPORT clsDisplays final : public Collection<clsDisplay> {
public:
    explicit clsDisplays(detail::Passkey);
    ~clsDisplays() override;
};

} // namespace tarvonel

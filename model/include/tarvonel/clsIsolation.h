// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/OptionObject.h>
#include <tarvonel/Passkey.h>

#include <string>

namespace tarvonel {

/** Guest isolation: drag and drop, paste and copy between host and guest. */
class TARVONEL_EXPORT clsIsolation final : public OptionObject {
public:
    explicit clsIsolation(detail::Passkey);
    ~clsIsolation() override;

    bool operator==(const clsIsolation&) const = default;

    /** Always empty. */
    std::string ID() const { return {}; }
    /**
     * "A, B" once any flag was assigned: A tells drag and drop, B copy and paste together
     * ("Enabled" only when both are on); each "Enabled" or "Disabled". "" before that.
     */
    std::string Summary() const { return m_summary; }

    bool DragAndDropEnabled() const { return m_dragAndDropEnabled; }
    void SetDragAndDropEnabled(bool value);
    bool PasteEnabled() const { return m_pasteEnabled; }
    void SetPasteEnabled(bool value);
    bool CopyEnabled() const { return m_copyEnabled; }
    void SetCopyEnabled(bool value);

private:
    void UpdateSummary();

    std::string m_summary;
    bool m_dragAndDropEnabled = false;
    bool m_pasteEnabled = false;
    bool m_copyEnabled = false;
};

} // namespace tarvonel

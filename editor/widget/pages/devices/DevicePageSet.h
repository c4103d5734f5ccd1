// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

#include <QObject>

#include <map>

namespace zentravolix::editor {

class HardwareTab;

/**
 * The device pages of a hardware tab, one per kind of the kinds' table: creates them, puts each
 * into the tab's container of its kind, fills the page of the selected row and passes their edits
 * on.
 */
class DevicePageSet final : public QObject {
    Q_OBJECT
public:
    /** The pages are owned by the tab's containers; the set itself is a child of the tab. */
    DevicePageSet(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, const DevicePageHooks& hooks,
                  HardwareTab& tab);

    /** The page of a kind; null for a value that is no kind. */
    DevicePage* page(tarvonel::VirtualHardwareType type) const;
    /** Fills the page of a kind from the device with this ID. */
    void show(tarvonel::VirtualHardwareType type, const std::string& id);
    /** Fills the shown page again (after a product version choice changed its lists). */
    void reloadShown();
    void updateUILabels();

signals:
    /** A page wrote the model; rowChanged: the selected row must be rewritten. */
    void edited(bool rowChanged);

private:
    std::map<tarvonel::VirtualHardwareType, DevicePage*> m_pages;
    DevicePage* m_shown = nullptr;
};

} // namespace zentravolix::editor

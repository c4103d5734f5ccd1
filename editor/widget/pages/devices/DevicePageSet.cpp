// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DevicePageSet.h"

#include "config/DeviceKinds.h"
#include "editor/widget/HardwareTab.h"
#include "editor/widget/pages/devices/DeviceKindViews.h"

#include <stdexcept>

namespace zentravolix::editor {

DevicePageSet::DevicePageSet(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                             const DevicePageHooks& hooks, HardwareTab& tab)
    : QObject(&tab)
{
    for (const auto type : config::DeviceKinds()) {
        const auto view = FindDeviceKindView(type);
        if (!view)
            throw std::logic_error("a device kind has no page in the page table");
        DevicePage* page = view->makePage(vm, context, hooks);
        // A page made for another kind would show and edit the wrong device.
        if (page->deviceType() != type) {
            delete page;
            throw std::logic_error("the device page table gives a kind another kind's page");
        }
        m_pages.emplace(type, page);
        tab.setDevicePage(type, page);
        connect(page, &DevicePage::edited, this, &DevicePageSet::edited);
    }
}

DevicePage* DevicePageSet::page(tarvonel::VirtualHardwareType type) const
{
    const auto found = m_pages.find(type);
    return found != m_pages.end() ? found->second : nullptr;
}

void DevicePageSet::show(tarvonel::VirtualHardwareType type, const std::string& id)
{
    m_shown = page(type);
    if (m_shown)
        m_shown->load(id);
}

void DevicePageSet::reloadShown()
{
    if (m_shown && !m_shown->deviceId().empty())
        m_shown->load(m_shown->deviceId());
}

void DevicePageSet::updateUILabels()
{
    for (const auto& [type, page] : m_pages)
        page->updateUILabels();
    reloadShown();
}

} // namespace zentravolix::editor

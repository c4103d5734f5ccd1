// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DevicePageSet.h"

#include "editor/widget/HardwareTab.h"
#include "editor/widget/pages/devices/AudioPage.h"
#include "editor/widget/pages/devices/CDRomPage.h"
#include "editor/widget/pages/devices/CpuPage.h"
#include "editor/widget/pages/devices/DisplayPage.h"
#include "editor/widget/pages/devices/EthernetPage.h"
#include "editor/widget/pages/devices/FloppyPage.h"
#include "editor/widget/pages/devices/GenSCSIPage.h"
#include "editor/widget/pages/devices/HardDiskPage.h"
#include "editor/widget/pages/devices/IDEControllerPage.h"
#include "editor/widget/pages/devices/MemoryPage.h"
#include "editor/widget/pages/devices/MousePage.h"
#include "editor/widget/pages/devices/ParallelPortPage.h"
#include "editor/widget/pages/devices/SCSIControllerPage.h"
#include "editor/widget/pages/devices/SerialPortPage.h"
#include "editor/widget/pages/devices/UsbPage.h"

namespace zentravolix::editor {

DevicePageSet::DevicePageSet(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                             const DevicePageHooks& hooks, HardwareTab& tab)
    : QObject(&tab)
{
    m_pages = {new CpuPage(vm, context, hooks),
               new MemoryPage(vm, context, hooks),
               new FloppyPage(vm, context, hooks),
               new ParallelPortPage(vm, context, hooks),
               new SerialPortPage(vm, context, hooks),
               new AudioPage(vm, context, hooks),
               new EthernetPage(vm, context, hooks),
               new UsbPage(vm, context, hooks),
               new IDEControllerPage(vm, context, hooks),
               new SCSIControllerPage(vm, context, hooks),
               new HardDiskPage(vm, context, hooks),
               new CDRomPage(vm, context, hooks),
               new GenSCSIPage(vm, context, hooks),
               new DisplayPage(vm, context, hooks),
               new MousePage(vm, context, hooks)};
    for (DevicePage* page : m_pages) {
        tab.setDevicePage(page->deviceType(), page);
        connect(page, &DevicePage::edited, this, &DevicePageSet::edited);
    }
}

DevicePage* DevicePageSet::page(tarvonel::VirtualHardwareType type) const
{
    const auto index = static_cast<std::size_t>(type);
    return index < m_pages.size() ? m_pages[index] : nullptr;
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
    for (DevicePage* page : m_pages)
        page->updateUILabels();
    reloadShown();
}

} // namespace zentravolix::editor

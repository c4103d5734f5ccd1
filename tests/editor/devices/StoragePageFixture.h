// SPDX-License-Identifier: MIT
#pragma once

// The disk, CD-ROM, floppy, generic SCSI and controller pages: the common device page fixture
// under its own name, so their results are grouped apart.

#include "DevicePageFixture.h"

#include <QStringList>

#include <string>

namespace zentravolix::testing {

class StoragePageTest : public DevicePageTest {};

/** Storage pages with devices placed by hand: a disk or CD-ROM on a node, and where it is now. */
class NodePlacementTest : public StoragePageTest {
protected:
    template <class Item>
    static void put(Item& item, const char* bus, std::int16_t controller, std::int16_t node)
    {
        item.SetBusType(bus);
        item.SetController(controller);
        item.SetBusNode(node);
    }
    std::shared_ptr<tarvonel::clsCDRom> cdrom(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto c = hw()->CDRoms()->Add();
        put(*c, bus, controller, node);
        return c;
    }
    template <class Item>
    static std::string where(const Item& item)
    {
        return item.BusType() + ' ' + std::to_string(item.Controller()) + ':' + std::to_string(item.BusNode());
    }
    /** Every message so far as "title / text". */
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& call : dialogs.messages())
            texts << call.title + QStringLiteral(" / ") + call.text;
        return texts;
    }
};

} // namespace zentravolix::testing

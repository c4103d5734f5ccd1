// SPDX-License-Identifier: MIT
#include <tarvonel/CollectionItem.h>

namespace tarvonel {

CollectionItem::CollectionItem() = default;
CollectionItem::~CollectionItem() = default;

void CollectionItem::SetNumber(std::int16_t number)
{
    m_number = number;
    NumberAssigned();
}

DeviceItem::DeviceItem() = default;
DeviceItem::~DeviceItem() = default;

std::string DeviceItem::NumberedName() const
{
    if (DeviceNum() == 0)
        return BaseName();
    return BaseName() + std::to_string(static_cast<int>(DeviceNum()) + 1);
}

void DeviceItem::UpdateDisplayName()
{
    m_displayName = NumberedName();
}

} // namespace tarvonel

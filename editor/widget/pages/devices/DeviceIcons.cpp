// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DeviceIcons.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace zentravolix::editor {

namespace {

struct IconStyle {
    const char* label;
    QRgb colour;
};

// In type order. Families share a colour so the list reads at a glance.
constexpr QRgb kCore = 0xff5b6b82;
constexpr QRgb kStorage = 0xff2f6fb3;
constexpr QRgb kPorts = 0xff3c8d5a;
constexpr QRgb kControllers = 0xff7a5aa6;
constexpr QRgb kPeripherals = 0xffc06a1f;

constexpr std::array<IconStyle, 15> kStyles{{
    {"CPU", kCore},
    {"RAM", kCore},
    {"FD", kStorage},
    {"LPT", kPorts},
    {"COM", kPorts},
    {"SND", kPeripherals},
    {"NET", kPorts},
    {"USB", kPorts},
    {"IDE", kControllers},
    {"SCSI", kControllers},
    {"HD", kStorage},
    {"CD", kStorage},
    {"GEN", kControllers},
    {"VGA", kPeripherals},
    {"PTR", kPeripherals},
}};

QPixmap drawTile(const IconStyle& style, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = QColor::fromRgba(style.colour);
    const QRectF tile(0.5, 0.5, size - 1.0, size - 1.0);
    painter.setPen(QPen(colour.darker(140), 1.0));
    painter.setBrush(colour);
    painter.drawRoundedRect(tile, size / 6.0, size / 6.0);

    const QString label = QString::fromLatin1(style.label);
    QFont font;
    font.setBold(true);
    font.setPixelSize(1);
    // Largest pixel size at which the label fits the tile with a small margin.
    const int room = size - 2 * std::max(1, size / 10);
    for (int pixels = size; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(label) <= room && metrics.capHeight() <= room)
            break;
    }
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(tile, Qt::AlignCenter, label);
    return pixmap;
}

} // namespace

QIcon DeviceIcon(tarvonel::VirtualHardwareType type)
{
    const int index = static_cast<int>(type);
    if (index < 0 || index >= static_cast<int>(kStyles.size()))
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48})
        icon.addPixmap(drawTile(kStyles[static_cast<std::size_t>(index)], size));
    return icon;
}

} // namespace zentravolix::editor

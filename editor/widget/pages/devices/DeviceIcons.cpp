// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DeviceIcons.h"

#include "editor/widget/pages/devices/DeviceKindViews.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace zentravolix::editor {

namespace {

QPixmap drawTile(const DeviceKindView& style, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = QColor::fromRgba(style.iconColour);
    const QRectF tile(0.5, 0.5, size - 1.0, size - 1.0);
    painter.setPen(QPen(colour.darker(140), 1.0));
    painter.setBrush(colour);
    painter.drawRoundedRect(tile, size / 6.0, size / 6.0);

    const QString label = QString::fromLatin1(style.iconLabel);
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
    const auto view = FindDeviceKindView(type);
    if (!view)
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48})
        icon.addPixmap(drawTile(*view, size));
    return icon;
}

} // namespace zentravolix::editor

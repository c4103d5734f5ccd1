// SPDX-License-Identifier: MIT
#include "app/AppIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace zentravolix::app {
namespace {

// One palette for every icon so the toolbar and the lists look like one family.
const QColor kOutline(0x2f, 0x3b, 0x48);
const QColor kPaper(0xfb, 0xfc, 0xfd);
const QColor kScreen(0x3d, 0x8b, 0xd9);
const QColor kOldScreen(0x9a, 0xa4, 0xae);
const QColor kFrame(0x5b, 0x67, 0x73);
const QColor kGreen(0x3c, 0xa5, 0x4f);
const QColor kRed(0xd6, 0x3b, 0x3b);
const QColor kGold(0xf2, 0xb8, 0x2c);
const QColor kFolder(0xe8, 0xb9, 0x4f);
const QColor kBlue(0x35, 0x6e, 0xb8);

using Painter = std::function<void(QPainter&)>;

/** Draws a painter function on the 24-unit grid, scaled to whatever size Qt asks for. */
class VectorIconEngine final : public QIconEngine {
public:
    explicit VectorIconEngine(Painter draw) : m_draw(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const qreal side = qMin(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new VectorIconEngine(m_draw); }

private:
    Painter m_draw;
};

QPen outlinePen(qreal width = 1.2)
{
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter& p)
{
    QPainterPath page;
    page.moveTo(5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(5, 21.5);
    page.closeSubpath();
    p.setPen(outlinePen());
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
}

/** A round badge in the lower right corner: the shared language for "add" and "missing/close". */
void drawBadge(QPainter& p, const QColor& fill, bool cross)
{
    const QRectF circle(12.5, 12.5, 10.5, 10.5);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(fill);
    p.drawEllipse(circle);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = circle.center();
    if (cross) {
        p.drawLine(c + QPointF(-2.4, -2.4), c + QPointF(2.4, 2.4));
        p.drawLine(c + QPointF(-2.4, 2.4), c + QPointF(2.4, -2.4));
    } else {
        p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
        p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
    }
}

void drawMonitor(QPainter& p, const QColor& screen)
{
    p.setPen(outlinePen());
    p.setBrush(kFrame);
    p.drawRoundedRect(QRectF(2, 3.5, 20, 14), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(4, 5.5, 16, 10));
    p.setBrush(QColor(255, 255, 255, 70));
    QPainterPath glare;
    glare.moveTo(4, 5.5);
    glare.lineTo(12, 5.5);
    glare.lineTo(4, 12);
    glare.closeSubpath();
    p.drawPath(glare);
    p.setPen(outlinePen());
    p.setBrush(kFrame);
    p.drawRect(QRectF(10, 17.5, 4, 2.5));
    p.drawRoundedRect(QRectF(6.5, 20, 11, 2), 1, 1);
}

void drawFolder(QPainter& p)
{
    p.setPen(outlinePen());
    p.setBrush(kFolder.darker(115));
    QPainterPath back;
    back.moveTo(2.5, 5);
    back.lineTo(9, 5);
    back.lineTo(11, 7);
    back.lineTo(20, 7);
    back.lineTo(20, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kFolder);
    QPainterPath front;
    front.moveTo(5, 10);
    front.lineTo(22.5, 10);
    front.lineTo(20, 19.5);
    front.lineTo(2.5, 19.5);
    front.closeSubpath();
    p.drawPath(front);
}

void drawFloppy(QPainter& p)
{
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(18, 3);
    body.lineTo(21, 6);
    body.lineTo(21, 21);
    body.lineTo(3, 21);
    body.closeSubpath();
    p.setPen(outlinePen());
    p.setBrush(kBlue);
    p.drawPath(body);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(kOutline);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(13.5, 4.2, 2, 3.6));
    p.setPen(outlinePen());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(6, 13, 12, 8), 1, 1);
}

void drawPlay(QPainter& p)
{
    p.setPen(outlinePen());
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(9.5, 7), QPointF(17, 12), QPointF(9.5, 17)}));
}

void drawStar(QPainter& p)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? 10.5 : 4.6;
        const qreal angle = (-90.0 + i * 36.0) * 3.14159265358979 / 180.0;
        star << QPointF(12 + radius * std::cos(angle), 12.8 + radius * std::sin(angle));
    }
    p.setPen(outlinePen());
    p.setBrush(kGold);
    p.drawPolygon(star);
}

void drawHouse(QPainter& p)
{
    p.setPen(outlinePen());
    p.setBrush(kPaper);
    p.drawPolygon(
        QPolygonF({QPointF(5, 11), QPointF(12, 4.5), QPointF(19, 11), QPointF(19, 21), QPointF(5, 21)}));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({QPointF(2, 12), QPointF(12, 2.5), QPointF(22, 12), QPointF(19.5, 12),
                             QPointF(12, 5.5), QPointF(4.5, 12)}));
    p.setBrush(kBlue);
    p.drawRect(QRectF(10, 14.5, 4, 6.5));
}

QIcon makeIcon(Painter draw)
{
    return QIcon(new VectorIconEngine(std::move(draw)));
}

} // namespace

QIcon ToolbarIcon(const QString& key)
{
    if (key == QLatin1String("New"))
        return makeIcon([](QPainter& p) {
            drawPage(p);
            drawBadge(p, kGreen, false);
        });
    if (key == QLatin1String("Open"))
        return makeIcon(drawFolder);
    if (key == QLatin1String("Save"))
        return makeIcon(drawFloppy);
    if (key == QLatin1String("Close"))
        return makeIcon([](QPainter& p) {
            drawPage(p);
            drawBadge(p, kRed, true);
        });
    if (key == QLatin1String("Run"))
        return makeIcon(drawPlay);
    if (key == QLatin1String("Favorites"))
        return makeIcon(drawStar);
    return {};
}

QIcon ListIcon(const QString& key)
{
    if (key == QLatin1String("VM"))
        return makeIcon([](QPainter& p) { drawMonitor(p, kScreen); });
    if (key == QLatin1String("VMMissing"))
        return makeIcon([](QPainter& p) {
            drawMonitor(p, kScreen);
            drawBadge(p, kRed, true);
        });
    if (key == QLatin1String("OldVM"))
        return makeIcon([](QPainter& p) { drawMonitor(p, kOldScreen); });
    if (key == QLatin1String("OldVMMissing"))
        return makeIcon([](QPainter& p) {
            drawMonitor(p, kOldScreen);
            drawBadge(p, kRed, true);
        });
    if (key == QLatin1String("Home"))
        return makeIcon(drawHouse);
    return {};
}

QIcon ProgramIcon()
{
    return ListIcon(QStringLiteral("VM"));
}

} // namespace zentravolix::app

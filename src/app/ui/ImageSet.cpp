#include "app/ui/ImageSet.h"

#include "app/AppPaths.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace kor {

namespace {

// Every image is drawn on a 32 x 32 grid and scaled to the size asked for.
using Painter = std::function<void(QPainter&)>;

const QColor kInk(0x33, 0x3d, 0x47);
const QColor kPaper(0xfb, 0xfb, 0xf8);
const QColor kBlue(0x2f, 0x6f, 0xb3);
const QColor kGreen(0x3a, 0x9a, 0x4a);
const QColor kOrange(0xe0, 0x8a, 0x1e);
const QColor kRed(0xc8, 0x3a, 0x32);
const QColor kGrey(0x8a, 0x93, 0x9c);

QPen Pen(const QColor& colour, double width = 1.6)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, bool lines)
{
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
    if (lines) {
        p.setPen(Pen(kGrey, 1.4));
        for (int y = 13; y <= 25; y += 4)
            p.drawLine(QPointF(10, y), QPointF(23, y));
    }
}

void Arrow(QPainter& p, QPointF tip, double length, const QColor& colour, bool down)
{
    const double dir = down ? 1 : -1;
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip.x() - 7, tip.y() - dir * 7);
    arrow.lineTo(tip.x() - 3, tip.y() - dir * 7);
    arrow.lineTo(tip.x() - 3, tip.y() - dir * length);
    arrow.lineTo(tip.x() + 3, tip.y() - dir * length);
    arrow.lineTo(tip.x() + 3, tip.y() - dir * 7);
    arrow.lineTo(tip.x() + 7, tip.y() - dir * 7);
    arrow.closeSubpath();
    p.setPen(Pen(colour.darker(130), 1.2));
    p.setBrush(colour);
    p.drawPath(arrow);
}

void DrawNew(QPainter& p)
{
    Page(p, false);
    p.setPen(Pen(kGreen, 3));
    p.drawLine(QPointF(16.5, 14), QPointF(16.5, 24));
    p.drawLine(QPointF(11.5, 19), QPointF(21.5, 19));
}

void DrawOpen(QPainter& p)
{
    p.setPen(Pen(kOrange.darker(140), 1.4));
    p.setBrush(kOrange.lighter(115));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(11, 8);
    back.lineTo(13, 11);
    back.lineTo(26, 11);
    back.lineTo(26, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kOrange);
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(8, 15);
    front.lineTo(30, 15);
    front.lineTo(26, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void DrawDownload(QPainter& p)
{
    p.setPen(Pen(kInk, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4, 20), QPointF(4, 28), QPointF(28, 28), QPointF(28, 20)}));
    Arrow(p, QPointF(16, 24), 20, kBlue, true);
}

void DrawSave(QPainter& p)
{
    QPainterPath disk;
    disk.moveTo(4, 4);
    disk.lineTo(24, 4);
    disk.lineTo(28, 8);
    disk.lineTo(28, 28);
    disk.lineTo(4, 28);
    disk.closeSubpath();
    p.setPen(Pen(kBlue.darker(150), 1.4));
    p.setBrush(kBlue);
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4.8, 13, 8));
    p.setBrush(kBlue.darker(140));
    p.drawRect(QRectF(18, 6, 2.5, 5.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(8, 17, 16, 10), 1, 1);
}

void DrawPrint(QPainter& p)
{
    p.setPen(Pen(kInk, 1.3));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(kGrey);
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(Pen(kGrey, 1.2));
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.drawLine(QPointF(12, 26), QPointF(20, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(25, 15), 1.5, 1.5);
}

void DrawReport(QPainter& p)
{
    Page(p, true);
    p.setPen(Pen(kBlue, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(20, 21), 5, 5);
    p.drawLine(QPointF(23.5, 24.5), QPointF(28.5, 29.5));
}

void DrawAssistant(QPainter& p)
{
    p.setPen(Pen(kGreen.darker(140), 1.4));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(20);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawGear(QPainter& p)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double angle = i * std::numbers::pi / teeth;
        const double outer = (i % 2 == 0) ? 13.5 : 10;
        const double a1 = angle - std::numbers::pi / teeth / 2;
        const double a2 = angle + std::numbers::pi / teeth / 2;
        const QPointF p1(16 + outer * std::cos(a1), 16 + outer * std::sin(a1));
        const QPointF p2(16 + outer * std::cos(a2), 16 + outer * std::sin(a2));
        if (i == 0)
            gear.moveTo(p1);
        else
            gear.lineTo(p1);
        gear.lineTo(p2);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(16, 16), 4.5, 4.5);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kGrey);
    p.drawPath(gear);
}

void DrawSensors(QPainter& p)
{
    // A bell: the event sources ring, the rules answer.
    QPainterPath bell;
    bell.moveTo(6, 24);
    bell.cubicTo(9, 21, 8, 16, 9, 12);
    bell.cubicTo(10, 6, 22, 6, 23, 12);
    bell.cubicTo(24, 16, 23, 21, 26, 24);
    bell.closeSubpath();
    p.setPen(Pen(kOrange.darker(150), 1.4));
    p.setBrush(kOrange);
    p.drawPath(bell);
    p.setBrush(kOrange.darker(120));
    p.drawEllipse(QPointF(16, 26.5), 3, 2.5);
    p.setPen(Pen(kRed, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1, 5, 8, 14), 100 * 16, 120 * 16);
    p.drawArc(QRectF(23, 5, 8, 14), -40 * 16, 120 * 16);
}

void DrawZelk(QPainter& p)
{
    // The detector: a housing with its lens.
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(7, 3, 18, 26), 5, 5);
    p.setBrush(kBlue.lighter(150));
    p.drawEllipse(QPointF(16, 13), 6, 6);
    p.setPen(Pen(kBlue.darker(130), 1.1));
    p.drawLine(QPointF(12, 13), QPointF(20, 13));
    p.drawLine(QPointF(16, 9), QPointF(16, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(16, 24), 1.8, 1.8);
}

void DrawTransfer(QPainter& p)
{
    // A camera with the arrow of the transfer.
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(kGrey.lighter(130));
    p.drawRoundedRect(QRectF(3, 6, 20, 12), 2, 2);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(23.5, 12), 3.5, 3.5);
    p.setPen(Pen(kInk, 2));
    p.drawLine(QPointF(10, 18), QPointF(10, 22));
    p.drawLine(QPointF(5, 23), QPointF(15, 23));
    Arrow(p, QPointF(25, 30), 10, kBlue, true);
}

void DrawArrowDown(QPainter& p)
{
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(8, 12), QPointF(24, 12), QPointF(16, 22)}));
}

void DrawDelete(QPainter& p)
{
    p.setPen(Pen(kRed, 4.5));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void DrawUnknown(QPainter& p)
{
    p.setPen(Pen(kGrey, 1.4));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 6, 20, 20));
}

const std::map<QString, Painter>& Painters()
{
    static const std::map<QString, Painter> painters = {
        {QStringLiteral("new"), DrawNew},
        {QStringLiteral("open"), DrawOpen},
        {QStringLiteral("download"), DrawDownload},
        {QStringLiteral("save"), DrawSave},
        {QStringLiteral("print"), DrawPrint},
        {QStringLiteral("report"), DrawReport},
        {QStringLiteral("assistant"), DrawAssistant},
        {QStringLiteral("main"), DrawGear},
        {QStringLiteral("sensors"), DrawSensors},
        {QStringLiteral("zelk"), DrawZelk},
        {QStringLiteral("transfer"), DrawTransfer},
        {QStringLiteral("arrowdown"), DrawArrowDown},
        {QStringLiteral("del"), DrawDelete},
    };
    return painters;
}

QPixmap Draw(const Painter& painter, int size, bool disabled)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 32.0, size / 32.0);
    if (disabled)
        p.setOpacity(0.35);
    painter(p);
    return pixmap;
}

} // namespace

QIcon ImageSet::Icon(const QString& key)
{
    for (const char* extension : {".png", ".svg"}) {
        const QString path = AppPaths::Resource(QStringLiteral("images/") + key + QLatin1String(extension));
        if (QFileInfo::exists(path))
            return QIcon(path);
    }
    const auto found = Painters().find(key);
    const Painter& painter = found != Painters().end() ? found->second : Painter(DrawUnknown);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(Draw(painter, size, false), QIcon::Normal);
        icon.addPixmap(Draw(painter, size, true), QIcon::Disabled);
    }
    return icon;
}

QStringList ImageSet::Keys()
{
    QStringList keys;
    for (const auto& entry : Painters())
        keys << entry.first;
    return keys;
}

} // namespace kor

#include "rules/ui/RuleImages.h"

#include "app/AppPaths.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace kor {

namespace {

const QColor kInk(0x33, 0x3d, 0x47);
const QColor kBlue(0x2f, 0x6f, 0xb3);
const QColor kGreen(0x3a, 0x9a, 0x4a);
const QColor kOrange(0xe0, 0x8a, 0x1e);
const QColor kRed(0xc8, 0x3a, 0x32);
const QColor kGrey(0x8a, 0x93, 0x9c);
const QColor kViolet(0x7a, 0x52, 0xa8);

QPen Pen(const QColor& colour, double width = 1.6)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// On a 32 x 32 grid.
void Input(QPainter& p, bool kind)
{
    p.setPen(Pen(kGreen.darker(140), 2));
    p.setBrush(kind ? kGreen : QColor(Qt::white));
    p.drawEllipse(QPointF(16, 16), 12, 12);
    p.setPen(Pen(kind ? QColor(Qt::white) : kGreen.darker(130), 2.6));
    p.drawLine(QPointF(9, 19), QPointF(14, 19));
    p.drawLine(QPointF(14, 19), QPointF(21, 12));
    p.drawLine(QPointF(19, 19), QPointF(24, 19));
}

void Shield(QPainter& p, const QColor& colour, int mark)
{
    QPainterPath shield;
    shield.moveTo(16, 3);
    shield.lineTo(27, 7);
    shield.cubicTo(27, 18, 23, 25, 16, 29);
    shield.cubicTo(9, 25, 5, 18, 5, 7);
    shield.closeSubpath();
    p.setPen(Pen(colour.darker(150), 1.4));
    p.setBrush(colour);
    p.drawPath(shield);
    p.setPen(Pen(Qt::white, 2.6));
    switch (mark) {
    case 0: // alarm: a bell's clapper lines
        p.drawLine(QPointF(16, 9), QPointF(16, 18));
        p.drawPoint(QPointF(16, 22.5));
        break;
    case 1: // armed: a tick
        p.drawPolyline(QPolygonF({QPointF(11, 16), QPointF(15, 20), QPointF(22, 11)}));
        break;
    case 2: // disarmed: a bar
        p.drawLine(QPointF(11, 16), QPointF(21, 16));
        break;
    default: // tamper: a cross
        p.drawLine(QPointF(12, 11), QPointF(20, 20));
        p.drawLine(QPointF(20, 11), QPointF(12, 20));
        break;
    }
}

void MotionWindow(QPainter& p)
{
    p.setPen(QPen(kBlue, 2, Qt::DashLine));
    p.setBrush(kBlue.lighter(170));
    p.drawRect(QRectF(4, 6, 24, 20));
    p.setPen(Pen(kBlue.darker(130), 2.4));
    p.drawLine(QPointF(11, 21), QPointF(16, 11));
    p.drawLine(QPointF(16, 11), QPointF(21, 21));
}

void AnyMotion(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    for (double r = 4; r <= 13; r += 4.5) {
        p.setPen(Pen(kBlue, 2.2));
        p.drawArc(QRectF(16 - r, 16 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
        p.drawArc(QRectF(16 - r, 16 - r, 2 * r, 2 * r), 210 * 16, 120 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(16, 16), 2.5, 2.5);
}

void Camera(QPainter& p, const QColor& colour)
{
    p.setPen(Pen(colour.darker(150), 1.4));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3, 10, 20, 13), 2, 2);
    QPainterPath lens;
    lens.moveTo(23, 14);
    lens.lineTo(29, 10);
    lens.lineTo(29, 23);
    lens.lineTo(23, 19);
    lens.closeSubpath();
    p.drawPath(lens);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 16.5), 3, 3);
}

void Virtual(QPainter& p)
{
    p.setPen(QPen(kViolet, 2.2, Qt::DashLine));
    p.setBrush(kViolet.lighter(175));
    p.drawEllipse(QPointF(16, 16), 12, 12);
    p.setPen(Pen(kViolet.darker(120), 2.4));
    p.drawPolyline(QPolygonF({QPointF(10, 11), QPointF(16, 22), QPointF(22, 11)}));
}

void Other(QPainter& p)
{
    p.setPen(Pen(kGrey.darker(140), 1.4));
    p.setBrush(kGrey.lighter(140));
    p.drawRoundedRect(QRectF(3, 6, 26, 20), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int x = 10; x <= 22; x += 6)
        p.drawEllipse(QPointF(x, 16), 2.2, 2.2);
}

void Audio(QPainter& p)
{
    QPainterPath speaker;
    speaker.moveTo(4, 12);
    speaker.lineTo(10, 12);
    speaker.lineTo(17, 6);
    speaker.lineTo(17, 26);
    speaker.lineTo(10, 20);
    speaker.lineTo(4, 20);
    speaker.closeSubpath();
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(kOrange);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(kOrange.darker(130), 2));
    p.drawArc(QRectF(14, 10, 8, 12), -60 * 16, 120 * 16);
    p.drawArc(QRectF(13, 6, 14, 20), -60 * 16, 120 * 16);
}

void Tampering(QPainter& p)
{
    Camera(p, kGrey);
    p.setPen(Pen(kRed, 3));
    p.drawLine(QPointF(5, 5), QPointF(27, 27));
}

void Temperature(QPainter& p)
{
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(13, 3, 6, 20), 3, 3);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(16, 24), 5, 5);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(14.6, 10, 2.8, 12));
}

void Draw(QPainter& p, int imageNumber)
{
    switch (imageNumber) {
    case 1:
        return Input(p, false);
    case 2:
        return Shield(p, kOrange, 3);
    case 3:
        return Shield(p, kGrey, 2);
    case 4:
        return Input(p, true);
    case 5:
        return Shield(p, kGreen, 1);
    case 6:
        return MotionWindow(p);
    case 7:
        return AnyMotion(p);
    case 8:
        return Shield(p, kRed, 0);
    case 9:
        return Camera(p, kBlue);
    case 10:
        return Virtual(p);
    case 11:
        return Other(p);
    case 12:
        return Audio(p);
    case 13:
        return Tampering(p);
    case 14:
        return Temperature(p);
    default:
        p.setPen(Pen(kGrey));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(6, 6, 20, 20));
    }
}

QIcon DrawnIcon(int imageNumber)
{
    QIcon icon;
    for (const int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        Draw(painter, imageNumber);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon RuleImages::SourceIcon(int imageNumber)
{
    static std::map<int, QIcon> cache;
    const auto found = cache.find(imageNumber);
    if (found != cache.end())
        return found->second;
    const QString file = AppPaths::Resource(QStringLiteral("images/source%1.png").arg(imageNumber));
    const QIcon icon = QFileInfo::exists(file) ? QIcon(file) : DrawnIcon(imageNumber);
    cache.emplace(imageNumber, icon);
    return icon;
}

QIcon RuleImages::ActionIcon(std::int32_t type)
{
    static std::map<std::int32_t, QIcon> cache;
    const auto found = cache.find(type);
    if (found != cache.end())
        return found->second;
    const QString file =
        AppPaths::Resource(QStringLiteral("report/%1.gif").arg(type, 2, 10, QLatin1Char('0')));
    const QIcon icon = QFileInfo::exists(file) ? QIcon(file) : DrawnIcon(0);
    cache.emplace(type, icon);
    return icon;
}

} // namespace kor

#include "app/ui/ImageSet.h"

#include "app/AppPaths.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kor {

namespace {

QPixmap Render(QSvgRenderer& picture, int size, double opacity)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setOpacity(opacity);
    picture.render(&painter);
    return pixmap;
}

// Drawn here rather than left to the icon engine, so that a disabled command fades as it always
// has, whatever style is in use.
QIcon BuiltIn(const QString& key)
{
    QString file = QStringLiteral(":/icons/%1.svg").arg(key);
    if (!QFileInfo::exists(file))
        file = QStringLiteral(":/icons/unknown.svg");
    QSvgRenderer picture(file);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(Render(picture, size, 1.0), QIcon::Normal);
        icon.addPixmap(Render(picture, size, 0.35), QIcon::Disabled);
    }
    return icon;
}

} // namespace

QIcon ImageSet::Icon(const QString& key)
{
    static QHash<QString, QIcon> cache;
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    QIcon icon;
    for (const char* extension : {".png", ".svg"}) {
        const QString path = AppPaths::Resource(QStringLiteral("images/") + key + QLatin1String(extension));
        if (icon.isNull() && QFileInfo::exists(path))
            icon = QIcon(path);
    }
    if (icon.isNull())
        icon = BuiltIn(key);
    cache.insert(key, icon);
    return icon;
}

} // namespace kor

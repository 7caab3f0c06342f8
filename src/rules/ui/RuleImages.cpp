#include "rules/ui/RuleImages.h"

#include "app/AppPaths.h"
#include "app/ui/ImageSet.h"

#include <QFileInfo>

namespace kor {

QIcon RuleImages::SourceIcon(int imageNumber)
{
    return ImageSet::Icon(QStringLiteral("source%1").arg(imageNumber));
}

QIcon RuleImages::ActionIcon(std::int32_t type)
{
    const QString file =
        AppPaths::Resource(QStringLiteral("report/%1.gif").arg(type, 2, 10, QLatin1Char('0')));
    return QFileInfo::exists(file) ? QIcon(file) : ImageSet::Icon(QStringLiteral("unknown"));
}

} // namespace kor

#include "app/ui/frmSkinAux.h"

#include "app/AppPaths.h"
#include "app/ui/ImageSet.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStyleFactory>

#include <algorithm>
#include <utility>
#include <vector>

namespace kor {

namespace {

QString ReadText(const QString& path, bool& ok)
{
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    return ok ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

frmSkinAux::frmSkinAux(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSkinAux"));
    setAttribute(Qt::WA_DontShowOnScreen);
}

frmSkinAux::~frmSkinAux()
{
    if (m_skinned)
        qApp->setStyleSheet(QString());
}

void frmSkinAux::Load()
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    if (QFileInfo::exists(AppPaths::Resource(QLatin1String(kSkinFileName))))
        LoadSkin(QLatin1String(kDefaultScheme));
}

bool frmSkinAux::LoadSkin(const QString& scheme)
{
    bool ok = false;
    const QString sheet = ReadText(AppPaths::Resource(QLatin1String(kSkinFileName)), ok);
    if (!ok)
        return false;
    bool schemeOk = false;
    const QString schemeText = ReadText(AppPaths::Resource(scheme), schemeOk);
    qApp->setStyleSheet(ApplyScheme(sheet, schemeOk ? schemeText : QString()));
    m_skinned = true;
    return true;
}

QIcon frmSkinAux::Icon(const QString& key)
{
    return ImageSet::Icon(key);
}

QString frmSkinAux::ApplyScheme(const QString& sheet, const QString& schemeText)
{
    std::vector<std::pair<QString, QString>> values;
    for (const QString& rawLine : schemeText.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char('[')) || eq <= 0)
            continue;
        values.emplace_back(QLatin1Char('@') + line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    // Longer keys first, so "@Back" does not eat the start of "@BackLight".
    std::sort(values.begin(), values.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    QString result = sheet;
    for (const auto& [key, value] : values)
        result.replace(key, value);
    return result;
}

} // namespace kor

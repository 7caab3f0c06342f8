#include "app/RefusedCharacter.h"

#include "app/Language.h"
#include "config/Cp1252.h"

namespace kor {

QString RefusedCharacterMessage(const QString& field, char32_t c)
{
    QString name;
    if (c == U'\r' || c == U'\n')
        name = LangText(1172);
    else if (c == 0)
        name = LangText(1173);
    else
        name = u'"' + QString::fromUcs4(&c, 1) + u'"';
    if (!IsCp1252Character(c)) {
        name += QStringLiteral(" (U+%1)").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
        return LangText(1171).arg(field, name);
    }
    return LangText(1170).arg(field, name);
}

} // namespace kor

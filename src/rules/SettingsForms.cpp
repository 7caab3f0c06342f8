#include "rules/SettingsForms.h"

#include "app/Language.h"
#include "config/Cp1252.h"
#include "config/ValueRules.h"

#include <algorithm>
#include <limits>

namespace kor {

QString FirstLineOf(const QString& text)
{
    const qsizetype lf = text.indexOf(u'\n');
    return lf < 0 ? QString() : text.left(lf + 1);
}

SpinnerRange BufferSpinnerRange(BufferField field, int stored)
{
    return {std::min(BufferMinimum(field), stored), std::max(BufferMaximum(field), stored)};
}

SpinnerOutcome BufferSpinnerChange(const BufferValues& shown, BufferField field, int value, int stored)
{
    const std::optional<int> settled = SettleBufferValue(shown, field, value);
    if (!settled)
        return {stored, std::nullopt};
    return {*settled, *settled != stored ? settled : std::nullopt};
}

std::optional<char32_t> RefusedSettingCharacter(const QString& text)
{
    return FirstRefusedCharacter(ValueKind::Line, text);
}

bool StoreTypedText(std::string& field, const QString& text)
{
    if (RefusedSettingCharacter(text))
        return false;
    std::string typed = ToCp1252(text);
    if (typed == field)
        return false;
    field = std::move(typed);
    return true;
}

bool BaseCodeTextAccepted(const QString& text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return text.isEmpty() || text.toInt() <= std::numeric_limits<std::int16_t>::max();
}

std::int16_t BaseCodeOf(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(value);
}

QString DetectorInputLabel(int input)
{
    return QStringLiteral("%1 %2:").arg(LangText(119)).arg(input + 1, 2, 10, QLatin1Char('0'));
}

bool StoreFlag(bool& flag, bool checked)
{
    if (flag == checked)
        return false;
    flag = checked;
    return true;
}

} // namespace kor

#include "rules/TimeField.h"

#include <QStringList>

#include <algorithm>
#include <tuple>

namespace kor {

namespace {

const QString kMidnight = QStringLiteral("00:00:00");

std::optional<TimeOfDay> ParseTime(const QString& text)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() != 2 && parts.size() != 3)
        return std::nullopt;
    int values[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part.size() > 2)
            return std::nullopt;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        values[i] = part.toInt();
    }
    if (values[0] > 23 || values[1] > 59 || values[2] > 59)
        return std::nullopt;
    return TimeOfDay{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
                     static_cast<std::uint8_t>(values[2])};
}

} // namespace

TimeTyping TypeTimeDigit(const QString& text, int caret, QChar digit)
{
    if (text.isEmpty())
        return {QString(digit), 1};
    int p = std::clamp(caret, 0, static_cast<int>(text.size()));
    if (p == 2 || p == 5)
        ++p;
    if (p >= text.size())
        p = static_cast<int>(text.size()) - 1;
    QString typed = text;
    typed[p] = digit;
    return {typed, p + 1};
}

QString LeaveTimeField(const QString& text)
{
    const std::optional<TimeOfDay> time = ParseTime(text);
    return time ? TimeText(*time) : kMidnight;
}

std::optional<TimeOfDay> ReadTimeField(const QString& text)
{
    return ParseTime(text);
}

QString TimeText(const TimeOfDay& time)
{
    return QStringLiteral("%1:%2:%3")
        .arg(time.Hour, 2, 10, QLatin1Char('0'))
        .arg(time.Minute, 2, 10, QLatin1Char('0'))
        .arg(time.Second, 2, 10, QLatin1Char('0'));
}

bool IsLater(const TimeOfDay& b, const TimeOfDay& a)
{
    return std::tie(b.Hour, b.Minute, b.Second) > std::tie(a.Hour, a.Minute, a.Second);
}

} // namespace kor

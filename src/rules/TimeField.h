#pragma once

#include "config/ConfigDocument.h"

#include <QString>

#include <optional>

namespace kor {

// The typing rules of the time table's "hh:mm:ss" fields.
struct TimeTyping
{
    QString Text;
    int Caret = 0;
};

// A digit typed at the caret overwrites one character in place, so the field keeps its length: a
// caret just before a colon skips it first, a caret at the end replaces the last character.
TimeTyping TypeTimeDigit(const QString& text, int caret, QChar digit);

// What a field holds once left: the text as "hh:mm:ss" when it reads as a time (h:m or h:m:s with
// one or two digits each); "00:00:00" when it does not, or when the hour is above 23 or the minute
// or second above 59.
QString LeaveTimeField(const QString& text);

// The time a field stands for, read as it is left; nothing when it does not read as a time of day.
std::optional<TimeOfDay> ReadTimeField(const QString& text);

// "hh:mm:ss" with two digits each.
QString TimeText(const TimeOfDay& time);

// Whether b is later in the day than a.
bool IsLater(const TimeOfDay& b, const TimeOfDay& a);

} // namespace kor

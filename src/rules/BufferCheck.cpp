#include "rules/BufferCheck.h"

namespace kor {

namespace {

int& FieldOf(BufferValues& values, BufferField field)
{
    switch (field) {
    case BufferField::Frames:
        return values.Frames;
    case BufferField::Seconds:
        return values.Seconds;
    case BufferField::BFrames:
        return values.BFrames;
    case BufferField::BSeconds:
        break;
    }
    return values.BSeconds;
}

} // namespace

BufferValues BufferValues::From(const GeneralSettings& general)
{
    return BufferValues{general.FS, general.FTM, general.FSB, general.FTMB};
}

int BufferMinimum(BufferField)
{
    return 1;
}

int BufferMaximum(BufferField field)
{
    return field == BufferField::Frames || field == BufferField::BFrames ? 4 : 10;
}

bool BufferCheckPasses(const BufferValues& values)
{
    const int preAlarm = values.Frames * values.Seconds;
    if (preAlarm > kMaxPreAlarmUnits)
        return false;
    return preAlarm + values.BFrames * values.BSeconds <= kMaxBufferUnits;
}

std::optional<int> SettleBufferValue(const BufferValues& others, BufferField field, int proposed)
{
    BufferValues values = others;
    for (int value = proposed; value >= BufferMinimum(field); --value) {
        FieldOf(values, field) = value;
        if (BufferCheckPasses(values))
            return value;
    }
    return std::nullopt;
}

void StoreBufferValue(GeneralSettings& general, BufferField field, int value)
{
    const auto byte = static_cast<std::uint8_t>(value);
    switch (field) {
    case BufferField::Frames:
        general.FS = byte;
        break;
    case BufferField::Seconds:
        general.FTM = byte;
        break;
    case BufferField::BFrames:
        general.FSB = byte;
        break;
    case BufferField::BSeconds:
        general.FTMB = byte;
        break;
    }
}

int BufferValue(const BufferValues& values, BufferField field)
{
    BufferValues copy = values;
    return FieldOf(copy, field);
}

} // namespace kor

#include "actions/RecordingAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <cstdint>

namespace kor {

std::string BuildRecordingParams(const RecordingAction& action)
{
    std::string params;
    if (action.OnPc) {
        AppendParam(params, "PC", action.PcAddress);
        AppendParam(params, "PA", action.PreAlarm ? "1" : "0");
        AppendParam(params, "FR", action.FrameRate);
        AppendParam(params, "TIME", action.Time);
    }
    if (action.Watermark)
        AppendParam(params, "WMK", action.WatermarkKey);
    return params;
}

RecordingAction LoadRecordingParams(std::string_view params)
{
    RecordingAction action;
    const std::string key = ReadParam(params, "WMK");
    if (!key.empty()) {
        action.Watermark = true;
        action.WatermarkKey = key;
    }
    const std::string pc = ReadParam(params, "PC");
    if (pc.empty())
        return action;
    action.OnPc = true;
    action.PcAddress = pc;
    std::int16_t rate = 0;
    if (ReadNumberAs(ReadParam(params, "FR"), rate) == NumberRead::Ok)
        action.FrameRate = DecimalText(rate);
    const std::string time = ReadParam(params, "TIME");
    if (!time.empty())
        action.Time = time;
    const std::optional<std::int64_t> preAlarm = ReadNumber(ReadParam(params, "PA"));
    action.PreAlarm = preAlarm && *preAlarm != 0;
    return action;
}

RecordingView RecordingViewOf(const RecordingAction& action)
{
    return RecordingView{action.OnPc, action.Watermark};
}

FormCheck CheckRecordingForm(const RecordingAction& action, std::string_view repeatedKey,
                             std::string_view description, const TypedOutside& typed)
{
    if (action.OnPc && IsEmptyAddress(action.PcAddress))
        return FormCheck::Refuse(LangTextId(824));
    if (action.WatermarkKey != repeatedKey)
        return FormCheck::Refuse(LangTextId(825));
    std::vector<StoredText> texts{{kDescriptionField, std::string(description)}};
    if (action.OnPc)
        texts.push_back({{"txtTime", LangTextId(1085), ValueKind::Param}, action.Time});
    if (action.Watermark)
        texts.push_back({{"txtWM", LangTextId(1088), ValueKind::Param}, action.WatermarkKey});
    return CheckStoredTexts(texts, typed);
}

} // namespace kor

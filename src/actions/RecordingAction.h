#pragma once

#include "actions/EditorForm.h"

#include <string>
#include <string_view>

namespace kor {

// The fields of a recording action (type 1): in the camera, or on a PC that receives the pictures
// (with frame rate, recording time and the pre-alarm pictures), optionally with a watermark.
struct RecordingAction
{
    bool OnPc = false; // false: recorded in the camera
    std::string PcAddress;
    bool PreAlarm = false;
    std::string FrameRate = "1";
    std::string Time = "10";
    bool Watermark = false;
    std::string WatermarkKey;

    bool operator==(const RecordingAction&) const = default;
};

// PC, PA, FR, TIME only for a PC recording; WMK only with a watermark. Recording in the camera
// without a watermark is an empty string.
std::string BuildRecordingParams(const RecordingAction& action);

// A non-empty WMK ticks the watermark; an empty PC means the camera (no address). For a PC: a FR
// that reads as a 16-bit number is shown as that number, anything else keeps the default; a
// non-empty TIME as stored; PA ticks the pre-alarm pictures when it reads as a number other
// than 0.
RecordingAction LoadRecordingParams(std::string_view params);

// ---- the editor's form --------------------------------------------------------------------
// The PC's fields (address, frame rate, time, pre-alarm) only for a PC; the two key boxes only
// with a watermark.
struct RecordingView
{
    bool PcFields = false;
    bool WatermarkFields = false;

    bool operator==(const RecordingView&) const = default;
};
RecordingView RecordingViewOf(const RecordingAction& action);
// The checks in their order: a PC recording needs the PC's address (text 824); the key typed
// twice must match (text 825), also without the watermark ticked, so a key typed wrong cannot
// hide. Then the characters of what is stored.
FormCheck CheckRecordingForm(const RecordingAction& action, std::string_view repeatedKey,
                             std::string_view description, const TypedOutside& typed);

} // namespace kor

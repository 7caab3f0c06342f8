#pragma once

#include "actions/EditorForm.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kor {

// The fields of an output activation action (type 0), as its editor shows them.
struct OutputAction
{
    // Output modes, stored as ON.
    enum Mode : std::uint8_t
    {
        Off = 0,
        On = 1,
        OnOff = 2, // timed: on, then off
        OffOn = 3, // timed: off, then on
    };
    static constexpr int OutputCount = 19; // list positions 0..18
    static constexpr int ArmOutput = 17;   // arm/disarm the detector: on or off only
    static constexpr int AlarmOutput = 18; // detector alarm: on only

    int Output = 0; // position in the output list, stored as DISP
    std::uint8_t Mode = On;
    std::string Duration = "0"; // digits; with the unit letter it forms TM
    int Unit = 0;               // 0 seconds, 1 minutes
    bool OtherDevice = false;   // the output belongs to the device addressed below
    std::string Ip;
    std::string Port = "80";
    std::string User;
    std::string Password;

    bool operator==(const OutputAction&) const = default;
};

// DISP, ON; IP, PORT, USR, PWD and an empty BRAND for another device; TM (the duration followed by
// the first character of unitText, the unit as shown) for a timed mode: on-off only with a
// duration above 0, off-on always.
std::string BuildOutputParams(const OutputAction& action, std::string_view unitText);

// The fields of a stored action. A missing or unreadable DISP opens output 0 (also one beyond the
// list); an ON other than 1, 2 or 3 opens mode off; the device fields are read only when IP is
// set; a TM is split into duration and unit (a last letter S or s is seconds, anything else
// minutes). Fields without a stored value keep the defaults of a new action.
OutputAction LoadOutputParams(std::string_view params);

// ---- the editor's form --------------------------------------------------------------------
// Which controls the fields leave enabled: the modes the chosen output allows, the duration with
// its unit for a timed mode, the device fields for another device's output.
struct OutputView
{
    bool OffMode = true;
    bool TimedModes = true;
    bool Duration = false;
    bool Device = false;

    bool operator==(const OutputView&) const = default;
};
OutputView OutputViewOf(const OutputAction& action);
// Choosing an output: the detector alarm can only be switched on; arming, never timed.
OutputAction ChooseOutput(OutputAction action, int position);
// A duration left blank becomes 0 when the field loses the focus.
std::string DurationLeft(std::string_view typed);
// No checks of its own: only the characters of what is stored (the device fields only for
// another device, the duration only when it is stored).
FormCheck CheckOutputForm(const OutputAction& action, std::string_view description,
                          const TypedOutside& typed);

} // namespace kor

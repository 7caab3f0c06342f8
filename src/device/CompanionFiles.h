#pragma once

#include "config/ConfigDocument.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kor {

// The values of the buffer file besides the general settings.
struct BufferConfigValues
{
    std::string PortText;
    std::string User;
    std::string Password;
    std::string Model;
};

// bufferd.conf: local web-server access, recording and mail settings, 17 LF-ended lines.
std::string BufferConfigText(const BufferConfigValues& values, const GeneralSettings& general);

// The home-preset results the home file is built from.
struct HomeChoice
{
    bool Continue = false;
    std::string HomePreset;
    double X = 0;
    double Y = 0;
    double Z = 0;
    bool Enabled = false;
};

// movetohomed.conf. Coordinates use a point separator whatever the locale.
std::string HomeConfigText(const HomeChoice& home);

// The task list for this configuration. deviceList is the device's current list (may be empty);
// on multi-channel models (channelCount >= 2) the entry pairs of other channels are kept from it,
// except pairs identical to one this configuration writes or to one already kept.
std::string TaskListText(const ConfigDocument& doc, int channelCount, int channel,
                         std::string_view deviceList);

// Whether the configuration uses a rule that needs a device task (inputs 50-69, motion windows
// 70-89, audio, tampering, temperature).
bool UsesDeviceTasks(const ConfigDocument& doc);

} // namespace kor

#pragma once

#include "device/RelaySettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kor {

// A stored camera position of the camera record.
struct StoredPosition
{
    std::string Nm;
    double X = 0;
    double Y = 0;
    double z = 0;
};

// What the device link reads of the camera record.
struct LinkCamera
{
    std::string DisplayName;
    std::string Address;
    std::int32_t Port = 80;
    std::string User;
    std::string Password;
    std::uint8_t Channel = 1;
    std::string Brand;
    std::string Model;
    std::uint64_t Mac = 0; // first six bytes significant, first byte lowest
    bool Positioning = false;
    std::vector<StoredPosition> Positions;
};

// What the device link reads of the model profile.
struct LinkModel
{
    std::int16_t ChannelCount = 1;
    std::string Folder;
    bool PerFirmwareFolder = false;
    bool InputOutput = false;
    std::int32_t CapabilityFlags = 0;
    bool InvertedOutput = false;
    std::int32_t PulseTime = 30;
    bool CgiBinLayout = false;
    std::string ProgramList;

    bool HasPositioningPresets() const { return (CapabilityFlags & 8) != 0; }
};

// The request forms of the device-access object: output, input and preset-list addresses.
struct LinkDeviceAccess
{
    std::string User; // the user name the device-access object holds
    std::string OutputPrefix = "/axis-cgi/io/output.cgi?action=1:";
    std::string InputPath = "/axis-cgi/io/input.cgi?check=1";
    std::string PresetListPath = "/axis-cgi/com/ptz.cgi?query=presetposall";
};

} // namespace kor

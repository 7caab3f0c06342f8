#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kor {

// A position stored with a camera record, read by the names Nm, X, Y and z.
struct CameraPosition
{
    std::string Nm;
    double X = 0;
    double Y = 0;
    double z = 0;
};

// One camera of the companion database. Texts are Windows-1252 bytes, as they go to the device.
struct CameraRecord
{
    std::int16_t Id = 0;
    std::string DisplayName;
    std::string IpAddress;
    std::int32_t Port = 80;
    std::string UserName;
    std::string Password;
    std::uint8_t Channel = 1;
    std::string Brand;
    std::string ModelName;
    // Eight bytes as the client keeps it; the first six are the address.
    std::array<std::uint8_t, 8> Mac{};
    // The camera can move to positions; for brand "AXIS" it is also asked for its own presets.
    bool PositioningSupport = false;
    std::vector<CameraPosition> Positions;
    // The site or group the camera belongs to; empty for none.
    std::string Group = {};
};

} // namespace kor

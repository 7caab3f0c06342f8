#pragma once

#include "outside/companion/CameraRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

class ClientConnection;

// The camera records of the companion database. Each function returns true on failure and says
// why in error; a change either happens completely or not at all.
class CameraTable
{
public:
    static bool List(const ClientConnection& connection, std::vector<CameraRecord>& cameras,
                     std::string* error);
    // found is false (and the result false) when no camera has that identifier.
    static bool Find(const ClientConnection& connection, std::int16_t id, CameraRecord& camera, bool& found,
                     std::string* error);
    // Adds a camera with its stored positions; an identifier already in use is a failure.
    static bool Add(const ClientConnection& connection, const CameraRecord& camera, std::string* error);
    // Replaces the record of camera.Id, stored positions included; an unknown identifier is a
    // failure.
    static bool Update(const ClientConnection& connection, const CameraRecord& camera, std::string* error);
    // Removes a camera and its stored positions; an unknown identifier is a failure.
    static bool Remove(const ClientConnection& connection, std::int16_t id, std::string* error);

    // "AA:BB:CC:DD:EE:FF" (hex digits of either case) into the eight-byte value; nothing when malformed.
    static std::optional<std::array<std::uint8_t, 8>> ParseMac(std::string_view text);
    // The six significant bytes as upper-case hex pairs joined by ":".
    static std::string MacText(const std::array<std::uint8_t, 8>& mac);
};

} // namespace kor

#pragma once

#include "outside/companion/CameraRecord.h"

#include "config/Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

class ClientConnection;

// The camera records of the companion database. A change either happens completely or not at all.
class CameraTable
{
public:
    static Result<std::vector<CameraRecord>> List(const ClientConnection& connection);
    // An empty value when no camera has that identifier.
    static Result<std::optional<CameraRecord>> Find(const ClientConnection& connection, std::int16_t id);
    // Adds a camera with its stored positions; an identifier already in use is a failure.
    static Status Add(const ClientConnection& connection, const CameraRecord& camera);
    // Replaces the record of camera.Id, stored positions included; an unknown identifier is a
    // failure.
    static Status Update(const ClientConnection& connection, const CameraRecord& camera);
    // Removes a camera and its stored positions; an unknown identifier is a failure.
    static Status Remove(const ClientConnection& connection, std::int16_t id);

    // "AA:BB:CC:DD:EE:FF" (hex digits of either case) into the eight-byte value; nothing when malformed.
    static std::optional<std::array<std::uint8_t, 8>> ParseMac(std::string_view text);
    // The six significant bytes as upper-case hex pairs joined by ":".
    static std::string MacText(const std::array<std::uint8_t, 8>& mac);
};

} // namespace kor

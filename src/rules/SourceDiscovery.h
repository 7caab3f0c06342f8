#pragma once

#include "device/DeviceTarget.h"
#include "rules/EventCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace kor {

class HttpClient;

// What the catalogue's device questions are addressed with: the camera record, whether the
// device-access object holds a user name (then the credentials are written), and the model's
// channel count with the camera's channel (which motion windows belong to this camera).
struct DiscoveryTarget
{
    DeviceTarget Camera;
    bool DeviceUserNotEmpty = false;
    int ChannelCount = 1;
    int Channel = 1;
};

struct DiscoveryResult
{
    std::vector<SourceItem> Items;
    // A question failed (no answer, an error answer): the items found before it stay.
    bool Failed = false;
    std::string ErrorText; // without credentials
};

// The motion windows of a parameter-list reply of the Motion group: device windows 0..18, shown
// as numbers 1..19 with their names. On a model of two or more channels a window is taken only
// when the line after its name gives this camera's image source (channel - 1).
std::vector<SourceItem> MotionWindowItems(std::string_view reply, int channelCount, int channel);

// The parameter-list questions of a kind: one for SDMC, three for OTHC (audio, tampering,
// temperature), none for the others.
std::vector<std::string> DiscoveryPaths(std::string_view code);

// The item that a reply to the OTHC question number i (0, 1, 2) offers, if any.
std::vector<SourceItem> OtherSourceItems(int question, std::string_view reply);

// Asks the device for the sources of an SDMC or OTHC kind (blocking; run it on the worker thread).
// Only the device-found items are returned: SDMC12 comes from FixedSources.
DiscoveryResult DiscoverSources(std::string_view code, HttpClient& http, const DiscoveryTarget& target);

} // namespace kor

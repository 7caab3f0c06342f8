#include "PulseDecoder.h"

#include <charconv>

namespace kor::devicesim {

namespace {

constexpr std::string_view kPatternA = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30/30\\";
constexpr std::string_view kPatternB = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30\\30\\";
constexpr std::string_view kCodeHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30\\30/30/30\\700/30";
constexpr std::string_view kSensorHeader =
    "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30/30\\700/30\\30\\30";
constexpr std::string_view kMaskHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30\\30\\700/30";

// Reads "/30" (true) or "\30" (false) at the front of the text.
bool TakeBit(std::string_view& text, bool& bit)
{
    if (text.starts_with("/30")) {
        bit = true;
    } else if (text.starts_with("\\30")) {
        bit = false;
    } else {
        return false;
    }
    text.remove_prefix(3);
    return true;
}

} // namespace

bool NormalisePattern(std::string_view sent, bool invertedOutput, int pulseTime, std::string& normalised)
{
    normalised.clear();
    std::size_t i = 0;
    while (i < sent.size()) {
        const char c = sent[i];
        if (c == '/' || c == '\\') {
            const bool on = (c == '/') != invertedOutput;
            normalised.push_back(on ? '/' : '\\');
            ++i;
            continue;
        }
        if (c < '0' || c > '9') {
            return false;
        }
        std::size_t end = i;
        while (end < sent.size() && sent[end] >= '0' && sent[end] <= '9') {
            ++end;
        }
        int number = 0;
        const auto result = std::from_chars(sent.data() + i, sent.data() + end, number);
        if (result.ec != std::errc()) {
            return false;
        }
        if (number == pulseTime) {
            normalised += "30";
        } else if (number == 700) {
            normalised += "700";
        } else {
            return false;
        }
        i = end;
    }
    return true;
}

PulseDecode DecodePulsePattern(std::string_view sent, bool invertedOutput, int pulseTime)
{
    PulseDecode decode;
    std::string text;
    if (!NormalisePattern(sent, invertedOutput, pulseTime, text)) {
        return decode;
    }
    if (text == kPatternA) {
        decode.kind = PulseDecode::Kind::PatternA;
        return decode;
    }
    if (text == kPatternB) {
        decode.kind = PulseDecode::Kind::PatternB;
        return decode;
    }
    std::string_view rest = text;
    if (rest.starts_with(kCodeHeader)) {
        rest.remove_prefix(kCodeHeader.size());
        int code = 0;
        for (int b = 0; b < 6; ++b) {
            bool bit = false;
            if (!TakeBit(rest, bit)) {
                return decode;
            }
            code = code * 2 + (bit ? 1 : 0);
        }
        if (rest == "\\") {
            decode.kind = PulseDecode::Kind::Code;
            decode.code = code;
        }
        return decode;
    }
    if (rest.starts_with(kSensorHeader)) {
        rest.remove_prefix(kSensorHeader.size());
        int sensor = 0;
        for (int b = 0; b < 3; ++b) {
            bool bit = false;
            if (!TakeBit(rest, bit)) {
                return decode;
            }
            sensor = sensor * 2 + (bit ? 1 : 0);
        }
        if (rest == "/30\\" || rest == "\\30\\") {
            decode.kind = PulseDecode::Kind::Sensor;
            decode.sensor = sensor;
            decode.sensorFlag = rest.front() == '/';
        }
        return decode;
    }
    if (rest.starts_with(kMaskHeader)) {
        rest.remove_prefix(kMaskHeader.size());
        std::array<bool, 6> mask{};
        // MSK(5) comes first; a set flag is sent as the low level.
        for (int m = 5; m >= 0; --m) {
            bool high = false;
            if (!TakeBit(rest, high)) {
                return decode;
            }
            mask[static_cast<std::size_t>(m)] = !high;
        }
        if (rest == "\\") {
            decode.kind = PulseDecode::Kind::Mask;
            decode.mask = mask;
        }
        return decode;
    }
    return decode;
}

const char* PulseKindName(PulseDecode::Kind kind)
{
    switch (kind) {
    case PulseDecode::Kind::PatternA:
        return "A";
    case PulseDecode::Kind::PatternB:
        return "B";
    case PulseDecode::Kind::Code:
        return "code";
    case PulseDecode::Kind::Sensor:
        return "sensor";
    case PulseDecode::Kind::Mask:
        return "mask";
    case PulseDecode::Kind::Unknown:
        break;
    }
    return "unknown";
}

} // namespace kor::devicesim

#pragma once

#include <QIcon>

#include <cstdint>

namespace kor {

// The images of the rule-editing screens.
class RuleImages
{
public:
    // Image numbers 1..14 of the event source catalogue (inputs, detector events, motion, camera
    // events, virtual inputs, other sources, audio, tampering, temperature): the pictures
    // "source<n>" of the image set.
    static QIcon SourceIcon(int imageNumber);
    // The image of an action type 0..9: the report's action image.
    static QIcon ActionIcon(std::int32_t type);
};

} // namespace kor

#pragma once

#include <cstdint>
#include <string>

namespace kor {

// One camera model's profile in the companion database. Texts are Windows-1252 bytes.
struct ModelRecord
{
    std::string Brand = "AXIS";
    std::string ModelName;
    std::int16_t ChannelCount = 1;
    // Folder of the model's application files under the resources' Data/.
    std::string ModelFolderName;
    // The application files differ per firmware release: Data/<folder>/<release>/.
    bool PerFirmwareFolder = false;
    // The model has the output and input the detector loop is wired to.
    bool InputOutput = false;
    // Bit values 1..256 enable the action types 0..8; 8 also marks positioning presets.
    std::uint32_t CapabilityFlags = 0;
    std::int16_t CameraEventCount = 0;
    // The output is wired inverted: the pulse patterns swap their two levels.
    bool InvertedOutput = false;
    // Pulse step in milliseconds replacing the patterns' 30.
    std::int32_t PulseTime = 30;
    // The CGI programs live in their own tree (Data/<folder>/a programs, Data/<folder>/b CGI programs).
    bool CgiBinLayout = false;
    // Program names separated by "#"; a name starting with "@" is started once per channel.
    std::string ProgramList;
};

} // namespace kor

#pragma once

#include "config/Result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kor {

// The program-wide start values handed over by the companion client on the command line.
struct StartValues
{
    bool RemoteMode = false;
    std::string RelayHost;
    std::int32_t RelayDataPort = 900;
    std::string RelayPwd;
    bool RelayEnabled = false;
    std::int32_t RelayPort = 901;
    std::int32_t CameraId = 0;
};

// Parses the whole command line (Windows-1252 bytes), "$"-separated pieces of "#"-separated fields:
// REMOTE#-#host#dataport#password#enabled#port and CAMID#id; other pieces are ignored, the first
// field is compared in upper case. values starts from the defaults. Fails when a number field does
// not read as a number (an empty or missing one included) or does not fit 32 bits: the start-up then
// fails, and the reason says which field, for standard error. The relay password never appears in it.
Status ApplyStartCommandLine(std::string_view commandLine, StartValues& values);

} // namespace kor

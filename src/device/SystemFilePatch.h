#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kor {

struct InittabOptions
{
    std::string ProgramList; // names separated by "#"; "@name" runs once per channel
    int ChannelCount = 1;
    bool HomeWanted = false;
};

// The start-up table without the application block (everything from the last "#v-sencamCLIENT"
// marker on) and, unless strip is set, with a fresh block appended. Uncommented pppwrapper lines
// get "once" instead of "respawn". A last line without line end is kept; it gets one only when the
// block follows it.
std::string PatchInittab(std::string_view inittab, const InittabOptions& options, bool strip);

struct BoaOptions
{
    bool CgiBinLayout = false;
    std::string Brand;
};

// The web-server configuration with the application's block: the lines after the first
// "#V-SENCONF" marker rewritten (missing ones appended when the marker sits near the end), the
// access block before the first AuthPath line, the output CGI's Transfer line commented out, and
// for "CANON" the transfer block. Missing blocks are appended.
std::string PatchBoaConf(std::string_view boaConf, const BoaOptions& options);

// Splits a text into lines that keep their LF; a last line without LF is kept as it is.
std::vector<std::string> SplitLinesKeepEnds(std::string_view text);

} // namespace kor

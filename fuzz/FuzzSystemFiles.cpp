#include "device/SystemFilePatch.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The camera's inittab and boa.conf as fetched over FTP.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    kor::InittabOptions inittab;
    inittab.ProgramList = "alarmappd#@chanrecd#movetohomed";
    inittab.ChannelCount = 1 + flags % 4;
    inittab.HomeWanted = flags & 0x10;
    const std::string stripped = kor::PatchInittab(text, inittab, true);
    const std::string patched = kor::PatchInittab(text, inittab, false);
    if (stripped.size() > text.size() || patched.find("#v-sencamCLIENT\n") == std::string::npos)
        __builtin_trap();
    // Patching the patched table again gives the same table.
    if (kor::PatchInittab(patched, inittab, false) != patched)
        __builtin_trap();

    kor::BoaOptions boa;
    boa.CgiBinLayout = flags & 0x20;
    boa.Brand = flags & 0x40 ? "CANON" : "AXIS";
    const std::string conf = kor::PatchBoaConf(text, boa);
    if (conf.find("ScriptAlias /cgi-bin/recordings/") == std::string::npos)
        __builtin_trap();
    return 0;
}

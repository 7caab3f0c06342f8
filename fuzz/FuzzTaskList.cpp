#include "device/CompanionFiles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The device's current task list, merged into the one this configuration writes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    kor::ConfigDocument doc;
    kor::ActionRecord action;
    action.Name = "a";
    for (int rule : {50 + data[0] % 20, 70 + data[0] % 20, 100 + data[0] % 3})
        doc.AddAction(rule, action);
    const std::string_view list(reinterpret_cast<const char*>(data + 1), size - 1);
    const int channel = 1 + data[0] % 4;
    const std::string text = kor::TaskListText(doc, 4, channel, list);
    if (text.rfind("#BOH\n", 0) != 0)
        __builtin_trap();
    // Merging a list into itself changes nothing.
    if (kor::TaskListText(doc, 4, channel, text) != text)
        __builtin_trap();
    (void)kor::TaskListText(kor::ConfigDocument(), 1, 1, list);
    return 0;
}

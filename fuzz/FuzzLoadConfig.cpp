#include "config/ConfigText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes as a configuration text: the parser must neither crash nor read out of range, and what
// it loaded must write back and load again to the same document.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kor::ConfigDocument doc;
    doc.ResetConfig();
    kor::ParseConfigText(doc, text);

    kor::GeneralSettings general;
    static_cast<void>(kor::ParseGetConfigText(general, text));

    const std::string project = kor::BuildProjectText(doc);
    kor::ConfigDocument again;
    again.ResetConfig();
    kor::ParseConfigText(again, project);
    (void)kor::BuildAlarmAppText(again, kor::DeviceLine{});
    return 0;
}

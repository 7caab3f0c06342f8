#pragma once

#include <cstdint>

namespace kor {

// What the framework knows of each action type's editor: its screen's class name, window title
// and the default description of a new action (language texts; 0 = none).
struct ActionEditorInfo
{
    std::int32_t Type;
    const char* ScreenName;
    int TitleText;
    int DefaultDescription;
};

// The editor of a type 0..9; nullptr for any other type.
const ActionEditorInfo* ActionEditorInfoOf(std::int32_t type);

} // namespace kor

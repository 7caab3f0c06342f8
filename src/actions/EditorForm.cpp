#include "actions/EditorForm.h"

namespace kor {

bool KeyAccepted(KeyFilter filter, char32_t typed)
{
    if (filter == KeyFilter::Any || typed == U'\b' || (typed >= U'0' && typed <= U'9'))
        return true;
    return filter == KeyFilter::DigitsAndBlank && typed == U' ';
}

FormCheck CheckStoredTexts(std::span<const StoredText> texts, const TypedOutside& typed)
{
    for (const StoredText& text : texts) {
        if (const auto outside = typed.find(std::string_view(text.Field.Name)); outside != typed.end())
            return FormCheck::RefuseCharacter(text.Field.Caption, outside->second);
        if (const std::optional<char> refused = FirstRefusedByte(text.Field.Kind, text.Value))
            return FormCheck::RefuseCharacter(text.Field.Caption, static_cast<unsigned char>(*refused));
    }
    return FormCheck::Store();
}

TimeTableButton TimeTableButtonOf(bool storedAction, bool loaded)
{
    if (!storedAction)
        return {false, LangTextId(1305)};
    return {loaded, 0};
}

bool IsEmptyAddress(std::string_view dotted)
{
    const std::size_t first = dotted.find_first_not_of(" \t");
    return first == std::string_view::npos || dotted == "0.0.0.0";
}

} // namespace kor

#include "app/ReportTemplate.h"

namespace kor {

namespace {

struct Marker
{
    std::string_view Text;
    int Block;
    bool Start;
};

constexpr Marker kMarkers[] = {
    {"<!--SS-->", 1, true},  {"<!--SE-->", 1, false},  {"<!--AHS-->", 2, true}, {"<!--AHE-->", 2, false},
    {"<!--TTS-->", 3, true}, {"<!--TTE-->", 3, false}, {"<!--ASS-->", 4, true}, {"<!--ASE-->", 4, false},
    {"<!--ABS-->", 5, true}, {"<!--ABE-->", 5, false}, {"<!--CGS-->", 6, true}, {"<!--CGE-->", 6, false},
    {"<!--IHS-->", 7, true}, {"<!--IHE-->", 7, false}, {"<!--IS-->", 8, true},  {"<!--IE-->", 8, false},
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The marker a line starts with: its first ten characters after leading blanks, without
// trailing blanks and line-end characters.
const Marker* LineMarker(std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    std::string_view head = line.substr(start, 10);
    while (!head.empty() && (IsBlank(head.back()) || head.back() == '\r' || head.back() == '\n'))
        head.remove_suffix(1);
    if (head.size() < 9 || head.substr(0, 4) != "<!--")
        return nullptr;
    for (const Marker& marker : kMarkers) {
        if (marker.Text == head)
            return &marker;
    }
    return nullptr;
}

bool IsSectionStart(int block, ReportSection& section)
{
    switch (block) {
    case 1:
        section = ReportSection::Rules;
        return true;
    case 6:
        section = ReportSection::General;
        return true;
    case 7:
        section = ReportSection::Detector;
        return true;
    default:
        return false;
    }
}

} // namespace

ReportTemplate ReadReportTemplate(std::string_view bytes)
{
    ReportTemplate tpl;
    int block = 0; // 0: no block is current
    int gap = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end;
        if (const Marker* marker = LineMarker(line)) {
            if (marker->Start) {
                block = marker->Block;
                ReportSection section;
                if (IsSectionStart(block, section) && tpl.Sections.size() < ReportTemplate::MaxSections)
                    tpl.Sections.push_back(section);
                if (block == 8)
                    gap = 8;
            } else {
                block = 0;
                gap = marker->Block;
            }
        }
        (block != 0 ? tpl.Blocks[static_cast<std::size_t>(block)] : tpl.Gaps[static_cast<std::size_t>(gap)])
            .append(line);
    }
    return tpl;
}

} // namespace kor

#include "device/FtpReply.h"

#include <vector>

namespace kor {

namespace {

constexpr std::size_t kMaxLoggedText = 300;

bool StartsWithCode(std::string_view line)
{
    return line.size() >= 4 && line[0] >= '0' && line[0] <= '9' && line[1] >= '0' && line[1] <= '9' &&
           line[2] >= '0' && line[2] <= '9';
}

// The lines of the text without their line ends; empty lines dropped.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.remove_suffix(1);
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

} // namespace

std::string_view LastFtpReply(std::string_view answers)
{
    const std::vector<std::string_view> lines = Lines(answers);
    if (lines.empty())
        return {};
    // Read from the start: inside a multi-line reply a line may begin with any digits, and only
    // the line with the opening code and a blank ends it.
    std::size_t first = 0;
    std::string_view open;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (open.empty()) {
            first = i;
            if (StartsWithCode(line) && line[3] == '-')
                open = line.substr(0, 3);
        } else if (StartsWithCode(line) && line.substr(0, 3) == open && line[3] == ' ') {
            open = {};
        }
    }
    const std::string_view last = lines.back();
    const std::size_t begin = static_cast<std::size_t>(lines[first].data() - answers.data());
    const std::size_t end = static_cast<std::size_t>(last.data() + last.size() - answers.data());
    return answers.substr(begin, end - begin);
}

bool FtpAskedForPassword(std::string_view answers)
{
    for (const std::string_view line : Lines(LastFtpReply(answers))) {
        if (line.starts_with("331 "))
            return true;
    }
    return false;
}

std::string FtpErrorText(int code, std::string_view answers, std::string_view transportError)
{
    std::string text;
    int shown = code;
    const std::vector<std::string_view> lines = Lines(LastFtpReply(answers));
    if ((code >= 400 || transportError.empty()) && !lines.empty()) {
        std::string_view line = lines.back();
        if (StartsWithCode(line) && (line[3] == ' ' || line[3] == '-'))
            line.remove_prefix(4);
        text = line;
    } else {
        shown = 0;
        text = transportError;
    }
    if (text.size() > kMaxLoggedText)
        text = text.substr(0, kMaxLoggedText) + "...";
    return "Error:" + std::to_string(shown) + " " + text;
}

} // namespace kor

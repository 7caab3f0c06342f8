#include "device/CompanionFiles.h"

#include "config/TextNumber.h"

#include <utility>
#include <vector>

namespace kor {

namespace {

std::string StripCr(std::string_view line)
{
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return std::string(line);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (true) {
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos) {
            if (pos < text.size() || lines.empty())
                lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, lf - pos));
        pos = lf + 1;
    }
    return lines;
}

bool AnyUsed(const ConfigDocument& doc, int first, int last)
{
    for (int r = first; r <= last; ++r) {
        if (doc.IsRuleUsed(r))
            return true;
    }
    return false;
}

using Pair = std::pair<std::string, std::string>;

std::vector<Pair> OwnPairs(const ConfigDocument& doc, bool multi, const std::string& ch)
{
    std::vector<Pair> pairs;
    const std::string handler = ")) immune % /mnt/flash/bin/forcelocal : ";
    auto add = [&](int rule, const std::string& event) {
        const std::string i = DecimalText(rule);
        if (multi)
            pairs.emplace_back("#" + ch + ":" + i, "pattern((" + event + handler + ch + " " + i + ";");
        else
            pairs.emplace_back("#C1:" + i, "pattern((" + event + handler + i + ";");
    };
    for (int i = 50; i <= 69; ++i) {
        if (doc.IsRuleUsed(i))
            add(i, "IO" + DecimalText(i - 50) + ":/");
    }
    for (int i = 70; i <= 89; ++i) {
        if (doc.IsRuleUsed(i))
            add(i, "M" + DecimalText(i - 70) + ":H");
    }
    static const char* const kOthers[] = {"A0:/", "T0:/", "TEMP0:/"};
    for (int i = 100; i <= 102; ++i) {
        if (doc.IsRuleUsed(i)) {
            const std::string n = DecimalText(i);
            pairs.emplace_back("#C1:" + n, std::string("pattern((") + kOthers[i - 100] + handler + n + ";");
        }
    }
    return pairs;
}

bool Contains(const std::vector<Pair>& pairs, const Pair& p)
{
    for (const Pair& q : pairs) {
        if (q == p)
            return true;
    }
    return false;
}

} // namespace

std::string BufferConfigText(const BufferConfigValues& v, const GeneralSettings& g)
{
    std::string model;
    for (char c : v.Model) {
        if (c != ' ')
            model.push_back(c);
    }
    const std::string lines[] = {"127.0.0.1",
                                 v.PortText,
                                 v.User,
                                 v.Password,
                                 DecimalText(g.FTM),
                                 DecimalText(g.FS),
                                 DecimalText(g.FTMB),
                                 DecimalText(g.FSB),
                                 model,
                                 g.SMTPH,
                                 g.SMTPP,
                                 g.SNDADDR,
                                 g.RPLYADDR,
                                 g.CIDHEAD,
                                 g.CLIENTNUM,
                                 g.CRAIP,
                                 g.CRAPORT};
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string HomeConfigText(const HomeChoice& home)
{
    std::string text = home.Enabled ? "1\n" : "0\n";
    if (home.HomePreset.empty())
        text += DecimalPointText(home.X) + "\n" + DecimalPointText(home.Y) + "\n" + DecimalPointText(home.Z) +
                "\n";
    else
        text += "PRESET=" + home.HomePreset + "\n";
    text += "30\n";
    return text;
}

std::string TaskListText(const ConfigDocument& doc, int channelCount, int channel,
                         std::string_view deviceList)
{
    const bool multi = channelCount >= 2;
    const std::string ch = DecimalText(channel);

    std::string header = "#BOH\n";
    if (AnyUsed(doc, 70, 89))
        header +=
            "once immune % /bin/sockclient : -message \"START Veltrix\" /var/run/motion/requestsocket;\n";
    if (doc.IsRuleUsed(100))
        header += "once immune % /bin/sockclient : -message \"START Veltrix\" /var/run/audio/eventsocket;\n";
    if (doc.IsRuleUsed(101) || doc.IsRuleUsed(102))
        header +=
            "once immune % /bin/sockclient : -message \"START Veltrix\" /var/run/tampering/requestsocket;\n";
    header += "#EOH\n";

    const std::vector<Pair> own = OwnPairs(doc, multi, ch);
    std::vector<Pair> kept;
    const std::vector<std::string> lines = SplitLines(deviceList);
    if (multi && !lines.empty() && StripCr(lines[0]) == "#BOH") {
        std::size_t i = 0;
        while (i < lines.size() && StripCr(lines[i]) != "#EOH")
            ++i;
        for (i += 1; i + 1 < lines.size(); i += 2) {
            const std::string entry = StripCr(lines[i]);
            const std::size_t colon = entry.find(':');
            if (colon == std::string::npos)
                break;
            // The entry's channel is compared as text: "#C1:100" never names channel 1.
            if (entry.substr(1, colon - 1) == ch)
                continue;
            Pair pair(entry, StripCr(lines[i + 1]));
            if (!Contains(own, pair) && !Contains(kept, pair))
                kept.push_back(std::move(pair));
        }
    }
    if (kept.empty() && own.empty())
        return "#NOACTIONS";
    std::string text = header;
    for (const auto& list : {kept, own}) {
        for (const Pair& p : list)
            text += p.first + "\n" + p.second + "\n";
    }
    return text;
}

bool UsesDeviceTasks(const ConfigDocument& doc)
{
    return AnyUsed(doc, 50, 89) || AnyUsed(doc, 100, 102);
}

} // namespace kor

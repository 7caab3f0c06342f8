#include "device/SystemFilePatch.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"
#include "device/FirmwareRelease.h"

namespace kor {

namespace {

bool Has(std::string_view line, std::string_view what)
{
    return FindNoCase(line, what) != std::string_view::npos;
}

void AppendLine(std::string& out, std::string_view line)
{
    if (!out.empty() && out.back() != '\n')
        out.push_back('\n');
    out += line;
    out.push_back('\n');
}

bool SameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && FindNoCase(a, b) == 0;
}

std::vector<std::string> MainBlockBody(const BoaOptions& o)
{
    std::vector<std::string> lines = {"Alias /recordings/ /tmp/html/recordings/"};
    if (o.CgiBinLayout) {
        lines.emplace_back("ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/cgi-bin/recordings/");
    } else {
        lines.emplace_back("ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/");
        lines.emplace_back(o.Brand == "CANON"
                               ? "ScriptAlias /cgi-bin/io/output.cgi /mnt/flash/bin/ipnio.cgi"
                               : "ScriptAlias /axis-cgi/io/output.cgi /mnt/flash/bin/ipnio.cgi");
    }
    return lines;
}

const std::vector<std::string>& AccessBlock()
{
    static const std::vector<std::string> lines = {
        "#V-SENCONFAUTH ",
        "AuthPath /cgi-bin/recordings/        axadmin",
        "AuthPath /mnt/flash/bin/ipnio.cgi     axview",
        "AuthPath /mnt/flash/bin/     axadmin",
    };
    return lines;
}

const std::vector<std::string>& TransferBody()
{
    static const std::vector<std::string> lines = {
        "Transfer /-vb\t/tmp/alarmsocket",
        "Transfer /-wvhttp-01-/GetOneShot\t/tmp/ipncamdsocket",
        "Transfer /-wv\t/tmp/webviewsocket",
        "Transfer /admin/-set-\t/tmp/webviewsocket",
        "TransferKeepAlive /-wv",
    };
    return lines;
}

std::string_view WithoutLeadingBlanks(std::string_view line)
{
    const auto first = line.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

} // namespace

std::vector<std::string> SplitLinesKeepEnds(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

std::string PatchInittab(std::string_view inittab, const InittabOptions& options, bool strip)
{
    std::vector<std::string> lines = SplitLinesKeepEnds(inittab);
    std::size_t marker = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (!line.starts_with('#') && Has(line, "pppwrapper"))
            line = ReplaceAll("respawn", "once", line);
        else if (Has(line, "#v-sencamCLIENT"))
            marker = i;
    }
    std::string out;
    for (std::size_t i = 0; i < marker; ++i)
        out += lines[i];
    if (strip)
        return out;

    AppendLine(out, "#v-sencamCLIENT");
    std::string_view list = options.ProgramList;
    while (!list.empty()) {
        const std::size_t hash = list.find('#');
        const std::string_view name = list.substr(0, hash);
        list = hash == std::string_view::npos ? std::string_view() : list.substr(hash + 1);
        if (name.empty())
            continue; // "a##b" or a trailing "#" names no program
        if (name.starts_with('@')) {
            const std::string m(name.substr(1));
            for (int k = 1; k <= options.ChannelCount; ++k) {
                const std::string kt = DecimalText(k);
                out += m + kt + ":3:respawn:/mnt/flash/bin/" + m + " " + kt + "\n";
            }
        } else if (options.HomeWanted || !SameNoCase(name, "movetohomed")) {
            const std::string n(name);
            out += n + ":3:respawn:/mnt/flash/bin/" + n + "\n";
        }
    }
    return out;
}

std::string PatchBoaConf(std::string_view boaConf, const BoaOptions& options)
{
    const bool canon = options.Brand == "CANON";
    const std::vector<std::string> lines = SplitLinesKeepEnds(boaConf);
    bool mainPresent = false;
    bool accessPresent = false;
    bool transferPresent = false;
    std::string out;
    // Writes the marker line, then the replacement lines in place of the next `body.size()` lines.
    auto replaceAfter = [&](std::size_t& i, const std::vector<std::string>& body) {
        out += lines[i];
        for (const std::string& b : body)
            AppendLine(out, b);
        i += body.size();
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (canon && Has(line, "## VB-C10 TRANSFER")) {
            transferPresent = true;
            replaceAfter(i, TransferBody());
            continue;
        }
        if (!mainPresent && Has(line, "#V-SENCONF") && !Has(line, "#V-SENCONFAUTH")) {
            mainPresent = true;
            replaceAfter(i, MainBlockBody(options));
            continue;
        }
        if (!options.CgiBinLayout && !accessPresent) {
            if (Has(line, "#V-SENCONFAUTH")) {
                accessPresent = true;
            } else if (FindNoCase(WithoutLeadingBlanks(line), "AUTHPATH") == 0) {
                for (const std::string& a : AccessBlock())
                    AppendLine(out, a);
                accessPresent = true;
            }
        }
        if (!options.CgiBinLayout && Has(line, "/axis-cgi/io/output.cgi") && Has(line, "Transfer") &&
            !line.starts_with('#'))
            line = "#" + line;
        out += line;
    }
    if (!mainPresent) {
        AppendLine(out, "#V-SENCONF");
        for (const std::string& b : MainBlockBody(options))
            AppendLine(out, b);
    }
    if (canon && !transferPresent) {
        AppendLine(out, "## VB-C10 TRANSFER");
        for (const std::string& t : TransferBody())
            AppendLine(out, t);
    }
    return out;
}

} // namespace kor

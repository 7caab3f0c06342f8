#include "cli/CliValues.h"

#include "cli/CliText.h"

#include "config/TextNumber.h"

#include <algorithm>
#include <optional>
#include <set>

namespace kor::cli {

Status NumberOption(const Invocation& inv, const std::string& name, std::int64_t min, std::int64_t max,
                    std::int64_t& out)
{
    const std::string text = inv.Value(name);
    std::int64_t value = 0;
    const NumberRead read = ReadNumberAs<std::int64_t>(text, value);
    if (read != NumberRead::Ok || value < min || value > max)
        return Status::Fail("--" + name + " " + text + ": " +
                            (read == NumberRead::NotNumber ? std::string("not a whole number")
                                                           : "out of range (" + std::to_string(min) + " to " +
                                                                 std::to_string(max) + ")"));
    out = value;
    return Status::Ok();
}

Status FlagOption(const Invocation& inv, const std::string& name, bool fallback, bool& out)
{
    if (!inv.Has(name)) {
        out = fallback;
        return Status::Ok();
    }
    const std::string text = inv.Value(name);
    if (text != "0" && text != "1")
        return Status::Fail("--" + name + " takes 0 or 1");
    out = text == "1";
    return Status::Ok();
}

Status TextOption(const Invocation& inv, const std::string& name, bool allowEmpty, std::string& out,
                  std::optional<ValueKind> kind)
{
    const std::string text = inv.Value(name);
    if (text.empty() && !allowEmpty)
        return Status::Fail("--" + name + " must not be empty");
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }))
        return Status::Fail("--" + name + " must not hold control characters (tab, line end)");
    Result<std::string> bytes = ArgumentBytes(text, "--" + name, kind);
    if (bytes.failed())
        return bytes.status();
    out = std::move(bytes).value();
    return Status::Ok();
}

Status FirstFailure(std::initializer_list<Status> checks)
{
    for (const Status& check : checks) {
        if (check.failed())
            return check;
    }
    return Status::Ok();
}

bool IsDottedAddress(std::string_view text)
{
    int parts = 0;
    bool anyNonZero = false;
    std::size_t pos = 0;
    while (parts < 4) {
        const std::size_t end = parts < 3 ? text.find('.', pos) : text.size();
        if (end == std::string_view::npos)
            return false;
        const std::string_view part = text.substr(pos, end - pos);
        if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0') ||
            !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        const int value = std::stoi(std::string(part));
        if (value > 255)
            return false;
        anyNonZero = anyNonZero || value != 0;
        ++parts;
        pos = end + 1;
    }
    return anyNonZero;
}

int RejectOptions(const CommandSpec& command, Invocation& inv, const std::string& action,
                  std::initializer_list<const char*> allowed)
{
    auto isAllowed = [&](const std::string& name) {
        return std::any_of(allowed.begin(), allowed.end(), [&](const char* a) { return name == a; });
    };
    for (const auto& [name, value] : inv.Values) {
        if (!isAllowed(name))
            return UsageError(command, inv,
                              "--" + name + " does not apply to '" + command.Name + " " + action + "'");
    }
    for (const std::string& name : inv.Flags) {
        if (!isAllowed(name))
            return UsageError(command, inv,
                              "--" + name + " does not apply to '" + command.Name + " " + action + "'");
    }
    return ExitOk;
}

Result<std::vector<std::int32_t>> CameraList(std::string_view text, const std::vector<std::int32_t>& allIds)
{
    if (text == "all")
        return allIds;
    std::vector<std::int32_t> ids;
    std::set<std::int32_t> seen;
    const auto id = [](std::string_view piece) -> std::optional<std::int32_t> {
        std::int64_t value = 0;
        if (piece.empty() || piece.front() == '+' ||
            ReadNumberAs<std::int64_t>(piece, value) != NumberRead::Ok || value < -32768 || value > 32767 ||
            piece.find(' ') != std::string_view::npos)
            return std::nullopt;
        return static_cast<std::int32_t>(value);
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, comma - start);
        // A dash after the first character separates a range ("-3" alone is an id).
        const std::size_t dash = item.find('-', 1);
        const std::optional<std::int32_t> first = id(item.substr(0, dash));
        const std::optional<std::int32_t> last =
            dash == std::string_view::npos ? first : id(item.substr(dash + 1));
        if (!first || !last || *last < *first)
            return Status::Fail("--cameras " + std::string(text) + ": \"" + std::string(item) +
                                "\" is not an id or a range FROM-TO");
        for (std::int32_t n = *first; n <= *last; ++n) {
            if (seen.insert(n).second)
                ids.push_back(n);
        }
        start = comma + 1;
    }
    return ids;
}

} // namespace kor::cli

#include "app/StartCommandLine.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <vector>

namespace kor {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// A 32-bit number field; a failure says which field and why.
Status ReadField(std::string_view field, const char* piece, int index, const char* what, std::int32_t& out)
{
    const NumberRead read = ReadNumberAs<std::int32_t>(field, out);
    if (read == NumberRead::Ok)
        return Status::Ok();
    std::string reason =
        std::string("start command line: ") + piece + " field " + std::to_string(index) + " (" + what + ") ";
    if (read == NumberRead::OutOfRange)
        reason += "\"" + std::string(field) + "\" does not fit 32 bits";
    else if (field.empty())
        reason += "is empty, not a number";
    else
        reason += "\"" + std::string(field) + "\" is not a number";
    return Status::Fail(reason);
}

} // namespace

Status ApplyStartCommandLine(std::string_view commandLine, StartValues& values)
{
    values = StartValues();
    if (commandLine.empty())
        return Status::Ok();
    for (std::string_view piece : Split(commandLine, '$')) {
        std::vector<std::string_view> fields = Split(piece, '#');
        const std::string kind = UpperCp1252(fields[0]);
        if (kind == "REMOTE") {
            fields.resize(7);
            values.RemoteMode = true;
            values.RelayHost = std::string(fields[2]);
            if (Status read = ReadField(fields[3], "REMOTE", 3, "relay data port", values.RelayDataPort);
                read.failed())
                return read;
            values.RelayPwd = std::string(fields[4]);
            values.RelayEnabled = fields[5] == "1";
            if (Status read = ReadField(fields[6], "REMOTE", 6, "relay port", values.RelayPort);
                read.failed())
                return read;
        } else if (kind == "CAMID") {
            // A CAMID piece without its field fails like an empty one.
            if (Status read = ReadField(fields.size() > 1 ? fields[1] : std::string_view(), "CAMID", 1,
                                        "camera identifier", values.CameraId);
                read.failed())
                return read;
        }
    }
    return Status::Ok();
}

} // namespace kor

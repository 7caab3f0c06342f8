#include "AlarmApplication.h"

#include <charconv>

namespace kor::devicesim {

AlarmApplication::AlarmApplication(const SimOptions& options, DeviceFolder& folder, Detector& detector)
    : m_options(options), m_folder(folder), m_detector(detector)
{}

bool AlarmApplication::ChannelFiles(std::string_view rawQuery, std::string& configFile,
                                    std::string& bufferFile) const
{
    if (rawQuery.empty()) {
        configFile = "etc/alarm_app";
        bufferFile = "etc/bufferd.conf";
        return true;
    }
    int channel = 0;
    const auto result = std::from_chars(rawQuery.data(), rawQuery.data() + rawQuery.size(), channel);
    if (result.ec != std::errc() || result.ptr != rawQuery.data() + rawQuery.size() || channel < 1 ||
        channel > m_options.channels) {
        return false;
    }
    configFile = "etc/alarm_app" + std::to_string(channel);
    bufferFile = "etc/bufferd" + std::to_string(channel) + ".conf";
    return true;
}

DeviceReply AlarmApplication::Answer(const DeviceRequest& request)
{
    const std::string program = request.path.substr(kPrefix.size());
    const bool post = request.method == "POST";
    const bool get = request.method == "GET" || request.method == "HEAD";

    std::string configFile;
    std::string bufferFile;
    const bool channelQuery = program == "getaapp.cgi" || program == "setaapp.cgi" ||
                              program == "appendaapp.cgi" || program == "getconfig.cgi" ||
                              program == "setconfig.cgi";
    if (channelQuery && !ChannelFiles(request.rawQuery, configFile, bufferFile)) {
        DeviceReply reply = ErrorReply(400, request.rawPath);
        reply.body = "Error: bad channel query " + request.rawQuery + "\n";
        reply.contentType = "text/plain";
        return reply;
    }

    struct Program
    {
        std::string_view name;
        bool isPost;
    };
    static constexpr Program programs[] = {
        {"getaapp.cgi", false},     {"setaapp.cgi", true},     {"appendaapp.cgi", true},
        {"getconfig.cgi", false},   {"setconfig.cgi", true},   {"setmovetohomed.cgi", true},
        {"gettasklist.cgi", false}, {"settasklist.cgi", true}, {"stopchkiod.cgi", false},
    };
    const Program* found = nullptr;
    for (const Program& candidate : programs) {
        if (candidate.name == program) {
            found = &candidate;
        }
    }
    if (found == nullptr) {
        return ErrorReply(404, request.rawPath);
    }
    if (found->isPost ? !post : !get) {
        return ErrorReply(405, request.rawPath);
    }

    if (program == "getaapp.cgi") {
        return ReadFile(configFile);
    }
    if (program == "setaapp.cgi" || program == "appendaapp.cgi") {
        const bool alter = m_options.FindFault(Fault::Kind::AlterStored, request.path) != nullptr;
        return StoreBody(request, configFile, program == "appendaapp.cgi", alter);
    }
    if (program == "getconfig.cgi") {
        return ReadFile(bufferFile);
    }
    if (program == "setconfig.cgi") {
        return StoreBody(request, bufferFile, false);
    }
    if (program == "setmovetohomed.cgi") {
        return StoreBody(request, "etc/movetohomed.conf", false);
    }
    if (program == "gettasklist.cgi") {
        return ReadFile("etc/task.list");
    }
    if (program == "settasklist.cgi") {
        return StoreBody(request, "etc/task.list", false);
    }
    // stopchkiod.cgi
    m_detector.SetCheckProgramStopped(true);
    DeviceReply reply;
    reply.body = "\nOK\n";
    return reply;
}

DeviceReply AlarmApplication::ReadFile(const std::string& file)
{
    DeviceReply reply;
    // A missing file is an empty answer: nothing stored yet.
    if (Result<std::string> stored = m_folder.Read(file); stored.ok()) {
        reply.body = std::move(stored).value();
    }
    return reply;
}

DeviceReply AlarmApplication::StoreBody(const DeviceRequest& request, const std::string& file, bool append,
                                        bool dropLastAction)
{
    DeviceReply reply;
    // Every body ends with one zero byte that is not part of the data. A body without it is refused,
    // so a client that forgets it notices.
    if (request.body.empty() || request.body.back() != '\0') {
        reply.status = 400;
        reply.body = "Error: the body must end with a zero byte\n";
        return reply;
    }
    std::string_view data(request.body.data(), request.body.size() - 1);
    std::string altered;
    if (dropLastAction) {
        // A camera that loses part of what it was sent: the last action line of the piece is gone.
        altered = data;
        const std::size_t line = altered.rfind("#ACTION");
        if (line != std::string::npos) {
            const std::size_t end = altered.find('\n', line);
            altered.erase(line, end == std::string::npos ? std::string::npos : end + 1 - line);
        }
        data = altered;
    }
    const Status stored = append ? m_folder.Append(file, data) : m_folder.Write(file, data);
    if (stored.failed()) {
        reply.status = 500;
        reply.body = "Error: cannot write " + file + "\n";
        return reply;
    }
    reply.body = "OK\n";
    return reply;
}

} // namespace kor::devicesim

#include "FakeDevice.h"

#include "config/TextNumber.h"

#include <algorithm>
#include <memory>

namespace kor::test {

HttpResponse Status(long status, std::string reason, std::string body)
{
    HttpResponse r;
    r.Status = status;
    r.StatusText = std::move(reason);
    r.Body = std::move(body);
    return r;
}

HttpResponse Ok(std::string body)
{
    return Status(200, "OK", std::move(body));
}

HttpResponse Unreachable(int error, std::string text)
{
    HttpResponse r;
    r.Error = error;
    r.ErrorText = std::move(text);
    return r;
}

HttpResponse FakeHttp::Get(const DeviceUrl& url, int timeoutSeconds)
{
    return Answer({"GET", url.Text(), {}}, timeoutSeconds);
}

HttpResponse FakeHttp::Post(const DeviceUrl& url, const std::string& body, int timeoutSeconds)
{
    return Answer({"POST", url.Text(), body}, timeoutSeconds);
}

void FakeHttp::On(std::string contains, HttpResponse response)
{
    On(std::move(contains), [response](const SentRequest&) { return response; });
}

void FakeHttp::On(std::string contains, std::function<HttpResponse(const SentRequest&)> answer)
{
    m_rules.insert(m_rules.begin(), {std::move(contains), std::move(answer)});
}

void FakeHttp::OnSequence(std::string contains, std::vector<HttpResponse> responses)
{
    auto queue = std::make_shared<std::deque<HttpResponse>>(responses.begin(), responses.end());
    On(std::move(contains), [queue](const SentRequest&) {
        HttpResponse r = queue->front();
        if (queue->size() > 1)
            queue->pop_front();
        return r;
    });
}

std::vector<const SentRequest*> FakeHttp::Matching(const std::string& contains) const
{
    std::vector<const SentRequest*> found;
    for (const SentRequest& r : Requests) {
        if (r.Url.find(contains) != std::string::npos)
            found.push_back(&r);
    }
    return found;
}

HttpResponse FakeHttp::Answer(SentRequest request, int timeoutSeconds)
{
    Requests.push_back(request);
    Timeouts.push_back(timeoutSeconds);
    for (const Rule& rule : m_rules) {
        if (request.Url.find(rule.Contains) != std::string::npos)
            return rule.Answer(request);
    }
    return Ok();
}

kor::Status FakeFtp::Connect(const std::string& host, int port, const std::string& user,
                             const std::string& password)
{
    Log.push_back("CONNECT " + host + ":" + DecimalText(port));
    Cwd = "/";
    const bool refused = !Plan.empty() && !Plan.front();
    if (!Plan.empty())
        Plan.pop_front();
    if (refused) {
        Code = 0;
        Answer.clear();
        ErrorText = "Couldn't connect to server";
        return kor::Status::Fail(ErrorText);
    }
    if (user != User || password != Password) {
        Code = 530;
        Answer = "220 ready\r\n331 Username ok, send password.\r\n530 Authentication failed.\r\n";
        return kor::Status::Fail("530 Authentication failed.");
    }
    Code = 230;
    Answer = "230 Login successful.\r\n";
    Connected = true;
    return kor::Status::Ok();
}

// The answer of an operation: refused when not logged in or when it could not be done.
kor::Status FakeFtp::Done(bool done) const
{
    return Connected && done ? kor::Status::Ok() : kor::Status::Fail("550 not done");
}

kor::Status FakeFtp::ChangeDir(const std::string& path)
{
    Log.push_back("CWD " + path);
    const bool known = std::find(Dirs.begin(), Dirs.end(), path) != Dirs.end();
    if (known)
        Cwd = path;
    return Done(known);
}

kor::Status FakeFtp::MakeDir(const std::string& path)
{
    Log.push_back("MKD " + path);
    Dirs.push_back(path);
    return Done(true);
}

Result<std::string> FakeFtp::Get(const std::string& name)
{
    Log.push_back("GET " + Cwd + "/" + name);
    const auto it = Files.find(Cwd + "/" + name);
    if (kor::Status got = Done(it != Files.end()); got.failed())
        return got;
    return it->second;
}

kor::Status FakeFtp::Put(const std::string& name, std::string_view bytes)
{
    Log.push_back("PUT " + Cwd + "/" + name);
    if (Connected)
        Files[Cwd + "/" + name] = std::string(bytes);
    return Done(true);
}

kor::Status FakeFtp::Command(const std::string& command)
{
    Log.push_back(command);
    return Done(true);
}

std::int32_t FakePinger::PingDevice(const std::string&)
{
    ++Count;
    if (Replies.empty())
        return 0;
    const std::int32_t r = Replies.front();
    if (Replies.size() > 1)
        Replies.pop_front();
    return r;
}

void RecordingHost::Log(const std::string& line, LogKind kind)
{
    Lines.push_back(line);
    Kinds.push_back(kind);
}

bool RecordingHost::AskYesNo(const std::string& question, const std::string& title)
{
    Questions.push_back(question + "|" + title);
    return Answer;
}

HomeChoice RecordingHost::ChooseHome(const std::vector<CameraPosition>& positions)
{
    Questions.push_back("home:" + DecimalText(static_cast<std::int64_t>(positions.size())));
    return Home;
}

std::string RecordingHost::Joined() const
{
    std::string all;
    for (const std::string& l : Lines)
        all += l + "\n";
    return all;
}

} // namespace kor::test

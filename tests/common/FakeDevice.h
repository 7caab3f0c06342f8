#pragma once

#include "device/Clock.h"
#include "device/FtpClient.h"
#include "device/HttpClient.h"
#include "device/Pinger.h"
#include "device/RunHost.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kor::test {

struct SentRequest
{
    std::string Method;
    std::string Url; // DeviceUrl::Text()
    std::string Body;
};

// Answers by the first rule whose text occurs in the request's address; 200 with an empty body
// otherwise.
class FakeHttp final : public HttpClient
{
public:
    struct Rule
    {
        std::string Contains;
        std::function<HttpResponse(const SentRequest&)> Answer;
    };

    HttpResponse Get(const DeviceUrl& url, int timeoutSeconds) override;
    HttpResponse Post(const DeviceUrl& url, const std::string& body, int timeoutSeconds) override;

    void On(std::string contains, HttpResponse response);
    void On(std::string contains, std::function<HttpResponse(const SentRequest&)> answer);
    // Answers with the values in turn, the last one repeating.
    void OnSequence(std::string contains, std::vector<HttpResponse> responses);

    std::vector<SentRequest> Requests;
    std::vector<int> Timeouts;
    std::vector<const SentRequest*> Matching(const std::string& contains) const;

private:
    HttpResponse Answer(SentRequest request, int timeoutSeconds);
    std::vector<Rule> m_rules;
};

HttpResponse Ok(std::string body = {});
HttpResponse Status(long status, std::string reason, std::string body = {});
HttpResponse Unreachable(int error = 7, std::string text = "Couldn't connect to server");

// An FTP server over an in-memory file system of absolute paths.
class FakeFtp final : public FtpClient
{
public:
    kor::Status Connect(const std::string& host, int port, const std::string& user,
                        const std::string& password) override;
    kor::Status ChangeDir(const std::string& path) override;
    kor::Status MakeDir(const std::string& path) override;
    Result<std::string> Get(const std::string& name) override;
    kor::Status Put(const std::string& name, std::string_view bytes) override;
    kor::Status Command(const std::string& command) override;
    void Close() override { Connected = false; }
    kor::Status Done(bool done) const;
    int LastResponseCode() const override { return Code; }
    std::string LastResponseText() const override { return Answer; }
    std::string LastErrorText() const override { return ErrorText; }

    std::map<std::string, std::string> Files;
    std::vector<std::string> Dirs{"/", "/etc", "/etc/httpd/conf"};
    std::vector<std::string> Log; // CONNECT, CWD, MKD, GET, PUT, SITE lines in order
    std::string User = "root";
    std::string Password = "pass";
    std::deque<bool> Plan; // whether the next connects reach the server (then: always)
    std::string Cwd = "/";
    bool Connected = false;
    int Code = 0;
    std::string Answer;
    std::string ErrorText;
};

// Replies as scripted, the last value repeating; 0 when nothing is scripted.
class FakePinger final : public Pinger
{
public:
    std::int32_t PingDevice(const std::string& address) override;
    std::deque<std::int32_t> Replies;
    int Count = 0;
};

class FakeClock final : public Clock
{
public:
    void SleepMs(int milliseconds) override
    {
        TotalMs += milliseconds;
        Sleeps.push_back(milliseconds);
    }
    long long TotalMs = 0;
    std::vector<int> Sleeps;
};

class RecordingHost final : public RunHost
{
public:
    void Log(const std::string& line, LogKind kind) override;
    bool AskYesNo(const std::string& question, const std::string& title) override;
    HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) override;
    void SetBusy(bool busy) override { Busy.push_back(busy); }
    void Progress(int, int) override {}
    bool Cancelled() override
    {
        return CancelAfterLines > 0 && static_cast<int>(Lines.size()) >= CancelAfterLines;
    }

    std::vector<std::string> Lines;
    std::vector<LogKind> Kinds;
    std::vector<std::string> Questions;
    std::vector<bool> Busy;
    bool Answer = false;
    HomeChoice Home;
    int CancelAfterLines = 0;
    std::string Joined() const;
};

} // namespace kor::test

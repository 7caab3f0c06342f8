#include "outside/transport/CurlHttpClient.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace kor {
namespace {

// An HTTP server on loopback that records what arrives.
class TestServer
{
public:
    TestServer()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~TestServer()
    {
        m_server.stop();
        m_thread.join();
    }
    httplib::Server& Server() { return m_server; }
    DeviceTarget Target(std::string user = {}, std::string password = {}) const
    {
        return DeviceTarget{"127.0.0.1", std::to_string(m_port), std::move(user), std::move(password), {}};
    }

    std::mutex Lock;
    std::vector<std::string> Targets;
    std::vector<std::string> Bodies;
    std::vector<std::string> Expect;
    std::vector<std::string> Authorization;

    void Record(const httplib::Request& req)
    {
        std::lock_guard<std::mutex> guard(Lock);
        Targets.push_back(req.target);
        Bodies.push_back(req.body);
        Expect.push_back(req.get_header_value("Expect"));
        Authorization.push_back(req.get_header_value("Authorization"));
    }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

TEST(CurlHttpClientTest, PostBodyAndAddressTravelAsBuilt)
{
    TestServer server;
    server.Server().Post(R"(/.*)", [&server](const httplib::Request& req, httplib::Response& res) {
        server.Record(req);
        res.set_content("fine", "text/plain");
    });
    server.Server().Get(R"(/.*)", [&server](const httplib::Request& req, httplib::Response& res) {
        server.Record(req);
        res.set_content("input1=1\n", "text/plain");
    });
    CurlHttpClient http;
    std::string body(5000, 'a');
    body[10] = '\0';
    body += std::string("\r\n\xE9", 3) + '\0';
    const HttpResponse post = http.Post(DeviceUrl::UploadFirst(server.Target(), 1, 1), body, 30);
    EXPECT_TRUE(post.Completed()) << post.ErrorText;
    EXPECT_EQ(post.Status, 200);
    EXPECT_EQ(post.Body, "fine");
    const HttpResponse get =
        http.Get(DeviceUrl::DeviceIo(server.Target(), "/axis-cgi/io/output.cgi?action=1:/30\\700 x"), 30);
    EXPECT_EQ(get.Body, "input1=1\n");

    std::lock_guard<std::mutex> guard(server.Lock);
    ASSERT_EQ(server.Bodies.size(), 2u);
    EXPECT_EQ(server.Bodies[0], body);
    EXPECT_EQ(server.Expect[0], "");
    EXPECT_EQ(server.Targets[0], "/cgi-bin/recordings/setaapp.cgi");
    EXPECT_EQ(server.Targets[1], "/axis-cgi/io/output.cgi?action=1:/30\\700%20x");
}

TEST(CurlHttpClientTest, CredentialsWithDelimitersReachTheServerIntact)
{
    TestServer server;
    // "op@site:1" / "p/w d:@x", as Basic credentials.
    const std::string expected = "Basic b3BAc2l0ZToxOnAvdyBkOkB4";
    server.Server().Get(R"(/.*)", [&](const httplib::Request& req, httplib::Response& res) {
        server.Record(req);
        if (req.get_header_value("Authorization") != expected) {
            res.status = 401;
            res.set_header("WWW-Authenticate", "Basic realm=\"camera\"");
            res.set_content("401 Unauthorized", "text/plain");
            return;
        }
        res.set_content("welcome", "text/plain");
    });
    CurlHttpClient http;
    const HttpResponse first = http.Get(DeviceUrl::Reachability(server.Target("op@site:1", "p/w d:@x")), 30);
    EXPECT_EQ(first.Status, 200);
    EXPECT_EQ(first.Body, "welcome");
    const HttpResponse second =
        http.Get(DeviceUrl::Identification(server.Target("op@site:1", "p/w d:@x")), 30);
    EXPECT_EQ(second.Body, "welcome");
    const HttpResponse refused = http.Get(DeviceUrl::Reachability(server.Target("op", "bad")), 30);
    EXPECT_TRUE(refused.Completed());
    EXPECT_EQ(refused.Status, 401);
    EXPECT_EQ(refused.StatusText, "Unauthorized");
    EXPECT_TRUE(refused.FailedState());
}

TEST(CurlHttpClientTest, FailuresAreErrorsWithoutCredentials)
{
    TestServer server;
    server.Server().Get("/big", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(5000, 'x'), "text/plain");
    });
    server.Server().Get("/slow", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        res.set_content("late", "text/plain");
    });
    CurlHttpClient small(1000);
    const HttpResponse big = small.Get(DeviceUrl::DeviceIo(server.Target(), "/big"), 30);
    EXPECT_FALSE(big.Completed());
    EXPECT_TRUE(big.Body.empty());

    CurlHttpClient http;
    const HttpResponse slow = http.Get(DeviceUrl::DeviceIo(server.Target(), "/slow"), 1);
    EXPECT_EQ(slow.Error, kRequestTimeoutError);

    DeviceTarget nobody{"127.0.0.1", "1", "root", "s3cret", {}};
    nobody.Relay = {true, "127.0.0.1", 1, "relaypw"};
    const HttpResponse refused = http.Get(DeviceUrl::Identification(nobody), 30);
    EXPECT_NE(refused.Error, 0);
    EXPECT_FALSE(refused.ErrorText.empty());
    EXPECT_EQ(refused.ErrorText.find("s3cret"), std::string::npos);
    EXPECT_EQ(refused.ErrorText.find("relaypw"), std::string::npos);
}

} // namespace
} // namespace kor

#include "outside/transport/CurlHttpClient.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace kor {
namespace {

// An HTTP server on loopback that records what arrives. /big answers 5000 bytes;
// / and /axis-cgi/admin/ want Basic credentials "op@site:1" / "p/w d:@x"; anything else answers "fine".
class TestServer
{
public:
    TestServer()
    {
        const auto answer = [this](const httplib::Request& req, httplib::Response& res) {
            {
                std::lock_guard<std::mutex> guard(Lock);
                Requests.push_back(req);
            }
            if (req.path == "/big") {
                res.set_content(std::string(5000, 'x'), "text/plain");
            } else if ((req.path == "/" || req.path.rfind("/axis-cgi/admin/", 0) == 0) &&
                       req.get_header_value("Authorization") != "Basic b3BAc2l0ZToxOnAvdyBkOkB4") {
                res.status = 401;
                res.set_header("WWW-Authenticate", "Basic realm=\"camera\"");
                res.set_content("401 Unauthorized", "text/plain");
            } else {
                res.set_content("fine", "text/plain");
            }
        };
        m_server.Get(R"(/.*)", answer);
        m_server.Post(R"(/.*)", answer);
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
    DeviceTarget Target(std::string user = {}, std::string password = {}) const
    {
        return DeviceTarget{"127.0.0.1", std::to_string(m_port), std::move(user), std::move(password), {}};
    }

    std::mutex Lock;
    std::vector<httplib::Request> Requests;

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

// The body travels byte for byte (zero bytes, the trailing one too) without an Expect round trip, and
// the address as built (only the space escaped).
TEST(CurlHttpClientTest, PostBodyAndAddressTravelAsBuilt)
{
    TestServer server;
    CurlHttpClient http;
    std::string body(5000, 'a');
    body[10] = '\0';
    body += std::string("\r\n\xE9", 3) + '\0';
    const HttpResponse post = http.Post(DeviceUrl::UploadFirst(server.Target(), 1, 1), body, 30);
    EXPECT_TRUE(post.Completed()) << post.ErrorText;
    EXPECT_EQ(post.Status, 200);
    EXPECT_EQ(post.Body, "fine");
    EXPECT_EQ(
        http.Get(DeviceUrl::DeviceIo(server.Target(), "/axis-cgi/io/output.cgi?action=1:/30\\700 x"), 30)
            .Body,
        "fine");

    std::lock_guard<std::mutex> guard(server.Lock);
    ASSERT_EQ(server.Requests.size(), 2u);
    EXPECT_EQ(server.Requests[0].body, body);
    EXPECT_EQ(server.Requests[0].get_header_value("Expect"), "");
    EXPECT_EQ(server.Requests[0].target, "/cgi-bin/recordings/setaapp.cgi");
    EXPECT_EQ(server.Requests[1].target, "/axis-cgi/io/output.cgi?action=1:/30\\700%20x");
}

TEST(CurlHttpClientTest, CredentialsWithDelimitersReachTheServerIntact)
{
    TestServer server;
    CurlHttpClient http;
    for (const DeviceUrl& url : {DeviceUrl::Reachability(server.Target("op@site:1", "p/w d:@x")),
                                 DeviceUrl::Identification(server.Target("op@site:1", "p/w d:@x"))}) {
        const HttpResponse reply = http.Get(url, 30);
        EXPECT_EQ(reply.Status, 200);
        EXPECT_EQ(reply.Body, "fine");
    }
}

TEST(CurlHttpClientTest, FailuresAreErrorsWithoutCredentials)
{
    TestServer server;
    CurlHttpClient small(1000);
    const HttpResponse big = small.Get(DeviceUrl::DeviceIo(server.Target(), "/big"), 30);
    EXPECT_FALSE(big.Completed());
    EXPECT_TRUE(big.Body.empty());

    DeviceTarget nobody{"127.0.0.1", "1", "root", "s3cret", {}};
    nobody.Relay = {true, "127.0.0.1", 1, "relaypw"};
    const HttpResponse refused = CurlHttpClient().Get(DeviceUrl::Identification(nobody), 30);
    EXPECT_NE(refused.Error, 0);
    EXPECT_FALSE(refused.ErrorText.empty());
    EXPECT_EQ(refused.ErrorText.find("s3cret"), std::string::npos);
    EXPECT_EQ(refused.ErrorText.find("relaypw"), std::string::npos);
}

} // namespace
} // namespace kor

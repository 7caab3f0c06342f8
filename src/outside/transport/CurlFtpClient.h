#pragma once

#include "device/FtpClient.h"

#include <string>
#include <vector>

namespace kor {

// FTP with libcurl, passive mode. libcurl keeps no current directory between transfers, so this
// class keeps it and builds absolute addresses; the control connection is reused throughout.
class CurlFtpClient final : public FtpClient
{
public:
    CurlFtpClient();
    ~CurlFtpClient() override;
    CurlFtpClient(const CurlFtpClient&) = delete;
    CurlFtpClient& operator=(const CurlFtpClient&) = delete;

    Status Connect(const std::string& host, int port, const std::string& user,
                   const std::string& password) override;
    Status ChangeDir(const std::string& path) override;
    Status MakeDir(const std::string& path) override;
    Result<std::string> Get(const std::string& name) override;
    Status Put(const std::string& name, std::string_view bytes) override;
    Status Command(const std::string& command) override;
    void Close() override;

    int LastResponseCode() const override { return m_lastCode; }
    std::string LastResponseText() const override { return m_lastText; }

    // The number and text of the last transport failure (credentials removed), for the log.
    int LastError() const { return m_lastError; }
    std::string LastErrorText() const override { return m_lastErrorText; }

    // Server answers carry "\r\n"; collected by the header callback. Keeps the last reply only.
    void AppendResponse(std::string_view line);

private:
    enum class Kind
    {
        Probe,
        Quote,
        Download,
        Upload
    };
    // One transfer; a failure's reason is LastErrorText.
    Status Perform(Kind kind, const std::string& url, const std::string& quote, std::string* in,
                   std::string_view out);
    std::string DirUrl(const std::string& dir) const;

    void* m_curl = nullptr;
    std::string m_host;
    int m_port = 21;
    std::string m_user;
    std::string m_password;
    std::string m_cwd = "/";
    bool m_connected = false;
    int m_lastCode = 0;
    std::string m_lastText;
    bool m_inReply = false;  // a multi-line reply has begun and not ended
    std::string m_replyCode; // the code of the reply being collected
    int m_lastError = 0;
    std::string m_lastErrorText;
};

} // namespace kor

#pragma once

#include "config/Result.h"

#include <string>
#include <string_view>

namespace kor {

// An FTP session with the camera (passive mode). Paths given to ChangeDir and MakeDir are absolute;
// Get and Put work in the current directory.
class FtpClient
{
public:
    virtual ~FtpClient() = default;

    // Logs in; on failure LastResponseText holds the server's last reply.
    virtual Status Connect(const std::string& host, int port, const std::string& user,
                           const std::string& password) = 0;
    virtual Status ChangeDir(const std::string& path) = 0;
    virtual Status MakeDir(const std::string& path) = 0;
    virtual Result<std::string> Get(const std::string& name) = 0;
    virtual Status Put(const std::string& name, std::string_view bytes) = 0;
    // A raw command such as "SITE chmod 755 /mnt/flash/bin/x".
    virtual Status Command(const std::string& command) = 0;
    virtual void Close() = 0;

    // The code and the lines of the server's last reply (one reply, cut when endless).
    virtual int LastResponseCode() const = 0;
    virtual std::string LastResponseText() const = 0;
    // The last transport failure (no answer at all), without credentials.
    virtual std::string LastErrorText() const = 0;
};

} // namespace kor

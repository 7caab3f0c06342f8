#pragma once

#include "config/ConfigDocument.h"
#include "config/Result.h"

#include <QString>

#include <string>

namespace kor {

struct LinkContext;

// Installation of the alarm application over FTP (start-up table and web-server configuration
// patched, buffer and home files, the model's programs), or only the buffer settings; a restart
// ends both.
class InstallStep
{
public:
    explicit InstallStep(LinkContext& context) : m_ctx(context) {}

    // install: the full installation; otherwise the settings only. A failure is logged here (as an
    // error line) and the FTP session is closed in every case.
    Status Run(bool install, const GeneralSettings& general);
    // Puts back a start-up table and web-server configuration kept before an installation, then
    // restarts the camera as an installation ends. Logged and closed as Run.
    Status RestoreSystemFiles(const std::string& inittab, const std::string& boaConf);

private:
    Status FullInstallation();
    Status SettingsOnly();
    Status Finish(Status status);
    Status FtpLogin();
    // "Error:" code, the server's last answer line and what failed.
    std::string FtpFailure(const std::string& what) const;
    void UploadFolder(const QString& folder, const std::string& remoteDir);
    Status BuildBufferConfig();

    LinkContext& m_ctx;
    GeneralSettings m_general;
    bool m_homeWanted = false;
    std::string m_inittab; // the camera's start-up table as fetched
};

} // namespace kor

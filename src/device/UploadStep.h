#pragma once

#include "config/ConfigDocument.h"
#include "config/ConfigTextWriter.h"
#include "config/Result.h"
#include "device/DeviceServices.h"

#include <optional>
#include <string>

namespace kor {

struct LinkContext;
struct LinkFields;
struct CameraRecord;

// A run sends the user name and password in the device line and keeps them in user actions: one
// holding a character the configuration cannot carry would reach the camera split. The refusal
// (text 1700 naming the field and the character, in the language of text), or nothing when both can
// be carried. Checked before anything is sent.
std::optional<std::string> CredentialsRefusal(const std::string& user, const std::string& password,
                                              const TextLookup& text);

// The device line the upload writes: the screen's port and credentials, the camera's MAC and brand.
DeviceLine UploadDeviceLine(const LinkFields& fields, const CameraRecord& camera);

// Sending the configuration: alarm_app written and sent in pieces, then, when the event sources
// that need device tasks changed, the task list merged with the camera's and sent, and the camera
// restarted.
class UploadStep
{
public:
    explicit UploadStep(LinkContext& context) : m_ctx(context) {}

    Status Run(const ConfigDocument& doc);
    // The work folder's alarm_app, in pieces (setaapp.cgi, then appendaapp.cgi).
    Status SendConfiguration();
    // Reads the configuration back (getaapp.cgi) and compares it with what was sent; a difference
    // fails with its own line and marks the context.
    Status VerifyConfiguration();

private:
    Status BuildTaskList(const ConfigDocument& doc);
    // Clears the context's task-list flag whether or not the list went up.
    Status SendTaskList();

    LinkContext& m_ctx;
    std::string m_sent; // the alarm_app the last SendConfiguration sent
};

} // namespace kor

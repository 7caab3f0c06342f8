#pragma once

#include "config/ConfigDocument.h"
#include "config/Result.h"

namespace kor {

struct LinkContext;

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

private:
    Status BuildTaskList(const ConfigDocument& doc);
    // Clears the context's task-list flag whether or not the list went up.
    Status SendTaskList();

    LinkContext& m_ctx;
};

} // namespace kor

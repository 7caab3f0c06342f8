#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace kor {

class AppSession;

// Why the camera of the start values cannot be worked with.
enum class CameraProblem
{
    None,
    NoRecord,       // no such camera (or the identifier does not fit), or its record is damaged
    NoModelProfile, // the companion database has no profile for its model (brand "AXIS")
    NotAxis,        // the camera's brand is not "AXIS"
    NoAddress,      // the camera's IP address is empty
};

// The camera steps of the start-up: hands the connection to the current camera and loads the
// record of cameraId, loads its model's profile with the brand "AXIS", checks the brand and
// creates the device-access object, checks the address. Stops at the first problem; detail says
// in UTF-8 only what the problem's text cannot (the model or brand found, why a record could not
// be read), without passwords, and is empty otherwise.
CameraProblem LoadStartCamera(AppSession& session, std::int32_t cameraId, std::string* detail = nullptr);

// The problem in the words of the active language, with the detail when there is one.
QString CameraProblemText(CameraProblem problem, std::int32_t cameraId, const std::string& detail);

} // namespace kor

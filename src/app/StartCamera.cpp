#include "app/StartCamera.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "config/Cp1252.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ModelTable.h"

#include <limits>

namespace kor {

namespace {

CameraProblem Fail(CameraProblem problem, std::string* detail, const std::string& why)
{
    if (detail)
        *detail = why;
    return problem;
}

} // namespace

CameraProblem LoadStartCamera(AppSession& session, std::int32_t cameraId, std::string* detail)
{
    if (detail)
        detail->clear();
    CurrentCamera& camera = session.Camera();
    camera.SetConnection(&session.Connection());
    // The problem's own text says what is missing; the detail only what that text cannot know (a
    // damaged record, the model or brand found), so that nothing is said twice.
    if (cameraId < std::numeric_limits<std::int16_t>::min() ||
        cameraId > std::numeric_limits<std::int16_t>::max())
        return CameraProblem::NoRecord;
    const auto id = static_cast<std::int16_t>(cameraId);
    if (const Status loaded = camera.Load(id); loaded.failed()) {
        const bool absent = CameraTable::Find(session.Connection(), id).ok();
        return Fail(CameraProblem::NoRecord, detail, absent ? std::string() : loaded.reason());
    }
    if (const Status loaded = session.Model().Load(session.Connection(), camera.ModelName(), "AXIS");
        loaded.failed()) {
        const bool absent = ModelTable::Find(session.Connection(), camera.ModelName(), "AXIS").ok();
        return Fail(CameraProblem::NoModelProfile, detail,
                    absent ? "\"" + FromCp1252(camera.ModelName()).toStdString() + "\"" : loaded.reason());
    }
    if (camera.Brand() != "AXIS")
        return Fail(CameraProblem::NotAxis, detail, "\"" + FromCp1252(camera.Brand()).toStdString() + "\"");
    session.CreateDevice();
    if (camera.IpAddress().empty())
        return CameraProblem::NoAddress;
    return CameraProblem::None;
}

QString CameraProblemText(CameraProblem problem, std::int32_t cameraId, const std::string& detail)
{
    QString text;
    switch (problem) {
    case CameraProblem::None:
        return {};
    case CameraProblem::NoRecord:
        text = cameraId == 0 ? LangText(1140) : LangText(1141) + u' ' + QString::number(cameraId);
        break;
    case CameraProblem::NoModelProfile:
        text = LangText(1142);
        break;
    case CameraProblem::NotAxis:
        text = LangText(1143);
        break;
    case CameraProblem::NoAddress:
        text = LangText(1144);
        break;
    }
    if (!detail.empty())
        text += QStringLiteral("\n(") + QString::fromStdString(detail) + u')';
    return text;
}

} // namespace kor

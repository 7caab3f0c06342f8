#include "device/ui/ConnectRunHost.h"

#include "app/UserDialogs.h"
#include "config/Cp1252.h"
#include "config/TextNumber.h"
#include "device/HttpClient.h"
#include "device/ui/FrmConnect.h"

#include <cstdint>
#include <cstdio>

namespace kor {

namespace {

constexpr int kRequestSeconds = 30;

// The camera's named presets.
Result<std::vector<NamedPreset>> ReadCameraPresets(const PresetSource& source)
{
    const DeviceUrl url = DeviceUrl::DeviceIo(source.Target, source.Device.PresetListAddress());
    const HttpResponse r = source.Http->Get(url, kRequestSeconds);
    if (r.FailedState())
        return Status::Fail(r.Error != 0 ? DecimalText(r.Error) + ":" + url.Redacted(r.ErrorText)
                                         : DecimalText(r.Status) + ":" + r.StatusText);
    return ParsePresetList(r.Body);
}

} // namespace

ConnectRunHost::ConnectRunHost(FrmConnect& screen, UserDialogs& dialogs)
    : m_screen(screen), m_dialogs(dialogs)
{}

void ConnectRunHost::Log(const std::string& line, LogKind kind)
{
    m_screen.AddLogLine(FromCp1252(line), kind);
}

bool ConnectRunHost::AskYesNo(const std::string& question, const std::string& title)
{
    return m_dialogs.Ask(MessageIcon::Question, FromCp1252(title), FromCp1252(question), false) ==
           Answer::Yes;
}

HomeChoice ConnectRunHost::ChooseHome(const std::vector<CameraPosition>& positions)
{
    return m_screen.ChooseHome(positions, m_presets);
}

void ConnectRunHost::SetBusy(bool busy)
{
    m_screen.ShowBusy(busy);
}

void ConnectRunHost::Progress(int done, int total)
{
    m_screen.ShowProgress(done, total);
}

bool ConnectRunHost::Cancelled()
{
    return m_screen.CancelRequested();
}

PresetAskingHost::PresetAskingHost(RunHost& next, ConnectRunHost& screenHost, PresetSource source)
    : m_next(next), m_screenHost(screenHost), m_source(std::move(source))
{}

HomeChoice PresetAskingHost::ChooseHome(const std::vector<CameraPosition>& positions)
{
    std::vector<NamedPreset> presets;
    if (m_source.Http) {
        Result<std::vector<NamedPreset>> read = ReadCameraPresets(m_source);
        if (read.ok())
            presets = std::move(read).value();
        else
            std::fprintf(stderr, "kormanager: the camera's presets could not be read: %s\n",
                         read.reason().c_str());
    }
    // Handed over before the question is queued: the screen's host reads them only when it is
    // asked, on the GUI thread, after the queue has passed them on.
    m_screenHost.SetPresets(std::move(presets));
    return m_next.ChooseHome(positions);
}

} // namespace kor

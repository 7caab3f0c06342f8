#pragma once

#include "cli/CliSession.h"
#include "cli/Command.h"
#include "cli/CompareInput.h"

#include "app/CameraConfigRecord.h"
#include "app/LanguageCatalogue.h"
#include "config/Result.h"
#include "device/CameraRun.h"
#include "device/RunHost.h"
#include "device/RunSequence.h"

#include <string>

namespace kor::cli {

// What download and apply do before they talk to a camera: opens its session and the language,
// and refuses a camera whose stored user name or password the configuration cannot carry, in the
// words the run itself would use.
Status OpenCameraForRun(const Invocation& inv, std::int32_t camera, CameraSession& session,
                        LanguageCatalogue& catalogue);
// The services of a run over the given transports: the work and data folders, and the camera's
// history for the system files an installation replaces.
DeviceServices CliDeviceServices(HttpClient& http, FtpClient& ftp, Pinger& ping, Clock& clock,
                                 TextLookup text, std::int32_t camera);
// apply --restore-system-files N: the system files of history entry N back on the camera.
int RestoreSystemFiles(Invocation& inv);

// Loads the catalogue of --lang, else of the companion database's active language.
Status LoadCliLanguage(const Invocation& inv, const CameraSession& session, LanguageCatalogue& catalogue);
// Reads the camera's configuration as the download does, with its device line; text, when given,
// receives the configuration text as the camera gave it. A camera that holds no configuration reads
// as an empty one.
Status ReadCameraConfig(const CameraSession& session, CompareInput& input, std::string* text = nullptr);

// Keeps what the camera now holds in its history, for a later --if-unchanged; a failure only warns.
void RememberCameraText(Invocation& inv, std::int32_t camera, HistoryOperation operation,
                        const std::string& text, const std::string& firmware = {});

// Loads the catalogue of --lang, English without it; no database needed.
Status LoadLanguageOption(const Invocation& inv, LanguageCatalogue& catalogue);
// The catalogue's texts as Windows-1252 bytes; the catalogue must outlive the lookup.
TextLookup LookupOf(const LanguageCatalogue& catalogue);

// The device link's front end on the terminal: log lines on standard output, questions answered
// from flags (or asked on the terminal when told to), the home choice given in advance.
class TerminalHost final : public RunHost
{
public:
    explicit TerminalHost(Invocation& inv) : m_inv(inv) {}

    void Log(const std::string& line, LogKind kind) override;
    bool AskYesNo(const std::string& question, const std::string& title) override;
    HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) override;
    void SetBusy(bool) override {}
    void Progress(int, int) override {}
    // On standard error, so that standard output holds the log's lines alone: on a terminal one
    // line counts the seconds down; elsewhere each wait gets one line.
    void Waiting(int seconds, int total) override;
    bool Cancelled() override { return false; }

    bool AskOnTerminal = false;
    bool OnTerminal = false;         // standard output is a terminal: failures in red
    bool ProgressOnTerminal = false; // standard error is a terminal: an updating wait line
    TextLookup Text;
    bool YesAnswer = false;
    HomeChoice Home;

private:
    // Ends an updating wait line before anything else is printed.
    void EndWaitLine();

    Invocation& m_inv;
    bool m_waitLineOpen = false;
};

} // namespace kor::cli

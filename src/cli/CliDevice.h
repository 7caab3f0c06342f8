#pragma once

#include "cli/CliSession.h"
#include "cli/Command.h"

#include "app/LanguageCatalogue.h"
#include "config/Result.h"
#include "device/RunHost.h"
#include "device/RunSequence.h"

#include <string>

namespace kor::cli {

// What the device commands share: the relay of the start values, the camera as the device link
// reads it, and the language of the log lines.
RelaySettings RelayOf(const StartValues& start);
LinkSubject SubjectOf(const CameraSession& session);
// The camera record's address, port and credentials, with the relay.
DeviceTarget CameraTargetOf(const CameraSession& session);

// Loads the catalogue of --lang, else of the companion database's active language.
Status LoadCliLanguage(const Invocation& inv, const CameraSession& session, LanguageCatalogue& catalogue);
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
    bool Cancelled() override { return false; }

    bool AskOnTerminal = false;
    bool YesAnswer = false;
    HomeChoice Home;

private:
    Invocation& m_inv;
};

} // namespace kor::cli

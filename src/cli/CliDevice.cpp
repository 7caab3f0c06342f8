#include "cli/CliDevice.h"

#include "cli/CliText.h"

#include "app/CameraConfigRecord.h"
#include "app/Language.h"
#include "config/ConfigText.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "config/TextNumber.h"
#include "device/DeviceDownload.h"
#include "device/UploadStep.h"
#include "outside/transport/CurlHttpClient.h"

#include <QSqlQuery>
#include <QVariant>

#include <iostream>
#include <map>
#include <memory>
#include <ostream>

namespace kor::cli {

Status CheckCameraCredentials(const CameraSession& session, const TextLookup& text)
{
    if (const std::optional<std::string> refused =
            CredentialsRefusal(session.Camera.UserName(), session.Camera.Password(), text))
        return Status::Fail(TerminalText(*refused));
    return Status::Ok();
}

Status LoadCliLanguage(const Invocation& inv, const CameraSession& session, LanguageCatalogue& catalogue)
{
    const LanguageEntry* language = nullptr;
    if (inv.Has("lang")) {
        language = LanguageByCode(QString::fromStdString(inv.Value("lang")));
        if (!language)
            return Status::Fail("--lang takes es, en, it or pt");
    } else {
        QSqlQuery query(session.Connection.Database());
        if (query.exec(QStringLiteral("SELECT VALUE FROM LNG WHERE ACTV=1")) && query.next())
            language = LanguageByValue(query.value(0).toInt());
        if (!language)
            language = LanguageByCode(u"en");
    }
    const Status loaded =
        language ? catalogue.LoadFile(LanguageCataloguePath(*language)) : Status::Fail(std::string());
    if (loaded.failed())
        return Status::Fail("Language library error. " + loaded.reason());
    return Status::Ok();
}

Status ReadCameraConfig(const CameraSession& session, CompareInput& input, std::string* text)
{
    CurlHttpClient http;
    input.Doc.InitialiseForStartUp(1);
    const DownloadResult result = DownloadFromDevice(input.Doc, http, CameraTargetOf(session, session.Start),
                                                     session.Model.ChannelCount(), session.Camera.Channel());
    if (result.Outcome == DownloadOutcome::NoConfiguration) {
        input.Doc.ResetConfig();
        input.Device.reset();
        if (text)
            text->clear();
        return Status::Ok();
    }
    if (!result.ConfigLoaded) {
        std::string reason = "the camera's configuration could not be read";
        if (!result.ErrorText.empty())
            reason += " (" + TerminalText(result.ErrorText) + ")";
        return Status::Fail(reason);
    }
    if (result.Load.Outcome.failed())
        return Status::Fail("the camera's configuration is damaged at line " +
                            std::to_string(result.Load.Line) + ": " +
                            TerminalText(result.Load.Outcome.reason()));
    input.Device = ReadDeviceLine(result.ConfigText);
    if (text)
        *text = result.ConfigText;
    return Status::Ok();
}

void RememberCameraText(Invocation& inv, std::int32_t camera, const std::string& text)
{
    if (const Status kept = CameraConfigRecord().Remember(camera, text); kept.failed())
        inv.Err << "korctl: warning: " << kept.reason() << "\n";
}

Status LoadLanguageOption(const Invocation& inv, LanguageCatalogue& catalogue)
{
    const LanguageEntry* language = LanguageByCode(QString::fromStdString(inv.Value("lang", "en")));
    if (!language)
        return Status::Fail("--lang takes es, en, it or pt");
    if (const Status loaded = catalogue.LoadFile(LanguageCataloguePath(*language)); loaded.failed())
        return Status::Fail("Language library error. " + loaded.reason());
    return Status::Ok();
}

TextLookup LookupOf(const LanguageCatalogue& catalogue)
{
    // Summaries and differences ask for the same words again and again; each is converted once.
    auto words = std::make_shared<std::map<int, std::string>>();
    return [&catalogue, words](int n) {
        auto it = words->find(n);
        if (it == words->end())
            it = words->emplace(n, ToCp1252(catalogue.Text(n))).first;
        return it->second;
    };
}

void TerminalHost::Log(const std::string& line, LogKind kind)
{
    EndWaitLine();
    if (OnTerminal && kind == LogKind::Error)
        m_inv.Out << "\033[31m" << TerminalText(line) << "\033[0m" << std::endl;
    else
        m_inv.Out << TerminalText(line) << std::endl;
}

void TerminalHost::Waiting(int seconds, int total)
{
    if (!ProgressOnTerminal && seconds != 1)
        return;
    std::string line = Text ? Text(LangTextId(1199)) : std::string();
    const std::string left = DecimalText(total - seconds + 1);
    if (const std::size_t at = line.find("%1"); at != std::string::npos)
        line.replace(at, 2, left);
    else
        line += " " + left;
    if (!ProgressOnTerminal) {
        m_inv.Err << TerminalText(line) << std::endl;
        return;
    }
    m_inv.Err << "\r" << TerminalText(line) << "\033[K" << std::flush;
    m_waitLineOpen = true;
}

void TerminalHost::EndWaitLine()
{
    if (m_waitLineOpen)
        m_inv.Err << "\r\033[K" << std::flush;
    m_waitLineOpen = false;
}

bool TerminalHost::AskYesNo(const std::string& question, const std::string& title)
{
    EndWaitLine();
    if (!AskOnTerminal) {
        m_inv.Out << TerminalText(title) << ": " << TerminalText(question) << " "
                  << (YesAnswer ? "yes" : "no") << std::endl;
        return YesAnswer;
    }
    m_inv.Out << TerminalText(title) << ": " << TerminalText(question) << " [y/n] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer[0] == 's' || answer[0] == 'S');
}

HomeChoice TerminalHost::ChooseHome(const std::vector<CameraPosition>&)
{
    return Home;
}

} // namespace kor::cli

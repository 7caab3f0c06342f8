#include "cli/CliDevice.h"

#include "cli/CliText.h"

#include "app/AppPaths.h"
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

Status OpenCameraForRun(const Invocation& inv, std::int32_t camera, CameraSession& session,
                        LanguageCatalogue& catalogue)
{
    if (const Status opened = OpenCameraSession(inv, camera, session); opened.failed())
        return opened;
    if (const Status loaded = LoadCliLanguage(inv, session, catalogue); loaded.failed())
        return loaded;
    if (const std::optional<std::string> refused =
            CredentialsRefusal(session.Camera.UserName(), session.Camera.Password(), LookupOf(catalogue)))
        return Status::Fail(TerminalText(*refused));
    return Status::Ok();
}

DeviceServices CliDeviceServices(HttpClient& http, FtpClient& ftp, Pinger& ping, Clock& clock,
                                 TextLookup text, std::int32_t camera)
{
    DeviceServices services;
    services.Http = &http;
    services.Ftp = &ftp;
    services.Ping = &ping;
    services.Wait = &clock;
    services.Text = std::move(text);
    services.WorkFolder = AppPaths::WorkDir();
    services.DataFolder = AppPaths::Resource(QStringLiteral("Data"));
    services.KeepSystemFiles = SystemFilesKeeper(services.WorkFolder, camera);
    return services;
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
    const Result<std::string> read =
        ReadCameraText(http, CameraTargetOf(session, session.Start), session.Model.ChannelCount(),
                       session.Camera.Channel(), &input.Doc);
    if (read.failed())
        return Status::Fail(TerminalText(read.reason()));
    input.Device.reset();
    if (!read->empty())
        input.Device = ReadDeviceLine(*read);
    if (text)
        *text = *read;
    return Status::Ok();
}

void RememberCameraText(Invocation& inv, std::int32_t camera, HistoryOperation operation,
                        const std::string& text, const std::string& firmware)
{
    if (const Status kept = CameraConfigRecord().Remember(camera, operation, text, firmware); kept.failed())
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

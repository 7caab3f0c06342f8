#include "actions/RemoteAlarmAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

RemoteSource Numbered(int text, int counter, std::string_view kind, int index)
{
    return RemoteSource{text, nullptr, counter, std::string(kind) + DecimalText(index)};
}

} // namespace

std::string BuildRemoteAlarmParams(const RemoteAlarmAction& action)
{
    std::string params;
    AppendParam(params, "IP", action.Ip);
    AppendParam(params, "PORT", action.Port);
    AppendParam(params, "USR", action.User);
    AppendParam(params, "PWD", action.Password);
    AppendParam(params, "DEV", action.Detector ? "1" : "0");
    AppendParam(params, "SEN", action.Sen);
    return params;
}

RemoteAlarmLoad LoadRemoteAlarmParams(std::string_view params)
{
    RemoteAlarmLoad load;
    load.Fields.Ip = ReadParam(params, "IP");
    load.Fields.Port = ReadParam(params, "PORT");
    load.Fields.User = ReadParam(params, "USR");
    load.Fields.Password = ReadParam(params, "PWD");
    load.Dev = ReadNumber(ReadParam(params, "DEV"));
    load.Fields.Detector = load.Dev && *load.Dev != 0;
    load.Fields.Sen = ReadParam(params, "SEN");
    return load;
}

std::int64_t SenNumber(std::string_view sen)
{
    return ReadNumber(sen).value_or(0);
}

std::int64_t NextPow2(std::int64_t n)
{
    for (int k = 0; k <= 30; ++k) {
        const std::int64_t power = std::int64_t{1} << k;
        if (power >= n)
            return power;
    }
    return 0;
}

std::int64_t DetectorEventNumber(std::int64_t edge, std::int64_t device, std::int64_t port,
                                 const DetectorNumbering& numbering)
{
    const std::int64_t ports = numbering.PortCount;
    const std::int64_t devices = numbering.DeviceCount;
    return edge * NextPow2(ports * devices) + device * ports + port;
}

std::optional<DetectorPositions> DetectorPositionsOf(std::int64_t sen, const DetectorNumbering& numbering)
{
    const std::int64_t ports = numbering.PortCount;
    const std::int64_t p = NextPow2(ports * numbering.DeviceCount);
    if (ports <= 0 || p <= 0 || sen < 0)
        return std::nullopt;
    DetectorPositions positions;
    positions.Edge = (sen & p) == 0 ? 0 : 1;
    const std::int64_t device = (sen % p) / ports; // counted from 1
    const std::int64_t port = sen % ports;
    if (device < 1 || device > numbering.DeviceCount)
        return std::nullopt;
    positions.Device = static_cast<int>(device - 1);
    positions.Port = static_cast<int>(port);
    return positions;
}

const std::vector<RemoteSourceKind>& RemoteSourceKinds()
{
    static const std::vector<RemoteSourceKind> kinds = {
        {"SIMD", 314}, {"EIMD", 315}, {"PCAM", 316}, {"SDMC", 317}, {"OTHC", 436}, {"SVIR", 322},
    };
    return kinds;
}

std::vector<RemoteSource> RemoteSourcesOf(std::string_view kind)
{
    std::vector<RemoteSource> sources;
    if (kind == "SIMD") {
        for (int n = 1; n <= 8; ++n)
            sources.push_back(Numbered(119, n, kind, n));
    } else if (kind == "EIMD") {
        sources = {Numbered(205, 0, kind, 0), Numbered(110, 0, kind, 9), Numbered(206, 0, kind, 10),
                   Numbered(207, 0, kind, 11)};
    } else if (kind == "PCAM") {
        for (int n = 1; n <= 4; ++n)
            sources.push_back(Numbered(316, n, kind, n + 49));
    } else if (kind == "SDMC") {
        sources.push_back(Numbered(318, 0, kind, 12));
        for (int n = 1; n <= 10; ++n)
            sources.push_back(Numbered(319, n, kind, n + 69));
    } else if (kind == "SVIR") {
        for (int n = 1; n <= 10; ++n)
            sources.push_back(Numbered(323, n, kind, n + 89));
    } else if (kind == "OTHC") {
        sources = {RemoteSource{0, "Audio", 0, "OTHC100"}, RemoteSource{0, "Tampering", 0, "OTHC101"},
                   Numbered(437, 0, kind, 102)};
    }
    return sources;
}

std::string_view RemoteKindOf(std::int64_t s)
{
    if (s == 0 || (s >= 9 && s <= 11))
        return "EIMD";
    if (s >= 1 && s <= 8)
        return "SIMD";
    if (s == 12 || (s >= 70 && s <= 89))
        return "SDMC";
    if (s >= 50 && s <= 69)
        return "PCAM";
    if (s >= 90 && s <= 99)
        return "SVIR";
    if (s >= 100 && s <= 109)
        return "OTHC";
    return {};
}

RemoteAlarmView RemoteAlarmViewOf(const RemoteAlarmAction& action)
{
    return RemoteAlarmView{!action.Detector, action.Detector};
}

FormCheck CheckRemoteAlarmForm(RemoteAlarmAction& action, const RemoteAlarmChoice& choice,
                               std::string_view description, const TypedOutside& typed)
{
    if (IsEmptyAddress(action.Ip))
        return FormCheck::Refuse(LangTextId(800));
    if (action.Port.empty())
        action.Port = "80";
    const bool chosen = action.Detector ? choice.Edge >= 0 && choice.Device >= 0 && choice.Port >= 0
                                        : choice.Kind >= 0 && choice.Source >= 0;
    if (!chosen)
        return FormCheck::RefuseSilently();
    const StoredText texts[] = {
        {kDescriptionField, std::string(description)},
        {{"TxtPort", LangTextId(106), ValueKind::Param}, action.Port},
        {{"TxtUsr", LangTextId(107), ValueKind::Param}, action.User},
        {{"TxtPwd", LangTextId(108), ValueKind::Param}, action.Password},
    };
    return CheckStoredTexts(texts, typed);
}

std::string RemoteAlarmSen(const RemoteAlarmAction& action, const RemoteAlarmChoice& choice,
                           const DetectorNumbering& numbering)
{
    if (action.Detector)
        return DecimalText(DetectorEventNumber(choice.Edge, numbering.FirstDevice + choice.Device,
                                               numbering.FirstPort + choice.Port, numbering));
    const std::vector<RemoteSourceKind>& kinds = RemoteSourceKinds();
    if (choice.Kind < 0 || choice.Kind >= static_cast<int>(kinds.size()))
        return {};
    const std::vector<RemoteSource> sources =
        RemoteSourcesOf(kinds[static_cast<std::size_t>(choice.Kind)].Tag);
    if (choice.Source < 0 || choice.Source >= static_cast<int>(sources.size()))
        return {};
    return sources[static_cast<std::size_t>(choice.Source)].Tag.substr(4);
}

RemoteAlarmForm LoadRemoteAlarmForm(std::string_view params, const DetectorNumbering& numbering)
{
    const RemoteAlarmLoad load = LoadRemoteAlarmParams(params);
    RemoteAlarmForm form;
    form.Fields = load.Fields;
    if (!load.Dev)
        return form;
    const std::int64_t s = SenNumber(load.Fields.Sen);
    if (load.Fields.Detector) {
        const std::optional<DetectorPositions> positions = DetectorPositionsOf(s, numbering);
        if (!positions)
            return form;
        form.Choice.Edge = positions->Edge;
        form.Choice.Device = positions->Device;
        form.Choice.Port = positions->Port;
        form.Complete = true;
        return form;
    }
    const std::string_view kind = RemoteKindOf(s);
    const std::vector<RemoteSourceKind>& kinds = RemoteSourceKinds();
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        if (kinds[k].Tag == kind)
            form.Choice.Kind = static_cast<int>(k);
    }
    if (form.Choice.Kind >= 0) {
        const std::vector<RemoteSource> sources = RemoteSourcesOf(kind);
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (ReadNumber(sources[i].Tag.substr(4)) == s) {
                form.Choice.Source = static_cast<int>(i);
                break;
            }
        }
    }
    form.Complete = true;
    return form;
}

} // namespace kor

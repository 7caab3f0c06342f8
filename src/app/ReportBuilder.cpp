#include "app/ReportBuilder.h"

#include "app/HtmlText.h"
#include "config/EventSources.h"
#include "config/LangTextId.h"
#include "config/TextNumber.h"

#include <initializer_list>
#include <utility>

namespace kor {

namespace {

using Substitution = std::pair<std::string_view, std::string_view>;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kDayMarkers[TimeTable::DayCount] = {"<!--L-->", "<!--M-->", "<!--X-->", "<!--J-->",
                                                               "<!--V-->", "<!--S-->", "<!--D-->"};

// Replaces every placeholder in one pass: inserted values are never searched again, so a value
// can never be taken for a placeholder.
void AppendFilled(std::string& out, std::string_view block, std::initializer_list<Substitution> substitutions)
{
    std::size_t copied = 0;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const char c = block[i];
        if (c != '$' && c != '<')
            continue;
        for (const Substitution& s : substitutions) {
            if (!s.first.empty() && block.compare(i, s.first.size(), s.first) == 0) {
                out.append(block, copied, i - copied);
                out.append(s.second);
                i += s.first.size() - 1;
                copied = i + 1;
                break;
            }
        }
    }
    out.append(block, copied, std::string_view::npos);
}

// At least two digits, as the time table and the image names show numbers.
void AppendTwoDigits(std::string& out, std::int64_t value)
{
    if (value < 0) {
        out.push_back('-');
        value = -value;
    }
    if (value < 10)
        out.push_back('0');
    out += DecimalText(value);
}

std::string IntervalText(const Interval& interval)
{
    std::string text;
    text.reserve(11);
    AppendTwoDigits(text, interval.Start.Hour);
    text.push_back(':');
    AppendTwoDigits(text, interval.Start.Minute);
    text.push_back('-');
    AppendTwoDigits(text, interval.End.Hour);
    text.push_back(':');
    AppendTwoDigits(text, interval.End.Minute);
    return text;
}

bool HasLiveAction(const SensorRule& rule)
{
    for (const ActionRecord& action : rule.Actions) {
        if (!action.Deleted)
            return true;
    }
    return false;
}

void AppendTimeTableRows(std::string& out, const ReportTemplate& tpl, const TimeTable& table)
{
    std::array<std::string, TimeTable::DayCount> cells;
    for (std::size_t row = 0;; ++row) {
        bool any = false;
        for (int day = 1; day <= TimeTable::DayCount; ++day) {
            const std::span<const Interval> intervals = table.Day(day);
            auto& cell = cells[static_cast<std::size_t>(day - 1)];
            if (row < intervals.size()) {
                cell = IntervalText(intervals[row]);
                any = true;
            } else {
                // The marker stays in the row: an empty comment cell.
                cell = kDayMarkers[day - 1];
            }
        }
        if (!any)
            return;
        AppendFilled(out, tpl.Blocks[4],
                     {{kDayMarkers[0], cells[0]},
                      {kDayMarkers[1], cells[1]},
                      {kDayMarkers[2], cells[2]},
                      {kDayMarkers[3], cells[3]},
                      {kDayMarkers[4], cells[4]},
                      {kDayMarkers[5], cells[5]},
                      {kDayMarkers[6], cells[6]}});
    }
}

void AppendAction(std::string& out, const ReportTemplate& tpl, const ActionRecord& action,
                  const LangTextLookup& langText, std::string_view imageFolderUrl)
{
    const std::string description = HtmlText(ActionSummary(action, langText) + " (" + action.Name + ")");
    std::string image = HtmlText(imageFolderUrl);
    AppendTwoDigits(image, action.Type);
    image += ".gif";
    AppendFilled(out, tpl.Blocks[2], {{"$DESC$", description}, {"<!--IMG-->", image}});
    out += tpl.Gaps[1];
    out += kLineEnd;
    if (!action.TimeTable.IsEmpty()) {
        out += tpl.Blocks[3];
        out += tpl.Gaps[3];
        out += kLineEnd;
        AppendTimeTableRows(out, tpl, action.TimeTable);
    }
    out += tpl.Blocks[5];
}

void AppendRules(std::string& out, const ReportTemplate& tpl, const ConfigDocument& doc,
                 const LangTextLookup& langText, std::string_view imageFolderUrl)
{
    for (int r = 0; r < ReportRuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!HasLiveAction(rule))
            continue;
        AppendFilled(out, tpl.Blocks[1], {{"$SID$", HtmlText(ReportRuleName(r, langText))}});
        out += kLineEnd;
        for (const ActionRecord& action : rule.Actions) {
            if (!action.Deleted)
                AppendAction(out, tpl, action, langText, imageFolderUrl);
        }
    }
}

std::string Quantity(unsigned value, const std::string& unit)
{
    return DecimalText(value) + " " + HtmlText(unit);
}

void AppendGeneral(std::string& out, const ReportTemplate& tpl, const GeneralSettings& g,
                   const LangTextLookup& langText)
{
    const std::string seconds = langText(LangTextId(117));
    const std::string framesPerSecond = langText(LangTextId(252));
    AppendFilled(out, tpl.Blocks[6],
                 {{"$PATIME$", Quantity(g.FTM, seconds)},
                  {"$PAFPS$", Quantity(g.FS, framesPerSecond)},
                  {"$ATIME$", Quantity(g.FTMB, seconds)},
                  {"$AFPS$", Quantity(g.FSB, framesPerSecond)}});
    out += tpl.Gaps[6];
}

void AppendDetector(std::string& out, const ReportTemplate& tpl, const ZelkSettings& z,
                    const LangTextLookup& langText)
{
    AppendFilled(out, tpl.Blocks[7], {{"$BASECODE$", DecimalText(z.BC)}});
    const std::string sensor = HtmlText(langText(LangTextId(247)));
    const std::string active = HtmlText(langText(LangTextId(253)));
    const std::string inactive = HtmlText(langText(LangTextId(254)));
    const std::string masked = HtmlText(langText(LangTextId(158)));
    for (std::size_t j = 0; j < z.S.size(); ++j) {
        // The mask flags belong to inputs 3..8; inputs 1 and 2 cannot be masked.
        const bool isMasked = j >= 2 && z.MSK[j - 2];
        AppendFilled(out, tpl.Blocks[8],
                     {{"$SEN$", sensor + " " + DecimalText(static_cast<std::int64_t>(j + 1))},
                      {"$ACTV$", z.S[j] ? active : inactive},
                      {"$MSK$", isMasked ? std::string_view(masked) : std::string_view()}});
    }
    out += tpl.Gaps[8];
}

std::string HeaderHtml(const ReportHeader& header, const LangTextLookup& langText)
{
    const std::pair<int, const std::string*> rows[] = {
        {LangTextId(136), &header.CameraName}, {LangTextId(105), &header.Address},
        {LangTextId(1131), &header.Model},     {LangTextId(1132), &header.Firmware},
        {LangTextId(1133), &header.MadeAt},
    };
    std::string html = "<table class=\"grid\" cellspacing=\"0\" cellpadding=\"4\" border=\"1\">\r\n";
    for (const auto& [label, value] : rows) {
        if (value->empty())
            continue;
        html += "<tr><td class=\"label\">" + HtmlText(langText(label)) + "</td><td>" + HtmlText(*value) +
                "</td></tr>\r\n";
    }
    return html + "</table>";
}

std::string LeftOutHtml(const ConfigDocument& doc, const ReportHeader& header, const LangTextLookup& langText)
{
    std::string items;
    for (int r = ReportRuleCount; r < ConfigDocument::RuleCount; ++r) {
        if (!HasLiveAction(doc.Rule(r)))
            continue;
        const std::string name =
            header.SourceName ? header.SourceName(r) : EventSourceTag(r, doc.InputOneAsSensor);
        items += "<li>" + HtmlText(name.empty() ? DecimalText(r) : name) + "</li>\r\n";
    }
    if (items.empty())
        return {};
    return "<p>" + HtmlText(langText(LangTextId(1134))) + "</p>\r\n<ul>\r\n" + items + "</ul>";
}

// Replaces the first occurrence of a marker. Every text the report inserts is escaped, so the
// marker can only come from the template.
void ReplaceMarker(std::string& out, std::string_view marker, const std::string& html)
{
    if (const std::size_t at = out.find(marker); at != std::string::npos)
        out.replace(at, marker.size(), html);
}

} // namespace

std::string ReportRuleName(int ruleIndex, const LangTextLookup& langText)
{
    switch (ruleIndex) {
    case 0:
        return langText(LangTextId(116));
    case 9:
        return langText(LangTextId(120));
    case 10:
        return langText(LangTextId(121));
    case 11:
        return langText(LangTextId(122));
    default:
        break;
    }
    if (ruleIndex >= 1 && ruleIndex <= 8)
        return langText(LangTextId(119)) + " " + DecimalText(ruleIndex);
    return {};
}

std::string BuildReportHtml(const ReportTemplate& tpl, const ConfigDocument& doc,
                            const LangTextLookup& langText, std::string_view imageFolderUrl,
                            const ReportHeader& header)
{
    std::string out;
    out.reserve(tpl.Gaps[0].size() + 4096);
    out += tpl.Gaps[0];
    for (ReportSection section : tpl.Sections) {
        switch (section) {
        case ReportSection::Rules:
            AppendRules(out, tpl, doc, langText, imageFolderUrl);
            break;
        case ReportSection::General:
            AppendGeneral(out, tpl, doc.GeneralSettings, langText);
            break;
        case ReportSection::Detector:
            AppendDetector(out, tpl, doc.ZelkSettings, langText);
            break;
        }
    }
    ReplaceMarker(out, kReportHeaderMarker, HeaderHtml(header, langText));
    ReplaceMarker(out, kReportLeftOutMarker, LeftOutHtml(doc, header, langText));
    return out;
}

} // namespace kor

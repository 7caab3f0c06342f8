#pragma once

#include "app/ReportTemplate.h"
#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"

#include <functional>
#include <string>
#include <string_view>

namespace kor {

// Only the digital inputs and detector events (rules 0..11) appear in the report.
constexpr int ReportRuleCount = 12;

// The heading of a reported rule (0..11) in the words of the language, Windows-1252.
std::string ReportRuleName(int ruleIndex, const LangTextLookup& langText);

// What the report says of itself at its start: the camera (fields left empty when not known) and
// when it was made. Texts are Windows-1252.
struct ReportHeader
{
    std::string CameraName;
    std::string Address;
    std::string Model;
    std::string Firmware;
    std::string MadeAt;
    // The name of a rule's event source for the list of those the report leaves out; the source tag
    // when not given.
    std::function<std::string(int)> SourceName;
};

// The marker lines of a template where the header and the list of left-out sources go; a template
// without them gets neither.
inline constexpr std::string_view kReportHeaderMarker = "<!--REPORTHEAD-->";
inline constexpr std::string_view kReportLeftOutMarker = "<!--LEFTOUT-->";

// Fills a template with a configuration; the result is the HTML text of xdoc.html.
// - Sections come in the template's order; gap 0 first.
// - Rules 0..11 with at least one action that is not deleted: block 1, then per action block 2
//   and gap 1, for a time table block 3, gap 3 and one block 4 per row (row r holds interval r
//   of every day that has one; other days keep their comment marker), then block 5.
// - General settings: block 6 and gap 6; detector: block 7, block 8 for inputs 1..8, gap 8.
// Every text from the document or the language (rule names, summaries, action names, units) is
// HTML-escaped, so a name such as "<b>" shows as typed. The image of an action is imageFolderUrl
// followed by its type as two digits and ".gif"; pass a folder URL that ends with "/".
// The header replaces the template's header marker; the sources of rules 12 and above that have
// actions are listed by name at its left-out marker, so that the report hides none of them.
std::string BuildReportHtml(const ReportTemplate& tpl, const ConfigDocument& doc,
                            const LangTextLookup& langText, std::string_view imageFolderUrl,
                            const ReportHeader& header = {});

} // namespace kor

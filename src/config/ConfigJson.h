#pragma once

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"
#include "config/Result.h"

#include <QByteArray>

#include <iosfwd>
#include <string_view>

namespace kor {

// The JSON form of a configuration: what `korctl show --json` prints and what `korctl convert`
// writes and reads. Version 1 of the layout; a reader refuses any other "format".
inline constexpr int kConfigJsonFormat = 1;
// What a masked password value reads; a reader refuses it.
inline constexpr char kMaskedPassword[] = "********";

struct ConfigJsonOptions
{
    // A listing for a terminal masks password values; a file meant to be read back keeps them.
    bool MaskPasswords = true;
    // Adds the derived fields a reader ignores (source tags, type names, action summaries).
    LangTextLookup LangText;
};

// Name of an action type as the JSON and the listings write it; "unknown" outside 0..9.
const char* ActionTypeName(std::int32_t type);

QByteArray ConfigToJson(const ConfigDocument& doc, const ConfigJsonOptions& options);
// The same, written straight to a stream (a large project needs no copy in memory).
void WriteConfigJson(const ConfigDocument& doc, const ConfigJsonOptions& options, std::ostream& out);

// Reads the JSON back into a fresh document. Refuses (naming the JSON path) a document with masked
// passwords, a value of the wrong kind or out of its field's range, and text the configuration's
// single-byte code page cannot hold.
Result<ConfigDocument> ConfigFromJson(std::string_view json);

// Whether the bytes look like the JSON form rather than a configuration text.
bool LooksLikeConfigJson(std::string_view bytes);

} // namespace kor

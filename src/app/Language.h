#pragma once

#include "config/Result.h"

#include <QString>
#include <QStringView>

#include <string>

class QSqlDatabase;

namespace kor {

// One language the tool speaks: the LNG table's VALUE, its catalogue file under resources/lang/
// and the code that help texts and report templates are named with.
struct LanguageEntry
{
    int Value;
    const char* FileName;
    const char* Code;
};

// 270 "sp", 271 "en", 352 "it", 389 "pt"; nullptr for any other value.
const LanguageEntry* LanguageByValue(int value);
// "sp", "en", "it" or "pt"; "es" is accepted for Spanish. nullptr for anything else.
const LanguageEntry* LanguageByCode(QStringView code);
// Full path of a language's catalogue among the resources.
QString LanguageCataloguePath(const LanguageEntry& language);

// Where LoadLanguage tells the user that no language could be loaded. The window shows a message
// box; tests record the call instead of blocking on a modal box.
class LanguageErrorSink
{
public:
    virtual ~LanguageErrorSink() = default;
    // message is "Language library error."; the reason has already been written to stderr.
    virtual void ShowLanguageError(const QString& message) = 0;
};

// Loads the catalogue of the language marked active in the LNG table of the companion database
// (SELECT VALUE FROM LNG WHERE ACTV=1). A catalogue loaded before is released first, so after a
// failure no language is active. Fails for no active row, an unknown VALUE, a missing or malformed
// catalogue, after writing the reason on standard error and showing "Language library error."
// through errors.
Status LoadLanguage(const QSqlDatabase& db, LanguageErrorSink& errors);
// The same for a language given by code (korctl, tests, tools).
Status LoadLanguageByCode(QStringView code);
// Releases the active catalogue (the window's unload).
void FreeLanguage();

// Text number n of the active language; "" when it lacks the number or no language is loaded.
// Safe to call from any thread.
QString LangText(int n);
// The same text as Windows-1252 bytes, for the configuration document and the report.
std::string LangTextBytes(int n);
// Text n, a blank and a number: "Input 3", "Device 2".
QString LangTextNumbered(int n, qint64 number);
// "sp", "en", "it" or "pt"; empty while no language is loaded.
QString LanguageCode();

// The design-time caption of a control whose caption is text n: the number as text, replaced by
// ApplyLanguageTexts. Writing captions this way keeps them visible to the catalogue check.
QString LangCaption(int n);

} // namespace kor

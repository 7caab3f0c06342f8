#include "app/Language.h"

#include "app/AppPaths.h"
#include "app/LanguageCatalogue.h"
#include "config/Cp1252.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <array>
#include <cstdio>
#include <memory>
#include <mutex>

namespace kor {

namespace {

constexpr std::array<LanguageEntry, 4> kLanguages = {{
    {270, "DefKorEs.lng", "sp"},
    {271, "DefKorEn.lng", "en"},
    {352, "DefKorIt.lng", "it"},
    {389, "DefKorPt.lng", "pt"},
}};

// The active catalogue is swapped whole, so a reader on another thread (the device worker's log
// lines) always sees one complete catalogue.
struct ActiveLanguage
{
    std::mutex Lock;
    std::shared_ptr<const LanguageCatalogue> Catalogue;
    QString Code;
};

ActiveLanguage& Active()
{
    static ActiveLanguage active;
    return active;
}

void SetActive(std::shared_ptr<const LanguageCatalogue> catalogue, const QString& code)
{
    ActiveLanguage& active = Active();
    std::lock_guard<std::mutex> guard(active.Lock);
    active.Catalogue = std::move(catalogue);
    active.Code = code;
}

std::shared_ptr<const LanguageCatalogue> CurrentCatalogue()
{
    ActiveLanguage& active = Active();
    std::lock_guard<std::mutex> guard(active.Lock);
    return active.Catalogue;
}

// Loads a language's catalogue and makes it active; false with the reason otherwise.
bool Activate(const LanguageEntry& language, QString& reason)
{
    auto catalogue = std::make_shared<LanguageCatalogue>();
    if (!catalogue->LoadFile(LanguageCataloguePath(language), &reason))
        return false;
    SetActive(std::move(catalogue), QString::fromLatin1(language.Code));
    return true;
}

// The active row's VALUE; false with the reason when there is no usable row.
bool ActiveLanguageValue(const QSqlDatabase& db, int& value, QString& reason)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT VALUE FROM LNG WHERE ACTV=1"))) {
        reason = QStringLiteral("cannot read the table LNG: %1").arg(query.lastError().text());
        return false;
    }
    if (!query.next()) {
        reason = QStringLiteral("no language is marked active in the table LNG");
        return false;
    }
    bool ok = false;
    value = query.value(0).toInt(&ok);
    if (!ok) {
        reason = QStringLiteral("the active VALUE \"%1\" of the table LNG is not a number")
                     .arg(query.value(0).toString());
        return false;
    }
    return true;
}

} // namespace

const LanguageEntry* LanguageByValue(int value)
{
    for (const LanguageEntry& language : kLanguages) {
        if (language.Value == value)
            return &language;
    }
    return nullptr;
}

const LanguageEntry* LanguageByCode(QStringView code)
{
    if (code == u"es")
        code = u"sp";
    for (const LanguageEntry& language : kLanguages) {
        if (code == QLatin1String(language.Code))
            return &language;
    }
    return nullptr;
}

QString LanguageCataloguePath(const LanguageEntry& language)
{
    return AppPaths::Resource(QStringLiteral("lang/") + QLatin1String(language.FileName));
}

bool LoadLanguage(const QSqlDatabase& db, LanguageErrorSink& errors)
{
    FreeLanguage();
    QString reason;
    int value = 0;
    bool loaded = false;
    if (ActiveLanguageValue(db, value, reason)) {
        if (const LanguageEntry* language = LanguageByValue(value))
            loaded = Activate(*language, reason);
        else
            reason =
                QStringLiteral("the active VALUE %1 of the table LNG names no known language").arg(value);
    }
    if (loaded)
        return false;
    std::fprintf(stderr, "Language library error: %s\n", reason.toLocal8Bit().constData());
    errors.ShowLanguageError(QStringLiteral("Language library error."));
    return true;
}

bool LoadLanguageByCode(QStringView code, QString* reason)
{
    FreeLanguage();
    const LanguageEntry* language = LanguageByCode(code);
    QString why;
    if (!language)
        why = QStringLiteral("\"%1\" is not a language code (es, en, it, pt)").arg(code);
    else if (Activate(*language, why))
        return false;
    if (reason)
        *reason = why;
    return true;
}

void FreeLanguage()
{
    SetActive(nullptr, QString());
}

QString LangText(int n)
{
    const auto catalogue = CurrentCatalogue();
    return catalogue ? catalogue->Text(n) : QString();
}

std::string LangTextBytes(int n)
{
    return ToCp1252(LangText(n));
}

QString LanguageCode()
{
    ActiveLanguage& active = Active();
    std::lock_guard<std::mutex> guard(active.Lock);
    return active.Code;
}

QString LangCaption(int n)
{
    return QString::number(n);
}

} // namespace kor

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

// Loads a language's catalogue and makes it active.
Status Activate(const LanguageEntry& language)
{
    auto catalogue = std::make_shared<LanguageCatalogue>();
    if (Status loaded = catalogue->LoadFile(LanguageCataloguePath(language)); loaded.failed())
        return loaded;
    SetActive(std::move(catalogue), QString::fromLatin1(language.Code));
    return Status::Ok();
}

// The active row's VALUE; a failure when there is no usable row.
Result<int> ActiveLanguageValue(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT VALUE FROM LNG WHERE ACTV=1")))
        return Status::Fail(
            QStringLiteral("cannot read the table LNG: %1").arg(query.lastError().text()).toStdString());
    if (!query.next())
        return Status::Fail("no language is marked active in the table LNG");
    bool ok = false;
    const int value = query.value(0).toInt(&ok);
    if (!ok)
        return Status::Fail(QStringLiteral("the active VALUE \"%1\" of the table LNG is not a number")
                                .arg(query.value(0).toString())
                                .toStdString());
    return value;
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

Status LoadLanguage(const QSqlDatabase& db, LanguageErrorSink& errors)
{
    FreeLanguage();
    const Result<int> value = ActiveLanguageValue(db);
    Status loaded = value.status();
    if (value.ok()) {
        if (const LanguageEntry* language = LanguageByValue(*value))
            loaded = Activate(*language);
        else
            loaded = Status::Fail("the active VALUE " + std::to_string(*value) +
                                  " of the table LNG names no known language");
    }
    if (loaded.ok())
        return loaded;
    std::fprintf(stderr, "Language library error: %s\n", loaded.reason().c_str());
    errors.ShowLanguageError(QStringLiteral("Language library error."));
    return loaded;
}

Status LoadLanguageByCode(QStringView code)
{
    FreeLanguage();
    const LanguageEntry* language = LanguageByCode(code);
    if (!language)
        return Status::Fail(
            QStringLiteral("\"%1\" is not a language code (es, en, it, pt)").arg(code).toStdString());
    return Activate(*language);
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

QString LangTextNumbered(int n, qint64 number)
{
    return LangText(n) + u' ' + QString::number(number);
}

QString LangCaption(int n)
{
    return QString::number(n);
}

} // namespace kor

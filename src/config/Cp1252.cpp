#include "config/Cp1252.h"

#include <QList>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace kor {

namespace {
// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined, which
// are passed through as the C1 control of the same value.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString FromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 && u <= 0x9F && kHighTable[u - 0x80] != 0)
            out.append(QChar(kHighTable[u - 0x80]));
        else
            out.append(QChar(static_cast<char16_t>(u)));
    }
    return out;
}

namespace {

// The byte of a character, or nothing when the code page lacks it.
std::optional<char> Cp1252Byte(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == u || (kHighTable[i] == 0 && u == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

std::string ToCp1252(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text)
        out.push_back(Cp1252Byte(ch.unicode()).value_or('?'));
    return out;
}

bool IsCp1252Character(char32_t c)
{
    return Cp1252Byte(c).has_value();
}

std::optional<char32_t> FirstOutsideCp1252(QStringView text)
{
    for (const char32_t c : text.toUcs4()) {
        if (!IsCp1252Character(c))
            return c;
    }
    return std::nullopt;
}

Result<std::string> ToCp1252Exact(const QString& text, std::string_view field)
{
    std::vector<char32_t> missing;
    for (const char32_t c : text.toUcs4()) {
        if (!IsCp1252Character(c) && std::find(missing.begin(), missing.end(), c) == missing.end())
            missing.push_back(c);
    }
    if (missing.empty())
        return ToCp1252(text);
    std::string list;
    for (const char32_t c : missing) {
        if (!list.empty())
            list += ", ";
        list += QString::fromUcs4(&c, 1).toStdString() + " (U+" +
                QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0').toStdString() +
                ")";
    }
    return Result<std::string>::Fail(
        std::string(field) + ": holds characters the single-byte (Windows-1252) files cannot hold: " + list);
}

} // namespace kor

#pragma once

#include "config/Result.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace kor {

// The texts of one language: text number -> string. Catalogues are UTF-8 files in resources/lang/
// (DefKorEs.lng, DefKorEn.lng, DefKorIt.lng, DefKorPt.lng), one entry a line:
//
//   N<TAB>text
//
// - N is a text number in decimal digits (no sign, no blanks), each number once;
// - the text is the rest of the line after the first TAB, never empty and at most 511
//   characters; "\n" stands for a line break, "\t" for a TAB and "\\" for a backslash (any other
//   backslash sequence is an error);
// - blank lines and lines whose first character is "#" are comments;
// - a byte-order mark at the start and CR before LF are accepted.
//
// Anything else (a line without a TAB, a bad number, a duplicate, invalid UTF-8, no entry at
// all) makes the whole catalogue malformed: a half-read catalogue would silently blank captions.
class LanguageCatalogue
{
public:
    static constexpr int MaxTextLength = 511;

    // Replaces the content with the parsed text. A malformed text fails (the reason names the line)
    // and leaves the catalogue empty.
    Status Parse(const QByteArray& utf8);
    // Parse of a file; the reason names the file.
    Status LoadFile(const QString& path);

    // The text of number n; "" when the catalogue lacks it.
    QString Text(int n) const;
    bool Contains(int n) const { return m_texts.count(n) != 0; }
    std::vector<int> Numbers() const;
    std::size_t Size() const { return m_texts.size(); }
    bool IsEmpty() const { return m_texts.empty(); }

private:
    std::map<int, QString> m_texts;
};

} // namespace kor

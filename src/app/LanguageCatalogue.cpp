#include "app/LanguageCatalogue.h"

#include <QFile>
#include <QStringDecoder>

#include <limits>

namespace kor {

namespace {

// Undoes the escapes of a catalogue text; false on an unknown escape or a trailing backslash.
bool Unescape(const QString& raw, QString& out)
{
    out.clear();
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != u'\\') {
            out.append(c);
            continue;
        }
        if (++i >= raw.size())
            return false;
        switch (raw.at(i).unicode()) {
        case u'n':
            out.append(u'\n');
            break;
        case u't':
            out.append(u'\t');
            break;
        case u'\\':
            out.append(u'\\');
            break;
        default:
            return false;
        }
    }
    return true;
}

// A text number: decimal digits only, within 0..INT_MAX.
bool ParseTextNumber(QStringView digits, int& n)
{
    if (digits.isEmpty() || digits.size() > 10)
        return false;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > std::numeric_limits<int>::max())
        return false;
    n = static_cast<int>(value);
    return true;
}

} // namespace

Status LanguageCatalogue::Parse(const QByteArray& utf8)
{
    m_texts.clear();
    auto fail = [&](qsizetype line, const QString& what) {
        m_texts.clear();
        return Status::Fail(
            (line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(what) : what).toStdString());
    };

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(utf8);
    if (decoder.hasError())
        return fail(0, QStringLiteral("not valid UTF-8"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            return fail(i + 1, QStringLiteral("no TAB between the text number and the text"));
        int n = 0;
        if (!ParseTextNumber(line.left(tab), n))
            return fail(i + 1, QStringLiteral("\"%1\" is not a text number").arg(line.left(tab)));
        QString value;
        if (!Unescape(line.mid(tab + 1).toString(), value))
            return fail(i + 1, QStringLiteral("unknown backslash escape (use \\n, \\t or \\\\)"));
        if (value.isEmpty())
            return fail(i + 1, QStringLiteral("text %1 is empty").arg(n));
        if (value.size() > MaxTextLength)
            return fail(i + 1,
                        QStringLiteral("text %1 is longer than %2 characters").arg(n).arg(MaxTextLength));
        if (!m_texts.emplace(n, value).second)
            return fail(i + 1, QStringLiteral("text %1 appears twice").arg(n));
    }
    if (m_texts.empty())
        return fail(0, QStringLiteral("the catalogue holds no texts"));
    return Status::Ok();
}

Status LanguageCatalogue::LoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_texts.clear();
        return Status::Fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    }
    if (Status parsed = Parse(file.readAll()); parsed.failed())
        return Status::Fail(path.toStdString() + ": " + parsed.reason());
    return Status::Ok();
}

QString LanguageCatalogue::Text(int n) const
{
    const auto it = m_texts.find(n);
    return it == m_texts.end() ? QString() : it->second;
}

std::vector<int> LanguageCatalogue::Numbers() const
{
    std::vector<int> numbers;
    numbers.reserve(m_texts.size());
    for (const auto& entry : m_texts)
        numbers.push_back(entry.first);
    return numbers;
}

} // namespace kor

#include "app/IpAddressText.h"

#include "config/TextNumber.h"

namespace kor {

namespace {

// 1-based position of the first "." at or after the 1-based start; 0 when there is none.
qsizetype DotAfter(QStringView text, qsizetype position)
{
    const qsizetype start = position + 1;
    const qsizetype found = text.indexOf(u'.', start - 1);
    return found < 0 ? 0 : found + 1;
}

// count characters from the 1-based start, clipped to the text; nullopt for a negative count.
std::optional<QString> Piece(QStringView text, qsizetype start, qsizetype count)
{
    if (count < 0)
        return std::nullopt;
    const qsizetype from = start - 1;
    if (from >= text.size())
        return QString();
    return text.mid(from, count).toString();
}

constexpr int kMaxDigits = 3;
constexpr std::int64_t kMaxOctet = 255;
constexpr int kLastBox = 3;

bool FitsOctet(const QString& digits)
{
    if (digits.size() > kMaxDigits)
        return false;
    const std::optional<std::int64_t> value = ReadNumber(digits.toStdString());
    return !value || *value <= kMaxOctet;
}

} // namespace

std::array<std::optional<QString>, 4> SplitIpText(QStringView text)
{
    const qsizetype p1 = DotAfter(text, 0);
    const qsizetype p2 = DotAfter(text, p1);
    const qsizetype p3 = DotAfter(text, p2);
    const qsizetype length = text.size();
    std::array<std::optional<QString>, 4> boxes;
    boxes[0] = Piece(text, 1, p1 - 1);
    boxes[1] = Piece(text, p1 + 1, p2 - p1 - 1);
    boxes[2] = Piece(text, p2 + 1, p3 - p2 - 1);
    if (length - p3 >= 0)
        boxes[3] = text.right(length - p3).toString();
    return boxes;
}

QString JoinIpText(const std::array<QString, 4>& boxes)
{
    QString text;
    for (const QString& box : boxes) {
        if (!text.isEmpty())
            text.append(u'.');
        const std::optional<std::int64_t> value = ReadNumber(box.toStdString());
        text.append(QString::number(value.value_or(0)));
    }
    return text;
}

bool IsEmptyIpText(QStringView text)
{
    return text.trimmed().isEmpty() || text == u"0.0.0.0";
}

IpKeyOutcome IpCharacterKey(const std::array<QString, 4>& boxes, int box, int caret, int selected, QChar c)
{
    if (box < 0 || box > kLastBox || c == u'\b')
        return {};
    IpKeyOutcome outcome;
    outcome.Consumed = true;
    if (c == u'.' || c == u' ') {
        if (box < kLastBox)
            outcome.FocusBox = box + 1;
        return outcome;
    }
    if (c < u'0' || c > u'9')
        return outcome;
    if (caret < kMaxDigits) {
        // The whole resulting text must stay an octet, wherever the digit goes.
        QString typed = boxes[static_cast<std::size_t>(box)];
        typed.replace(caret, selected, c);
        outcome.Consumed = !FitsOctet(typed);
        return outcome;
    }
    // A full box: the digit goes on into the next box.
    if (box < kLastBox) {
        const QString& next = boxes[static_cast<std::size_t>(box + 1)];
        outcome.FocusBox = box + 1;
        if (next.size() < kMaxDigits && FitsOctet(next + c))
            outcome.FocusBoxText = next + c;
    }
    return outcome;
}

IpKeyOutcome IpArrowKey(int box, int caret, bool hasSelection, bool left)
{
    IpKeyOutcome outcome;
    if (hasSelection)
        return outcome;
    if (left && caret == 0 && box > 0) {
        outcome = {true, box - 1, -1, std::nullopt};
    } else if (!left && caret == 2 && box < kLastBox) {
        outcome = {true, box + 1, 0, std::nullopt};
    }
    return outcome;
}

} // namespace kor

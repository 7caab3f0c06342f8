#include "app/CameraForm.h"

#include "app/IpAddressText.h"
#include "config/Cp1252.h"
#include "config/ValueRules.h"
#include "outside/companion/CameraTable.h"

#include <algorithm>
#include <limits>

namespace kor {

CameraFields CameraFieldsOf(const CameraRecord& record, bool isNew)
{
    CameraFields fields;
    fields.Id = record.Id;
    fields.IdEditable = isNew;
    fields.Name = FromCp1252(record.DisplayName);
    fields.Address = FromCp1252(record.IpAddress);
    fields.Port = record.Port >= kMinPort && record.Port <= kMaxPort ? record.Port : 80;
    fields.User = FromCp1252(record.UserName);
    fields.Password = FromCp1252(record.Password);
    fields.Channel = std::max<int>(kMinChannel, record.Channel);
    fields.Brand = record.Brand.empty() ? QStringLiteral("AXIS") : FromCp1252(record.Brand);
    fields.Model = FromCp1252(record.ModelName);
    if (record.Mac != std::array<std::uint8_t, 8>{})
        fields.Mac = QString::fromStdString(CameraTable::MacText(record.Mac));
    return fields;
}

std::optional<CameraFieldProblem> CheckCameraFields(const CameraFields& fields)
{
    // A password stored with "?" for a character would make the camera refuse the log-in, unexplained;
    // one holding a separator would reach the camera split. The name and the model stay in the
    // companion database, so only the code page binds them.
    const struct
    {
        CameraField Field;
        const QString& Text;
        int Caption;
        std::optional<ValueKind> Kind;
    } texts[] = {{CameraField::Name, fields.Name, 1006, std::nullopt},
                 {CameraField::User, fields.User, 107, kCameraCredentialKind},
                 {CameraField::Password, fields.Password, 108, kCameraCredentialKind},
                 {CameraField::Brand, fields.Brand, 1147, ValueKind::Line},
                 {CameraField::Model, fields.Model, 1007, std::nullopt}};
    for (const auto& text : texts) {
        const std::optional<char32_t> c =
            text.Kind ? FirstRefusedCharacter(*text.Kind, text.Text) : FirstOutsideCp1252(text.Text);
        if (c)
            return CameraFieldProblem{text.Field, text.Caption, false, c};
    }
    if (IsEmptyIpText(fields.Address.trimmed()))
        return CameraFieldProblem{CameraField::Address, 800, false, std::nullopt};
    const QString mac = fields.Mac.trimmed();
    if (!mac.isEmpty() && !CameraTable::ParseMac(mac.toStdString()))
        return CameraFieldProblem{CameraField::Mac, 1148, true, std::nullopt};
    return std::nullopt;
}

CameraRecord CameraRecordOf(const CameraRecord& start, const CameraFields& fields)
{
    CameraRecord record = start;
    record.Id = static_cast<std::int16_t>(fields.Id);
    record.DisplayName = ToCp1252(fields.Name);
    record.IpAddress = ToCp1252(fields.Address.trimmed());
    record.Port = fields.Port;
    record.UserName = ToCp1252(fields.User);
    record.Password = ToCp1252(fields.Password);
    record.Channel = static_cast<std::uint8_t>(std::clamp(fields.Channel, kMinChannel, kMaxChannel));
    record.Brand = ToCp1252(fields.Brand.trimmed());
    record.ModelName = ToCp1252(fields.Model.trimmed());
    const QString mac = fields.Mac.trimmed();
    record.Mac = {};
    if (const auto parsed = CameraTable::ParseMac(mac.toStdString()); parsed && !mac.isEmpty())
        record.Mac = *parsed;
    return record;
}

std::int16_t FirstFreeCameraId(const std::vector<CameraRecord>& cameras)
{
    std::int16_t id = 0;
    while (id < std::numeric_limits<std::int16_t>::max() &&
           std::any_of(cameras.begin(), cameras.end(), [id](const CameraRecord& c) { return c.Id == id; }))
        ++id;
    return id;
}

} // namespace kor

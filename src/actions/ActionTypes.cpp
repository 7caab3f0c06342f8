#include "actions/ActionTypes.h"

#include "config/ConfigDocument.h"
#include "config/LangTextId.h"

#include <iterator>

namespace kor {

namespace {

const ActionEditorInfo kEditors[] = {
    {ActOutput, "FrmActvs", LangTextId(1020), LangTextId(123)},
    {ActRecord, "FrmSave", LangTextId(1021), LangTextId(196)},
    {ActCall, "Frmcall", LangTextId(1022), LangTextId(225)},
    {ActMove, "FrmMove", LangTextId(1023), LangTextId(193)},
    {ActNotify, "FrmNotify", LangTextId(1024), 0},
    {ActRemoteAlarm, "FrmAlarm", LangTextId(1025), 0},
    {ActUser, "FrmUsrs", LangTextId(1026), LangTextId(224)},
    {ActMail, "frmMail", LangTextId(1027), 0},
    {ActFtp, "frmFTP", LangTextId(1028), 0},
    {ActContactId, "frmContactId", LangTextId(1029), 0},
};

} // namespace

const ActionEditorInfo* ActionEditorInfoOf(std::int32_t type)
{
    if (type < 0 || type >= static_cast<std::int32_t>(std::size(kEditors)))
        return nullptr;
    return &kEditors[type];
}

} // namespace kor

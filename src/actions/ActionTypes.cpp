#include "actions/ActionTypes.h"

#include "config/LangTextId.h"

#include <iterator>

namespace kor {

namespace {

const ActionEditorInfo kEditors[] = {
    {0, "FrmActvs", LangTextId(1020), LangTextId(123)},
    {1, "FrmSave", LangTextId(1021), LangTextId(196)},
    {2, "Frmcall", LangTextId(1022), LangTextId(225)},
    {3, "FrmMove", LangTextId(1023), LangTextId(193)},
    {4, "FrmNotify", LangTextId(1024), 0},
    {5, "FrmAlarm", LangTextId(1025), 0},
    {6, "FrmUsrs", LangTextId(1026), LangTextId(224)},
    {7, "frmMail", LangTextId(1027), 0},
    {8, "frmFTP", LangTextId(1028), 0},
    {9, "frmContactId", LangTextId(1029), 0},
};

} // namespace

const ActionEditorInfo* ActionEditorInfoOf(std::int32_t type)
{
    if (type < 0 || type >= static_cast<std::int32_t>(std::size(kEditors)))
        return nullptr;
    return &kEditors[type];
}

} // namespace kor

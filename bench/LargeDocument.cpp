#include "LargeDocument.h"

#include "config/ParamString.h"

#include <string>

namespace kor::bench {

void FillLargestDocument(ConfigDocument& doc, int ruleCount, int actionsPerRule)
{
    doc.ResetConfig();
    for (int r = 0; r < ruleCount; ++r) {
        for (int a = 0; a < actionsPerRule; ++a) {
            ActionRecord action;
            action.Type = a % 10;
            action.Name = "Action " + std::to_string(r) + "." + std::to_string(a);
            AppendParam(action.Params, "DISP", std::to_string(a % 4));
            AppendParam(action.Params, "ON", "2");
            AppendParam(action.Params, "TM", "10S");
            AppendParam(action.Params, "HOST", "ftp.example.invalid");
            AppendParam(action.Params, "USR", "operator");
            AppendParam(action.Params, "DIR", "/pictures/site-" + std::to_string(r));
            AppendParam(action.Params, "TO", "alarm-centre@example.invalid");
            AppendParam(action.Params, "SUBJ", "Alarm on input " + std::to_string(r));
            AppendParam(action.Params, "PRE", "5");
            AppendParam(action.Params, "POST", "10");
            for (int day = 1; day <= 7; ++day) {
                action.TimeTable.Append(day, Interval{{8, 0, 0}, {12, 30, 0}});
                action.TimeTable.Append(day, Interval{{14, 0, 0}, {18, 45, 0}});
            }
            doc.AddAction(r, action);
        }
    }
}

} // namespace kor::bench

#include "rules/ModelFit.h"

#include "actions/CallAction.h"
#include "actions/OutputAction.h"
#include "rules/EventCatalogue.h"
#include "rules/RuleListForm.h"

#include <optional>
#include <utility>

namespace kor {

namespace {

const char* CapabilityName(Capability capability)
{
    switch (capability) {
    case Capability::Output:
        return "outputs";
    case Capability::Recording:
        return "recording";
    case Capability::CallThroughPc:
        return "calls through a PC";
    case Capability::Presets:
        return "positioning presets";
    case Capability::Notify:
        return "client notifications";
    case Capability::RemoteAlarm:
        return "remote device alarms";
    case Capability::User:
        return "user actions";
    case Capability::Mail:
        return "e-mail";
    case Capability::Ftp:
        return "FTP uploads";
    }
    return "that feature";
}

// The capability the rule list's button for this action type asks of the model.
std::optional<Capability> CapabilityFor(std::int32_t type)
{
    for (int position = 1; position <= RuleListForm::kButtonCount; ++position) {
        if (RuleListForm::Button(position).Type == type)
            return RuleListForm::Button(position).Needs;
    }
    return std::nullopt;
}

std::string Where(int rule, const ActionRecord& action)
{
    return "rule " + std::to_string(rule) + ", action \"" + action.Name + "\"";
}

// The action's mismatch with the model, or nothing.
std::optional<std::string> ActionMisfit(const ActionRecord& action, const ModelRecord& model)
{
    if (const std::optional<Capability> needs = CapabilityFor(action.Type);
        needs && !HasCapability(model.CapabilityFlags, *needs))
        return std::string("the model has no ") + CapabilityName(*needs);
    if (action.Type == ActCall && HasCapability(model.CapabilityFlags, Capability::CallThroughPc) &&
        !LoadCallParams(action.Params.View()).ThroughPc)
        return std::string("the model places calls only through a PC");
    if (action.Type == ActOutput && !model.InputOutput) {
        const OutputAction output = LoadOutputParams(action.Params.View());
        if (!output.OtherDevice)
            return std::string("the model has no input/output for output ") + std::to_string(output.Output);
    }
    return std::nullopt;
}

} // namespace

std::vector<std::string> ModelMisfits(const ConfigDocument& doc, const ModelRecord& model,
                                      std::uint8_t channel)
{
    std::vector<std::string> misfits;
    if (model.ChannelCount >= 2 && (channel < 1 || channel > model.ChannelCount))
        misfits.push_back("the camera's image source " + std::to_string(channel) + " is beyond the model's " +
                          std::to_string(model.ChannelCount) + " channels");
    for (int rule = 0; rule < ConfigDocument::RuleCount; ++rule) {
        if (!doc.IsRuleUsed(rule))
            continue;
        // The detector's inputs and events come over the input/output loop.
        const std::optional<ConfiguredSource> source = ConfiguredSourceOf(rule, doc.InputOneAsSensor);
        if (source && !model.InputOutput &&
            (source->Tag.rfind("EIMD", 0) == 0 || source->Tag.rfind("SIMD", 0) == 0))
            misfits.push_back("rule " + std::to_string(rule) + " (" + source->Tag +
                              "): the detector needs a model with input/output");
        const std::vector<ActionRecord>& actions = doc.Rule(rule).Actions;
        for (const ActionRecord& action : actions) {
            if (action.Deleted)
                continue;
            if (std::optional<std::string> misfit = ActionMisfit(action, model))
                misfits.push_back(Where(rule, action) + ": " + *misfit);
        }
    }
    return misfits;
}

} // namespace kor

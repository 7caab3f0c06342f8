#include "actions/ActionStore.h"
#include "app/DocumentHistory.h"
#include "app/Language.h"
#include "config/ConfigTextWriter.h"
#include "rules/ActionClipboard.h"
#include "rules/BufferCheck.h"
#include "rules/CatalogueForm.h"
#include "rules/RuleListForm.h"
#include "rules/SettingsForms.h"
#include "rules/TimeTableForm.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace kor {
namespace {

enum Edit
{
    AddSource,
    RemoveSource,
    AddAction,
    ReplaceAction,
    DeleteActions,
    PasteActions,
    AddInterval,
    DeleteInterval,
    PasteIntervals,
    PasteToAllDays,
    TextField,
    Spinner,
    Flag,
    EditCount
};

// Random edits of every kind through the history, with a save now and then: undoing them all gives
// the starting text byte for byte, redoing them all the final one, and the document counts as saved
// exactly where the history stands at the last save.
TEST(History, RandomEditsUndoAndRedoToTheSameBytes)
{
    ASSERT_TRUE(test::IsOk(LoadLanguageByCode(u"en")));
    ConfigDocument doc;
    doc.InitialiseForStartUp(1);
    bool dirty = false;
    DocumentHistory history(doc, dirty);
    CatalogueForm catalogue(doc, history.Listed(), dirty, 4);
    RuleListForm rules(doc, ~0u);
    TimeTableForm table(doc);
    ActionClipboard clipboard;
    std::mt19937 random(18);
    auto pick = [&random](int n) {
        return n <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n));
    };
    const std::array<int, 6> usedRules = {1, 3, 12, 51, 70, 100};
    const std::array<std::string GeneralSettings::*, 3> texts = {
        &GeneralSettings::SMTPH, &GeneralSettings::CRAIP, &GeneralSettings::CIDHEAD};

    const std::string start = BuildProjectText(doc);
    int savedAt = 0;
    std::array<int, EditCount> recorded{};
    for (int n = 0; n < 400; ++n) {
        const auto kind = static_cast<Edit>(pick(EditCount));
        const int rule = usedRules[static_cast<std::size_t>(pick(usedRules.size()))];
        const int actions = doc.ActionCount(rule);
        DocumentHistory::Scope scope{rule};
        std::function<void()> change;
        switch (kind) {
        case AddSource: {
            catalogue.ChooseKind(
                catalogue.Kinds()[static_cast<std::size_t>(pick(catalogue.Kinds().size()))].Code);
            const int source = pick(static_cast<int>(catalogue.Sources().size()));
            if (catalogue.Sources().empty())
                continue;
            scope.Rule = TagIndex(catalogue.Sources()[static_cast<std::size_t>(source)].Tag).value_or(-1);
            change = [&, source] { (void)catalogue.Add(source); };
            break;
        }
        case RemoveSource: {
            const int row = pick(static_cast<int>(catalogue.Rows().size()));
            scope.Rule = catalogue.RuleOfRow(row).value_or(-1);
            change = [&, row] { (void)catalogue.Remove(row); };
            break;
        }
        case AddAction:
        case ReplaceAction: {
            ActionRecord record;
            record.Type = pick(10);
            record.Name = "Action " + std::to_string(n);
            record.Params = "DISP=" + std::to_string(pick(4)) + std::string(1, '\0');
            const int index = kind == AddAction ? -1 : pick(actions);
            change = [&, record, rule, index] { (void)StoreAction(doc, rule, index, record); };
            break;
        }
        case DeleteActions:
            rules.SetRule(static_cast<std::int16_t>(rule));
            change = [&, index = pick(actions)] { rules.Delete({index}); };
            break;
        case PasteActions:
            rules.SetRule(
                static_cast<std::int16_t>(usedRules[static_cast<std::size_t>(pick(usedRules.size()))]));
            rules.Copy({pick(doc.ActionCount(rules.Rule())), 0}, clipboard);
            rules.SetRule(static_cast<std::int16_t>(rule));
            change = [&] { rules.Paste(clipboard); };
            break;
        default:
            break;
        }
        if (kind >= AddInterval && kind <= PasteToAllDays) {
            table.SetRule(rule);
            table.SetAction(pick(actions));
            table.SelectDay(1 + pick(7));
            if (kind == AddInterval) {
                const QString from = QStringLiteral("%1:%2:00")
                                         .arg(pick(12), 2, 10, QLatin1Char('0'))
                                         .arg(pick(60), 2, 10, QLatin1Char('0'));
                change = [&, from] { (void)table.Add(from, QStringLiteral("18:30:00")); };
            } else if (kind == DeleteInterval) {
                change = [&] { table.Delete({0}); };
            } else {
                table.Copy({0});
                change = [&, kind] { kind == PasteIntervals ? table.Paste() : table.PasteToAllDays(); };
            }
        }
        if (kind >= TextField) {
            const int field = pick(3);
            scope.Rule = -1;
            const std::string value(static_cast<std::size_t>(pick(3)), static_cast<char>('a' + pick(3)));
            switch (kind) {
            case TextField:
                scope.MergeField = static_cast<int>(SettingField::SMTPH) + field;
                change = [&, field, value] {
                    (void)StoreTypedText(doc.GeneralSettings.*texts[static_cast<std::size_t>(field)],
                                         QString::fromStdString(value));
                };
                break;
            case Spinner:
                scope.MergeField = static_cast<int>(SettingField::FS) + field;
                change = [&, field, value = 1 + pick(4)] {
                    StoreBufferValue(doc.GeneralSettings, static_cast<BufferField>(field), value);
                };
                break;
            default:
                scope.MergeField = static_cast<int>(SettingField::MSK0) + field;
                change = [&, field] { doc.ZelkSettings.MSK[static_cast<std::size_t>(field)] ^= true; };
                break;
            }
        }
        if (history.Edit(scope, QStringLiteral("step %1").arg(n), change))
            ++recorded[static_cast<std::size_t>(kind)];
        if (pick(25) == 0) {
            history.MarkSaved();
            savedAt = history.Position();
        }
        ASSERT_EQ(doc.Saved, history.Position() == savedAt) << "edit " << n;
    }
    for (int kind = 0; kind < EditCount; ++kind)
        EXPECT_GT(recorded[static_cast<std::size_t>(kind)], 0) << "edit kind " << kind;

    const std::string end = BuildProjectText(doc);
    ASSERT_NE(start, end);
    ASSERT_GT(history.Count(), 200);
    while (history.CanUndo()) {
        history.Undo();
        ASSERT_EQ(doc.Saved, history.Position() == savedAt) << "undo to " << history.Position();
    }
    EXPECT_EQ(BuildProjectText(doc), start);
    EXPECT_TRUE(history.Listed().empty());
    while (history.CanRedo()) {
        history.Redo();
        ASSERT_EQ(doc.Saved, history.Position() == savedAt) << "redo to " << history.Position();
    }
    EXPECT_EQ(BuildProjectText(doc), end);

    // A new document starts a history of its own, saved or not as the document says.
    doc.Saved = false;
    history.Restart();
    EXPECT_FALSE(history.CanUndo() || doc.Saved);
    FreeLanguage();
}

} // namespace
} // namespace kor

#pragma once

#include "../ActionsTestSupport.h"
#include "SessionFixture.h"

#include "actions/ui/ActionEditor.h"
#include "actions/ui/ActionEditors.h"

#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>

namespace kor::test {

// Opens editors as the rule list does (PrepareActionEditor: Actv, l_Sen, Modify, PC) and works
// their common buttons. The editors' tests derive from it.
class EditorHarness : public SessionFixture
{
protected:
    // The editor of a type for an action of a rule (-1: a new one).
    template <typename T> std::unique_ptr<T> Open(std::int32_t type, int rule, int action)
    {
        T* editor = qobject_cast<T*>(PrepareActionEditor(m_session, {rule, action, type, false}, nullptr));
        EXPECT_NE(editor, nullptr);
        return std::unique_ptr<T>(editor);
    }

    static QPushButton* Button(ActionEditor& editor, const char* name)
    {
        return editor.findChild<QPushButton*>(QLatin1String(name));
    }
    static void Click(ActionEditor& editor, const char* name)
    {
        QTest::mouseClick(Button(editor, name), Qt::LeftButton);
    }

    static std::string Params(std::string text) { return test::Params(std::move(text)); }
};

} // namespace kor::test

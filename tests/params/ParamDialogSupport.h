#pragma once
// A document of a controller type whose parameter dialogs run on scripts,
// and what the scripts look at.
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "params/ParamTestSupport.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Scripted.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

namespace kt::test {

class ParamDialogTest : public ::testing::Test {
protected:
    // A fresh document of the type with its defaults.
    void UseType(std::int32_t type)
    {
        doc.SetControllerType(type);
        Param().SetDefaults();
        doc.SetModifiedFlag(false);
    }
    CHOXParam& Param() { return doc.GetParam(); }
    std::int32_t Value(UINT number, int axis = 0) { return Get(Param(), number, axis); }

    // Runs the entry point with the script.
    void Run(void (CHOXParam::*edit)(), UINT templateId, ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(templateId, std::move(script));
        (Param().*edit)();
    }

    CHOXDoc doc;
};

// The whole text of the edit is selected.
inline bool AllSelected(DialogDriver& d, int id)
{
    auto* edit = qobject_cast<QLineEdit*>(d.Widget(id));
    return edit != nullptr && edit->selectedText() == edit->text() && !edit->text().isEmpty();
}

// A failed check: its message, then the focus on the field with all its text
// selected, the dialog open.
inline void ExpectFailure(DialogDriver& d, ScriptedMessages& messages, int id, const QString& message)
{
    ASSERT_FALSE(messages.seen.empty());
    EXPECT_EQ(messages.seen.back().text.toStdString(), message.toStdString());
    EXPECT_EQ(messages.seen.back().style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(d.Focus(), id);
    EXPECT_TRUE(AllSelected(d, id)) << id;
    EXPECT_FALSE(d.Ended());
}

} // namespace kt::test

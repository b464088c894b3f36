#pragma once
// The property dialogs of the positioning codes run on scripts: a document
// of a controller type with a flow chart, the code symbols placed in it, and
// what the scripts look at after a refusal.
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Scripted.h"
#include "symbols/FlowSymbolTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace kt::test {

constexpr UINT kStop = MB_OK | MB_ICONHAND;
constexpr UINT kFramework = MB_OK | MB_ICONEXCLAMATION;

class CodeDialogTest : public FlowDocTest {
protected:
    void SetFileRegisters(std::int32_t count) { ASSERT_TRUE(doc->GetParam().SetParam(&count, 101, 0)); }
    std::int32_t FileRegisters() const
    {
        std::int32_t count = -1;
        doc->GetParam().GetParam(&count, 101, 0);
        return count;
    }

    // Runs a dialog made from the symbol on the script; its result.
    template <class Dialog, class Symbol>
    int Run(Symbol* symbol, ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dialog::kTemplate, std::move(script));
        Dialog dlg(symbol);
        return dlg.DoModal();
    }
};

// The whole text of the edit is selected (an empty edit has nothing to
// select).
inline bool WholeTextSelected(DialogDriver& d, int id) { return d.SelectedText(id) == d.Text(id); }

// A refusal: its message with the hand icon, the focus on the field with
// all its text selected, the dialog still open.
inline void ExpectRefused(DialogDriver& d, const ScriptedMessages& messages, int field, const QString& message)
{
    ASSERT_FALSE(messages.seen.empty());
    EXPECT_EQ(messages.seen.back().text.toStdString(), message.toStdString());
    EXPECT_EQ(messages.seen.back().style, kStop);
    EXPECT_EQ(d.Focus(), field);
    EXPECT_TRUE(WholeTextSelected(d, field)) << field << " selected \"" << d.SelectedText(field).toStdString()
                                             << "\" of \"" << d.Text(field).toStdString() << "\"";
    EXPECT_FALSE(d.Ended());
}

// Clicks OK, expecting the refusal with its message.
inline void ExpectOkRefused(DialogDriver& d, int field, const QString& message)
{
    ScriptedMessages messages;
    messages.Expect(message, kStop, IDOK);
    d.Click(IDOK);
    ExpectRefused(d, messages, field, message);
}

// Clicks OK, expecting the message and no move of the focus from OK.
inline void ExpectOkRefusedInPlace(DialogDriver& d, const QString& message)
{
    ScriptedMessages messages;
    messages.Expect(message, kStop, IDOK);
    d.Click(IDOK);
    EXPECT_EQ(d.Focus(), IDOK);
    EXPECT_FALSE(d.Ended());
}

} // namespace kt::test

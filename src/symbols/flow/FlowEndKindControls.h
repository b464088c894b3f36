#pragma once
// The end-instruction part that the JUMP dialog and the jump-end marker's
// dialog share: a box "an end follows" and the two kinds m02 (END, 0) and
// m102 (SEND, 1). The subtask ends with SEND only.
#include "platform/Dialog.h"

#include <cstdint>

namespace flowdlg {

// Both kinds usable while an end follows; m02 never in the subtask.
inline void EnableEndKinds(CDialog& dlg, int end, int send, bool endFollows, bool subtask)
{
    dlg.EnableDlgItem(end, endFollows && !subtask);
    dlg.EnableDlgItem(send, endFollows);
}

// The kind shown chosen; -1 none.
inline void ShowEndKind(CDialog& dlg, int end, int send, std::int32_t kind)
{
    dlg.CheckDlgButton(end, kind == 0 ? 1 : 0);
    dlg.CheckDlgButton(send, kind == 1 ? 1 : 0);
}

// The kind after the box was ticked or cleared: none without an end, SEND
// in the subtask, else the kind last chosen (END when there was none).
inline std::int32_t EndKindAfterToggle(bool endFollows, bool subtask, std::int32_t lastChosen)
{
    if (!endFollows) return -1;
    if (subtask) return 1;
    return lastChosen == -1 ? 0 : lastChosen;
}

} // namespace flowdlg

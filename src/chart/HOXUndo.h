#pragma once
// The one-step undo store of a window record.
#include "platform/Types.h"

#include <memory>
#include <vector>

class CHOXDrawObj;
class CHOXWnd;

class CHOXUndo {
public:
    explicit CHOXUndo(CHOXWnd* owner);
    ~CHOXUndo();
    CHOXUndo(const CHOXUndo&) = delete;
    CHOXUndo& operator=(const CHOXUndo&) = delete;

    // Forgets the step and releases every object the store keeps.
    void Clear();
    bool CanUndo() const { return m_nState == 0; }
    bool CanRedo() const { return m_nState == 1; }

private:
    CHOXWnd* m_pOwner;
    std::int32_t m_nState = -1;
    std::int32_t m_nAction = -1;
    std::vector<std::unique_ptr<CHOXDrawObj>> m_kept;
};

#include "chart/ObjectKinds.h"

#include "chart/HOXDrawObj.h"

#include <algorithm>
#include <deque>

namespace {
// Filled during static initialisation, from every class's source file; a
// deque keeps each kind where it is while others join.
std::deque<ObjectKind>& Registry()
{
    static std::deque<ObjectKind> registry;
    return registry;
}

ObjectKind* FindTool(UINT tool)
{
    if (tool == 0) return nullptr;
    for (ObjectKind& kind : Registry())
        if (kind.tool == tool) return &kind;
    return nullptr;
}
} // namespace

namespace kinds {

bool Register(const ObjectKind& kind)
{
    Registry().push_back(kind);
    return true;
}

const ObjectKind* ByType(int type)
{
    for (const ObjectKind& kind : Registry())
        if (kind.type == type) return &kind;
    return nullptr;
}

const ObjectKind* ByTool(UINT tool) { return FindTool(tool); }

std::vector<const ObjectKind*> All()
{
    std::vector<const ObjectKind*> all;
    for (const ObjectKind& kind : Registry()) all.push_back(&kind);
    std::stable_sort(all.begin(), all.end(),
                     [](const ObjectKind* a, const ObjectKind* b) { return a->type < b->type; });
    return all;
}

bool SetToolMaker(UINT tool, ObjectMaker maker)
{
    ObjectKind* kind = FindTool(tool);
    if (kind == nullptr) return false;
    kind->maker = maker;
    return true;
}

std::unique_ptr<CHOXDrawObj> MakeForTool(UINT tool, CPoint at, CHOXWnd* wnd)
{
    const ObjectKind* kind = FindTool(tool);
    return kind != nullptr && kind->maker != nullptr ? kind->maker(at, wnd) : nullptr;
}

} // namespace kinds

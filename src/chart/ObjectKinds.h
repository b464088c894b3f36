#pragma once
// One descriptor per kind of object a window holds: what the palette, help,
// the symbol pictures, the views' symbol factory and the archive each need to
// know of a kind, given once by the class beside its KT_IMPLEMENT_SERIAL. The
// tables that serve a kind read it here, so a new kind joins them all with
// its own files and one registration.
#include "chart/ObjectTypes.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <memory>
#include <span>
#include <vector>

class CHOXDrawObj;
class CHOXWnd;

// One picture of a kind: the name its objects ask for (the exact text) and
// the bitmap resource of each state.
struct KindIcon {
    const char* name;
    UINT normal;      // state 0
    UINT error = 0;   // state 2; 0: none
    UINT missing = 0; // state 3; 0: none
};

// Makes an object of the kind at the point (a symbol's top-left corner),
// owned by the window record, without an id.
using ObjectMaker = std::unique_ptr<CHOXDrawObj> (*)(CPoint at, CHOXWnd* wnd);

struct ObjectKind {
    // The class's name as the archive writes it; null for a kind whose type
    // and help are fixed before its class exists.
    const char* className = nullptr;
    // The class's GetObjectType.
    int type = 0;
    // The palette tool that places the kind and the tool's name (also the key
    // of its picture); 0 and null for a kind not on the palette.
    UINT tool = 0;
    const char* paletteName = nullptr;
    // Help by object type; 0: the kind has no page of its own.
    UINT helpContext = 0;
    // Every picture the kind's objects ask for.
    std::span<const KindIcon> icons{};
    // Null for a kind that is only read from files or made by its owner.
    ObjectMaker maker = nullptr;
};

namespace kinds {

// Adds a kind. Two kinds of one type or one tool are a fault the kinds
// table's test finds; lookups then answer the first.
bool Register(const ObjectKind& kind);
// The kind of that type or with that palette tool, or null.
const ObjectKind* ByType(int type);
const ObjectKind* ByTool(UINT tool);
// Every kind, in type order.
std::vector<const ObjectKind*> All();
// Gives the tool's kind another maker (null: none), so that a test can put
// its own symbols on a tool; false when no kind has that tool.
bool SetToolMaker(UINT tool, ObjectMaker maker);
// A new object of the kind the tool places; null for an id that is no tool's
// or a kind without a maker.
std::unique_ptr<CHOXDrawObj> MakeForTool(UINT tool, CPoint at, CHOXWnd* wnd);

} // namespace kinds

// The maker of a class built from a point and its window record.
template <class T>
std::unique_ptr<CHOXDrawObj> MakeObjectOf(CPoint at, CHOXWnd* wnd)
{
    return std::make_unique<T>(at, wnd);
}

// The maker of a drawn shape: the empty rectangle at the point, which the
// mouse then stretches.
template <class T>
std::unique_ptr<CHOXDrawObj> MakeShapeOf(CPoint at, CHOXWnd* wnd)
{
    return std::make_unique<T>(CRect(at, at), wnd);
}

// In the class's source file, after KT_IMPLEMENT_SERIAL: the class's kind,
// the other fields named in their order (.type = ..., .tool = ..., ...).
#define KT_REGISTER_KIND(cls, ...)                                                                                     \
    [[maybe_unused]] static const bool kt_kind_##cls = kinds::Register(ObjectKind{.className = #cls, __VA_ARGS__});

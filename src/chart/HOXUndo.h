#pragma once
// The one-step undo store of a window record: the last move, addition or
// deletion of objects in the window, which Undo takes back and Redo does
// again.
#include "chart/ObjectTypes.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

class CHOXDrawObj;
class CHOXSymbol;
class CHOXWnd;

// One object of a step.
class CHOXUndoRecord {
public:
    // Kinds: they name the map the object lives in.
    static constexpr std::int32_t kNone = 0;
    static constexpr std::int32_t kSymbol = objtype::kSymbol;
    static constexpr std::int32_t kShape = objtype::kShape;
    static constexpr std::int32_t kOle = objtype::kOle;
    static constexpr std::int32_t kWire = objtype::kConnect;
    static constexpr std::int32_t kNode = objtype::kNode;
    static constexpr std::int32_t kMonObj = objtype::kMonObj;

    CHOXUndoRecord(std::int32_t kind, DWORD id, const CRect& rect) : m_nKind(kind), m_nId(id), m_rect(rect) {}
    virtual ~CHOXUndoRecord() = default;

    std::int32_t m_nKind;
    DWORD m_nId;
    // The bounds when the record was made (for a move: where it went).
    CRect m_rect;
    // A move: where the object stood before it.
    CRect m_rectOld;
    // A move that was a resize by a handle.
    std::int32_t m_nResized = 0;
};

class CHOXUndo {
public:
    explicit CHOXUndo(CHOXWnd* owner);
    ~CHOXUndo();
    CHOXUndo(const CHOXUndo&) = delete;
    CHOXUndo& operator=(const CHOXUndo&) = delete;

    // The kind of an object by its class.
    static std::int32_t KindOf(const CHOXDrawObj* object);

    // Forgets the step and releases every object the store keeps.
    void Clear();
    // The object was moved or resized. Its drag points tell from where: it
    // stands displaced by (last drag point - drag origin); after a resize
    // (resize flag set) the edges of its current handle came from the drag
    // origin. The points are used up: both become the last drag point. An
    // object recorded again in the same step keeps its first former place.
    void RecordMove(CHOXDrawObj* object);
    // The object was added to the window.
    void RecordAdd(CHOXDrawObj* object);
    // The object was taken out of the window; the store owns it from now on.
    void RecordDelete(std::unique_ptr<CHOXDrawObj> object);
    bool CanUndo() const { return m_nState == 0; }
    bool CanRedo() const { return m_nState == 1; }
    void Undo();
    void Redo();
    // A node of the step took a new pointer number.
    void RenumberNode(DWORD oldId, DWORD newId);

    // -1 empty, 0 a step is recorded, 1 the step is undone.
    std::int32_t GetState() const { return m_nState; }
    // -1 none, 0 move, 1 add, 2 delete.
    std::int32_t GetAction() const { return m_nAction; }
    const std::vector<std::unique_ptr<CHOXUndoRecord>>& GetRecords() const { return m_records; }
    const std::vector<std::unique_ptr<CHOXDrawObj>>& GetKept() const { return m_kept; }

private:
    // Starts a step of the action or extends the current one.
    void BeginStep(std::int32_t action);
    // Each moved object to its former place (undo) or back to where it went.
    void ApplyMoves(bool undo);
    void ApplyResize(CHOXDrawObj* object, const CRect& rect);
    // Takes the step's objects out of the window into the store; false when
    // the store had to be cleared.
    bool RemoveStepObjects();
    // Puts the kept objects back into the window; false when refused (the
    // store is then empty).
    bool RestoreStepObjects();
    // Whether a kept object may go back without displacing another object.
    bool CanRestore(const CHOXDrawObj* object) const;
    // The number a symbol holds in the document's tables: given back when it
    // leaves, taken again (or a fresh one) when it returns.
    void GiveBackNumber(CHOXSymbol* symbol);
    void TakeNumberAgain(CHOXSymbol* symbol);
    bool HoldsNumber(const CHOXSymbol* symbol) const;
    // The object of a record in the owner's maps, or null.
    CHOXDrawObj* Lookup(std::int32_t kind, DWORD id) const;
    // The owner's map hands the object over; null when it is not there.
    std::unique_ptr<CHOXDrawObj> TakeOut(std::int32_t kind, DWORD id);
    void PutBack(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object);
    void Changed();

    CHOXWnd* m_pOwner;
    std::int32_t m_nState = -1;
    std::int32_t m_nAction = -1;
    std::vector<std::unique_ptr<CHOXDrawObj>> m_kept;
    std::vector<std::unique_ptr<CHOXUndoRecord>> m_records;
};

#pragma once
// The record of a flow chart (or of the subtask chart): symbols, wires and
// nodes in word-keyed maps whose order is the order of hit tests and, in
// reverse, of drawing.
#include "chart/HOXWnd.h"

#include <QString>

#include <vector>

class CHOXPin;
class CHOXSymbol;

class CHOXFlowWnd : public CHOXWnd {
    KT_DECLARE_SERIAL(CHOXFlowWnd)
public:
    CHOXFlowWnd();
    explicit CHOXFlowWnd(CHOXDoc* doc);
    ~CHOXFlowWnd() override;

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kFlowWnd; }
    CHOXDrawObj* ObjectAt(CPoint point) override;
    void Draw(CDC* pDC) override;

    // The window named "Subtask" exactly.
    bool IsSubtaskWindow() const;
    void SetNames(const QString& name, const QString& description);
    void GetNames(QString& name, QString& description) const;
    const QString& GetName() const { return m_strName; }
    // The name in upper case, as window names are compared.
    const QString& GetUpperName() const { return m_strUpperName; }
    const QString& GetDescription() const { return m_strDescription; }

    // Lookups by id find the objects the record shows.
    CHOXDrawObj* LookupObject(WORD id) const override;
    ObjectMap& GetConnectMap() { return m_mapConnects; }
    const ObjectMap& GetConnectMap() const { return m_mapConnects; }
    void AddConnect(std::unique_ptr<CHOXDrawObj> wire);
    std::unique_ptr<CHOXDrawObj> RemoveConnect(WORD id);
    CHOXDrawObj* LookupConnect(WORD id) const;
    ObjectMap& GetNodeMap() { return m_mapNodes; }
    const ObjectMap& GetNodeMap() const { return m_mapNodes; }
    void AddNode(std::unique_ptr<CHOXDrawObj> node);
    std::unique_ptr<CHOXDrawObj> RemoveNode(WORD id);
    CHOXDrawObj* LookupNode(WORD id) const;

    // Symbols, wires and nodes.
    const ObjectMap* GetMapOfKind(std::int32_t kind) const override;
    std::unique_ptr<CHOXDrawObj> RemoveOfKind(std::int32_t kind, WORD id) override;
    void AddOfKind(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object) override;
    // The symbols and wires, 15 units beyond each.
    ObjectExtent GetObjectExtent() const override;

    // The pin of a symbol of the object map; null when the symbol or the pin
    // is not there.
    CHOXPin* GetSymbolPin(DWORD symbolId, int pinIndex) const;
    // The window's share of the program memory: the symbols' steps, the jumps
    // of the wires that end at nodes, and 2 per node.
    int CountProgramSteps();
    // The first two symbols of a new chart: kind 0 START (when a program
    // number is free) and END, 1 POINTER and END, 2 SUBROUTINE and RET.
    void CreateInitialSymbols(int kind);
    // Marks the pointer and program numbers that the symbols hold in the
    // document's tables; of one symbol only (one that was dropped here).
    void MarkSymbolNumbersUsed();
    void MarkSymbolNumbersUsed(const CHOXSymbol* symbol);
    // The chart goes: its symbols give back the numbers they give back when
    // they are removed, and its nodes their pointer numbers. Numbers another
    // chart holds too are the caller's to mark again.
    void GiveBackNumbers();

    // Shows the other record's symbols, wires and nodes on a sheet of the
    // other's size, without owning them: they stay the other's, with their
    // owner, ids and numbers. Drawing, hit tests and lookups by id meet them
    // in the other's order. The maps the record owns are left alone, so the
    // document, walking its records' maps, never meets an object twice.
    void CopyMapsFrom(CHOXFlowWnd& other);
    // Shows no other record's objects any more; nothing is deleted, removed
    // or given back.
    void RemoveAllMaps();
    // The record whose objects this one shows: itself unless it shows
    // another's.
    const CHOXFlowWnd& GetShownRecord() const;

    // Monitor display flags: while monitoring, the symbols' first, second or
    // third monitor mark decides their frame.
    std::int32_t m_nDisplayFirst = 0;
    std::int32_t m_nDisplaySecond = 0;
    std::int32_t m_nDisplayThird = 0;

private:
    // After loading: owners and the document's number tables.
    void AfterLoad();
    // The lowest symbol id that neither this record nor any record of the
    // document uses; -1 (after the message) when all are taken.
    std::int32_t FreeSymbolIdBesidesMine() const;

    CHOXFlowWnd& ShownRecord();

    ObjectMap m_mapConnects;
    ObjectMap m_mapNodes;
    // The record whose objects this one shows, and the records that show
    // this one's: neither owns the other, and whichever goes first ends the
    // showing.
    CHOXFlowWnd* m_pShown = nullptr;
    std::vector<CHOXFlowWnd*> m_showers;
    QString m_strName;
    QString m_strUpperName;
    QString m_strDescription;
};

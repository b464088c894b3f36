#pragma once
// A symbol's connection point: an input or an output at a fixed place on the
// symbol, holding the id of the one wire attached to it.
#include "chart/ObjectTypes.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

#include <cstdint>

class CHOXWnd;

class CHOXPin : public CObject {
    KT_DECLARE_SERIAL(CHOXPin)
public:
    static constexpr DWORD kFree = 0xFFFFFFFFu;
    // Where the pin sits on its symbol. Stored as a 32-bit word, which a
    // file may fill with any value.
    enum Kind : std::int32_t { kTop = 0, kBottom = 1, kSideExit = 2 };
    // Whether a wire leaves the symbol at the pin or enters it.
    enum Side : std::int32_t { kOutput = 0, kInput = 1 };

    CHOXPin() = default;
    void Serialize(CArchive& ar) override;
    int GetObjectType() const { return objtype::kPin; }

    // The pin's index in its symbol and its offset from the symbol's
    // top-left corner: top and bottom pins sit centred on their edge, the
    // side exit on the right edge.
    void Set(std::int32_t number, std::int32_t x, std::int32_t y, Kind kind, Side side);
    std::int32_t GetNumber() const { return m_nNumber; }
    CPoint GetOffset() const { return m_ptOffset; }
    Kind GetKind() const { return static_cast<Kind>(m_nKind); }
    DWORD GetLinkId() const { return m_nLink; }
    void SetLinkId(DWORD id) { m_nLink = id; }
    void SetWnd(CHOXWnd* wnd) { m_pWnd = wnd; }
    CHOXWnd* GetWnd() const { return m_pWnd; }
    bool IsFree() const { return m_nLink == kFree; }
    bool IsInputSide() const { return m_nSide == kInput; }
    // The link becomes the id, or free when it already was that id.
    void ToggleLink(DWORD id);
    // Asked of the pin where a wire starts with the side of the pin where it
    // ends; refuses input to input and output to output (with a message).
    bool CheckConnectDirection(bool otherIsInput) const;
    // The attached wire computes its route again.
    void RerouteWire();

private:
    std::int32_t m_nNumber = 0;
    std::int32_t m_nKind = kTop;
    std::int32_t m_nSide = kOutput;
    DWORD m_nLink = kFree;
    CHOXWnd* m_pWnd = nullptr;
    CPoint m_ptOffset;
};

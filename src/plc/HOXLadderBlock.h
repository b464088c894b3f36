#pragma once
// One row of a ladder diagram: where it starts and its elements in drawing
// order. A lower row starts at the branch point of the row above, on that
// row's line, with a branch down as its first element.
#include "platform/Object.h"
#include "plc/HOXLadderItem.h"

#include <memory>
#include <vector>

class CDC;
class CHOXLadderBlock;

using LadderItemList = std::vector<std::unique_ptr<CHOXLadderItem>>;
using LadderBlockList = std::vector<std::unique_ptr<CHOXLadderBlock>>;

class CHOXLadderBlock : public CObject {
public:
    CHOXLadderBlock() = default;

    void AddItem(int kind, const QString& text);
    void SetPosition(int x, int y);
    const LadderItemList& GetItemList() const { return m_items; }

    int GetX() const { return m_nX; }
    int GetY() const { return m_nY; }
    // Where the last drawing ended.
    int GetPenX() const { return m_nPenX; }
    int GetPenY() const { return m_nPenY; }

    // Draws the row in the device context's font, its lines and texts in the
    // context's pen and colours; the vertical scroll position moves it up by
    // 6 pixels a unit.
    void Draw(CDC* pDC, int scrollPos);

private:
    int m_nX = 16;
    int m_nY = 32;
    int m_nPenX = 16;
    int m_nPenY = 32;
    LadderItemList m_items;
};

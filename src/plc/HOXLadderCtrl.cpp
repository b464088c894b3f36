#include "plc/HOXLadderCtrl.h"

#include "platform/DC.h"
#include "platform/Fonts.h"

#include <QPainter>

QFont CHOXLadderCtrl::LadderFont() { return LinePrinterFont(12, 400); }

void CHOXLadderCtrl::AddBlock(std::unique_ptr<CHOXLadderBlock> block)
{
    if (block) m_blocks.push_back(std::move(block));
}

void CHOXLadderCtrl::RemoveAllBlocks() { m_blocks.clear(); }

void CHOXLadderCtrl::OnPaint(CDC& dc, const CRect& client)
{
    const QFont oldFont = dc.SelectFont(LadderFont());
    QPainter& painter = dc.Painter();
    painter.save();
    painter.setClipRect(QRect(client.left, client.top, client.Width(), client.Height()));
    dc.FillSolidRect(client, RGB(255, 255, 255));
    for (const auto& block : m_blocks) block->Draw(&dc, GetScrollPos());
    painter.restore();
    dc.SelectFont(oldFont);
}

void CHOXLadderCtrl::OnSetfocus() { Invalidate(); }

void CHOXLadderCtrl::OnKillFocus() { Invalidate(); }

void CHOXLadderCtrl::OnLButtonDown(CPoint) { m_bTracking = true; }

void CHOXLadderCtrl::OnLButtonUp(CPoint) { m_bTracking = false; }

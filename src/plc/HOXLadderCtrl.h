#pragma once
// The ladder display of the PLC dialogs: rows of elements drawn with lines,
// boxes, ellipses and texts in the "LinePrinter" font on white. It is for
// looking only: clicks and drags change nothing. The dialog builds the rows,
// attaches the control to its ladder's control id (a template control of
// kind TemplateKind()), and after a change rebuilds them and invalidates it.
// The "Ladder" clipboard writer reads the same rows.
#include "platform/DrawnControl.h"
#include "plc/HOXLadderBlock.h"

#include <QFont>
#include <QString>

class CHOXLadderCtrl : public CDrawnControl {
public:
    CHOXLadderCtrl() = default;

    // The template kind whose host shows a ladder.
    static QString TemplateKind() { return QStringLiteral("ladder"); }
    // Height 12, weight 400.
    static QFont LadderFont();

    // The control owns the block from here on.
    void AddBlock(std::unique_ptr<CHOXLadderBlock> block);
    void RemoveAllBlocks();
    const LadderBlockList& GetBlockList() const { return m_blocks; }
    // Held between a left click in the control and its release.
    bool IsTracking() const { return m_bTracking; }

    void OnPaint(CDC& dc, const CRect& client) override;
    // Nothing to show for the focus but a fresh paint.
    void OnSetfocus();
    void OnSetFocus() override { OnSetfocus(); }
    void OnKillFocus() override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;

private:
    LadderBlockList m_blocks;
    bool m_bTracking = false;
};

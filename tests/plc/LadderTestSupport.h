#pragma once
// Ladder rows written as tables of (kind, text), and the rows the PLC dialogs
// build, for the ladder tests.
#include "plc/HOXLadderBlock.h"
#include "plc/HOXLadderCtrl.h"
#include "support/Screenshot.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kt::test {

using LadderRow = std::vector<std::pair<int, const char*>>;

inline std::unique_ptr<CHOXLadderBlock> MakeRow(const LadderRow& items, int x = 16, int y = 32)
{
    auto block = std::make_unique<CHOXLadderBlock>();
    for (const auto& [kind, text] : items) block->AddItem(kind, QString::fromLatin1(text));
    block->SetPosition(x, y);
    return block;
}

inline LadderBlockList MakeLadder(std::initializer_list<LadderRow> rows)
{
    LadderBlockList blocks;
    for (const LadderRow& row : rows) blocks.push_back(MakeRow(row));
    return blocks;
}

// The rows as text, one line a row: its position, then kind and text of
// each item ("@16,32 1'' 5'Blank' 6'FROM' ..."), so a failure shows where
// two ladders differ.
inline std::string Describe(const LadderBlockList& blocks)
{
    std::string out;
    for (const auto& block : blocks) {
        out += "@" + std::to_string(block->GetX()) + "," + std::to_string(block->GetY());
        for (const auto& item : block->GetItemList())
            out += " " + std::to_string(item->GetKind()) + "'" + item->GetText().toStdString() + "'";
        out += "\n";
    }
    return out;
}

inline std::string Describe(std::initializer_list<std::pair<LadderRow, std::pair<int, int>>> rows)
{
    LadderBlockList blocks;
    for (const auto& [row, at] : rows) blocks.push_back(MakeRow(row, at.first, at.second));
    return Describe(blocks);
}

inline void Fill(CHOXLadderCtrl& ctrl, LadderBlockList blocks)
{
    ctrl.RemoveAllBlocks();
    for (auto& block : blocks) ctrl.AddBlock(std::move(block));
}

// The RA-ZUZ instruction dialog's one-row FROM row for unit 0 and buffer
// memory 9000.
inline LadderRow OneRowFrom()
{
    return {{1, ""}, {5, "Blank"}, {6, "FROM"}, {6, "K0"}, {6, "K9000"}, {6, "Blank"}, {6, "K1"}, {2, ""}};
}

// Foundation Sequence 1/2 on a two-axis controller: unit 2, control blocks
// from M100 (X) and M5 (Y), the shorter padded with blanks.
inline LadderBlockList FounSeqPage1()
{
    LadderBlockList blocks;
    blocks.push_back(MakeRow(
        {{1, ""}, {5, "M8000"}, {10, ""}, {6, "TO"}, {6, "K2"}, {6, "K20"}, {6, "K4M100"}, {6, "K1"}, {2, ""}}));
    blocks.push_back(MakeRow({{3, ""}, {6, "TO"}, {6, "K2"}, {6, "K21"}, {6, "K4M5  "}, {6, "K1"}, {2, ""}}, 59, 32));
    return blocks;
}

} // namespace kt::test

#include "plc/PlcLadderRows.h"

#include "plc/LadderKinds.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <utility>

namespace plcrows {

namespace {

// A lower row starts at the branch point of the row above, on its line.
constexpr int kBranchX = 59;
constexpr int kBranchY = 32;

QString K(std::int32_t value) { return QStringLiteral("K") + QString::number(value); }

std::unique_ptr<CHOXLadderBlock> BranchRow()
{
    auto block = std::make_unique<CHOXLadderBlock>();
    block->SetPosition(kBranchX, kBranchY);
    block->AddItem(ladderkind::kBranchDown, QString());
    return block;
}

void AddOperands(CHOXLadderBlock& block, std::initializer_list<QString> texts)
{
    for (const QString& text : texts) block.AddItem(ladderkind::kOperandBox, text);
}

} // namespace

QString UnitOperand(std::int32_t unitNo) { return K(unitNo == -1 ? 0 : unitNo); }

KnMOperands BlockOperands(std::int32_t deviceX, std::int32_t deviceY, bool twoAxes)
{
    KnMOperands operands{QStringLiteral("K4M") + QString::number(deviceX),
                         QStringLiteral("K4M") + QString::number(deviceY)};
    if (twoAxes) {
        const qsizetype width = std::max(operands.x.size(), operands.y.size());
        operands.x = operands.x.leftJustified(width);
        operands.y = operands.y.leftJustified(width);
    }
    return operands;
}

LadderBlockList FounSeqRows(const Transfer& transfer, const QString& unitOperand, std::int32_t deviceX,
                            std::int32_t deviceY, bool twoAxes)
{
    const KnMOperands operands = BlockOperands(deviceX, deviceY, twoAxes);
    LadderBlockList rows;
    auto first = std::make_unique<CHOXLadderBlock>();
    first->AddItem(ladderkind::kLeftBus, QString());
    first->AddItem(ladderkind::kContact, QStringLiteral("M8000"));
    first->AddItem(ladderkind::kShortLine, QString());
    AddOperands(*first, {transfer.instruction, unitOperand, K(transfer.bufferX), operands.x, QStringLiteral("K1")});
    first->AddItem(ladderkind::kRightBus, QString());
    rows.push_back(std::move(first));
    if (!twoAxes) return rows;
    auto second = BranchRow();
    AddOperands(*second, {transfer.instruction, unitOperand, K(transfer.bufferY), operands.y, QStringLiteral("K1")});
    second->AddItem(ladderkind::kRightBus, QString());
    rows.push_back(std::move(second));
    return rows;
}

QString KzPlcInstruction(bool from, bool is32Bit)
{
    const QString base = from ? QStringLiteral("FROM") : QStringLiteral("TO");
    return is32Bit ? QStringLiteral("D") + base : base;
}

LadderBlockList KzPlcOneRow(const QString& instruction, std::int32_t unitNo, std::int32_t bufferMemory)
{
    auto row = std::make_unique<CHOXLadderBlock>();
    row->AddItem(ladderkind::kLeftBus, QString());
    row->AddItem(ladderkind::kContact, QStringLiteral("Blank"));
    AddOperands(*row,
                {instruction, UnitOperand(unitNo), K(bufferMemory), QStringLiteral("Blank"), QStringLiteral("K1")});
    row->AddItem(ladderkind::kRightBus, QString());
    LadderBlockList rows;
    rows.push_back(std::move(row));
    return rows;
}

LadderBlockList KzPlcBothAxes(const QString& instruction, std::int32_t unitNo, bool twoAxes)
{
    const QString unit = UnitOperand(unitNo);
    LadderBlockList rows;
    auto first = std::make_unique<CHOXLadderBlock>();
    first->AddItem(ladderkind::kLeftBus, QString());
    first->AddItem(ladderkind::kContact, QStringLiteral("Blank"));
    if (twoAxes) first->AddItem(ladderkind::kShortLine, QString());
    // "K4 " is as wide as "K14", so both rows' boxes line up.
    AddOperands(*first, {instruction, unit, QStringLiteral("K4 "), QStringLiteral("Blank"), QStringLiteral("K1")});
    first->AddItem(ladderkind::kRightBus, QString());
    rows.push_back(std::move(first));
    if (!twoAxes) return rows;
    auto second = BranchRow();
    AddOperands(*second, {instruction, unit, QStringLiteral("K14"), QStringLiteral("Blank"), QStringLiteral("K1")});
    second->AddItem(ladderkind::kRightBus, QString());
    rows.push_back(std::move(second));
    return rows;
}

QString McodeComparison(std::int32_t saveDevice, std::int32_t mcode)
{
    return QStringLiteral("= D") + QString::number(saveDevice) + QStringLiteral(" K") + QString::number(mcode);
}

namespace {

QString M(std::int32_t device) { return QStringLiteral("M") + QString::number(device); }

LadderBlockList OneRow(std::unique_ptr<CHOXLadderBlock> row)
{
    LadderBlockList rows;
    rows.push_back(std::move(row));
    return rows;
}

} // namespace

LadderBlockList McodeSaveRows(std::int32_t unitNo, bool independentY, std::int32_t saveDevice)
{
    auto row = std::make_unique<CHOXLadderBlock>();
    row->AddItem(ladderkind::kLeftBus, QString());
    row->AddItem(ladderkind::kContact, QStringLiteral("M8000"));
    AddOperands(*row, {QStringLiteral("FROM"), UnitOperand(unitNo), K(independentY ? 13 : 3),
                       QStringLiteral("D") + QString::number(saveDevice), QStringLiteral("K1")});
    row->AddItem(ladderkind::kRightBus, QString());
    return OneRow(std::move(row));
}

LadderBlockList AuxDriveRows(const McodeDevices& devices, std::int32_t mcode, const QString& completion,
                             std::uint32_t auxDevice)
{
    auto row = std::make_unique<CHOXLadderBlock>();
    row->AddItem(ladderkind::kLeftBus, QString());
    row->AddItem(ladderkind::kContact, M(devices.onDevice));
    row->AddItem(ladderkind::kInstructionBox, McodeComparison(devices.saveDevice, mcode));
    row->AddItem(ladderkind::kClosedContact, completion);
    row->AddItem(ladderkind::kCoil, QStringLiteral("M") + QString::number(auxDevice));
    row->AddItem(ladderkind::kRightBus, QString());
    return OneRow(std::move(row));
}

LadderBlockList McodeOffRows(const McodeDevices& devices, std::int32_t mcode, const QString& completion,
                             bool severalMcodes)
{
    auto row = std::make_unique<CHOXLadderBlock>();
    row->AddItem(ladderkind::kLeftBus, QString());
    row->AddItem(ladderkind::kInstructionBox, McodeComparison(devices.saveDevice, mcode));
    row->AddItem(ladderkind::kContact, completion);
    if (severalMcodes) {
        row->AddItem(ladderkind::kBlankGap, QString());
    } else {
        row->AddItem(ladderkind::kContact, M(devices.onDevice));
        row->AddItem(ladderkind::kCoil, M(devices.offDevice));
    }
    row->AddItem(ladderkind::kRightBus, QString());
    return OneRow(std::move(row));
}

LadderBlockList McodeOffTotalRows(const McodeDevices& devices, const std::vector<McodeOffEntry>& entries)
{
    LadderBlockList rows;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto row = std::make_unique<CHOXLadderBlock>();
        const bool first = i == 0;
        // A further row branches down from the bus at the line of the row
        // above, so its comparison starts where the first row's does.
        if (!first) row->SetPosition(16, 32 * static_cast<int>(i));
        row->AddItem(first ? ladderkind::kLeftBus : ladderkind::kBranchDown, QString());
        row->AddItem(ladderkind::kInstructionBox, McodeComparison(devices.saveDevice, entries[i].mcode));
        row->AddItem(ladderkind::kContact, entries[i].completion);
        if (first) {
            row->AddItem(ladderkind::kShortLine, QString());
            row->AddItem(ladderkind::kContact, M(devices.onDevice));
            row->AddItem(ladderkind::kCoil, M(devices.offDevice));
            row->AddItem(ladderkind::kRightBus, QString());
        } else {
            row->AddItem(ladderkind::kBranchUp, QString());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int McodeOffTotalUnits(int rows) { return 6 * rows + 3; }

} // namespace plcrows

#include "plc/McodeOffList.h"

#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "chart/ObjectTypes.h"
#include "plc/HOXMcodeKzPlc.h"

#include <algorithm>

namespace mcodeoff {

namespace {

void AddOnce(std::vector<std::int32_t>& list, std::int32_t mcode)
{
    if (!CHOXMcodeKzPlc::IsValidMcode(mcode)) return;
    if (std::find(list.begin(), list.end(), mcode) == list.end()) list.push_back(mcode);
}

} // namespace

std::vector<std::int32_t> ChartMcodes(const CHOXDoc& doc, const CHOXSymbol* skip)
{
    std::vector<std::int32_t> mcodes;
    for (const QString& name : doc.GetWindowNameList()) {
        const auto* entry = doc.GetWindowMap().Lookup(name);
        if (entry == nullptr || *entry == nullptr) continue;
        for (const auto& [key, object] : (*entry)->GetObjectMap()) {
            if (object == nullptr || object->GetObjectType() != objtype::kCodeMcode) continue;
            auto* symbol = static_cast<CHOXSymbol*>(object.get());
            if (symbol != skip) mcodes.push_back(symbol->GetMcode());
        }
    }
    return mcodes;
}

std::vector<std::int32_t> Merge(const CHOXMcodeKzPlc& settings, int axis, const std::vector<std::int32_t>& chartMcodes,
                                std::int32_t edited)
{
    std::vector<std::int32_t> list;
    for (int position = 0; position < CHOXMcodeKzPlc::kMostListed; ++position) {
        const std::uint32_t entry = settings.GetListEntry(position, axis);
        if (entry == 0) break;
        const auto mcode = static_cast<std::int32_t>(entry);
        if (settings.IsSequenceSet(mcode, axis)) AddOnce(list, mcode);
    }
    for (std::int32_t mcode : chartMcodes) AddOnce(list, mcode);
    AddOnce(list, edited);
    return list;
}

std::vector<std::int32_t> Gather(const CHOXMcodeKzPlc& settings, int axis, const CHOXDoc& doc, const CHOXSymbol* opener,
                                 bool changed, std::int32_t edited)
{
    return Merge(settings, axis, ChartMcodes(doc, changed ? opener : nullptr), edited);
}

std::vector<plcrows::McodeOffEntry> TotalEntries(const CHOXMcodeKzPlc& settings, int axis,
                                                 const std::vector<std::int32_t>& offList, const Edited& edited)
{
    std::vector<plcrows::McodeOffEntry> entries;
    for (std::int32_t mcode : offList) {
        if (mcode == edited.mcode) {
            if (edited.sequenceSet) entries.push_back({mcode, edited.completion});
        } else if (settings.IsSequenceSet(mcode, axis)) {
            entries.push_back({mcode, settings.GetCompletionDevice(mcode, axis).GetText()});
        }
    }
    return entries;
}

} // namespace mcodeoff

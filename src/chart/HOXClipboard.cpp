#include "chart/HOXClipboard.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXSymbol.h"
#include "chart/TransferRules.h"
#include "platform/Archive.h"
#include "platform/Clipboard.h"
#include "platform/DragDrop.h"

namespace {
// An object's smallest stored form is its tag: two bytes.
constexpr std::size_t kMinObjectBytes = 2;

// What may leave the document as bytes; the rest stays out of what is written.
std::vector<CHOXDrawObj*> Transferable(const std::vector<CHOXDrawObj*>& objects)
{
    std::vector<CHOXDrawObj*> out;
    for (CHOXDrawObj* object : objects)
        if (object != nullptr && object->IsTransferable()) out.push_back(object);
    return out;
}
} // namespace

QString CHOXClipboard::ChartFormat() { return clipboard::FormatName("TRNWK_HOX"); }
QString CHOXClipboard::DragFormat() { return clipboard::FormatName("HOX_DRAG_FORMAT"); }

bool CHOXClipboard::IsFormatAvailable(const COleDataObject& data, const QString& format)
{
    return data.IsDataAvailable(format);
}

bool CHOXClipboard::WriteObjects(const std::vector<CHOXDrawObj*>& all, COleDataSource& source, const QString& format)
{
    const std::vector<CHOXDrawObj*> list = Transferable(all);
    CArchive ar;
    ar.m_pDocument = m_pDocument;
    try {
        ar << static_cast<DWORD>(list.size());
        for (CHOXDrawObj* object : list) ar.WriteObject(object);
    } catch (const ArchiveError&) {
        return false;
    }
    source.CacheData(format, ar.Buffer());
    return true;
}

bool CHOXClipboard::ReadObjects(DrawObjList& list, const COleDataObject& data, const QString& format,
                                DrawObjList* filtered)
{
    const std::optional<QByteArray> bytes = data.GetData(format);
    if (!bytes) return false;
    CArchive ar(*bytes);
    ar.m_pDocument = m_pDocument;
    DWORD count = 0;
    ar >> count;
    DrawObjList read = ReadList(ar, count);
    const std::int32_t type = m_pDocument != nullptr ? m_pDocument->GetControllerType() : ctype::kTwoAxes;
    for (auto& object : read) {
        if (PassesDragFilter(object.get(), type)) {
            list.push_back(std::move(object));
        } else if (filtered != nullptr) {
            filtered->push_back(std::move(object));
        }
    }
    return true;
}

bool CHOXClipboard::PassesDragFilter(const CHOXDrawObj* object, std::int32_t controllerType)
{
    if (transfer::HoldsProgram(*object)) {
        std::int32_t axis = axis::kX;
        std::int32_t number = 0;
        static_cast<const CHOXSymbol*>(object)->GetHeldProgramNumber(&axis, &number);
        // The subtask's START takes a program of the target's axis when it
        // lands outside the subtask chart.
        if (axis == axis::kBoth && number == kSubtaskProgramNumber) return true;
        switch (controllerType) {
        case ctype::kInterpolated: return axis == axis::kBoth;
        case ctype::kOneAxis: return axis == axis::kX;
        case ctype::kTwoAxes: return axis != axis::kBoth;
        default: return true;
        }
    }
    switch (object->GetObjectType()) {
    case objtype::kCodeCir: return !ctype::IsOneAxis(controllerType) && !ctype::HasIndependentAxes(controllerType);
    case objtype::kCodeLine: return !ctype::HasIndependentAxes(controllerType);
    default: return true;
    }
}

QByteArray CHOXClipboard::WriteBlock(std::uint32_t sourceInstance, const std::vector<CHOXDrawObj*>& all) const
{
    const std::vector<CHOXDrawObj*> objects = Transferable(all);
    CArchive ar;
    ar << static_cast<DWORD>(kFormatWord) << static_cast<DWORD>(sourceInstance);
    ar.WriteCount(static_cast<DWORD>(objects.size()));
    for (CHOXDrawObj* object : objects) ar.WriteObject(object);
    return ar.Buffer();
}

CHOXClipboard::Block CHOXClipboard::ReadBlock(const QByteArray& bytes) const
{
    CArchive ar(bytes);
    ar.m_pDocument = m_pDocument;
    Block block;
    DWORD formatWord = 0;
    DWORD source = 0;
    ar >> formatWord >> source;
    block.formatWord = formatWord;
    block.sourceInstance = source;
    const DWORD count = ar.ReadCount(kMinObjectBytes);
    block.objects = ReadList(ar, count);
    return block;
}

DrawObjList CHOXClipboard::ReadList(CArchive& ar, std::uint32_t count) const
{
    // A count the data cannot hold is refused before anything is made.
    if (count > ar.BytesLeft() / kMinObjectBytes)
        throw ArchiveError(ArchiveError::badCount, "the object count is larger than the data");
    DrawObjList objects;
    objects.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CHOXDrawObj> object = ar.ReadOwned<CHOXDrawObj>();
        if (!object) throw ArchiveError(ArchiveError::badClass, "an empty object stands in the list");
        // Another writer's block may hold what cannot enter a document this
        // way: it is dropped.
        if (object->IsTransferable()) objects.push_back(std::move(object));
    }
    return objects;
}

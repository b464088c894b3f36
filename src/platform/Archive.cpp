#include "platform/Archive.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace {
constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
// Longest class name a stored document may name (one less than the buffer the
// format was made for).
constexpr WORD kMaxClassName = 63;
// No document of this program nests objects anywhere near this deep; a file
// that does is damaged, and following it would only exhaust the stack.
constexpr int kMaxDepth = 100;

template <class T>
void PutLE(std::string& buf, T v)
{
    char bytes[sizeof(T)];
    qToLittleEndian(v, bytes);
    buf.append(bytes, sizeof(T));
}
} // namespace

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(QByteArray data) : m_mode(load), m_buffer(std::move(data))
{
    m_loadArray.push_back({Slot::null, nullptr, nullptr});
}

CArchive::~CArchive()
{
    for (const CObject* object : m_unclaimed) delete object;
}

void CArchive::Need(std::size_t n) const
{
    if (n > BytesLeft()) ThrowEndOfFile(n);
}

void CArchive::ThrowEndOfFile(std::size_t n) const
{
    throw ArchiveError(ArchiveError::endOfFile, "the file ends before the end of its data (" + std::to_string(n) +
                                                    " bytes needed at offset " + std::to_string(m_pos) + ", " +
                                                    std::to_string(BytesLeft()) + " left)");
}

const QByteArray& CArchive::Buffer() const
{
    if (m_mode == store && static_cast<std::size_t>(m_buffer.size()) != m_out.size())
        m_buffer = QByteArray(m_out.data(), static_cast<qsizetype>(m_out.size()));
    return m_buffer;
}

void CArchive::Write(const void* data, std::size_t n) { Put(static_cast<const char*>(data), n); }


CArchive& CArchive::operator<<(BYTE v) { m_out.push_back(static_cast<char>(v)); return *this; }
CArchive& CArchive::operator<<(WORD v) { PutLE(m_out, v); return *this; }
CArchive& CArchive::operator<<(std::int16_t v) { PutLE(m_out, v); return *this; }
CArchive& CArchive::operator<<(std::int32_t v) { PutLE(m_out, v); return *this; }
CArchive& CArchive::operator<<(DWORD v) { PutLE(m_out, v); return *this; }
CArchive& CArchive::operator<<(float v) { PutLE(m_out, v); return *this; }
CArchive& CArchive::operator<<(double v) { PutLE(m_out, v); return *this; }

template <class T>
static T TakeLE(CArchive& ar)
{
    char bytes[sizeof(T)];
    ar.Read(bytes, sizeof(T));
    return qFromLittleEndian<T>(bytes);
}

CArchive& CArchive::operator>>(BYTE& v) { v = TakeLE<BYTE>(*this); return *this; }
CArchive& CArchive::operator>>(WORD& v) { v = TakeLE<WORD>(*this); return *this; }
CArchive& CArchive::operator>>(std::int16_t& v) { v = TakeLE<std::int16_t>(*this); return *this; }
CArchive& CArchive::operator>>(std::int32_t& v) { v = TakeLE<std::int32_t>(*this); return *this; }
CArchive& CArchive::operator>>(DWORD& v) { v = TakeLE<DWORD>(*this); return *this; }
CArchive& CArchive::operator>>(float& v) { v = TakeLE<float>(*this); return *this; }
CArchive& CArchive::operator>>(double& v) { v = TakeLE<double>(*this); return *this; }

CArchive& CArchive::operator<<(const CRect& r)
{
    return *this << r.left << r.top << r.right << r.bottom;
}
CArchive& CArchive::operator<<(const CPoint& p) { return *this << p.x << p.y; }
CArchive& CArchive::operator>>(CRect& r) { return *this >> r.left >> r.top >> r.right >> r.bottom; }
CArchive& CArchive::operator>>(CPoint& p) { return *this >> p.x >> p.y; }

// Strings are 8-bit: each character is one byte, Latin-1 both ways, so every
// byte read comes back unchanged when written again.
CArchive& CArchive::operator<<(const QString& s)
{
    const auto len = static_cast<DWORD>(s.size());
    if (len < 0xFF) {
        *this << static_cast<BYTE>(len);
    } else if (len < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(len);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << len;
    }
    // Straight into the buffer, without a converted copy of each string: a
    // character Latin-1 cannot hold is written as '?', as the conversion
    // writes it.
    const std::size_t at = m_out.size();
    m_out.resize(at + static_cast<std::size_t>(s.size()));
    char* out = m_out.data() + at;
    for (const QChar c : s) *out++ = c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?';
    return *this;
}

CArchive& CArchive::operator>>(QString& s)
{
    // A length byte; 0xFF and a word; 0xFF, 0xFFFF and a double word. A word of
    // 0xFFFE announces a string of 16-bit characters, whose length follows.
    bool wide = false;
    DWORD len = 0;
    for (;;) {
        BYTE b = 0;
        *this >> b;
        if (b < 0xFF) { len = b; break; }
        WORD w = 0;
        *this >> w;
        if (w == 0xFFFE && !wide) { wide = true; continue; }
        if (w == 0xFFFF) { *this >> len; break; }
        if (w == 0xFFFE)
            throw ArchiveError(ArchiveError::badCount, "a string announces its character width twice");
        len = w;
        break;
    }
    const std::size_t bytes = static_cast<std::size_t>(len) * (wide ? 2 : 1);
    if (bytes > BytesLeft())
        throw ArchiveError(ArchiveError::badCount,
                           "a string of " + std::to_string(len) + " characters at offset " +
                               std::to_string(m_pos) + " is longer than the data left");
    const char* p = m_buffer.constData() + m_pos;
    if (wide) {
        QString text;
        text.reserve(static_cast<qsizetype>(len));
        for (DWORD i = 0; i < len; ++i) text.append(QChar(qFromLittleEndian<quint16>(p + 2 * i)));
        s = text;
    } else {
        s = QString::fromLatin1(p, static_cast<qsizetype>(len));
    }
    m_pos += bytes;
    return *this;
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF) << count;
    }
}

DWORD CArchive::ReadCount(std::size_t minElementBytes)
{
    WORD w = 0;
    *this >> w;
    DWORD count = w;
    if (w == 0xFFFF) *this >> count;
    if (minElementBytes != 0 && count > BytesLeft() / minElementBytes)
        throw ArchiveError(ArchiveError::badCount,
                           "a count of " + std::to_string(count) + " at offset " + std::to_string(m_pos) +
                               " is larger than the data left can hold");
    return count;
}

void CArchive::CheckCount() const
{
    if (m_mapCount >= kMaxMapCount)
        throw ArchiveError(IsStoring() ? ArchiveError::writeError : ArchiveError::badCount,
                           "too many objects in one archive");
}

void CArchive::WriteClass(const CRuntimeClass* cls)
{
    if (const DWORD index = m_storeMap.Find(cls); index != 0) {
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(kClassTag | index);
        } else {
            *this << kBigObjectTag << (kBigClassTag | index);
        }
        return;
    }
    // A file naming a class that cannot be made by name, or by a name longer
    // than a reader takes, could never be opened again: refuse to write it
    // rather than report a save that cannot be loaded.
    const std::size_t nameLen = std::strlen(cls->m_lpszClassName);
    if (cls->m_pfnCreateObject == nullptr || nameLen > kMaxClassName)
        throw ArchiveError(ArchiveError::writeError,
                           std::string("an object of class \"") + cls->m_lpszClassName + "\" cannot be stored");
    *this << kNewClassTag << cls->m_wSchema << static_cast<WORD>(nameLen);
    Write(cls->m_lpszClassName, nameLen);
    CheckCount();
    m_storeMap.Insert(cls, m_mapCount++);
}

void CArchive::WriteObject(CObject* object)
{
    if (object == nullptr) {
        *this << kNullTag;
        return;
    }
    if (const DWORD index = m_storeMap.Find(object); index != 0) {
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(index);
        } else {
            *this << kBigObjectTag << index;
        }
        return;
    }
    WriteClass(object->GetRuntimeClass());
    CheckCount();
    // The index is taken before the fields, so an object that refers back to
    // itself (or to an owner still being written) writes a back-reference.
    m_storeMap.Insert(object, m_mapCount++);
    object->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClassTag(const CRuntimeClass* required, DWORD* objectIndex)
{
    const std::size_t tagAt = m_pos;
    WORD tag = 0;
    *this >> tag;
    DWORD obTag = 0;
    if (tag == kBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
    }
    if ((obTag & kBigClassTag) == 0) {
        *objectIndex = obTag;
        return nullptr;
    }

    const CRuntimeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        WORD schema = 0;
        WORD nameLen = 0;
        *this >> schema >> nameLen;
        if (nameLen > kMaxClassName)
            throw ArchiveError(ArchiveError::badClass,
                               "a class name of " + std::to_string(nameLen) + " characters at offset " +
                                   std::to_string(tagAt) + " is too long");
        std::string name(nameLen, '\0');
        Read(name.data(), nameLen);
        cls = CRuntimeClass::FromName(name);
        if (cls == nullptr)
            throw ArchiveError(ArchiveError::badClass, "the file names a class this program does not have: \"" +
                                                           name + "\" at offset " + std::to_string(tagAt));
        if (cls->m_wSchema != schema)
            throw ArchiveError(ArchiveError::badSchema, "class \"" + name + "\" is stored with schema " +
                                                            std::to_string(schema) + ", this program reads " +
                                                            std::to_string(cls->m_wSchema));
        CheckCount();
        m_loadArray.push_back({Slot::cls, cls, nullptr});
        ++m_mapCount;
    } else {
        const DWORD classIndex = obTag & ~kBigClassTag;
        if (classIndex == 0 || classIndex >= m_loadArray.size() || m_loadArray[classIndex].kind != Slot::cls)
            throw ArchiveError(ArchiveError::badIndex, "a class reference at offset " + std::to_string(tagAt) +
                                                           " names no class read before (index " +
                                                           std::to_string(classIndex) + ")");
        cls = m_loadArray[classIndex].cls;
    }
    if (required != nullptr && !cls->IsDerivedFrom(required))
        throw ArchiveError(ArchiveError::badClass, std::string("an object of class \"") + cls->m_lpszClassName +
                                                       "\" stands where a \"" + required->m_lpszClassName +
                                                       "\" belongs (offset " + std::to_string(tagAt) + ")");
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* required) { return ReadObjectFor(required, false); }

CObject* CArchive::ReadObjectFor(const CRuntimeClass* required, bool toOwn, std::unique_ptr<CObject>* fresh)
{
    const std::size_t tagAt = m_pos;
    DWORD index = 0;
    const CRuntimeClass* cls = ReadClassTag(required, &index);
    if (cls == nullptr) {
        if (index >= m_loadArray.size() || m_loadArray[index].kind == Slot::cls)
            throw ArchiveError(ArchiveError::badIndex, "an object reference at offset " + std::to_string(tagAt) +
                                                           " names no object read before (index " +
                                                           std::to_string(index) + ")");
        CObject* object = m_loadArray[index].object;
        // An object that has an owner already may have been deleted by it
        // since (a replaced map entry, say): it is refused before it is
        // looked at.
        if (toOwn && object != nullptr && (IsBuilding(object) || m_unclaimed.count(object) == 0))
            throw ArchiveError(ArchiveError::sharedObject, "an object at offset " + std::to_string(tagAt) +
                                                               " is stored twice but can have only one owner");
        if (object != nullptr && required != nullptr && !object->IsKindOf(required))
            throw ArchiveError(ArchiveError::badClass,
                               std::string("a reference to an object of class \"") +
                                   object->GetRuntimeClass()->m_lpszClassName + "\" stands where a \"" +
                                   required->m_lpszClassName + "\" belongs (offset " + std::to_string(tagAt) + ")");
        return object;
    }

    std::unique_ptr<CObject> created = cls->CreateObject();
    if (!created)
        throw ArchiveError(ArchiveError::badClass,
                           std::string("class \"") + cls->m_lpszClassName + "\" cannot be read from a file");
    if (m_depth >= kMaxDepth)
        throw ArchiveError(ArchiveError::tooDeep, "objects are nested too deeply at offset " + std::to_string(tagAt));
    CheckCount();
    CObject* object = created.get();
    if (fresh != nullptr)
        *fresh = std::move(created);
    else
        m_unclaimed.insert(created.release());
    // Entered before the fields are read, so references back to it resolve.
    m_loadArray.push_back({Slot::object, nullptr, object});
    ++m_mapCount;
    ++m_depth;
    m_building.push_back(object);
    try {
        object->Serialize(*this);
    } catch (...) {
        --m_depth;
        m_building.pop_back();
        throw;
    }
    --m_depth;
    m_building.pop_back();
    return object;
}

bool CArchive::IsBuilding(const CObject* object) const
{
    return std::find(m_building.begin(), m_building.end(), object) != m_building.end();
}

std::unique_ptr<CObject> CArchive::Claim(CObject* object)
{
    if (IsBuilding(object) || m_unclaimed.erase(object) == 0) return nullptr;
    return std::unique_ptr<CObject>(object);
}

std::unique_ptr<CObject> CArchive::ReadOwned(const CRuntimeClass* required)
{
    const std::size_t tagAt = m_pos;
    std::unique_ptr<CObject> fresh;
    CObject* object = ReadObjectFor(required, true, &fresh);
    if (fresh) return fresh;
    if (object == nullptr) return nullptr;
    std::unique_ptr<CObject> owned = Claim(object);
    if (!owned)
        throw ArchiveError(ArchiveError::sharedObject, "an object at offset " + std::to_string(tagAt) +
                                                           " is stored twice but can have only one owner");
    return owned;
}

// ---------------------------------------------------------------------------

std::size_t StoredIndex::SlotOf(const void* key) const
{
    // Fibonacci hashing: the high bits of the product spread pointers that
    // differ only in their low bits.
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> m_shift);
}

DWORD StoredIndex::Find(const void* key) const
{
    if (m_slots.empty()) return 0;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = SlotOf(key);; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.key == key) return slot.index;
        if (slot.key == nullptr) return 0;
    }
}

void StoredIndex::Insert(const void* key, DWORD index)
{
    if (2 * (m_count + 1) > m_slots.size()) Grow();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = SlotOf(key);
    while (m_slots[at].key != nullptr && m_slots[at].key != key) at = (at + 1) & mask;
    if (m_slots[at].key == nullptr) ++m_count;
    m_slots[at] = {key, index};
}

void StoredIndex::Grow()
{
    std::vector<Slot> old = std::move(m_slots);
    const std::size_t size = old.empty() ? 256 : 2 * old.size();
    m_slots.assign(size, Slot{});
    m_shift = 64 - std::countr_zero(size);
    m_count = 0;
    for (const Slot& slot : old)
        if (slot.key != nullptr) Insert(slot.key, slot.index);
}

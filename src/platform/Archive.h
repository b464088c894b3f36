#pragma once
// The binary archive of the document file: little-endian integers, counts,
// 8-bit strings, objects with their class and back-references, one index table
// per archive. Reading never trusts the input: every length, count and index
// is checked against what is there, and every failure throws ArchiveError.
#include "platform/Geometry.h"
#include "platform/Object.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

class CDocument;

class ArchiveError : public std::runtime_error {
public:
    enum Cause {
        endOfFile,    // the data ends before the item being read
        badClass,     // unknown class, class of the wrong kind, or a class that cannot be made
        badSchema,    // a class stored with a schema this program does not read
        badIndex,     // a back-reference to nothing, or to a class where an object belongs
        badCount,     // a count or length larger than the data that is left
        sharedObject, // an object that is stored twice where it can have only one owner
        tooDeep,      // objects nested deeper than any document of this program
        duplicateKey, // a map that holds one key twice
        writeError,   // an item too large to be written, or of a class that cannot be read back
    };
    ArchiveError(Cause cause, const std::string& what) : std::runtime_error(what), m_cause(cause) {}
    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

// The objects and classes written so far, each with its index in the file:
// every object of a document goes in once and is looked up at each
// reference. Open addressing in one array, since a node allocated per
// object cost more than the writing.
class StoredIndex {
public:
    // The index `key` was given; 0 (no index is 0) when it has none.
    DWORD Find(const void* key) const;
    void Insert(const void* key, DWORD index);

private:
    std::size_t SlotOf(const void* key) const;
    void Grow();

    struct Slot {
        const void* key = nullptr;
        DWORD index = 0;
    };
    // A power of two in size, at most half full.
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    int m_shift = 64;
};

class CArchive {
public:
    enum Mode { store, load };

    // An archive that writes into its own buffer.
    CArchive();
    // An archive that reads the given bytes (copied).
    explicit CArchive(QByteArray data);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // The bytes written so far (storing) or the whole input (loading).
    const QByteArray& Buffer() const;
    // Bytes not yet read (loading).
    std::size_t BytesLeft() const { return static_cast<std::size_t>(m_buffer.size()) - m_pos; }
    std::size_t Position() const { return m_pos; }

    // The document that objects read from here on belong to.
    CDocument* m_pDocument = nullptr;

    // Raw bytes.
    void Write(const void* data, std::size_t n);
    void Read(void* data, std::size_t n)
    {
        // Every field passes here: the check stays inline, the report not.
        if (n > BytesLeft()) ThrowEndOfFile(n);
        if (n != 0) std::memcpy(data, m_buffer.constData() + m_pos, n);
        m_pos += n;
    }

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(std::int16_t v);
    CArchive& operator<<(std::int32_t v);
    CArchive& operator<<(DWORD v);
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(const QString& s);
    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(std::int16_t& v);
    CArchive& operator>>(std::int32_t& v);
    CArchive& operator>>(DWORD& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(QString& s);

    // A rectangle or point as its raw structure: 16 and 8 bytes.
    CArchive& operator<<(const CRect& r);
    CArchive& operator<<(const CPoint& p);
    CArchive& operator>>(CRect& r);
    CArchive& operator>>(CPoint& p);

    // Counts of collections: a word, or 0xFFFF and a double word.
    void WriteCount(DWORD count);
    // Reads a count and checks that the data left can hold that many elements
    // of at least minElementBytes each.
    DWORD ReadCount(std::size_t minElementBytes = 1);

    // An object with its class, a back-reference when it was written before,
    // or the null tag.
    void WriteObject(CObject* object);

    // Reads an object the caller will own. Null gives null; a back-reference to
    // an object read before throws, since it would have two owners. The object
    // must be of the class `required` or derived from it (any class when null).
    std::unique_ptr<CObject> ReadOwned(const CRuntimeClass* required);
    template <class T>
    std::unique_ptr<T> ReadOwned()
    {
        std::unique_ptr<CObject> object = ReadOwned(T::ThisClass());
        return std::unique_ptr<T>(static_cast<T*>(object.release()));
    }

    // Reads an object reference without taking ownership: null, a
    // back-reference, or a new object. A new object stays with the archive
    // until Claim takes it; objects nobody claimed are deleted with the archive.
    // A back-reference to a claimed object is only as good as its owner: the
    // owner must keep it while this archive reads.
    CObject* ReadObject(const CRuntimeClass* required);
    bool IsUnclaimed(const CObject* object) const { return m_unclaimed.count(object) != 0; }
    std::unique_ptr<CObject> Claim(CObject* object);

private:
    enum class Slot { null, cls, object };
    struct LoadEntry {
        Slot kind;
        const CRuntimeClass* cls;
        CObject* object;
    };

    void Need(std::size_t n) const;
    [[noreturn]] void ThrowEndOfFile(std::size_t n) const;
    void CheckCount() const;
    void WriteClass(const CRuntimeClass* cls);
    // ReadObject; when the caller is to own the object, a reference to one
    // that cannot be claimed fails without the object being touched, and a
    // new object comes back in `fresh`, the caller's already.
    CObject* ReadObjectFor(const CRuntimeClass* required, bool toOwn, std::unique_ptr<CObject>* fresh = nullptr);
    // Reads the tag and, for a new object, its class. Returns the class of a
    // new object, or null with *objectIndex set for a reference.
    const CRuntimeClass* ReadClassTag(const CRuntimeClass* required, DWORD* objectIndex);

    // Appends bytes to what is written.
    void Put(const char* data, std::size_t n) { m_out.append(data, n); }

    Mode m_mode;
    // Storing writes into a plain buffer, which grows without the checks a
    // byte array makes at each append; Buffer() hands it over as a byte
    // array.
    std::string m_out;
    mutable QByteArray m_buffer;
    std::size_t m_pos = 0;
    DWORD m_mapCount = 1;
    int m_depth = 0;
    StoredIndex m_storeMap;
    std::vector<LoadEntry> m_loadArray;
    // Objects read without an owner yet. An object read to be owned has its
    // owner at once and is never among them.
    std::unordered_set<const CObject*> m_unclaimed;
    // Objects whose fields are being read, the outermost first: nobody may
    // own them yet. As deep as objects nest, which is never deep.
    std::vector<const CObject*> m_building;
    bool IsBuilding(const CObject* object) const;
};

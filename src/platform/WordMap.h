#pragma once
// Maps whose iteration order is part of the program's behaviour: hit tests
// take the first match, drawing goes in reverse, conversion walks in order,
// and the saved bytes follow it. The order is that of a 17-bucket hash table:
// buckets ascending by (key >> 4) % 17, the newest entry first within a
// bucket. Replacing the value of an existing key keeps its place.
#include "platform/Archive.h"
#include "platform/Types.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Integer keys: the key without its low four bits.
struct IntegerKeyHash {
    template <class K>
    std::uint32_t operator()(K key) const
    {
        return static_cast<std::uint32_t>(key) >> 4;
    }
};

// Text keys: each 8-bit character (taken as signed) added to 33 times the
// hash so far.
struct TextKeyHash {
    std::uint32_t operator()(const QString& key) const
    {
        std::uint32_t hash = 0;
        for (QChar c : key) {
            const auto byte = static_cast<signed char>(c.unicode() <= 0xFF ? c.unicode() : '?');
            hash = (hash << 5) + hash + static_cast<std::uint32_t>(static_cast<std::int32_t>(byte));
        }
        return hash;
    }
};

template <class K, class V, class Hash = IntegerKeyHash>
class HashOrderMap {
public:
    static constexpr std::size_t kBuckets = 17;
    using value_type = std::pair<K, V>;

    static std::size_t BucketOf(const K& key) { return Hash()(key) % kBuckets; }

    HashOrderMap() = default;
    HashOrderMap(const HashOrderMap&) = default;
    HashOrderMap(HashOrderMap&& other) noexcept : m_buckets(std::move(other.m_buckets)), m_count(other.m_count)
    {
        other.Forget();
    }
    HashOrderMap& operator=(const HashOrderMap& other)
    {
        if (this != &other) {
            CountRemovals(m_count);
            m_buckets = other.m_buckets;
            m_count = other.m_count;
        }
        return *this;
    }
    HashOrderMap& operator=(HashOrderMap&& other) noexcept
    {
        if (this != &other) {
            CountRemovals(m_count);
            m_buckets = std::move(other.m_buckets);
            m_count = other.m_count;
            other.Forget();
        }
        return *this;
    }
    ~HashOrderMap() { CountRemovals(m_count); }

    // How many entries have ever left a map of this kind: taken, removed,
    // replaced by assignment or gone with their map. A search that
    // remembers which keys the maps held knows by it whether one may have
    // come free since.
    static std::uint64_t Removals() { return s_removals.load(std::memory_order_relaxed); }

    // Walks the map in its order. Within a bucket entries are kept oldest
    // first, so the walk goes through each bucket from its back.
    template <class Map, class Entry>
    class Iter {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = std::remove_const_t<Entry>;
        using difference_type = std::ptrdiff_t;
        using pointer = Entry*;
        using reference = Entry&;

        Iter() = default;
        Iter(Map* map, std::size_t bucket, std::size_t slot) : m_map(map), m_bucket(bucket), m_slot(slot) {}
        reference operator*() const { return m_map->m_buckets[m_bucket][m_slot - 1]; }
        pointer operator->() const { return &**this; }
        Iter& operator++()
        {
            --m_slot;
            SkipForward();
            return *this;
        }
        Iter operator++(int) { Iter t = *this; ++*this; return t; }
        Iter& operator--()
        {
            // From the end or from the oldest entry of a bucket back to the
            // newest entry of the previous non-empty bucket.
            if (m_bucket < kBuckets && m_slot < m_map->m_buckets[m_bucket].size()) {
                ++m_slot;
                return *this;
            }
            do {
                --m_bucket;
            } while (m_map->m_buckets[m_bucket].empty());
            m_slot = 1;
            return *this;
        }
        Iter operator--(int) { Iter t = *this; --*this; return t; }
        bool operator==(const Iter& o) const { return m_bucket == o.m_bucket && m_slot == o.m_slot; }

    private:
        friend class HashOrderMap;
        void SkipForward()
        {
            while (m_slot == 0 && m_bucket < kBuckets) {
                ++m_bucket;
                m_slot = m_bucket < kBuckets ? m_map->m_buckets[m_bucket].size() : 0;
            }
        }
        Map* m_map = nullptr;
        std::size_t m_bucket = kBuckets;
        std::size_t m_slot = 0; // one past the entry's index within its bucket
    };
    using iterator = Iter<HashOrderMap, value_type>;
    using const_iterator = Iter<const HashOrderMap, const value_type>;

    iterator begin() { iterator it(this, 0, m_buckets[0].size()); it.SkipForward(); return it; }
    iterator end() { return iterator(this, kBuckets, 0); }
    const_iterator begin() const { const_iterator it(this, 0, m_buckets[0].size()); it.SkipForward(); return it; }
    const_iterator end() const { return const_iterator(this, kBuckets, 0); }
    auto rbegin() { return std::reverse_iterator<iterator>(end()); }
    auto rend() { return std::reverse_iterator<iterator>(begin()); }
    auto rbegin() const { return std::reverse_iterator<const_iterator>(end()); }
    auto rend() const { return std::reverse_iterator<const_iterator>(begin()); }

    std::size_t GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    V* Lookup(const K& key)
    {
        for (auto& e : m_buckets[BucketOf(key)])
            if (e.first == key) return &e.second;
        return nullptr;
    }
    const V* Lookup(const K& key) const { return const_cast<HashOrderMap*>(this)->Lookup(key); }
    bool Contains(const K& key) const { return Lookup(key) != nullptr; }

    // A new key becomes the newest entry of its bucket; an existing key keeps
    // its place and gets the new value (the old one is destroyed).
    void SetAt(const K& key, V value)
    {
        if (V* existing = Lookup(key)) {
            *existing = std::move(value);
            return;
        }
        m_buckets[BucketOf(key)].emplace_back(key, std::move(value));
        ++m_count;
    }

    // Appends an entry after everything already in the map's order: used to
    // rebuild a map from entries listed in its iteration order. An existing
    // key keeps its place.
    void AppendInOrder(const K& key, V value)
    {
        if (V* existing = Lookup(key)) {
            *existing = std::move(value);
            return;
        }
        auto& bucket = m_buckets[BucketOf(key)];
        bucket.emplace(bucket.begin(), key, std::move(value));
        ++m_count;
    }

    // Takes the entry out and hands its value back; an empty value when the
    // key is not there.
    V Take(const K& key)
    {
        auto& bucket = m_buckets[BucketOf(key)];
        for (auto it = bucket.begin(); it != bucket.end(); ++it) {
            if (it->first == key) {
                V value = std::move(it->second);
                bucket.erase(it);
                --m_count;
                CountRemovals(1);
                return value;
            }
        }
        return V{};
    }

    bool RemoveKey(const K& key)
    {
        auto& bucket = m_buckets[BucketOf(key)];
        for (auto it = bucket.begin(); it != bucket.end(); ++it) {
            if (it->first == key) {
                bucket.erase(it);
                --m_count;
                CountRemovals(1);
                return true;
            }
        }
        return false;
    }

    void RemoveAll()
    {
        CountRemovals(m_count);
        Forget();
    }

    std::vector<K> Keys() const
    {
        std::vector<K> keys;
        keys.reserve(m_count);
        for (const auto& e : *this) keys.push_back(e.first);
        return keys;
    }

private:
    static void CountRemovals(std::size_t n)
    {
        if (n != 0) s_removals.fetch_add(n, std::memory_order_relaxed);
    }
    void Forget()
    {
        for (auto& b : m_buckets) b.clear();
        m_count = 0;
    }

    std::array<std::vector<value_type>, kBuckets> m_buckets;
    std::size_t m_count = 0;
    inline static std::atomic<std::uint64_t> s_removals{0};
};

template <class V>
using WordMap = HashOrderMap<WORD, V>;
template <class V>
using StringMap = HashOrderMap<QString, V, TextKeyHash>;

// The stored form of a word-keyed map of owned objects: the element count,
// then per element in map order the 16-bit key and the object with its class.
// Loading keeps the order the map had when it was saved, and checks that every
// object is of the class `required` (a T or a class derived from it) and that
// no key comes twice.
template <class T>
void SerializeObjectMap(CArchive& ar, WordMap<std::unique_ptr<T>>& map, const CRuntimeClass* required = nullptr)
{
    if (required == nullptr || !required->IsDerivedFrom(T::ThisClass())) required = T::ThisClass();
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(map.GetCount()));
        for (auto& [key, object] : map) {
            ar << key;
            ar.WriteObject(object.get());
        }
        return;
    }
    WordMap<std::unique_ptr<T>> loaded;
    const DWORD count = ar.ReadCount(4);
    for (DWORD i = 0; i < count; ++i) {
        WORD key = 0;
        ar >> key;
        // A map never holds a key twice; taking the second entry would delete
        // the first while later references in the file may still name it.
        if (loaded.Contains(key))
            throw ArchiveError(ArchiveError::duplicateKey, "the key " + std::to_string(key) +
                                                               " is stored twice in one map (offset " +
                                                               std::to_string(ar.Position() - 2) + ")");
        std::unique_ptr<CObject> object = ar.ReadOwned(required);
        loaded.AppendInOrder(key, std::unique_ptr<T>(static_cast<T*>(object.release())));
    }
    map = std::move(loaded);
}

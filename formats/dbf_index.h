#pragma once
// The hash index behind Locate: for one list of fields, the record numbers of
// the rows that are not deleted, by their key (the values of the fields, each
// as the field holds it), in record order.
//
// Each distinct key keeps its record numbers as a heap with the lowest on top.
// A row that leaves a key (edited or deleted) is not searched for there: the
// index notes that the row no longer has that key and that the key holds a
// row that left it, and drops the row from the key's heap when it comes to the
// top. So every change costs at most a logarithm, and appends (always the
// highest record number) cost a constant.
//
// Laid out for few cache misses on large tables: a slot holds part of its
// key's hash beside the key's place, so that a probe reads no key that cannot
// match; a key's lowest row and its bytes sit together in one buffer; only
// keys with more than one row have a heap of their own.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dbf {

class RowIndex {
 public:
  explicit RowIndex(std::vector<int> fields) : fields_(std::move(fields)), slots_(16, 0) {}

  const std::vector<int>& Fields() const { return fields_; }

  // Room for this many rows, before a first build: memory reserved and not
  // yet used costs nothing, while growing copies what is there.
  void Reserve(std::size_t rows) {
    keyOf_.reserve(rows);
    entries_.reserve(rows * (sizeof(Header) + 32));
    std::size_t size = slots_.size();
    while (size < rows) size *= 2;  // room for half as many keys as rows
    if (size > slots_.size()) Rehash(size);
  }

  // The row now has this key (a new row, or one whose key changed).
  void Set(std::string_view key, long recNo) {
    const std::uint32_t id = FindOrAdd(key);
    std::uint32_t& current = KeyOf(recNo);
    if (current == id) return;
    if (current != 0) MarkLeft(current);
    current = id;
    Push(id, recNo);
  }

  // The row has no key any more (deleted).
  void Remove(long recNo) {
    const auto i = static_cast<std::size_t>(recNo - 1);
    if (i >= keyOf_.size() || keyOf_[i] == 0) return;
    MarkLeft(keyOf_[i]);
    keyOf_[i] = 0;
  }

  // The first record number with this key, or 0.
  long First(std::string_view key) {
    const std::uint64_t slot = slots_[Probe(key, Hash(key))];
    if (slot == 0) return 0;
    const auto id = static_cast<std::uint32_t>(slot);
    Header h = HeaderOf(id);
    if ((h.length & kLeft) == 0) return h.top;  // no row ever left this key
    while (h.top != 0 && keyOf_[static_cast<std::size_t>(h.top - 1)] != id) {
      Pop(id);
      h = HeaderOf(id);
    }
    return h.top;
  }

  // Appends one part of a key: the value of one field, as the field holds it.
  static void AppendPart(std::string& key, std::string_view value) {
    if (value.size() < 0xFF) {
      key += static_cast<char>(value.size());
    } else {
      const auto n = static_cast<std::uint32_t>(value.size());
      key += '\xFF';
      for (int i = 0; i < 4; ++i) key += static_cast<char>((n >> (8 * i)) & 0xFF);
    }
    key.append(value);
  }

 private:
  // Before each key's bytes in `entries_`, aligned to 8 bytes. An entry is
  // named by its offset / 8 + 1.
  struct Header {
    long top;              // the lowest record number; 0 when none
    std::uint32_t length;  // of the key, with kLeft when a row has left the key
    std::int32_t heap;     // index in heaps_ of the other rows, or -1
  };
  static constexpr std::uint32_t kLeft = 0x80000000U;

  // Eight bytes at a time, mixed by multiplication; the last step spreads
  // every bit over the others. The low bits pick the slot, the high ones
  // are kept in it.
  static std::uint64_t Hash(std::string_view key) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ULL;
    std::uint64_t h = key.size() * kMul;
    const char* p = key.data();
    std::size_t n = key.size();
    for (; n >= 8; n -= 8, p += 8) {
      std::uint64_t w;
      std::memcpy(&w, p, 8);
      h = (h ^ w) * kMul;
      h ^= h >> 29;
    }
    if (n > 0) {
      std::uint64_t w = 0;
      std::memcpy(&w, p, n);
      h = (h ^ w) * kMul;
      h ^= h >> 29;
    }
    h *= 0xBF58476D1CE4E5B9ULL;
    return h ^ (h >> 31);
  }
  static std::uint64_t Tag(std::uint64_t hash) { return hash & 0xFFFFFFFF00000000ULL; }

  static std::size_t OffsetOf(std::uint32_t id) { return (std::size_t{id} - 1) * 8; }

  Header HeaderOf(std::uint32_t id) const {
    Header h;
    std::memcpy(&h, entries_.data() + OffsetOf(id), sizeof h);
    return h;
  }
  void Store(std::uint32_t id, const Header& h) {
    std::memcpy(entries_.data() + OffsetOf(id), &h, sizeof h);
  }
  std::string_view KeyOfEntry(std::uint32_t id, const Header& h) const {
    return std::string_view(entries_.data() + OffsetOf(id) + sizeof(Header), h.length & ~kLeft);
  }

  // The slot that holds the key, or the empty slot where it would go.
  std::size_t Probe(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t tag = Tag(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) return i;
      if (Tag(slot) != tag) continue;
      const auto id = static_cast<std::uint32_t>(slot);
      if (KeyOfEntry(id, HeaderOf(id)) == key) return i;
    }
  }

  std::uint32_t FindOrAdd(std::string_view key) {
    const std::uint64_t hash = Hash(key);
    std::size_t i = Probe(key, hash);
    if (slots_[i] != 0) return static_cast<std::uint32_t>(slots_[i]);
    if ((count_ + 1) * 2 > slots_.size()) {
      Rehash(slots_.size() * 2);
      i = Probe(key, hash);
    }
    const std::size_t offset = entries_.size();
    const auto id = static_cast<std::uint32_t>(offset / 8 + 1);
    const std::size_t size = (sizeof(Header) + key.size() + 7) / 8 * 8;
    entries_.resize(offset + size);
    Store(id, Header{0, static_cast<std::uint32_t>(key.size()), -1});
    std::memcpy(entries_.data() + offset + sizeof(Header), key.data(), key.size());
    slots_[i] = Tag(hash) | id;
    ++count_;
    return id;
  }

  void Rehash(std::size_t size) {
    std::vector<std::uint64_t> slots(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t offset = 0; offset < entries_.size();) {
      const auto id = static_cast<std::uint32_t>(offset / 8 + 1);
      const Header h = HeaderOf(id);
      const std::uint64_t hash = Hash(KeyOfEntry(id, h));
      std::size_t i = hash & mask;
      while (slots[i] != 0) i = (i + 1) & mask;
      slots[i] = Tag(hash) | id;
      offset += (sizeof(Header) + (h.length & ~kLeft) + 7) / 8 * 8;
    }
    slots_.swap(slots);
  }

  void MarkLeft(std::uint32_t id) {
    Header h = HeaderOf(id);
    h.length |= kLeft;
    Store(id, h);
  }

  void Push(std::uint32_t id, long recNo) {
    Header h = HeaderOf(id);
    if (h.top == 0) {
      h.top = recNo;
      Store(id, h);
      return;
    }
    if (recNo < h.top) {
      std::swap(recNo, h.top);
      Store(id, h);
    }
    if (h.heap < 0) {
      h.heap = static_cast<std::int32_t>(heaps_.size());
      heaps_.emplace_back();
      Store(id, h);
    }
    std::vector<long>& more = heaps_[static_cast<std::size_t>(h.heap)];
    more.push_back(recNo);
    std::push_heap(more.begin(), more.end(), std::greater<>());
  }

  void Pop(std::uint32_t id) {
    Header h = HeaderOf(id);
    if (h.heap < 0 || heaps_[static_cast<std::size_t>(h.heap)].empty()) {
      h.top = 0;
    } else {
      std::vector<long>& more = heaps_[static_cast<std::size_t>(h.heap)];
      std::pop_heap(more.begin(), more.end(), std::greater<>());
      h.top = more.back();
      more.pop_back();
    }
    Store(id, h);
  }

  std::uint32_t& KeyOf(long recNo) {
    const auto i = static_cast<std::size_t>(recNo - 1);
    if (i >= keyOf_.size()) keyOf_.resize(i + 1, 0);
    return keyOf_[i];
  }

  std::vector<int> fields_;
  std::vector<char> entries_;             // header and key of each distinct key
  std::size_t count_ = 0;                 // distinct keys
  std::vector<std::vector<long>> heaps_;  // the other rows of keys with several
  std::vector<std::uint64_t> slots_;      // high half of the hash | entry, or 0; a power of two
  std::vector<std::uint32_t> keyOf_;      // by record number - 1: entry, or 0 for none
};

}  // namespace velmora::dbf

#pragma once
// The hash index behind Locate: for one list of fields, the record numbers of
// the rows that are not deleted, by their values, in record order.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora::dbf {

class RowIndex {
 public:
  explicit RowIndex(std::vector<int> fields) : fields_(std::move(fields)) {}

  const std::vector<int>& Fields() const { return fields_; }

  void Add(const std::string& key, long recNo) { rows_[key].insert(recNo); }
  void Remove(const std::string& key, long recNo) {
    auto it = rows_.find(key);
    if (it == rows_.end()) return;
    it->second.erase(recNo);
    if (it->second.empty()) rows_.erase(it);
  }
  // The first record number with this key, or 0.
  long First(const std::string& key) const {
    auto it = rows_.find(key);
    return it == rows_.end() ? 0 : *it->second.begin();
  }

  // One key from the values of the fields, each as the field holds it.
  static void AppendPart(std::string& key, std::string_view value) {
    const auto n = static_cast<std::uint32_t>(value.size());
    key.append(reinterpret_cast<const char*>(&n), sizeof n);
    key.append(value);
  }

 private:
  std::vector<int> fields_;
  std::unordered_map<std::string, std::set<long>> rows_;
};

}  // namespace velmora::dbf

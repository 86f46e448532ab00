#pragma once
// Looks up one field of a table that does not change during a step (PROFT,
// AULAT, ASIGNOMT while ASIGT is being loaded) by one key field, remembering
// each answer: a school's sessions name the same teachers and rooms over and
// over, and each value then costs one locate only.
#include <string>
#include <string_view>
#include <unordered_map>

#include "formats/dbf_table.h"

namespace velmora {

class ConsultaAbreviaturas {
 public:
  // An empty value finds nothing when `vacioNoEncuentra`: an empty reference
  // names nobody, rather than the first row whose key happens to be empty.
  ConsultaAbreviaturas(Table& table, std::string key, std::string field, bool vacioNoEncuentra)
      : table_(table),
        key_(std::move(key)),
        field_(std::move(field)),
        vacioNoEncuentra_(vacioNoEncuentra) {}

  // `field` of the first row whose `key` equals `value`; empty when none does.
  const std::string& De(const std::string& value) {
    auto [it, nueva] = respuestas_.try_emplace(value);
    if (nueva && !(vacioNoEncuentra_ && value.empty()) && table_.Locate(key_, value)) {
      it->second = table_.AsString(field_);
    }
    return it->second;
  }

 private:
  Table& table_;
  std::string key_;
  std::string field_;
  bool vacioNoEncuentra_;
  std::unordered_map<std::string, std::string> respuestas_;
};

}  // namespace velmora

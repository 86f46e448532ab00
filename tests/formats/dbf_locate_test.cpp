// Locate through the hash indexes against a plain scan, after random appends,
// edits and deletes, before and after a pack.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>

#include "formats/dbf_table.h"
#include "tests/formats/dbf_test_util.h"

namespace velmora {
namespace {

using velmora::testing::DbfTempFolder;

// Values drawn from a small pool, so that keys repeat; some longer than the
// fields, some with blanks, some empty.
const std::vector<std::string> kPool = {"",   "A",    "B",          "AB",         " A",
                                        "A ", "ABCD", "ABCDE",      "ABCDEFGH",   "ABCDXYZ",
                                        "1",  "01",   "MATEMATICA", "MATEMATICAS"};

const std::vector<std::string> kFields = {"CLAVE", "CURSO", "NUM"};

// What the table holds, in our own words: record number -> values, by the
// field's rules (text cut to 4, numbers as trimmed text).
struct Model {
  std::map<long, std::vector<std::string>> rows;
  long next = 1;
};

std::string AsStored(std::size_t field, const std::string& value) {
  if (field == 2) return value;  // numbers are written as plain digits
  std::string cut = value.substr(0, 4);
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut;
}

// The first row, in record order, whose fields equal the values.
std::optional<long> Scan(Table& t, const std::vector<std::size_t>& fields,
                         const std::vector<std::string>& values) {
  for (t.First(); !t.Eof(); t.Next()) {
    bool all = true;
    for (std::size_t i = 0; i < fields.size() && all; ++i)
      all = t.AsString(kFields[fields[i]]) == AsStored(fields[i], values[i]);
    if (all) return t.RecNo();
  }
  return std::nullopt;
}

void CheckEveryLocate(Table& t, std::mt19937& rng, const Model& model) {
  // The table as the engine reads it matches the model.
  std::vector<long> seen;
  for (t.First(); !t.Eof(); t.Next()) {
    seen.push_back(t.RecNo());
    const auto& row = model.rows.at(t.RecNo());
    for (std::size_t f = 0; f < kFields.size(); ++f)
      ASSERT_EQ(t.AsString(kFields[f]), row[f]) << "row " << t.RecNo();
  }
  ASSERT_EQ(seen.size(), model.rows.size());

  const std::vector<std::vector<std::size_t>> lists = {{0}, {1}, {2}, {0, 1}, {1, 0}, {0, 1, 2}};
  const std::vector<std::string> names = {"CLAVE",       "CURSO",       "NUM",
                                          "CLAVE;CURSO", "CURSO;CLAVE", "CLAVE;CURSO;NUM"};
  for (int probe = 0; probe < 300; ++probe) {
    const std::size_t which = rng() % lists.size();
    std::vector<std::string> values;
    for (std::size_t f : lists[which])
      values.push_back(f == 2 ? std::to_string(rng() % 6) : kPool[rng() % kPool.size()]);
    const auto expected = Scan(t, lists[which], values);
    // Start from a known row (or the end) to see that a miss does not move.
    t.First();
    const long before = t.RecNo();
    const bool found = t.Locate(names[which], values);
    ASSERT_EQ(found, expected.has_value()) << names[which] << " " << values[0];
    ASSERT_EQ(t.RecNo(), found ? *expected : before) << names[which] << " " << values[0];
  }
}

TEST(DbfTableLocate, AgreesWithAPlainScanThroughRandomChanges) {
  DbfTempFolder dir;
  const auto file = dir / "ASIGT.DBF";
  Table::Create(
      file,
      {{"CLAVE", FieldKind::Text, 4}, {"CURSO", FieldKind::Text, 4}, {"NUM", FieldKind::Integer}});
  std::mt19937 rng(20240611);
  Model model;
  Table t(file, OpenMode::Exclusive);

  auto randomRow = [&] {
    return std::vector<std::string>{kPool[rng() % kPool.size()], kPool[rng() % kPool.size()],
                                    std::to_string(rng() % 6)};
  };
  auto set = [&](const std::vector<std::string>& row, std::vector<std::string>& stored) {
    for (std::size_t f = 0; f < 2; ++f) {
      t.SetString(kFields[f], row[f]);
      stored[f] = AsStored(f, row[f]);
    }
    t.SetInteger("NUM", std::stoll(row[2]));
    stored[2] = row[2];
  };

  for (int round = 0; round < 6; ++round) {
    // Locate first, so that the indexes exist and must be kept current.
    CheckEveryLocate(t, rng, model);
    for (int step = 0; step < 150; ++step) {
      const int action = static_cast<int>(rng() % 10);
      if (action < 5 || model.rows.empty()) {
        t.Append();
        std::vector<std::string> stored(3);
        set(randomRow(), stored);
        ASSERT_EQ(t.RecNo(), model.next);
        model.rows[model.next++] = stored;
        if (rng() % 2) t.Post();  // otherwise the next move posts it
      } else {
        // Go to a random live row by its record number.
        auto it = model.rows.begin();
        std::advance(it, static_cast<long>(rng() % model.rows.size()));
        t.First();
        while (t.RecNo() != it->first) t.Next();
        if (action < 8) {
          set(randomRow(), it->second);
          if (rng() % 2) t.Post();
        } else {
          t.Delete();
          const auto after = std::next(it);
          ASSERT_EQ(t.RecNo(), after == model.rows.end() ? 0 : after->first);
          model.rows.erase(it);
        }
      }
    }
    CheckEveryLocate(t, rng, model);
    if (round % 2 == 1) {
      t.Pack();
      Model packed;
      for (auto& [recNo, row] : model.rows) packed.rows[packed.next++] = row;
      model = packed;
    }
  }
  t.Close();

  // What was written reads back the same, with the same record numbers.
  Table again(file, OpenMode::Shared);
  CheckEveryLocate(again, rng, model);
}

}  // namespace
}  // namespace velmora

#pragma once
// Any bytes as a dBASE table, then every read that the runs make: open,
// go through the rows, read every field as text, integer, number and logical,
// and find each value again with Locate, alone and with the whole row. Then
// a change written back (a row edited, one deleted, one appended, pack) must
// give a table that opens again with the rows it should have.
//
// A velmora::Error is the expected end for a bad table; anything else that
// escapes, or a Finding, is a fault.
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "fuzz/finding.h"
#include "fuzz/scratch.h"

namespace velmora::fuzz {

namespace dbf_checks {

// A field that Locate can name: the engine finds fields by name, so only the
// first field of a name is reachable, and ";" separates names in a Locate.
inline bool Nameable(const std::vector<FieldInfo>& fields, std::size_t i) {
  const std::string& name = fields[i].name;
  if (name.empty() || name.size() > 10 || name.find(';') != std::string::npos ||
      name.front() == ' ' || name.back() == ' ' || name.find('\0') != std::string::npos)
    return false;
  for (std::size_t j = 0; j < i; ++j) {
    const std::string& other = fields[j].name;
    if (other.size() != name.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < name.size() && same; ++k) {
      char a = name[k], b = other[k];
      if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
      if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
      same = a == b;
    }
    if (same) return false;
  }
  return true;
}

struct Row {
  long recNo = 0;
  std::vector<std::string> values;  // one per field; empty when unreadable
  std::vector<bool> readable;
};

inline std::vector<Row> ReadAllRows(Table& t, const std::vector<std::size_t>& usable) {
  const auto& fields = t.Fields();
  std::vector<Row> rows;
  long live = 0;
  for (t.First(); !t.Eof(); t.Next()) {
    ++live;
    Row row;
    row.recNo = t.RecNo();
    Require(row.recNo >= 1, "RecNo of a current row is below 1");
    Require(rows.empty() || row.recNo > rows.back().recNo, "rows do not come in record order");
    row.values.resize(fields.size());
    row.readable.assign(fields.size(), false);
    for (std::size_t i : usable) {
      const std::string& name = fields[i].name;
      try {
        row.values[i] = t.AsString(name);
        row.readable[i] = true;
      } catch (const Error&) {
      }
      try {
        (void)t.AsInteger(name);
      } catch (const Error&) {
      }
      try {
        (void)t.AsFloat(name);
      } catch (const Error&) {
      }
      try {
        (void)t.AsBool(name);
      } catch (const Error&) {
      }
    }
    rows.push_back(std::move(row));
    if (rows.size() > 100000) break;
  }
  Require(live == t.RecordCount() || rows.size() > 100000,
          "RecordCount differs from the rows gone through");
  return rows;
}

// Locate on one field, and on every readable field at once, finds the first
// row holding the same values.
inline void CheckLocate(Table& t, const std::vector<std::size_t>& usable,
                        const std::vector<Row>& rows) {
  const auto& fields = t.Fields();
  const std::size_t limit = std::min<std::size_t>(rows.size(), 200);
  for (std::size_t r = 0; r < limit; ++r) {
    const Row& row = rows[r];
    std::string names;
    std::vector<std::string> values;
    for (std::size_t i : usable) {
      if (!row.readable[i]) continue;
      const std::string& name = fields[i].name;
      Require(t.Locate(name, row.values[i]), "Locate does not find a value read from the table");
      Require(t.RecNo() <= row.recNo, "Locate finds a row after the first one holding the value");
      Require(t.AsString(name) == row.values[i], "Locate finds a row with another value");
      names += (names.empty() ? "" : ";") + name;
      values.push_back(row.values[i]);
    }
    if (values.empty()) continue;
    Require(t.Locate(names, values), "Locate on a whole row does not find it");
    Require(t.RecNo() <= row.recNo, "Locate on a whole row finds a later row");
  }
}

}  // namespace dbf_checks

inline void CheckDbfInput(std::string_view bytes, const Scratch& scratch) {
  using namespace dbf_checks;
  scratch.Clear();
  const auto file = scratch.Write("SOLUC.DBF", bytes);

  std::vector<std::size_t> usable;
  std::vector<Row> rows;
  try {
    Table t(file, OpenMode::Shared);
    for (std::size_t i = 0; i < t.Fields().size(); ++i)
      if (Nameable(t.Fields(), i)) usable.push_back(i);
    rows = ReadAllRows(t, usable);
    CheckLocate(t, usable, rows);
    t.Close();
  } catch (const Error&) {
    return;  // a table that does not read: the error is the answer
  }
  if (rows.size() > 100000) return;

  // Changed and written back: the first row edited (each field set to the
  // text it held), the second deleted, a blank row appended, then packed.
  long expected = static_cast<long>(rows.size());
  try {
    Table t(file, OpenMode::Exclusive);
    t.First();
    if (!t.Eof()) {
      for (std::size_t i : usable) {
        if (!rows.front().readable[i]) continue;
        try {
          t.SetString(t.Fields()[i].name, rows.front().values[i]);
        } catch (const Error&) {
        }
      }
      t.Post();
      t.Next();
      if (!t.Eof()) {
        t.Delete();
        --expected;
      }
    }
    t.Append();
    t.Post();
    ++expected;
    t.Pack();
    t.Close();
  } catch (const Error&) {
    return;
  }
  try {
    Table again(file, OpenMode::Shared);
    Require(again.RecordCount() == expected, "the table written back has another number of rows");
    again.First();
    for (std::size_t i : usable) {
      if (rows.empty() || !rows.front().readable[i]) continue;
      const FieldInfo& f = again.Fields()[i];
      if (f.type != 'C') continue;
      Require(again.AsString(f.name) == rows.front().values[i],
              "a text set to the value it held reads back differently");
    }
    again.Close();
  } catch (const Error& e) {
    throw Finding(std::string("the table written back does not open again: ") + e.what());
  }
}

}  // namespace velmora::fuzz

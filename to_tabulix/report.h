#pragma once
// What a run did: rows written per table, and every element or solution row
// that was left out, with the reason. Leaving a row out is what the
// conversion does; the report only lets the user see it. Texts are UTF-8.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

struct Report {
  // Tables in the order they were first reported, with their row counts.
  std::vector<std::pair<std::string, long>> rows;
  // One line per element or row left out, with the reason.
  std::vector<std::string> omitted;
  // Rows of the solution that Tabulix did not place (counted, not listed).
  long unplaced = 0;
  // What the run did beside the conversion that the user must know of.
  std::vector<std::string> notices;

  void Clear();
  // Sets (or replaces) the number of rows of a table.
  void SetRows(std::string_view table, long count);
  void Omit(std::string line);
  void Notice(std::string line);
  // The whole report as text for a person: notices, rows per table, then
  // what was left out.
  std::string Text() const;
};

}  // namespace velmora

#pragma once
// Our dBASE table engine: what Tabulix's tables need, and nothing more.
//
// Writes dBASE III+ files (version 0x03, no memo, language driver 0x03 for
// Windows ANSI / CP1252), text fields C, numbers N, logicals L. Reads any
// dBASE III/IV/5 file (with or without memo flags; types C N F L D I M;
// deleted rows skipped). Texts are CP1252 bytes, read without trailing blanks.
//
// A table is held in memory while it is open and written back when it is
// closed, to a temporary file in the same folder that is then renamed over the
// table, so a failure never leaves a half-written table. Exclusive use takes an
// operating-system lock; a table that another program holds open is an error.
//
// Record numbers count from 1 in the order in which rows were written; they
// survive deletions until Pack(). Locate finds the first row in record order
// whose fields equal the values, exactly and case-sensitively, through a hash
// index per field list, built on first use and kept current on every change.
// A value is compared as the field would store it: cut to the field's size,
// without trailing blanks. So a 12-character code finds the row where it was
// stored cut to 10, and an empty value finds a row whose field is empty.
//
// Field names are found without regard to case and through the same cut to
// 10 characters as they were stored with: "ABREV_ITACA" finds "ABREV_ITAC".
//
// Every failure is a velmora::Error naming the file (and the field).
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class FieldKind { Text, Integer, Float, Logical };

// A field to create: name, kind, and size for text fields (1..254).
struct FieldDef {
  std::string name;
  FieldKind kind;
  int size = 0;
};

// A field as the file describes it.
struct FieldInfo {
  std::string name;  // as stored (at most 10 characters)
  char type;         // 'C', 'N', 'F', 'L', 'D', 'I', 'M', ...
  int length;
  int decimals;
  int offset;  // within the record, after the deletion flag
};

enum class OpenMode { Exclusive, Shared };

class Table {
 public:
  // Creates an empty table with exactly these fields, in this order, replacing
  // any file of that name.
  static void Create(const std::filesystem::path& file, const std::vector<FieldDef>& fields);

  // Opens a table. Errors: missing file, locked by another program, not a
  // dBASE file, truncated or corrupt.
  Table(const std::filesystem::path& file, OpenMode mode);
  ~Table();  // closes; a failure to write back is lost here, so call Close()
  Table(Table&&) noexcept;
  Table& operator=(Table&&) noexcept;
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Posts a pending change, writes the table back when it changed and
  // releases the lock. Closing a closed table does nothing.
  void Close();
  bool IsOpen() const;
  const std::filesystem::path& Path() const;

  const std::vector<FieldInfo>& Fields() const;
  bool HasField(std::string_view name) const;

  // Navigation over the rows that are not deleted, in record order. Moving
  // to another row posts a pending change first.
  void First();
  void Next();
  bool Eof() const;
  long RecNo() const;  // record number of the current row; 0 at the end
  long RecordCount() const;  // rows not deleted

  // Locate: fields joined by ";" ("CLAVE;CLAVECURSO;ASIG_ITACA") with one
  // value each. Found: the row becomes current. Not found: the current row
  // does not change.
  bool Locate(std::string_view fields, const std::vector<std::string>& values);
  bool Locate(std::string_view field, std::string_view value);

  // Reading the current row. Text loses trailing blanks only; numbers are
  // read from their text (an empty numeric field reads as 0); a value that
  // does not convert is an error naming the table, the field and the value.
  std::string AsString(std::string_view field) const;
  long long AsInteger(std::string_view field) const;
  double AsFloat(std::string_view field) const;
  bool AsBool(std::string_view field) const;

  // Changing rows. Append makes a new empty row current; Edit begins to
  // change the current row (setting a field also begins it); Post writes the
  // row. A text longer than its field is cut to the field's size.
  void Append();
  void Edit();
  void SetString(std::string_view field, std::string_view value);
  void SetInteger(std::string_view field, long long value);
  void SetFloat(std::string_view field, double value);
  void SetBool(std::string_view field, bool value);
  void Post();

  // Deletes the current row; the row after it becomes current.
  void Delete();
  // Removes deleted rows; the others keep their order and are renumbered.
  void Pack();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The file of a table in a folder: "PROFT" -> folder/PROFT.DBF. On a
// case-sensitive file system an existing file of any mix of capitals
// (proft.dbf) is found; otherwise the name is returned as given.
std::filesystem::path TableFile(const std::filesystem::path& folder, std::string_view table);

// Deletes a table's .DBF and .MDX files when they exist (any mix of capitals).
void DeleteTableFiles(const std::filesystem::path& folder, std::string_view table);

// True when another program holds the file open (a lock we cannot take).
bool IsTableInUse(const std::filesystem::path& file);

}  // namespace velmora

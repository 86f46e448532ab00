#include "formats/dbf_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "formats/dbf_codec.h"
#include "formats/dbf_files.h"
#include "formats/dbf_index.h"
#include "formats/error.h"
#include "formats/text.h"

namespace velmora {

namespace {

using dbf::Quoted;

constexpr std::size_t kMaxNameLength = 10;
constexpr char kDeleted = '*';

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x == y) continue;
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string_view CutName(std::string_view name) {
  return name.substr(0, kMaxNameLength);
}

bool IsNumeric(const FieldInfo& f) {
  return f.type == 'N' || f.type == 'F';
}
bool IsBinaryInteger(const FieldInfo& f) {
  return f.type == 'I' && f.length == 4;
}
bool IsReadable(const FieldInfo& f) {
  switch (f.type) {
    case 'C':
    case 'N':
    case 'F':
    case 'L':
    case 'D':
    case 'M':
      return true;
    case 'I':
      return IsBinaryInteger(f);
    default:
      return false;
  }
}

// A row's field as text: what AsString gives and what Locate compares. A
// binary integer is written into `scratch`.
std::string_view FieldView(const char* record, const FieldInfo& f, char (&scratch)[16]) {
  std::string_view raw(record + f.offset, static_cast<std::size_t>(f.length));
  if (IsBinaryInteger(f)) {
    const auto value = static_cast<std::int32_t>(dbf::ReadLe32(raw.data()));
    const auto [end, ec] = std::to_chars(scratch, scratch + sizeof scratch, value);
    return std::string_view(scratch, static_cast<std::size_t>(end - scratch));
  }
  if (f.type == 'M') return {};  // memo contents are not read
  if (IsNumeric(f)) {
    // A number of asterisks holds no value (GDAL writes empty numbers so).
    const std::string_view text = dbf::TrimPadding(raw);
    if (text.find_first_not_of('*') == std::string_view::npos) return {};
    return text;
  }
  const std::string_view text = dbf::TrimTrailingPadding(raw);
  if (f.type == 'D' && text.find_first_not_of('0') == std::string_view::npos) return {};
  return text;
}

std::string FieldText(const char* record, const FieldInfo& f) {
  char scratch[16];
  return std::string(FieldView(record, f, scratch));
}

// A value as the field would store it, to compare with FieldView.
std::string_view StoredForm(const FieldInfo& f, std::string_view value) {
  if (IsNumeric(f) || IsBinaryInteger(f)) return dbf::TrimPadding(value);
  if (f.type == 'M') return {};
  return dbf::TrimTrailingPadding(value.substr(0, static_cast<std::size_t>(f.length)));
}

// Capitals a to z only, as field names are matched.
char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Length and the first, second and last letters, mixed: enough to tell a
// table's fields apart mostly, and cheap; the probe compares the names.
// The high bits are the well-mixed ones: shift them down to the table's size.
std::uint64_t NameHash(std::string_view name) {
  if (name.empty()) return 0;
  const auto at = [&](std::size_t i) {
    return static_cast<std::uint64_t>(static_cast<unsigned char>(UpperAscii(name[i])));
  };
  const std::uint64_t h =
      name.size() | at(0) << 8 | at(name.size() / 2) << 16 | at(name.size() - 1) << 24;
  return h * 0x9E3779B97F4A7C15ULL;
}

std::string NumberText(double value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace

struct Table::Impl {
  enum class State { Browse, Edit, Append };

  std::filesystem::path path;
  bool open = false;
  dbf::LockedFile lock;
  std::string header;  // the file's header bytes, kept as they were
  std::vector<FieldInfo> fields;
  std::size_t recordLength = 0;
  // Every record, deleted ones too, deletion flag first, from `base` on (the
  // file's header may still be in front of them, as the file was read).
  ByteBuffer records;
  std::size_t base = 0;
  long count = 0;    // records in `records`
  long live = 0;     // records not deleted
  long current = 0;  // record number of the current row; 0 at the end
  State state = State::Browse;
  std::string buffer;  // the row being edited or appended
  bool changed = false;
  // Field positions by name: a hash of the capitalised name, then a check.
  std::vector<int> nameSlots;  // field + 1, or 0 when empty; 2^nameBits of them
  int nameBits = 0;
  struct NameHit {
    const char* text = nullptr;
    std::size_t size = 0;
    int field = 0;
  };
  mutable std::array<NameHit, 16> nameHits;
  // The indexes built so far, and the field lists of Locate that lead to
  // them, as the callers wrote them ("CLAVE;CLAVECURSO").
  std::vector<std::unique_ptr<dbf::RowIndex>> indexes;
  struct Route {
    std::string names;
    dbf::RowIndex* index;
  };
  std::vector<Route> routes;
  std::string key;  // the key being built, kept to spare allocations

  // --- checks and lookups ---

  void CheckOpen() const {
    if (!open) NotOpen();
  }

  // The first field of each name (a file may repeat one) goes in the table.
  void IndexFieldNames() {
    nameBits = 6;
    while ((std::size_t{1} << nameBits) < fields.size() * 4) ++nameBits;
    const std::size_t size = std::size_t{1} << nameBits;
    nameSlots.assign(size, 0);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      const std::string_view name = CutName(fields[f].name);
      for (std::size_t i = NameHash(name) >> (64 - nameBits);; i = (i + 1) & (size - 1)) {
        const int slot = nameSlots[i];
        if (slot == 0) {
          nameSlots[i] = static_cast<int>(f + 1);
          break;
        }
        if (EqualNoCase(fields[static_cast<std::size_t>(slot - 1)].name, name)) break;
      }
    }
  }

  int FindField(std::string_view name) const {
    const std::string_view cut = CutName(name);
    // The steps name fields with literals, so the same text at the same
    // address comes again and again: the field it named last is checked
    // first, by name as always.
    NameHit& hit = nameHits[(reinterpret_cast<std::uintptr_t>(name.data()) >> 3 ^ name.size()) %
                            nameHits.size()];
    if (hit.text == name.data() && hit.size == name.size() &&
        EqualNoCase(fields[static_cast<std::size_t>(hit.field)].name, cut))
      return hit.field;
    if (nameSlots.empty()) return -1;
    const std::size_t mask = nameSlots.size() - 1;
    for (std::size_t i = NameHash(cut) >> (64 - nameBits);; i = (i + 1) & mask) {
      const int slot = nameSlots[i];
      if (slot == 0) return -1;
      if (EqualNoCase(fields[static_cast<std::size_t>(slot - 1)].name, cut)) {
        hit = {name.data(), name.size(), slot - 1};
        return slot - 1;
      }
    }
  }

  const FieldInfo& Field(std::string_view name) const {
    if (!open) NotOpen();
    const int i = FindField(name);
    if (i < 0) NoSuchField(name);
    return fields[static_cast<std::size_t>(i)];
  }

  [[noreturn, gnu::cold, gnu::noinline]] void NotOpen() const {
    throw Error("la tabla " + Quoted(path) + " está cerrada");
  }
  [[noreturn, gnu::cold, gnu::noinline]] void NoSuchField(std::string_view name) const {
    throw Error("la tabla " + Quoted(path) + " no tiene el campo «" +
                Cp1252ToUtf8(std::string(name)) + "»");
  }

  std::string FieldName(const FieldInfo& f) const {
    return "el campo «" + Cp1252ToUtf8(f.name) + "» de la tabla " + Quoted(path);
  }

  char* Record(long recNo) {
    return records.data() + base + static_cast<std::size_t>(recNo - 1) * recordLength;
  }
  const char* Record(long recNo) const {
    return records.data() + base + static_cast<std::size_t>(recNo - 1) * recordLength;
  }
  bool IsDeleted(long recNo) const { return Record(recNo)[0] == kDeleted; }

  long CurrentRecNo() const { return state == State::Append ? count + 1 : current; }

  // The row that reads see: the one being changed, or the current one.
  const char* Row() const {
    CheckOpen();
    if (state != State::Browse) return buffer.data();
    if (current == 0) throw Error("no hay ninguna fila actual en la tabla " + Quoted(path));
    return Record(current);
  }

  long NextLive(long from) const {
    for (long r = from; r <= count; ++r)
      if (!IsDeleted(r)) return r;
    return 0;
  }

  // --- indexes ---

  // The key of a record in an index, built in `key`.
  const std::string& KeyOfRecord(const dbf::RowIndex& index, const char* record) {
    key.clear();
    char scratch[16];
    for (int i : index.Fields())
      dbf::RowIndex::AppendPart(key,
                                FieldView(record, fields[static_cast<std::size_t>(i)], scratch));
    return key;
  }

  // Whether two records differ in the fields of an index.
  bool Differ(const dbf::RowIndex& index, const char* a, const char* b) const {
    for (int i : index.Fields()) {
      const FieldInfo& f = fields[static_cast<std::size_t>(i)];
      if (!std::equal(a + f.offset, a + f.offset + f.length, b + f.offset)) return true;
    }
    return false;
  }

  dbf::RowIndex& IndexOn(const std::vector<int>& list) {
    for (const auto& index : indexes)
      if (index->Fields() == list) return *index;
    auto& index = *indexes.emplace_back(std::make_unique<dbf::RowIndex>(list));
    index.Reserve(static_cast<std::size_t>(count));
    for (long r = 1; r <= count; ++r)
      if (!IsDeleted(r)) index.Set(KeyOfRecord(index, Record(r)), r);
    return index;
  }

  // The index of a field list as Locate gets it: "CLAVE;CLAVECURSO".
  dbf::RowIndex& IndexOn(std::string_view names) {
    for (const Route& route : routes)
      if (route.names == names) return *route.index;
    std::vector<int> list;
    std::size_t start = 0;
    while (true) {
      const std::size_t end = names.find(';', start);
      const std::string_view name =
          dbf::TrimPadding(names.substr(start, end == std::string_view::npos ? end : end - start));
      list.push_back(static_cast<int>(&Field(name) - fields.data()));
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    dbf::RowIndex& index = IndexOn(list);
    routes.push_back({std::string(names), &index});
    return index;
  }

  // Locate: the first row whose fields (`names`) hold these values.
  bool Locate(std::string_view names, const std::string_view* values, std::size_t count) {
    PostPending();
    dbf::RowIndex& index = IndexOn(names);
    const std::vector<int>& list = index.Fields();
    if (list.size() != count)
      throw Error("búsqueda en la tabla " + Quoted(path) + " con " + std::to_string(list.size()) +
                  " campos y " + std::to_string(count) + " valores");
    key.clear();
    for (std::size_t i = 0; i < count; ++i)
      dbf::RowIndex::AppendPart(key,
                                StoredForm(fields[static_cast<std::size_t>(list[i])], values[i]));
    const long found = index.First(key);
    if (found == 0) return false;
    current = found;
    return true;
  }

  void DropIndexes() {
    routes.clear();
    indexes.clear();
  }

  // --- changes ---

  void BeginEdit() {
    CheckOpen();
    if (state != State::Browse) return;
    if (current == 0) throw Error("no hay ninguna fila actual en la tabla " + Quoted(path));
    buffer.assign(Record(current), recordLength);
    state = State::Edit;
  }

  char* Writable(const FieldInfo& f) {
    BeginEdit();
    return buffer.data() + f.offset;
  }

  void Put(const FieldInfo& f, std::string_view bytes) {
    char* dest = Writable(f);
    const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(f.length));
    std::copy_n(bytes.data(), n, dest);
    std::fill(dest + n, dest + f.length, ' ');
  }

  [[noreturn]] void DoesNotFit(const FieldInfo& f, const std::string& value) const {
    throw Error("el valor " + value + " no cabe en " + FieldName(f) + " (" +
                std::to_string(f.length) + " caracteres)");
  }

  [[noreturn]] void NotWritable(const FieldInfo& f, const std::string& what) const {
    throw Error("no se puede guardar " + what + " en " + FieldName(f) + ", de tipo " +
                std::string(1, f.type));
  }

  void PutBinaryInteger(const FieldInfo& f, long long value, const std::string& shown) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
      DoesNotFit(f, shown);
    dbf::WriteLe32(Writable(f), static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
  }

  void PutInteger(const FieldInfo& f, long long value) {
    if (IsNumeric(f)) {
      auto text = dbf::FormatInteger(value, f.length, f.decimals);
      if (!text) DoesNotFit(f, std::to_string(value));
      Put(f, *text);
      return;
    }
    const std::string shown = std::to_string(value);
    if (IsBinaryInteger(f)) {
      PutBinaryInteger(f, value, shown);
    } else if (f.type == 'C') {
      if (static_cast<int>(shown.size()) > f.length) DoesNotFit(f, shown);
      Put(f, shown);
    } else {
      NotWritable(f, "el número " + shown);
    }
  }

  void PutFloat(const FieldInfo& f, double value) {
    if (IsNumeric(f)) {
      auto text = dbf::FormatFloat(value, f.length, f.decimals);
      if (!text) DoesNotFit(f, NumberText(value));
      Put(f, *text);
      return;
    }
    const std::string shown = NumberText(value);
    if (IsBinaryInteger(f)) {
      if (!std::isfinite(value) || std::fabs(value) > 3e9) DoesNotFit(f, shown);
      PutBinaryInteger(f, std::llround(value), shown);
    } else if (f.type == 'C') {
      if (!std::isfinite(value) || static_cast<int>(shown.size()) > f.length) DoesNotFit(f, shown);
      Put(f, shown);
    } else {
      NotWritable(f, "el número " + shown);
    }
  }

  void PutString(const FieldInfo& f, std::string_view value) {
    if (f.type == 'C' || f.type == 'D') return Put(f, value);
    const std::string shown = "«" + Cp1252ToUtf8(std::string(value)) + "»";
    switch (f.type) {
      case 'C':
      case 'D':
        Put(f, value);
        return;
      case 'L': {
        const std::string_view t = dbf::TrimPadding(value);
        if (t.empty()) return Put(f, " ");
        const char c = t.front();
        if (c == 'T' || c == 't' || c == 'Y' || c == 'y' || c == 'S' || c == 's')
          return Put(f, "T");
        if (c == 'F' || c == 'f' || c == 'N' || c == 'n') return Put(f, "F");
        NotWritable(f, "el texto " + shown);
      }
      default:
        break;
    }
    if (IsNumeric(f) || IsBinaryInteger(f)) {
      if (dbf::TrimPadding(value).empty()) {
        if (IsBinaryInteger(f)) return PutBinaryInteger(f, 0, "0");
        return Put(f, "");
      }
      if (auto whole = dbf::ParseWholeNumber(value)) return PutInteger(f, *whole);
      if (auto number = dbf::ParseNumber(value)) return PutFloat(f, *number);
      throw Error("no se puede guardar el texto " + shown + " en " + FieldName(f) +
                  ": no es un número");
    }
    NotWritable(f, "el texto " + shown);
  }

  void Post() {
    if (state == State::Browse) return;
    if (state == State::Edit) {
      char* record = Record(current);
      if (buffer.compare(0, recordLength, record, recordLength) != 0) {
        // Only the indexes whose fields changed learn the row's new key.
        for (const auto& index : indexes) {
          if (Differ(*index, record, buffer.data()))
            index->Set(KeyOfRecord(*index, buffer.data()), current);
        }
        std::copy_n(buffer.data(), recordLength, record);
        changed = true;
      }
    } else {
      records.append(buffer.data(), recordLength);
      ++count;
      ++live;
      current = count;
      for (const auto& index : indexes) index->Set(KeyOfRecord(*index, buffer.data()), current);
      changed = true;
    }
    state = State::Browse;
  }

  void PostPending() {
    CheckOpen();
    Post();
  }

  std::string BlankRecord() const {
    std::string record(recordLength, ' ');
    for (const FieldInfo& f : fields)
      if (IsBinaryInteger(f)) std::fill_n(record.begin() + f.offset, f.length, '\0');
    return record;
  }

  void Release() {
    lock.Release();
    open = false;
    state = State::Browse;
    DropIndexes();
    dbf::RecycleBuffer(std::move(records));
    records.release();
    base = 0;
    count = live = current = 0;
  }

  void WriteBack() {
    dbf::StampHeader(header, static_cast<std::uint32_t>(count));
    // We do not keep a production index (.MDX, .CDX) up to date: the table
    // no longer claims one, so that no program reads rows through a stale one.
    header[28] = static_cast<char>(header[28] & ~0x01);
    dbf::WriteFileAtomically(path, {header, records.view().substr(base), "\x1A"}, lock.Mode());
    changed = false;
  }

  // --- reading numbers ---

  [[noreturn]] void NotANumber(const FieldInfo& f, const std::string& text) const {
    throw Error(FieldName(f) + " (registro " + std::to_string(CurrentRecNo()) +
                ") tiene el valor «" + Cp1252ToUtf8(text) + "», que no es un número");
  }

  [[noreturn]] void NotReadable(const FieldInfo& f) const {
    throw Error(FieldName(f) + " es de tipo " + std::string(1, f.type) + ", que no se puede leer");
  }

  std::string Text(const FieldInfo& f) const {
    const char* row = Row();
    if (!IsReadable(f)) NotReadable(f);
    return FieldText(row, f);
  }
};

// ---------------------------------------------------------------------------

// A table that was moved from has no state left: using it is an error,
// not a crash.
template <class Pointer>
auto& Checked(const Pointer& impl) {
  if (!impl) throw Error("la tabla no está abierta");
  return *impl;
}

void Table::Create(const std::filesystem::path& file, const std::vector<FieldDef>& defs) {
  if (defs.empty()) throw Error("no se puede crear la tabla " + Quoted(file) + " sin campos");
  std::vector<FieldInfo> fields;
  for (const FieldDef& def : defs) {
    FieldInfo f;
    std::string name(CutName(def.name));
    for (char& c : name)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const std::string shown = "«" + Cp1252ToUtf8(def.name) + "»";
    if (name.empty() || name.find('\0') != std::string::npos)
      throw Error("el nombre de campo " + shown + " de la tabla " + Quoted(file) + " no es válido");
    for (const FieldInfo& other : fields)
      if (other.name == name)
        throw Error("la tabla " + Quoted(file) + " tendría dos campos «" + Cp1252ToUtf8(name) +
                    "»");
    f.name = name;
    switch (def.kind) {
      case FieldKind::Text:
        if (def.size < 1 || def.size > 254)
          throw Error("el campo de texto " + shown + " de la tabla " + Quoted(file) +
                      " tiene un tamaño no válido (" + std::to_string(def.size) + ")");
        f.type = 'C';
        f.length = def.size;
        f.decimals = 0;
        break;
      case FieldKind::Integer:
        f.type = 'N';
        f.length = 11;  // any 32-bit integer with its sign
        f.decimals = 0;
        break;
      case FieldKind::Float:
        f.type = 'N';
        f.length = 12;  // hours and counts, with two decimals
        f.decimals = 2;
        break;
      case FieldKind::Logical:
        f.type = 'L';
        f.length = 1;
        f.decimals = 0;
        break;
    }
    fields.push_back(std::move(f));
  }
  // Replacing a table under a program that has it open would clash unseen.
  if (IsTableInUse(file))
    throw Error("la tabla " + Quoted(file) + " está en uso por otro programa");
  const std::string header = dbf::BuildHeader(fields);
  dbf::WriteFileAtomically(file, {header, "\x1A"});
}

Table::Table(const std::filesystem::path& file, OpenMode mode) : impl_(std::make_unique<Impl>()) {
  Impl& t = *impl_;
  t.path = file;
  t.lock = dbf::LockedFile(file, mode == OpenMode::Exclusive);
  ByteBuffer content = t.lock.ReadAll(file);
  dbf::Header h = dbf::ParseHeader(content.view(), file);
  t.header = std::string(content.view().substr(0, h.headerLength));
  t.fields = std::move(h.fields);
  t.IndexFieldNames();
  t.recordLength = h.recordLength;
  t.count = static_cast<long>(h.recordCount);
  // The records stay in the buffer they were read into, after the header.
  content.resize(std::size_t{h.headerLength} + std::size_t{h.recordCount} * h.recordLength);
  t.records = std::move(content);
  t.base = h.headerLength;
  for (long r = 1; r <= t.count; ++r)
    if (!t.IsDeleted(r)) ++t.live;
  t.open = true;
  t.current = t.NextLive(1);
}

Table::~Table() {
  try {
    Close();
  } catch (...) {
    // Nothing to tell from a destructor; Close() reports it when called.
  }
}

Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&& other) noexcept {
  if (this != &other) {
    try {
      Close();
    } catch (...) {
    }
    impl_ = std::move(other.impl_);
  }
  return *this;
}

void Table::Close() {
  if (!impl_ || !impl_->open) return;
  Impl& t = *impl_;
  try {
    t.Post();
    if (t.changed) t.WriteBack();
  } catch (...) {
    t.Release();
    throw;
  }
  t.Release();
}

bool Table::IsOpen() const {
  return impl_ && impl_->open;
}

const std::filesystem::path& Table::Path() const {
  static const std::filesystem::path none;
  return impl_ ? impl_->path : none;
}

const std::vector<FieldInfo>& Table::Fields() const {
  static const std::vector<FieldInfo> none;
  return impl_ ? impl_->fields : none;
}

bool Table::HasField(std::string_view name) const {
  return impl_ && impl_->FindField(name) >= 0;
}

void Table::First() {
  Impl& t = Checked(impl_);
  t.PostPending();
  t.current = t.NextLive(1);
}

void Table::Next() {
  Impl& t = Checked(impl_);
  t.PostPending();
  if (t.current != 0) t.current = t.NextLive(t.current + 1);
}

bool Table::Eof() const {
  const Impl& t = Checked(impl_);
  t.CheckOpen();
  return t.state != Impl::State::Append && t.current == 0;
}

long Table::RecNo() const {
  const Impl& t = Checked(impl_);
  t.CheckOpen();
  return t.CurrentRecNo();
}

long Table::RecordCount() const {
  const Impl& t = Checked(impl_);
  t.CheckOpen();
  return t.live;
}

bool Table::Locate(std::string_view names, const std::vector<std::string>& values) {
  Impl& t = Checked(impl_);
  std::string_view few[8];
  if (values.size() <= std::size(few)) {
    std::copy(values.begin(), values.end(), few);
    return t.Locate(names, few, values.size());
  }
  const std::vector<std::string_view> many(values.begin(), values.end());
  return t.Locate(names, many.data(), many.size());
}

bool Table::Locate(std::string_view field, std::string_view value) {
  return Checked(impl_).Locate(field, &value, 1);
}

std::string Table::AsString(std::string_view field) const {
  const Impl& t = Checked(impl_);
  return t.Text(t.Field(field));
}

long long Table::AsInteger(std::string_view field) const {
  const Impl& t = Checked(impl_);
  const FieldInfo& f = t.Field(field);
  const std::string text = t.Text(f);
  if (dbf::TrimPadding(text).empty()) return 0;
  if (auto whole = dbf::ParseWholeNumber(text)) return *whole;
  auto number = dbf::ParseNumber(text);
  if (!number) t.NotANumber(f, text);
  // A numeric field with decimals gives its nearest integer; a text must
  // hold a whole number.
  const double rounded = std::round(*number);
  if ((!IsNumeric(f) && rounded != *number) || std::fabs(rounded) >= 9.2e18) t.NotANumber(f, text);
  return static_cast<long long>(rounded);
}

double Table::AsFloat(std::string_view field) const {
  const Impl& t = Checked(impl_);
  const FieldInfo& f = t.Field(field);
  const std::string text = t.Text(f);
  if (dbf::TrimPadding(text).empty()) return 0;
  auto number = dbf::ParseNumber(text);
  if (!number) t.NotANumber(f, text);
  return *number;
}

bool Table::AsBool(std::string_view field) const {
  const Impl& t = Checked(impl_);
  const FieldInfo& f = t.Field(field);
  const std::string text = t.Text(f);
  if (IsNumeric(f) || IsBinaryInteger(f)) {
    auto number = dbf::ParseNumber(text);
    return number && *number != 0;
  }
  if (f.type != 'L' && f.type != 'C') return false;
  const std::string_view v = dbf::TrimPadding(text);
  return !v.empty() && (v.front() == 'T' || v.front() == 't' || v.front() == 'Y' ||
                        v.front() == 'y' || v.front() == 'S' || v.front() == 's');
}

void Table::Append() {
  Impl& t = Checked(impl_);
  t.PostPending();
  t.buffer = t.BlankRecord();
  t.state = Impl::State::Append;
}

void Table::Edit() {
  Checked(impl_).BeginEdit();
}

void Table::SetString(std::string_view field, std::string_view value) {
  Impl& t = Checked(impl_);
  t.PutString(t.Field(field), value);
}

void Table::SetInteger(std::string_view field, long long value) {
  Impl& t = Checked(impl_);
  t.PutInteger(t.Field(field), value);
}

void Table::SetFloat(std::string_view field, double value) {
  Impl& t = Checked(impl_);
  t.PutFloat(t.Field(field), value);
}

void Table::SetBool(std::string_view field, bool value) {
  Impl& t = Checked(impl_);
  const FieldInfo& f = t.Field(field);
  if (f.type != 'L' && f.type != 'C') t.NotWritable(f, "un valor lógico");
  t.Put(f, value ? "T" : "F");
}

void Table::Post() {
  Checked(impl_).PostPending();
}

void Table::Delete() {
  Impl& t = Checked(impl_);
  t.CheckOpen();
  if (t.state == Impl::State::Append) {
    // The new row was never written: it is dropped, and it was the last.
    t.state = Impl::State::Browse;
    t.current = 0;
    return;
  }
  t.state = Impl::State::Browse;  // changes to a row being deleted are dropped
  if (t.current == 0) throw Error("no hay ninguna fila actual en la tabla " + Quoted(t.path));
  char* record = t.Record(t.current);
  for (const auto& index : t.indexes) index->Remove(t.current);
  record[0] = kDeleted;
  --t.live;
  t.changed = true;
  t.current = t.NextLive(t.current + 1);
}

void Table::Pack() {
  Impl& t = Checked(impl_);
  t.PostPending();
  if (t.live == t.count) return;
  // In place: each kept row moves down over the deleted ones before it.
  long kept = 0;
  long newCurrent = 0;
  for (long r = 1; r <= t.count; ++r) {
    if (t.IsDeleted(r)) continue;
    ++kept;
    if (kept != r) std::memmove(t.Record(kept), t.Record(r), t.recordLength);
    if (r == t.current) newCurrent = kept;
  }
  t.records.resize(t.base + static_cast<std::size_t>(kept) * t.recordLength);
  t.count = t.live;
  t.current = newCurrent;
  t.DropIndexes();  // built again, with the new numbers, when next used
  t.changed = true;
}

}  // namespace velmora

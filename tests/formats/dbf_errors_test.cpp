// Bad tables, locks and failed writes: each an Error naming the file, never a
// crash, never a half-written table.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "tests/formats/dbf_test_util.h"

namespace velmora {
namespace {

using ::testing::HasSubstr;
using velmora::testing::DbfTempFolder;
using velmora::testing::ReadFileBytes;
using velmora::testing::WriteFileBytes;

// A valid table of two fields (C 6, N 11) and three rows, the second deleted.
std::string ValidTableBytes(const DbfTempFolder& dir) {
  const auto file = dir / "MODELO.DBF";
  Table::Create(file, {{"NOMBRE", FieldKind::Text, 6}, {"NUM", FieldKind::Integer}});
  Table t(file, OpenMode::Exclusive);
  for (int i = 1; i <= 3; ++i) {
    t.Append();
    t.SetString("NOMBRE", "FILA" + std::to_string(i));
    t.SetInteger("NUM", i);
  }
  t.First();
  t.Next();
  t.Delete();
  t.Close();
  return ReadFileBytes(file);
}

constexpr std::size_t kHeaderLength = 32 + 2 * 32 + 1;
constexpr std::size_t kRecordLength = 1 + 6 + 11;

// Opening must fail with an Error that names the file.
void ExpectOpenFails(const std::filesystem::path& file, const std::string& what,
                     const std::string& why = "") {
  try {
    Table t(file, OpenMode::Exclusive);
    ADD_FAILURE() << what << ": opened";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr(file.filename().string())) << what;
    if (!why.empty()) {
      EXPECT_THAT(e.what(), HasSubstr(why)) << what;
    }
  }
}

// Reads every field of every row; a value may fail to convert, nothing else.
void ReadEverything(Table& t) {
  for (t.First(); !t.Eof(); t.Next()) {
    for (const FieldInfo& f : t.Fields()) {
      try {
        (void)t.AsString(f.name);
        (void)t.AsFloat(f.name);
        (void)t.AsInteger(f.name);
        (void)t.AsBool(f.name);
      } catch (const Error&) {
      }
    }
  }
}

TEST(DbfTableErrors, MissingTable) {
  DbfTempFolder dir;
  ExpectOpenFails(dir / "NOHAY.DBF", "missing",
                  "no existe la tabla «" + (dir / "NOHAY.DBF").string() + "»");
  ExpectOpenFails(dir / "NOHAY" / "X.DBF", "missing folder", "no existe la tabla");
  EXPECT_FALSE(IsTableInUse(dir / "NOHAY.DBF"));
}

TEST(DbfTableErrors, CorruptHeaders) {
  DbfTempFolder dir;
  const std::string valid = ValidTableBytes(dir);
  ASSERT_EQ(valid.size(), kHeaderLength + 3 * kRecordLength + 1);
  struct Case {
    std::string what;
    std::function<void(std::string&)> damage;
    std::string why;
  };
  auto set16 = [](std::string& b, std::size_t at, unsigned v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
  };
  const std::vector<Case> cases = {
      {"empty file", [](std::string& b) { b.clear(); }, "demasiado corto"},
      {"only part of the header", [](std::string& b) { b.resize(20); }, "demasiado corto"},
      {"dBASE 7", [](std::string& b) { b[0] = 0x04; }, "versión"},
      {"text file", [](std::string& b) { b = "NOMBRE;NUM\nFILA1;1\n" + std::string(40, 'x'); },
       "versión"},
      {"header longer than the file", [&](std::string& b) { set16(b, 8, 5000); }, "cabecera"},
      {"header shorter than its prefix", [&](std::string& b) { set16(b, 8, 20); }, "cabecera"},
      {"header ends inside a descriptor", [&](std::string& b) { set16(b, 8, 32 + 40); }, "0x0D"},
      {"no terminator", [](std::string& b) { b[kHeaderLength - 1] = ' '; }, "0x0D"},
      {"no fields", [&](std::string& b) { b[32] = 0x0D; }, "no tiene campos"},
      {"record length too short", [&](std::string& b) { set16(b, 10, kRecordLength - 1); },
       "longitud de registro"},
      {"field of length 0", [](std::string& b) { b[32 + 16] = 0; }, "longitud 0"},
      {"field without a name", [](std::string& b) { b[32] = 0; }, "no tiene nombre"},
      {"truncated", [](std::string& b) { b.resize(b.size() - 5); }, "truncado"},
      {"truncated to the header", [](std::string& b) { b.resize(kHeaderLength); }, "truncado"},
      {"huge record count",
       [](std::string& b) { b[4] = b[5] = b[6] = b[7] = static_cast<char>(0xFF); }, "truncado"},
  };
  for (const Case& c : cases) {
    std::string bytes = valid;
    c.damage(bytes);
    const auto file = dir / "DANADA.DBF";
    WriteFileBytes(file, bytes);
    ExpectOpenFails(file, c.what, c.why);
    EXPECT_EQ(ReadFileBytes(file), bytes) << c.what;  // never touched
    EXPECT_FALSE(IsTableInUse(file)) << c.what;       // the lock went with the error
  }
}

TEST(DbfTableErrors, VersionBytes) {
  DbfTempFolder dir;
  const std::string valid = ValidTableBytes(dir);
  const auto file = dir / "VERSION.DBF";
  // dBASE III, IV and 5 with and without memo, FoxPro, Visual FoxPro.
  for (int version : {0x03, 0x83, 0x8B, 0xCB, 0x43, 0x63, 0xF5, 0xFB, 0x30, 0x31, 0x32}) {
    std::string bytes = valid;
    bytes[0] = static_cast<char>(version);
    WriteFileBytes(file, bytes);
    Table t(file, OpenMode::Shared);
    EXPECT_EQ(t.RecordCount(), 2) << version;
  }
  // dBASE 7 has another layout of field descriptors; the rest is not dBASE.
  for (int version : {0x00, 0x02, 0x04, 0x8C, 0x1A, 0xFF}) {
    std::string bytes = valid;
    bytes[0] = static_cast<char>(version);
    WriteFileBytes(file, bytes);
    ExpectOpenFails(file, "version " + std::to_string(version), "versión");
  }
}

TEST(DbfTableErrors, LongerFileAndMissingEndMarkAreFine) {
  DbfTempFolder dir;
  const std::string valid = ValidTableBytes(dir);
  for (const std::string& bytes :
       {valid + "basura tras el final", valid.substr(0, valid.size() - 1)}) {
    const auto file = dir / "LARGA.DBF";
    WriteFileBytes(file, bytes);
    Table t(file, OpenMode::Exclusive);
    EXPECT_EQ(t.RecordCount(), 2);
    ASSERT_TRUE(t.Locate("NOMBRE", "FILA3"));
    EXPECT_EQ(t.RecNo(), 3);
  }
}

TEST(DbfTableErrors, GarbageNeverCrashes) {
  DbfTempFolder dir;
  const std::string valid = ValidTableBytes(dir);
  std::mt19937 rng(7);
  const auto file = dir / "RUIDO.DBF";
  int opened = 0;
  for (int round = 0; round < 400; ++round) {
    std::string bytes;
    if (round % 4 == 0) {
      bytes.resize(rng() % 300);
      for (char& c : bytes) c = static_cast<char>(rng());
      if (!bytes.empty() && round % 8 == 0) bytes[0] = 0x03;
    } else {
      bytes = valid;
      const int flips = 1 + static_cast<int>(rng() % 6);
      for (int i = 0; i < flips; ++i) {
        // Mostly the header, where damage changes the layout.
        const std::size_t at = rng() % (rng() % 2 ? kHeaderLength : bytes.size());
        bytes[at] = static_cast<char>(rng());
      }
      if (round % 5 == 0) bytes.resize(rng() % bytes.size());
    }
    WriteFileBytes(file, bytes);
    try {
      Table t(file, OpenMode::Exclusive);
      ++opened;
      ReadEverything(t);
      (void)t.Locate(t.Fields().front().name, "FILA1");
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("RUIDO.DBF")) << "round " << round;
    }
  }
  EXPECT_GT(opened, 0);  // some damage leaves a readable table
}

TEST(DbfTableErrors, LockedByAnotherProgram) {
  DbfTempFolder dir;
  (void)ValidTableBytes(dir);
  const auto file = dir / "MODELO.DBF";
  const int fd = ::open(file.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);

  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  EXPECT_TRUE(IsTableInUse(file));
  for (OpenMode mode : {OpenMode::Exclusive, OpenMode::Shared}) {
    try {
      Table t(file, mode);
      ADD_FAILURE() << "opened a locked table";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()),
                "la tabla «" + file.string() + "» está en uso por otro programa");
    }
  }
  EXPECT_THROW(Table::Create(file, {{"A", FieldKind::Text, 1}}), Error);
  EXPECT_THROW(DeleteTableFiles(dir.Path(), "MODELO"), Error);
  EXPECT_TRUE(std::filesystem::exists(file));

  // Readers may share a table; a writer may not join them.
  ASSERT_EQ(::flock(fd, LOCK_SH | LOCK_NB), 0);
  {
    Table reader(file, OpenMode::Shared);
    EXPECT_EQ(reader.RecordCount(), 2);
    EXPECT_THROW(Table(file, OpenMode::Exclusive), Error);
  }
  ::close(fd);
  EXPECT_FALSE(IsTableInUse(file));

  // Our own open table holds its lock until it is closed.
  Table mine(file, OpenMode::Exclusive);
  EXPECT_TRUE(IsTableInUse(file));
  EXPECT_THROW(Table(file, OpenMode::Shared), Error);
  mine.Close();
  EXPECT_FALSE(IsTableInUse(file));
  {
    Table shared(file, OpenMode::Shared);
    EXPECT_TRUE(IsTableInUse(file));
  }  // the destructor releases it too
  EXPECT_FALSE(IsTableInUse(file));
}

TEST(DbfTableWriteBack, FileIsCompleteAfterClose) {
  DbfTempFolder dir;
  const auto file = dir / "ASIGT.DBF";
  Table::Create(file, {{"CASIG", FieldKind::Text, 10}, {"HORAS", FieldKind::Float}});
  Table t(file, OpenMode::Exclusive);
  for (int i = 0; i < 1000; ++i) {
    t.Append();
    t.SetString("CASIG", "A" + std::to_string(i));
    t.SetFloat("HORAS", i);
  }
  t.Close();
  const std::string bytes = ReadFileBytes(file);
  EXPECT_EQ(bytes.size(), 32u + 2 * 32 + 1 + 1000 * (1 + 10 + 12) + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
  // Nothing else was left in the folder.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"ASIGT.DBF"});
}

TEST(DbfTableWriteBack, FailedWriteKeepsTheTableAndSaysSo) {
  DbfTempFolder dir;
  const auto folder = dir / "XTEMP";
  std::filesystem::create_directories(folder);
  const auto file = folder / "PROFT.DBF";
  Table::Create(file, {{"ABREV", FieldKind::Text, 10}});
  {
    Table t(file, OpenMode::Exclusive);
    t.Append();
    t.SetString("ABREV", "ANTES");
    t.Close();
  }
  const std::string before = ReadFileBytes(file);

  Table t(file, OpenMode::Exclusive);
  t.SetString("ABREV", "DESPUES");
  t.Append();
  // The folder goes away under the open table and a plain file takes its
  // place: nothing can be written there (this holds for root too).
  const auto moved = dir / "MOVIDA";
  std::filesystem::rename(folder, moved);
  WriteFileBytes(folder, "no soy una carpeta");
  try {
    t.Close();
    FAIL() << "closed without writing";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("PROFT.DBF"));
    EXPECT_THAT(e.what(), HasSubstr("no se pudo guardar"));
  }
  EXPECT_FALSE(t.IsOpen());
  EXPECT_EQ(ReadFileBytes(moved / "PROFT.DBF"), before);
  EXPECT_FALSE(IsTableInUse(moved / "PROFT.DBF"));

  // Creating there fails the same way.
  try {
    Table::Create(folder / "AULAT.DBF", {{"ABREV", FieldKind::Text, 10}});
    FAIL() << "created in a file";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("AULAT.DBF"));
  }
}

}  // namespace
}  // namespace velmora

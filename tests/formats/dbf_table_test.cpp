// The table engine's main paths: create, append, read back, edit, delete,
// pack, locate, names and numbers, on tables it writes itself.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/text.h"
#include "tests/formats/dbf_test_util.h"

namespace velmora {
namespace {

using ::testing::HasSubstr;
using velmora::testing::DbfTempFolder;
using velmora::testing::ReadFileBytes;

const std::vector<FieldDef> kAsigFields = {
    {"CASIG", FieldKind::Text, 10},      {"CPROF", FieldKind::Text, 10},
    {"HORAS", FieldKind::Float},         {"ORDEN", FieldKind::Integer},
    {"ACTIVA", FieldKind::Logical},      {"ASIG_ITACA", FieldKind::Text, 10},
    {"ABREV_ITACA", FieldKind::Text, 4},
};

// A table with rows (CASIG, CPROF, ORDEN), everything else left blank.
std::filesystem::path MakeTable(
    const DbfTempFolder& dir, const std::vector<std::tuple<std::string, std::string, int>>& rows) {
  const auto file = dir / "ASIGT.DBF";
  Table::Create(file, kAsigFields);
  Table t(file, OpenMode::Exclusive);
  for (const auto& [casig, cprof, orden] : rows) {
    t.Append();
    t.SetString("CASIG", casig);
    t.SetString("CPROF", cprof);
    t.SetInteger("ORDEN", orden);
    t.Post();
  }
  t.Close();
  return file;
}

std::vector<long> RecNos(Table& t) {
  std::vector<long> out;
  for (t.First(); !t.Eof(); t.Next()) out.push_back(t.RecNo());
  return out;
}

TEST(DbfTable, WritesDbase3FileThatReadsBack) {
  DbfTempFolder dir;
  const auto file = dir / "ASIGT.DBF";
  Table::Create(file, kAsigFields);
  {
    Table t(file, OpenMode::Exclusive);
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.RecordCount(), 0);
    t.Append();
    t.SetString("CASIG", Cp("Música"));
    t.SetFloat("HORAS", 4);
    t.SetInteger("ORDEN", -17);
    t.SetBool("ACTIVA", true);
    t.SetString("ASIG_ITACA", "ABCDEFGHIJKL");  // cut to 10
    t.Post();
    t.Append();
    t.SetString("CASIG", "  X ");
    t.SetFloat("HORAS", 2.5);
    t.SetBool("ACTIVA", false);
    t.Append();  // posts the row above; this one is posted by Close
    t.SetString("CPROF", Cp("€"));
    t.Close();
  }

  const std::string bytes = ReadFileBytes(file);
  ASSERT_GT(bytes.size(), 32u);
  EXPECT_EQ(bytes[0], 0x03);
  EXPECT_EQ(bytes[29], 0x03);  // language driver: Windows ANSI
  EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 3u);
  const std::size_t headerLength = 32 + 32 * kAsigFields.size() + 1;
  EXPECT_EQ(bytes[headerLength - 1], 0x0D);
  EXPECT_EQ(bytes.back(), 0x1A);
  const std::size_t recordLength = 1 + 10 + 10 + 12 + 11 + 1 + 10 + 4;
  EXPECT_EQ(bytes.size(), headerLength + 3 * recordLength + 1);
  const std::string first = bytes.substr(headerLength, recordLength);
  EXPECT_EQ(first, " " + Cp("Música") + "    " + std::string(10, ' ') + "        4.00" +
                       "        -17" + "T" + "ABCDEFGHIJ" + "    ");
  const std::string third = bytes.substr(headerLength + 2 * recordLength, recordLength);
  EXPECT_EQ(third, std::string(11, ' ') + Cp("€") + std::string(recordLength - 12, ' '));

  Table t(file, OpenMode::Shared);
  ASSERT_EQ(t.Fields().size(), kAsigFields.size());
  EXPECT_EQ(t.Fields()[2].type, 'N');
  EXPECT_EQ(t.Fields()[2].length, 12);
  EXPECT_EQ(t.Fields()[2].decimals, 2);
  EXPECT_EQ(t.Fields()[3].length, 11);
  EXPECT_EQ(t.Fields()[6].name, "ABREV_ITAC");
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_EQ(t.AsString("CASIG"), Cp("Música"));
  EXPECT_EQ(t.AsFloat("HORAS"), 4.0);
  EXPECT_EQ(t.AsInteger("HORAS"), 4);
  EXPECT_EQ(t.AsString("HORAS"), "4.00");
  EXPECT_EQ(t.AsInteger("ORDEN"), -17);
  EXPECT_TRUE(t.AsBool("ACTIVA"));
  EXPECT_EQ(t.AsString("ASIG_ITACA"), "ABCDEFGHIJ");
  t.Next();
  EXPECT_EQ(t.AsString("CASIG"), "  X");  // trailing blanks only
  EXPECT_EQ(t.AsFloat("HORAS"), 2.5);
  EXPECT_EQ(t.AsInteger("HORAS"), 3);  // a numeric field gives its nearest integer
  EXPECT_EQ(t.AsString("ORDEN"), "");
  EXPECT_EQ(t.AsInteger("ORDEN"), 0);  // never set: blank, reads as 0
  EXPECT_FALSE(t.AsBool("ACTIVA"));
  t.Next();
  EXPECT_EQ(t.AsString("CPROF"), Cp("€"));
  EXPECT_EQ(t.AsString("ACTIVA"), "");
  t.Next();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecNo(), 0);
}

TEST(DbfTable, CreateRejectsBadDefinitions) {
  DbfTempFolder dir;
  const auto file = dir / "MALA.DBF";
  const std::vector<std::vector<FieldDef>> cases = {
      {},
      {{"A", FieldKind::Text, 0}},
      {{"A", FieldKind::Text, 255}},
      {{"", FieldKind::Integer}},
      {{"SESION_ORDEN", FieldKind::Integer}, {"sesion_ord", FieldKind::Text, 2}},
  };
  for (const auto& fields : cases) {
    try {
      Table::Create(file, fields);
      ADD_FAILURE() << "created with " << fields.size() << " fields";
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("MALA.DBF"));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(DbfTable, CreateReplacesAnExistingTable) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "P", 1}});
  Table::Create(file, {{"OTRO", FieldKind::Text, 3}});
  Table t(file, OpenMode::Exclusive);
  EXPECT_EQ(t.RecordCount(), 0);
  ASSERT_EQ(t.Fields().size(), 1u);
  EXPECT_EQ(t.Fields()[0].name, "OTRO");
}

TEST(DbfTable, DeleteMakesNextRowCurrentAndPackRenumbers) {
  DbfTempFolder dir;
  const auto file =
      MakeTable(dir, {{"A", "", 1}, {"B", "", 2}, {"C", "", 3}, {"D", "", 4}, {"E", "", 5}});
  Table t(file, OpenMode::Exclusive);
  ASSERT_TRUE(t.Locate("CASIG", "B"));
  t.Delete();
  EXPECT_EQ(t.RecNo(), 3);
  EXPECT_EQ(t.AsString("CASIG"), "C");
  t.Delete();
  EXPECT_EQ(t.AsString("CASIG"), "D");
  ASSERT_TRUE(t.Locate("CASIG", "E"));
  t.Delete();  // the last row: end of table
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(RecNos(t), (std::vector<long>{1, 4}));
  EXPECT_FALSE(t.Locate("CASIG", "C"));

  // A new row takes the next number; numbers hold until the pack.
  t.Append();
  t.SetString("CASIG", "F");
  EXPECT_EQ(t.RecNo(), 6);
  t.Post();
  EXPECT_EQ(t.RecNo(), 6);
  EXPECT_EQ(RecNos(t), (std::vector<long>{1, 4, 6}));

  ASSERT_TRUE(t.Locate("CASIG", "D"));
  t.Pack();
  EXPECT_EQ(t.RecNo(), 2);  // the same row, renumbered
  EXPECT_EQ(t.AsString("CASIG"), "D");
  EXPECT_EQ(RecNos(t), (std::vector<long>{1, 2, 3}));
  ASSERT_TRUE(t.Locate("CASIG", "F"));
  EXPECT_EQ(t.RecNo(), 3);
  t.Close();

  Table again(file, OpenMode::Shared);
  std::vector<std::string> names;
  for (again.First(); !again.Eof(); again.Next()) names.push_back(again.AsString("CASIG"));
  EXPECT_EQ(names, (std::vector<std::string>{"A", "D", "F"}));
  EXPECT_EQ(ReadFileBytes(file).size(), 32u + 32 * kAsigFields.size() + 1 + 3 * 59 + 1);
}

TEST(DbfTable, RewrittenTableNoLongerClaimsAnIndex) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "", 1}});
  std::string bytes = ReadFileBytes(file);
  bytes[28] = 0x01;  // as dBASE IV marks a production .MDX
  velmora::testing::WriteFileBytes(file, bytes);
  {
    Table t(file, OpenMode::Exclusive);
    t.SetString("CASIG", "B");
    t.Close();
  }
  EXPECT_EQ(ReadFileBytes(file)[28], 0);  // the .MDX would be stale
}

TEST(DbfTable, DeletedRowsStayInFileUntilPack) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "", 1}, {"B", "", 2}});
  {
    Table t(file, OpenMode::Exclusive);
    t.Delete();
    t.Close();
  }
  Table t(file, OpenMode::Exclusive);
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_EQ(t.AsString("CASIG"), "B");
}

TEST(DbfTable, ChangesArePostedWhenTheRowChanges) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "", 1}, {"B", "", 2}, {"C", "", 3}});
  Table t(file, OpenMode::Exclusive);
  t.SetString("CPROF", "P1");  // begins editing the first row
  EXPECT_EQ(t.AsString("CPROF"), "P1");
  t.Next();  // posts it
  t.Post();  // nothing pending: nothing happens
  EXPECT_EQ(t.RecNo(), 2);
  ASSERT_TRUE(t.Locate("CPROF", "P1"));
  EXPECT_EQ(t.RecNo(), 1);

  t.Edit();
  t.SetFloat("HORAS", t.AsFloat("HORAS") + 1);
  ASSERT_TRUE(t.Locate("CASIG", "C"));  // posts before it looks
  t.SetString("CPROF", "P1");
  ASSERT_TRUE(t.Locate("CPROF", "P1"));
  EXPECT_EQ(t.RecNo(), 1);
  t.SetString("CPROF", "P2");
  t.First();
  ASSERT_TRUE(t.Locate("CPROF", "P1"));
  EXPECT_EQ(t.RecNo(), 3);
  t.SetString("CPROF", "");  // posted by Close
  t.Close();

  Table again(file, OpenMode::Shared);
  EXPECT_EQ(again.AsString("CPROF"), "P2");
  EXPECT_EQ(again.AsFloat("HORAS"), 1.0);
  EXPECT_FALSE(again.Locate("CPROF", "P1"));
  EXPECT_TRUE(again.Locate("CPROF", ""));
  EXPECT_EQ(again.RecNo(), 2);
}

TEST(DbfTable, UnchangedTableIsNotWrittenBack) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "", 1}});
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  {
    Table t(file, OpenMode::Exclusive);
    t.Edit();
    t.SetString("CASIG", "A");  // same bytes
    t.Post();
    (void)t.Locate("CASIG", "A");
    t.Close();
    t.Close();  // closing twice does nothing
    EXPECT_FALSE(t.IsOpen());
  }
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(DbfTable, LocateComparesValuesAsTheFieldStoresThem) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"ABCDEFGHIJ", "X", 1},
                                    {"", "X", 20},
                                    {"abc", "Y", 3},
                                    {"ABC", "Y", 4},
                                    {" ABC", "Y", 5},
                                    {"ABC", "Z", 20}});
  Table t(file, OpenMode::Exclusive);
  struct Case {
    std::string fields;
    std::vector<std::string> values;
    long recNo;  // 0: not found
  };
  const std::vector<Case> cases = {
      {"CASIG", {"ABCDEFGHIJKLMN"}, 1},  // longer than the field: cut as stored
      {"CASIG", {"ABCDEFGHI"}, 0},
      {"CASIG", {""}, 2},
      {"CASIG", {"   "}, 2},
      {"CASIG", {"ABC"}, 4},  // case-sensitive
      {"CASIG", {"ABC  "}, 4},
      {"CASIG", {" ABC"}, 5},  // leading blanks count
      {"CASIG;CPROF", {"ABC", "Z"}, 6},
      {"casig ; cprof", {"ABC", "Y"}, 4},
      {"CPROF;CASIG", {"Y", "ABC"}, 4},
      {"CASIG;CPROF", {"ABC", "X"}, 0},
      {"ORDEN", {"20"}, 2},  // numbers compare as their text
      {"ORDEN", {" 20 "}, 2},
      {"ORDEN;CPROF", {"20", "Z"}, 6},
      {"HORAS", {""}, 1},
  };
  for (const Case& c : cases) {
    t.First();
    t.Next();  // row 2 current before each search
    EXPECT_EQ(t.Locate(c.fields, c.values), c.recNo != 0) << c.fields << " " << c.values[0];
    EXPECT_EQ(t.RecNo(), c.recNo != 0 ? c.recNo : 2) << c.fields << " " << c.values[0];
  }
  // Not found at the end of the table: still at the end.
  while (!t.Eof()) t.Next();
  EXPECT_FALSE(t.Locate("CASIG", "nada"));
  EXPECT_TRUE(t.Eof());

  EXPECT_THROW(t.Locate("CASIG;CPROF", std::vector<std::string>{"ABC"}), Error);
  EXPECT_THROW(t.Locate("CASIG;NADA", std::vector<std::string>{"ABC", "X"}), Error);
}

TEST(DbfTable, FieldNamesIgnoreCaseAndFindTheCutName) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "", 1}});
  Table t(file, OpenMode::Exclusive);
  EXPECT_TRUE(t.HasField("ABREV_ITACA"));
  EXPECT_TRUE(t.HasField("abrev_itac"));
  EXPECT_TRUE(t.HasField("Asig_Itaca"));
  EXPECT_FALSE(t.HasField("ABREV"));
  EXPECT_FALSE(t.HasField("ABREV_ITA"));
  t.SetString("abrev_itaca", "ABCDEF");
  EXPECT_EQ(t.AsString("ABREV_ITAC"), "ABCD");
  EXPECT_TRUE(t.Locate("ABREV_ITACA", "ABCDXYZ"));
  try {
    (void)t.AsString("NOEXISTE");
    FAIL();
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("ASIGT.DBF"));
    EXPECT_THAT(e.what(), HasSubstr("«NOEXISTE»"));
  }
  EXPECT_THROW(t.SetInteger("NOEXISTE", 1), Error);
  EXPECT_THROW(t.Locate("NOEXISTE", "1"), Error);
}

TEST(DbfTable, NumbersConvertOrNameTheValue) {
  DbfTempFolder dir;
  const auto file = dir / "NUM.DBF";
  Table::Create(file, {{"TEXTO", FieldKind::Text, 12},
                       {"ENTERO", FieldKind::Integer},
                       {"REAL", FieldKind::Float},
                       {"LOGICO", FieldKind::Logical}});
  Table t(file, OpenMode::Exclusive);
  t.Append();
  // A text field read as a number: nullopt where the read must fail.
  struct Read {
    std::string text;
    std::optional<long long> integer;
    std::optional<double> real;
  };
  const std::vector<Read> reads = {
      {"", 0, 0},
      {" 42 ", 42, 42},
      {"-7", -7, -7},
      {"+3", 3, 3},
      {"2.50", std::nullopt, 2.5},  // a text must hold a whole number
      {"3.0", 3, 3},
      {"1e3", 1000, 1000},
      {"12a", std::nullopt, std::nullopt},
      {"4,5", std::nullopt, std::nullopt},
      {"nan", std::nullopt, std::nullopt},
      {"-", std::nullopt, std::nullopt},
      {".", std::nullopt, std::nullopt},
  };
  for (const Read& r : reads) {
    t.SetString("TEXTO", r.text);
    if (r.integer) {
      EXPECT_EQ(t.AsInteger("TEXTO"), *r.integer) << r.text;
    } else {
      try {
        (void)t.AsInteger("TEXTO");
        ADD_FAILURE() << r.text;
      } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("«TEXTO»"));
        EXPECT_THAT(e.what(), HasSubstr("NUM.DBF"));
        EXPECT_THAT(e.what(), HasSubstr("«" + r.text + "»"));
        EXPECT_THAT(e.what(), HasSubstr("registro 1"));
      }
    }
    if (r.real)
      EXPECT_EQ(t.AsFloat("TEXTO"), *r.real) << r.text;
    else
      EXPECT_THROW((void)t.AsFloat("TEXTO"), Error) << r.text;
  }

  // Numbers are written right-aligned with the field's decimals.
  struct Write {
    double value;
    std::string text;  // as AsString gives it; empty: does not fit
  };
  const std::vector<Write> writes = {
      {4, "4.00"},
      {0.125, "0.13"},
      {-0.001, "0.00"},  // no minus sign on a zero
      {999999999.99, "999999999.99"},
      {1e9, ""},
      {-99999999.99, "-99999999.99"},
      {-999999999, ""},
      {std::nan(""), ""},
      {HUGE_VAL, ""},
  };
  for (const Write& w : writes) {
    if (w.text.empty()) {
      EXPECT_THROW(t.SetFloat("REAL", w.value), Error) << w.value;
    } else {
      t.SetFloat("REAL", w.value);
      EXPECT_EQ(t.AsString("REAL"), w.text) << w.value;
    }
  }
  t.SetInteger("ENTERO", -2147483648LL);
  EXPECT_EQ(t.AsInteger("ENTERO"), -2147483648LL);
  t.SetInteger("ENTERO", 99999999999LL);
  EXPECT_EQ(t.AsString("ENTERO"), "99999999999");
  try {
    t.SetInteger("ENTERO", 100000000000LL);
    FAIL();
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("100000000000"));
    EXPECT_THAT(e.what(), HasSubstr("«ENTERO»"));
  }
  t.SetFloat("ENTERO", 2.5);
  EXPECT_EQ(t.AsString("ENTERO"), "3");
  t.SetString("ENTERO", " 12 ");
  EXPECT_EQ(t.AsString("ENTERO"), "12");
  t.SetString("REAL", "7");
  EXPECT_EQ(t.AsString("REAL"), "7.00");
  t.SetString("REAL", "");
  EXPECT_EQ(t.AsString("REAL"), "");
  EXPECT_THROW(t.SetString("ENTERO", "doce"), Error);
  t.SetInteger("TEXTO", 123);
  EXPECT_EQ(t.AsString("TEXTO"), "123");
  EXPECT_THROW(t.SetInteger("LOGICO", 1), Error);
  t.SetString("LOGICO", "S");
  EXPECT_TRUE(t.AsBool("LOGICO"));
  t.SetString("LOGICO", "F");
  EXPECT_FALSE(t.AsBool("LOGICO"));
  EXPECT_EQ(t.AsString("LOGICO"), "F");
  EXPECT_THROW(t.AsInteger("LOGICO"), Error);
}

TEST(DbfTable, NoCurrentRowIsAnError) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {});
  Table t(file, OpenMode::Exclusive);
  ASSERT_TRUE(t.Eof());
  EXPECT_THROW((void)t.AsString("CASIG"), Error);
  EXPECT_THROW(t.SetString("CASIG", "A"), Error);
  EXPECT_THROW(t.Delete(), Error);
  EXPECT_THROW(t.Edit(), Error);
  t.Append();
  t.Delete();  // drops the new row
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecordCount(), 0);
  t.Close();
  EXPECT_THROW(t.First(), Error);
  EXPECT_THROW((void)t.RecNo(), Error);
}

TEST(DbfTable, MovedTableKeepsItsState) {
  DbfTempFolder dir;
  const auto file = MakeTable(dir, {{"A", "", 1}, {"B", "", 2}});
  Table::Create(dir / "OTRA.DBF", {{"A", FieldKind::Text, 1}});
  Table a(file, OpenMode::Exclusive);
  a.Next();
  Table b(std::move(a));
  EXPECT_FALSE(a.IsOpen());
  EXPECT_THROW(a.First(), Error);  // a moved-from table: an error, not a crash
  EXPECT_EQ(b.AsString("CASIG"), "B");
  b.SetString("CASIG", "Z");
  Table other(dir / "OTRA.DBF", OpenMode::Exclusive);
  other = std::move(b);
  EXPECT_EQ(other.Path(), file);
  EXPECT_EQ(other.AsString("CASIG"), "Z");
  other.Close();
  EXPECT_FALSE(IsTableInUse(dir / "OTRA.DBF"));
  Table again(file, OpenMode::Shared);
  again.Next();
  EXPECT_EQ(again.AsString("CASIG"), "Z");
}

TEST(DbfTableFiles, FindsAndDeletesTablesInAnyCase) {
  DbfTempFolder dir;
  Table::Create(dir / "soluc.dbf", {{"A", FieldKind::Text, 1}});
  velmora::testing::WriteFileBytes(dir / "Soluc.Mdx", "x");
  velmora::testing::WriteFileBytes(dir / "SOLUCION.DBF", "x");
  EXPECT_EQ(TableFile(dir.Path(), "SOLUC"), dir / "soluc.dbf");
  EXPECT_EQ(TableFile(dir.Path(), "SOLUC.DBF"), dir / "soluc.dbf");
  EXPECT_EQ(TableFile(dir.Path(), "PROFT"), dir / "PROFT.DBF");
  EXPECT_EQ(TableFile(dir.Path() / "nada", "PROFT"), dir.Path() / "nada" / "PROFT.DBF");

  DeleteTableFiles(dir.Path(), "SOLUC");
  EXPECT_FALSE(std::filesystem::exists(dir / "soluc.dbf"));
  EXPECT_FALSE(std::filesystem::exists(dir / "Soluc.Mdx"));
  EXPECT_TRUE(std::filesystem::exists(dir / "SOLUCION.DBF"));
  DeleteTableFiles(dir.Path(), "SOLUC");  // nothing left: nothing to do
  DeleteTableFiles(dir.Path() / "nada", "SOLUC");
}

}  // namespace
}  // namespace velmora

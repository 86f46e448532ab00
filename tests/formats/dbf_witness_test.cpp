// Independent witnesses: what the engine writes, GDAL and dbfread read the
// same; what python-dbf and GDAL write, the engine reads the same.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "formats/dbf_table.h"
#include "formats/text.h"
#include "tests/formats/dbf_test_util.h"

namespace velmora {
namespace {

using velmora::testing::DbfTempFolder;
using velmora::testing::RunCommand;
using velmora::testing::ShellQuote;

// A Python with dbfread and python-dbf (the Debian packages), or empty.
const std::string& WitnessPython() {
  static const std::string python = [] {
    for (std::string candidate : {"/usr/bin/python3", "python3"}) {
      if (RunCommand(candidate + " -c 'import dbfread, dbf' 2>/dev/null").status == 0)
        return candidate;
    }
    return std::string();
  }();
  return python;
}

bool HaveGdal() {
  static const bool have = RunCommand("ogr2ogr --version >/dev/null 2>&1").status == 0;
  return have;
}

#define REQUIRE_PYTHON() \
  if (WitnessPython().empty()) GTEST_SKIP() << "python3 with dbfread and dbf is not installed"
#define REQUIRE_GDAL() \
  if (!HaveGdal()) GTEST_SKIP() << "GDAL (ogr2ogr) is not installed"

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) out.push_back(part);
  if (!s.empty() && s.back() == sep) out.emplace_back();
  return out;
}

// Rows of values as dbfread gives them: one line a row, values separated by
// \x1f; None as "<null>", booleans as T and F, numbers as Python prints them.
// The encoding is the one dbfread takes from the file's language driver.
std::vector<std::vector<std::string>> ReadWithDbfread(const std::filesystem::path& file,
                                                      std::string* fieldNames = nullptr) {
  const std::string script = R"(
import sys, dbfread
t = dbfread.DBF(sys.argv[1])
def show(v):
    if v is None: return '<null>'
    if isinstance(v, bool): return 'T' if v else 'F'
    return str(v)
out = sys.stdout
out.write(t.encoding + '\x1f' + '\x1f'.join(t.field_names) + '\n')
for r in t:
    out.write('\x1f'.join(show(v) for v in r.values()) + '\n')
)";
  const auto result = RunCommand("PYTHONIOENCODING=utf-8 " + WitnessPython() + " -c " +
                                 ShellQuote(script) + " " + ShellQuote(file.string()));
  EXPECT_EQ(result.status, 0) << result.output;
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : Split(result.output, '\n')) {
    if (line.empty()) continue;
    rows.push_back(Split(line, '\x1f'));
  }
  if (rows.empty()) return rows;
  if (fieldNames) {
    *fieldNames = "";
    for (std::size_t i = 1; i < rows[0].size(); ++i) *fieldNames += rows[0][i] + ";";
  }
  EXPECT_EQ(rows[0][0], "cp1252");
  rows.erase(rows.begin());
  return rows;
}

// CSV as ogr2ogr writes it (quotes doubled inside quoted values).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string value;
  bool quoted = false, any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        value += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        value += c;
      }
    } else if (c == '"') {
      quoted = any = true;
    } else if (c == ',') {
      row.push_back(value);
      value.clear();
      any = true;
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      if (any || !value.empty()) {
        row.push_back(value);
        rows.push_back(row);
      }
      row.clear();
      value.clear();
      any = false;
    } else {
      value += c;
      any = true;
    }
  }
  if (any || !value.empty()) {
    row.push_back(value);
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::vector<std::string>> ReadWithGdal(const std::filesystem::path& file) {
  const auto result =
      RunCommand("ogr2ogr -f CSV /vsistdout/ " + ShellQuote(file.string()) + " 2>/dev/null");
  EXPECT_EQ(result.status, 0);
  return ParseCsv(result.output);
}

// One row of the table the engine writes, in UTF-8 as the witnesses give it.
struct Row {
  std::string nombre;
  std::optional<long long> orden;
  std::optional<double> horas;
  std::optional<bool> activa;
  std::string abrev;  // as set; stored cut to 10
};

std::string StoredAbrev(const Row& r) {
  return Cp1252ToUtf8(Left(Cp(r.abrev), 10));
}

const std::vector<std::string> kNames = {"NOMBRE", "ORDEN", "HORAS", "ACTIVA", "ABREV_ITAC"};

void ExpectWitnessesRead(const std::filesystem::path& file, const std::vector<Row>& rows) {
  SCOPED_TRACE(file.string());
  std::string names;
  const auto seen = ReadWithDbfread(file, &names);
  EXPECT_EQ(names, "NOMBRE;ORDEN;HORAS;ACTIVA;ABREV_ITAC;");
  ASSERT_EQ(seen.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("dbfread, row " + std::to_string(i + 1));
    const Row& r = rows[i];
    ASSERT_EQ(seen[i].size(), 5u);
    EXPECT_EQ(seen[i][0], r.nombre);
    EXPECT_EQ(seen[i][1], r.orden ? std::to_string(*r.orden) : "<null>");
    if (r.horas)
      EXPECT_DOUBLE_EQ(std::stod(seen[i][2]), *r.horas);
    else
      EXPECT_EQ(seen[i][2], "<null>");
    EXPECT_EQ(seen[i][3], r.activa ? (*r.activa ? "T" : "F") : "<null>");
    EXPECT_EQ(seen[i][4], StoredAbrev(r));
  }

  const auto csv = ReadWithGdal(file);
  ASSERT_EQ(csv.size(), rows.size() + 1);
  EXPECT_EQ(csv[0], kNames);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("GDAL, row " + std::to_string(i + 1));
    const Row& r = rows[i];
    const auto& v = csv[i + 1];
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v[0], r.nombre);
    EXPECT_EQ(v[1], r.orden ? std::to_string(*r.orden) : "");
    if (r.horas)
      EXPECT_DOUBLE_EQ(std::stod(v[2]), *r.horas);
    else
      EXPECT_EQ(v[2], "");
    EXPECT_EQ(v[3], r.activa ? (*r.activa ? "T" : "F") : "");
    EXPECT_EQ(v[4], StoredAbrev(r));
  }
}

TEST(DbfTableWitness, WhatTheEngineWritesGdalAndDbfreadReadTheSame) {
  REQUIRE_PYTHON();
  REQUIRE_GDAL();
  DbfTempFolder dir;
  const auto file = dir / "MATERIAS.DBF";
  Table::Create(file, {{"NOMBRE", FieldKind::Text, 30},
                       {"ORDEN", FieldKind::Integer},
                       {"HORAS", FieldKind::Float},
                       {"ACTIVA", FieldKind::Logical},
                       {"ABREV_ITACA", FieldKind::Text, 10}});
  std::vector<Row> rows = {
      {"Educació Física", 1, 4, true, "EF"},
      {"Música", -2147483648LL, 2.5, false, "MÚS"},
      {"a borrar", 3, 1, true, "X"},
      {"€ “comillas”, y \"dobles\"", 99999999999LL, 0.25, std::nullopt, "ABCDEFGHIJKL"},
      {"", 5, std::nullopt, std::nullopt, ""},
      {"‰ otra a borrar", std::nullopt, 999999999.99, false, "Ñ"},
  };
  {
    Table t(file, OpenMode::Exclusive);
    for (const Row& r : rows) {
      t.Append();
      if (!r.nombre.empty()) t.SetString("NOMBRE", Cp(r.nombre));
      if (r.orden) t.SetInteger("ORDEN", *r.orden);
      if (r.horas) t.SetFloat("HORAS", *r.horas);
      if (r.activa) t.SetBool("ACTIVA", *r.activa);
      if (!r.abrev.empty()) t.SetString("ABREV_ITACA", Cp(r.abrev));
    }
    t.Post();
    ASSERT_TRUE(t.Locate("NOMBRE", Cp("a borrar")));
    t.Delete();
    ASSERT_TRUE(t.Locate("ORDEN", ""));
    t.Delete();
    t.Close();
  }
  rows.erase(rows.begin() + 5);
  rows.erase(rows.begin() + 2);
  // Deleted rows still in the file: the witnesses skip them too.
  ExpectWitnessesRead(file, rows);

  {
    Table t(file, OpenMode::Exclusive);
    ASSERT_TRUE(t.Locate("ORDEN", "1"));
    t.Delete();
    t.Pack();
    t.Close();
  }
  rows.erase(rows.begin());
  ExpectWitnessesRead(file, rows);
  const std::string bytes = velmora::testing::ReadFileBytes(file);
  EXPECT_EQ(bytes.size(), 32u + 5 * 32 + 1 + 3 * (1 + 30 + 11 + 12 + 1 + 10) + 1);
}

// Runs a Python script with python-dbf that writes tables into `dir`.
void RunPythonDbf(const DbfTempFolder& dir, const std::string& script) {
  const auto result = RunCommand("cd " + ShellQuote(dir.Path().string()) + " && " +
                                 WitnessPython() + " -c " + ShellQuote(script) + " 2>&1");
  ASSERT_EQ(result.status, 0) << result.output;
}

std::vector<std::string> Column(Table& t, const std::string& field) {
  std::vector<std::string> out;
  for (t.First(); !t.Eof(); t.Next()) out.push_back(t.AsString(field));
  return out;
}

TEST(DbfTableWitness, ReadsDbase3WithMemoWrittenByPythonDbf) {
  REQUIRE_PYTHON();
  DbfTempFolder dir;
  RunPythonDbf(dir, R"(
import dbf, datetime
t = dbf.Table('soluc.dbf', 'asig C(10); tarea C(10); dia N(1,0); hora N(5,2); fecha D; hecho L; nota M',
              dbf_type='db3', codepage='cp1252')
t.open(dbf.READ_WRITE)
t.append(('MÚS', '*479', 1, 3, datetime.date(2024, 1, 8), True, 'una nota'))
t.append(('BORRADA', 'X', 2, 4, None, False, ''))
t.append(('EF', 'EF', 5, 1.5, None, None, 'otra'))
with t[1] as r:
    dbf.delete(r)
t.close()
)");
  const auto file = TableFile(dir.Path(), "SOLUC");
  ASSERT_EQ(file.filename(), "soluc.dbf");
  ASSERT_EQ(velmora::testing::ReadFileBytes(file)[0], '\x83');  // dBASE III with memo
  Table t(file, OpenMode::Shared);
  ASSERT_EQ(t.Fields().size(), 7u);
  EXPECT_EQ(t.Fields()[4].type, 'D');
  EXPECT_EQ(t.Fields()[6].type, 'M');
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(Column(t, "ASIG"), (std::vector<std::string>{Cp("MÚS"), "EF"}));
  t.First();
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_EQ(t.AsString("TAREA"), "*479");
  EXPECT_EQ(t.AsInteger("DIA"), 1);
  EXPECT_EQ(t.AsInteger("HORA"), 3);
  EXPECT_EQ(t.AsString("HORA"), "3.00");
  EXPECT_EQ(t.AsString("FECHA"), "20240108");
  EXPECT_TRUE(t.AsBool("HECHO"));
  EXPECT_EQ(t.AsString("NOTA"), "");
  t.Next();
  EXPECT_EQ(t.RecNo(), 3);
  EXPECT_EQ(t.AsInteger("DIA"), 5);
  EXPECT_EQ(t.AsFloat("HORA"), 1.5);
  EXPECT_EQ(t.AsString("FECHA"), "");
  EXPECT_FALSE(t.AsBool("HECHO"));
  EXPECT_TRUE(t.Locate("ASIG", Cp("MÚS")));
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_FALSE(t.Locate("ASIG", "BORRADA"));
}

TEST(DbfTableWitness, ReadsAndRewritesVisualFoxProTable) {
  REQUIRE_PYTHON();
  DbfTempFolder dir;
  RunPythonDbf(dir, R"(
import dbf
t = dbf.Table('VF.dbf', 'nombre C(20); cant I; peso F(10,3); precio N(10,2); nota M',
              dbf_type='vfp', codepage='cp1252')
t.open(dbf.READ_WRITE)
t.append(('Música', -20, 1.5, 2.25, 'memo uno'))
t.append(('borrar', 7, 0, 0, 'memo dos'))
t.append(('€ final', 123456, -3.125, 10, 'memo tres'))
with t[1] as r:
    dbf.delete(r)
t.close()
)");
  const auto file = dir / "VF.dbf";
  ASSERT_EQ(velmora::testing::ReadFileBytes(file)[0], '\x30');
  {
    Table t(file, OpenMode::Exclusive);
    ASSERT_EQ(t.Fields().size(), 5u);
    EXPECT_EQ(t.Fields()[1].type, 'I');
    EXPECT_EQ(t.Fields()[2].type, 'F');
    EXPECT_EQ(Column(t, "NOMBRE"), (std::vector<std::string>{Cp("Música"), Cp("€ final")}));
    EXPECT_EQ(Column(t, "CANT"), (std::vector<std::string>{"-20", "123456"}));
    EXPECT_EQ(Column(t, "PESO"), (std::vector<std::string>{"1.500", "-3.125"}));
    ASSERT_TRUE(t.Locate("CANT", "123456"));
    EXPECT_EQ(t.RecNo(), 3);
    EXPECT_EQ(t.AsInteger("CANT"), 123456);
    EXPECT_EQ(t.AsFloat("PESO"), -3.125);
    EXPECT_EQ(t.AsInteger("PRECIO"), 10);

    // Changes keep the rest of the file as Visual FoxPro wrote it.
    t.SetString("NOMBRE", Cp("Educació"));
    t.SetInteger("CANT", -7);
    t.SetFloat("PESO", 2.5);
    t.Pack();
    t.Close();
  }
  const auto rows = ReadWithDbfread(file);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Música", "-20", "1.5", "2.25", "memo uno"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"Educació", "-7", "2.5", "10.0", "memo tres"}));
}

TEST(DbfTableWitness, ReadsTableWrittenByGdal) {
  REQUIRE_GDAL();
  DbfTempFolder dir;
  velmora::testing::WriteFileBytes(dir / "in.csv",
                                   "nombre,fecha,cant,peso\n"
                                   "\"Educació Física\",2024-03-01,1,2.5\n"
                                   "borrar,2024-03-02,2,3.25\n"
                                   "\"“Música”, €\",2024-03-03,-3,-1.125\n"
                                   ",,,\n");
  const std::string cd = "cd " + ShellQuote(dir.Path().string()) + " && ";
  auto made = RunCommand(cd +
                         "ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=CP1252 "
                         "-oo AUTODETECT_TYPE=YES aulas.dbf in.csv 2>&1");
  ASSERT_EQ(made.status, 0) << made.output;
  made = RunCommand(cd +
                    "ogrinfo -q aulas.dbf -oo AUTO_REPACK=NO -dialect SQLite "
                    "-sql 'DELETE FROM aulas WHERE cant = 2' 2>&1");
  ASSERT_EQ(made.status, 0) << made.output;

  Table t(TableFile(dir.Path(), "AULAS"), OpenMode::Shared);
  ASSERT_EQ(t.Fields().size(), 4u);
  EXPECT_EQ(t.Fields()[1].type, 'D');
  EXPECT_TRUE(t.HasField("NOMBRE"));  // written in lower case
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_EQ(Column(t, "nombre"),
            (std::vector<std::string>{Cp("Educació Física"), Cp("“Música”, €"), ""}));
  EXPECT_EQ(Column(t, "FECHA"), (std::vector<std::string>{"20240301", "20240303", ""}));
  t.First();
  t.Next();
  EXPECT_EQ(t.RecNo(), 3);
  EXPECT_EQ(t.AsInteger("CANT"), -3);
  EXPECT_EQ(t.AsFloat("PESO"), -1.125);
  t.Next();
  EXPECT_EQ(t.AsInteger("CANT"), 0);
  EXPECT_EQ(t.AsFloat("PESO"), 0.0);
}

}  // namespace
}  // namespace velmora

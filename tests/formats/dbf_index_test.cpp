// The index behind Locate keeps rows that leave a key until they come to the
// top (they are dropped lazily): these cases pin the first row in record
// order when rows leave a key, come back to it, and are deleted in any order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "formats/dbf_table.h"
#include "tests/formats/dbf_test_util.h"

namespace velmora {
namespace {

using velmora::testing::DbfTempFolder;

// Moves to the row with this record number.
void GoTo(Table& t, long recNo) {
  for (t.First(); !t.Eof() && t.RecNo() != recNo; t.Next()) {
  }
  ASSERT_EQ(t.RecNo(), recNo);
}

long Found(Table& t, const std::string& clave) {
  return t.Locate("CLAVE", clave) ? t.RecNo() : 0;
}

class DbfIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_ / "ASIGT.DBF";
    Table::Create(file_, {{"CLAVE", FieldKind::Text, 6}, {"CAULA", FieldKind::Text, 6}});
  }
  Table Filled(const std::vector<std::string>& claves) {
    Table t(file_, OpenMode::Exclusive);
    for (const auto& c : claves) {
      t.Append();
      t.SetString("CLAVE", c);
      t.Post();
    }
    return t;
  }

  DbfTempFolder dir_;
  std::filesystem::path file_;
};

TEST_F(DbfIndex, ARowThatLeavesAKeyAndComesBackKeepsItsPlace) {
  Table t = Filled({"A", "A", "A", "B"});
  ASSERT_EQ(Found(t, "A"), 1);  // the index exists from here on

  GoTo(t, 1);
  t.SetString("CLAVE", "B");
  t.Post();
  EXPECT_EQ(Found(t, "A"), 2);
  EXPECT_EQ(Found(t, "B"), 1);

  GoTo(t, 1);
  t.SetString("CLAVE", "A");  // back again: first once more
  t.Post();
  EXPECT_EQ(Found(t, "A"), 1);
  EXPECT_EQ(Found(t, "B"), 4);

  // A change to a field outside the index leaves the lookups as they were.
  GoTo(t, 1);
  t.SetString("CAULA", "A101");
  t.Post();
  EXPECT_EQ(Found(t, "A"), 1);

  // Away, back and away again: the two stale places are both skipped.
  for (const char* clave : {"C", "A", "C"}) {
    GoTo(t, 1);
    t.SetString("CLAVE", clave);
    t.Post();
  }
  EXPECT_EQ(Found(t, "A"), 2);
  EXPECT_EQ(Found(t, "C"), 1);
  t.Close();
}

TEST_F(DbfIndex, DeletingRowsOfAKeyInAnyOrderLeavesTheLowestThatIsLeft) {
  constexpr long kRows = 300;
  Table t = Filled(std::vector<std::string>(kRows, "MISMO"));
  ASSERT_EQ(Found(t, "MISMO"), 1);

  std::vector<long> order(kRows);
  for (long r = 0; r < kRows; ++r) order[static_cast<std::size_t>(r)] = r + 1;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  std::set<long> left(order.begin(), order.end());
  for (long recNo : order) {
    GoTo(t, recNo);
    t.Delete();
    left.erase(recNo);
    ASSERT_EQ(Found(t, "MISMO"), left.empty() ? 0 : *left.begin()) << "after deleting " << recNo;
  }

  // A row appended afterwards is found, with its own record number.
  t.Append();
  t.SetString("CLAVE", "MISMO");
  t.Post();
  EXPECT_EQ(Found(t, "MISMO"), kRows + 1);
  t.Close();
}

}  // namespace
}  // namespace velmora

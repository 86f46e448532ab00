// The document is parsed where it was read, and the parse rewrites that text
// (line ends in attribute values become blanks, references become the
// characters they stand for): the line and column of an error must still be
// those of the file as it is.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "tests/formats/xml_test_util.h"

namespace velmora {
namespace {

using ::testing::HasSubstr;
using testing::XmlTempFolder;
using testing::XmlWriteBytes;

struct PlaceCase {
  const char* label;
  std::string bytes;
  const char* place;
};

TEST(XmlErrorPlace, CountsTheFileAsWrittenNotAsParsed) {
  const PlaceCase cases[] = {
      {"line ends inside an attribute value", "<centro a=\"1\n2\n3\">\n<b></c>\n</centro>",
       "(línea 4, columna 6)"},
      {"references to line ends in text", "<centro>\n<a>x&#10;&#10;&#10;y</a>\n<b></c>\n</centro>",
       "(línea 3, columna 6)"},
      {"references before the fault on its line",
       "<centro>\n<a b=\"&amp;&lt;&gt;\"></c>\n</centro>", "(línea 2, columna 24)"},
      {"CR LF inside text", "<centro>\r\n<a>x\r\ny</a>\r\n<b></c>\r\n</centro>",
       "(línea 4, columna 6)"},
      {"byte-order mark", "\xEF\xBB\xBF<centro>\n<b></c>\n</centro>", "(línea 2, columna 6)"},
      {"two roots after line ends in values", "<centro a=\"1\n2\"/>\n<centro/>\n",
       "(línea 3, columna 1)"},
  };
  XmlTempFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const auto file = dir / "doc.xml";
    XmlWriteBytes(file, c.bytes);
    try {
      XmlDocument::Load(file);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.place));
    }
  }
}

}  // namespace
}  // namespace velmora

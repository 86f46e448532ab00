#include "formats/itaca_xml.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "formats/error.h"
#include "formats/text.h"
#include "tests/formats/xml_test_util.h"

namespace velmora {
namespace {

using ::testing::HasSubstr;
using testing::XmlTempFolder;
using testing::XmlWriteBytes;

// The message of the Error that Load gives for these bytes.
std::string LoadError(const XmlTempFolder& dir, const std::string& bytes,
                      const std::string& name = "doc.xml") {
  XmlWriteBytes(dir / name, bytes);
  try {
    XmlDocument::Load(dir / name);
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

// ---- encodings ----

// One small document, with a course name and a euro sign, in every encoding
// an ITACA file may come in.
std::string Doc8(const std::string& declaration, const std::string& name,
                 const std::string& symbol) {
  return declaration +
         "\n<!-- exportado de ITACA -->\n<centro codigo=\"46000001\">\n  <contenidos>\n"
         "    <contenido codigo=\"EF\" nombre=\"" +
         name + "\" simbolo=\"" + symbol + "\"/>\n  </contenidos>\n</centro>\n";
}

std::u16string Doc16(const std::u16string& declaration) {
  return declaration +
         u"\n<!-- exportado de ITACA -->\n<centro codigo=\"46000001\">\n  <contenidos>\n"
         u"    <contenido codigo=\"EF\" nombre=\"Educació Física\" simbolo=\"€\"/>\n"
         u"  </contenidos>\n</centro>\n";
}

struct EncodingCase {
  const char* label;
  std::string bytes;
  std::string encoding;  // as Encoding() names it
  std::string symbol;    // the symbol attribute, as CP1252
};

TEST(XmlLoad, ReadsEveryEncodingAsTheSameCp1252Text) {
  const std::string latin1Name = "Educaci\xF3 F\xEDsica";
  const std::u16string decl16 = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>";
  const EncodingCase cases[] = {
      {"UTF-8", Doc8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "Educació Física", "€"), "UTF-8",
       "\x80"},
      {"UTF-8 with BOM",
       "\xEF\xBB\xBF" + Doc8("<?xml version=\"1.0\" encoding=\"utf-8\"?>", "Educació Física", "€"),
       "UTF-8", "\x80"},
      {"UTF-8, no declaration", Doc8("", "Educació Física", "€"), "UTF-8", "\x80"},
      {"UTF-8 BOM, no declaration", "\xEF\xBB\xBF" + Doc8("", "Educació Física", "€"), "UTF-8",
       "\x80"},
      {"UTF-16LE", testing::Utf16Bytes(Doc16(decl16), false, true), "UTF-16LE", "\x80"},
      {"UTF-16BE", testing::Utf16Bytes(Doc16(decl16), true, true), "UTF-16BE", "\x80"},
      {"UTF-16LE without BOM", testing::Utf16Bytes(Doc16(decl16), false, false), "UTF-16LE",
       "\x80"},
      {"UTF-16BE without BOM", testing::Utf16Bytes(Doc16(decl16), true, false), "UTF-16BE", "\x80"},
      // ISO-8859-1 has no euro: its byte A4 is the currency sign, which CP1252 has too.
      {"ISO-8859-1", Doc8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", latin1Name, "\xA4"),
       "ISO-8859-1", "\xA4"},
      {"latin1", Doc8("<?xml version='1.0' encoding='latin1'?>", latin1Name, "\xA4"), "ISO-8859-1",
       "\xA4"},
      // ISO-8859-15 puts the euro at A4; CP1252 at 80.
      {"ISO-8859-15", Doc8("<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>", latin1Name, "\xA4"),
       "ISO-8859-15", "\x80"},
      {"Latin9", Doc8("<?xml version=\"1.0\" encoding=\"Latin9\"?>", latin1Name, "\xA4"),
       "ISO-8859-15", "\x80"},
      {"windows-1252",
       Doc8("<?xml version=\"1.0\" encoding=\"windows-1252\"?>", latin1Name, "\x80"),
       "windows-1252", "\x80"},
      {"CP1252", Doc8("<?xml version=\"1.0\"  encoding = \"CP1252\" ?>", latin1Name, "\x80"),
       "windows-1252", "\x80"},
  };
  XmlTempFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    XmlWriteBytes(dir / "doc.xml", c.bytes);
    const XmlDocument doc = XmlDocument::Load(dir / "doc.xml");
    EXPECT_EQ(doc.Encoding(), c.encoding);
    const XmlNodeList list = doc.Select("/centro/contenidos/contenido");
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Item(0).Attr("nombre"), Cp("Educació Física"));
    EXPECT_EQ(list.Item(0).Attr("nombre"), "Educaci\xF3 F\xEDsica");
    EXPECT_EQ(list.Item(0).Attr("simbolo"), c.symbol);
    EXPECT_EQ(doc.Select("/centro").Item(0).Attr("codigo"), "46000001");
  }
}

// ---- documents that cannot be read ----

struct BadCase {
  const char* label;
  std::string bytes;
  std::vector<std::string> parts;  // the message holds each of these
};

TEST(XmlLoad, BadDocumentsGiveAClearError) {
  const BadCase cases[] = {
      {"unclosed element",
       "<?xml version=\"1.0\"?>\n<centro>\n  <docentes>\n</centro>\n",
       {"no es un XML bien formado", "(línea 4, columna 3)"}},
      {"unclosed element, CRLF",
       "<?xml version=\"1.0\"?>\r\n<centro>\r\n  <docentes>\r\n</centro>\r\n",
       {"(línea 4, columna 3)"}},
      {"columns count characters, not bytes",
       "<centro>\n<a b=\"ñàé\"></b>\n</centro>",
       {"(línea 2, columna 14)"}},
      {"the same in ISO-8859-1",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<centro>\n<a b=\"\xF1\xE0\xE9\"></b>\n"
       "</centro>",
       {"(línea 3, columna 14)"}},
      {"bad attribute",
       "<centro>\n  <a b=1/>\n</centro>",
       {"atributo mal formado", "(línea 2, columna"}},
      {"unterminated comment",
       "<centro/>\n<!-- sin cerrar",
       {"comentario mal formado", "(línea 2, columna"}},
      {"empty file", "", {"no contiene ningún elemento", "(línea 1, columna 1)"}},
      {"two roots", "<centro/>\n<centro/>\n", {"más de un elemento raíz", "(línea 2, columna 1)"}},
      {"Latin-1 bytes in an undeclared file",
       "<centro>\n<a b=\"Educaci\xF3\"/>\n</centro>",
       {"UTF-8 válido", "(línea 2, columna 14)"}},
      {"Latin-1 bytes in a file declared UTF-8",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><centro a=\"\xE9\"/>",
       {"UTF-8 válido", "(línea 1, columna 50)"}},
      {"wrong root",
       "<?xml version=\"1.0\"?>\n<escuela/>\n",
       {"no es un documento de ITACA", "«escuela»", "«centro»"}},
      {"Shift_JIS",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><centro/>",
       {"codificación «Shift_JIS»", "no se admite"}},
      {"EBCDIC", "\x4C\x6F\xA7\x94\x93\x40\xA5\x85\x99\xA2\x89\x96\x95", {"«EBCDIC»"}},
      {"UTF-32",
       testing::Utf16Bytes(u"<\0c\0", false, false) + std::string(4, '\0'),
       {"«UTF-32LE»"}},
      {"UTF-16 declared in an 8-bit file",
       "<?xml version=\"1.0\" encoding=\"UTF-16\"?><centro/>",
       {"«UTF-16»", "no está escrito en UTF-16"}},
      {"UTF-16 file declaring an unknown encoding",
       testing::Utf16Bytes(u"<?xml version=\"1.0\" encoding=\"KOI8-R\"?><centro/>", false, true),
       {"«KOI8-R»"}},
  };
  XmlTempFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string message = LoadError(dir, c.bytes);
    EXPECT_THAT(message, HasSubstr("«" + (dir / "doc.xml").string() + "»"));
    for (const auto& part : c.parts) EXPECT_THAT(message, HasSubstr(part));
  }
}

TEST(XmlLoad, MissingOrUnreadableFile) {
  XmlTempFolder dir;
  try {
    XmlDocument::Load(dir / "no_existe.xml");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("No existe el archivo"));
    EXPECT_THAT(e.what(), HasSubstr("no_existe.xml"));
  }
  std::filesystem::create_directory(dir / "carpeta.xml");
  try {
    XmlDocument::Load(dir / "carpeta.xml");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("No se puede leer el archivo"));
    EXPECT_THAT(e.what(), HasSubstr("carpeta.xml"));
  }
}

// ---- selection and attributes ----

class XmlSelect : public ::testing::Test {
 protected:
  void SetUp() override {
    XmlWriteBytes(dir_ / "x.xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<centro codigo=\"46\">\n"
                  "  <docentes>\n"
                  "    <docente documento=\"  11A \" nombre=\"Łucja Núñez\"/>\n"
                  "    <!-- a comment among the elements -->\n"
                  "    <otro documento=\"X\"/>\n"
                  "    <docente nombre=\"sin documento\"/>\n"
                  "    <docente documento=\"A&amp;B &#233; &#x20AC;\" vacio=\"\"/>\n"
                  "    <grupo><docente documento=\"deeper, not selected\"/></grupo>\n"
                  "  </docentes>\n"
                  "  <docentes>\n"
                  "    <docente documento=\"second collection\" linea=\"a\nb\tc\"/>\n"
                  "  </docentes>\n"
                  "</centro>\n");
    doc_ = std::make_unique<XmlDocument>(XmlDocument::Load(dir_ / "x.xml"));
  }
  XmlTempFolder dir_;
  std::unique_ptr<XmlDocument> doc_;
};

TEST_F(XmlSelect, AllMatchingChildrenAtEachLevelInDocumentOrder) {
  const XmlNodeList list = doc_->Select("/centro/docentes/docente");
  EXPECT_EQ(list.Path(), "/centro/docentes/docente");
  ASSERT_EQ(list.Count(), 4u);
  EXPECT_EQ(list.Item(0).Attr("documento"), "  11A ");
  EXPECT_FALSE(list.Item(1).Has("documento"));
  EXPECT_EQ(list.Item(3).Attr("documento"), "second collection");
  EXPECT_EQ(list.Item(3).Where(), "/centro/docentes/docente[4]");

  EXPECT_EQ(doc_->Select("/centro").Count(), 1u);
  EXPECT_EQ(doc_->Select("/centro/docentes").Count(), 2u);
  EXPECT_EQ(doc_->Select("/centro/docentes/grupo/docente").Count(), 1u);
  EXPECT_EQ(doc_->Select("/centro/aulas/aula").Count(), 0u);
  EXPECT_EQ(doc_->Select("/docentes").Count(), 0u);
  EXPECT_EQ(doc_->Select("/centro/Docentes").Count(), 0u);  // names are case-sensitive
  EXPECT_THROW(doc_->Select("centro/docentes"), Error);
  EXPECT_THROW(doc_->Select("/centro//docente"), Error);
  EXPECT_THROW(list.Item(4), Error);
}

TEST_F(XmlSelect, AttributesAsCp1252Text) {
  const XmlNodeList list = doc_->Select("/centro/docentes/docente");
  EXPECT_EQ(list.Item(0).Trimmed("documento"), "11A");
  EXPECT_EQ(list.Item(0).Attr("nombre"),
            "?ucja N\xFA\xF1"
            "ez");                                             // no Ł in CP1252
  EXPECT_EQ(list.Item(2).Attr("documento"), "A&B \xE9 \x80");  // references resolved
  EXPECT_EQ(list.Item(2).Attr("vacio"), "");
  EXPECT_TRUE(list.Item(2).Has("vacio"));
  EXPECT_EQ(list.Item(3).Attr("linea"), "a b c");  // XML's own normalization of line ends and tabs
}

TEST_F(XmlSelect, AMissingAttributeNamesPathPositionAndFile) {
  const XmlNodeList list = doc_->Select("/centro/docentes/docente");
  try {
    list.Item(1).Attr("documento");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Falta el atributo «documento» en /centro/docentes/docente[2]"
              " (archivo «" +
                  (dir_ / "x.xml").string() + "»)");
  }
  EXPECT_THROW(list.Item(1).Trimmed("documento"), Error);
  EXPECT_THROW(list.Item(0).Attr("Documento"), Error);  // names are case-sensitive
}

}  // namespace
}  // namespace velmora

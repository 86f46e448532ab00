#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "formats/text.h"
#include "tests/formats/xml_test_util.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using testing::XmlReadBytes;
using testing::XmlTempFolder;
using testing::XmlWriteBytes;

constexpr const char* kSource =
    "<!-- antes de la declaración no puede haber nada; esto va después -->\n"
    "<centro codigo=\"46000001\" denominacion=\"IES Velmora\" version=\"2.1\">\n"
    "  <docentes><docente documento=\"1\"/></docentes>\n"
    "</centro>\n"
    "<!-- después de la raíz -->\n"
    "<?velmora origen?>\n";

// Replaces the root the way the result export does.
void BuildResult(XmlDocument& doc) {
  XmlOut root = doc.ReplaceRoot("centro");
  root.SetAttribute("codigo", "46000001");
  root.SetAttribute("denominacion", Cp("IES Velmora – Educació"));  // en dash: not in Latin-1
  root.SetAttribute("curso", "2024");
  root.SetAttribute("fecha_exportacion", "01/09/2024 08:30:00");
  root.SetAttribute("version", "2.1");
  XmlOut grupos = root.AppendChild("horarios_grupo");
  XmlOut sesion = grupos.AppendChild("horario_grupo");
  sesion.SetAttribute("plantilla", "P1");
  sesion.SetAttribute("dia_semana", "L");
  sesion.SetAttribute("contenido", Cp("Física € <&> \"x\""));
  sesion.SetAttribute("idioma", "");
  root.AppendChild("horarios_ocupaciones");
}

struct SaveCase {
  const char* label;
  std::string source;       // the whole source file
  std::string encoding;     // Encoding() of the reloaded result
  std::string firstBytes;   // the result starts with these
  std::string declaration;  // the result's declaration, as UTF-8 text
};

std::string WithDeclaration(const std::string& encoding) {
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n";
}

std::string Latin1(const std::string& utf8) {
  std::string out;  // our sample texts only hold Latin-1 characters
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b == 0xC3) {
      out += static_cast<char>((static_cast<unsigned char>(utf8[++i]) & 0x3F) | 0xC0);
    } else {
      out += utf8[i];
    }
  }
  return out;
}

TEST(XmlSave, SavesInTheEncodingTheDeclarationNames) {
  const std::u16string source16 =
      u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
      u"<!-- antes de la declaración no puede haber nada; esto va después -->\n"
      u"<centro codigo=\"46000001\" denominacion=\"IES Velmora\" version=\"2.1\">\n"
      u"  <docentes><docente documento=\"1\"/></docentes>\n"
      u"</centro>\n"
      u"<!-- después de la raíz -->\n"
      u"<?velmora origen?>\n";
  const SaveCase cases[] = {
      {"UTF-8", WithDeclaration("UTF-8") + kSource, "UTF-8", "<?xml", WithDeclaration("UTF-8")},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + WithDeclaration("UTF-8") + kSource, "UTF-8",
       "\xEF\xBB\xBF<?xml", WithDeclaration("UTF-8")},
      {"no declaration", kSource, "UTF-8", "<!--", ""},
      {"UTF-16LE", testing::Utf16Bytes(source16, false, true), "UTF-16LE",
       std::string("\xFF\xFE<\0?\0", 6), WithDeclaration("UTF-16")},
      {"UTF-16BE", testing::Utf16Bytes(source16, true, true), "UTF-16BE",
       std::string("\xFE\xFF\0<\0?", 6), WithDeclaration("UTF-16")},
      {"ISO-8859-1", WithDeclaration("ISO-8859-1") + Latin1(kSource), "ISO-8859-1", "<?xml",
       WithDeclaration("ISO-8859-1")},
      {"ISO-8859-15", WithDeclaration("ISO-8859-15") + Latin1(kSource), "ISO-8859-15", "<?xml",
       WithDeclaration("ISO-8859-15")},
      {"windows-1252", WithDeclaration("windows-1252") + Latin1(kSource), "windows-1252", "<?xml",
       WithDeclaration("windows-1252")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    XmlTempFolder dir;
    XmlWriteBytes(dir / "origen.xml", c.source);
    XmlDocument doc = XmlDocument::Load(dir / "origen.xml");
    BuildResult(doc);
    const fs::path out = dir / "ResultadoTabulixorigen.xml";
    doc.Save(out);

    const std::string bytes = XmlReadBytes(out);
    EXPECT_THAT(bytes, StartsWith(c.firstBytes));
    EXPECT_TRUE(testing::XmllintAccepts(out));

    const XmlDocument again = XmlDocument::Load(out);
    EXPECT_EQ(again.Encoding(), c.encoding);
    const XmlElement root = again.Select("/centro").Item(0);
    EXPECT_EQ(root.Attr("denominacion"), Cp("IES Velmora – Educació"));
    const XmlNodeList sesiones = again.Select("/centro/horarios_grupo/horario_grupo");
    ASSERT_EQ(sesiones.Count(), 1u);
    EXPECT_EQ(sesiones.Item(0).Attr("contenido"), Cp("Física € <&> \"x\""));
    EXPECT_EQ(sesiones.Item(0).Attr("idioma"), "");
    EXPECT_EQ(again.Select("/centro/horarios_ocupaciones").Count(), 1u);
    EXPECT_EQ(again.Select("/centro/docentes").Count(), 0u);

    // A single-byte file carries what its set lacks as character references.
    if (c.encoding == "ISO-8859-1") {
      EXPECT_THAT(bytes, HasSubstr("Educaci\xF3"));
      EXPECT_THAT(bytes, HasSubstr("&#8211;"));
      EXPECT_THAT(bytes, HasSubstr("&#8364;"));
    }
    if (c.encoding == "ISO-8859-15") {
      EXPECT_THAT(bytes, HasSubstr("&#8211;"));
      EXPECT_THAT(bytes, HasSubstr("F\xEDsica \xA4"));
    }
    if (c.encoding == "windows-1252") {
      EXPECT_THAT(bytes, HasSubstr("\x96 Educaci\xF3"));
      EXPECT_THAT(bytes, HasSubstr("F\xEDsica \x80"));
    }
  }
}

TEST(XmlSave, KeepsTheTopLevelNodesAndAppendsTheNewRootLast) {
  XmlTempFolder dir;
  XmlWriteBytes(dir / "origen.xml", WithDeclaration("UTF-8") + kSource);
  XmlDocument doc = XmlDocument::Load(dir / "origen.xml");
  BuildResult(doc);
  doc.Save(dir / "r.xml");
  const std::string text = XmlReadBytes(dir / "r.xml");

  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!-- antes de la declaración no puede haber nada; esto va después -->\n"
      "<!-- después de la raíz -->\n"
      "<?velmora origen?>\n"
      "<centro codigo=\"46000001\" denominacion=\"IES Velmora – Educació\" curso=\"2024\" "
      "fecha_exportacion=\"01/09/2024 08:30:00\" version=\"2.1\">\n"
      "  <horarios_grupo>\n"
      "    <horario_grupo plantilla=\"P1\" dia_semana=\"L\" contenido=\"Física € &lt;&amp;> "
      "&quot;x&quot;\" idioma=\"\" />\n"
      "  </horarios_grupo>\n"
      "  <horarios_ocupaciones />\n"
      "</centro>\n";
  EXPECT_EQ(text, expected);
}

TEST(XmlSave, SettingAnAttributeAgainKeepsItsPlace) {
  XmlTempFolder dir;
  XmlWriteBytes(dir / "o.xml", "<centro/>");
  XmlDocument doc = XmlDocument::Load(dir / "o.xml");
  XmlOut root = doc.ReplaceRoot("centro");
  root.SetAttribute("a", "1");
  root.SetAttribute("b", "2");
  root.SetAttribute("a", "3");
  root.SetAttribute("c",
                    "con\x01"
                    "control\ty\nsalto");
  doc.Save(dir / "r.xml");
  EXPECT_EQ(XmlReadBytes(dir / "r.xml"),
            "<centro a=\"3\" b=\"2\" c=\"con?control&#09;y&#10;salto\" />\n");
  EXPECT_TRUE(testing::XmllintAccepts(dir / "r.xml"));
  const XmlDocument again = XmlDocument::Load(dir / "r.xml");
  EXPECT_EQ(again.Select("/centro").Item(0).Attr("c"), "con?control\ty\nsalto");
}

TEST(XmlSave, AFailedSaveLeavesTheOldFile) {
  XmlTempFolder dir;
  XmlWriteBytes(dir / "o.xml", "<centro/>");
  XmlDocument doc = XmlDocument::Load(dir / "o.xml");
  BuildResult(doc);

  // A read-only result from an earlier run.
  const fs::path old = dir / "r.xml";
  XmlWriteBytes(old, "anterior");
  fs::permissions(old, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  try {
    doc.Save(old);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("No se puede escribir en «" + old.string() + "»"));
    EXPECT_THAT(e.what(), HasSubstr("solo lectura"));
  }
  EXPECT_EQ(XmlReadBytes(old), "anterior");

  // A folder that does not exist.
  const fs::path nowhere = dir / "no_existe" / "r.xml";
  try {
    doc.Save(nowhere);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("No se puede escribir en «" + nowhere.string() + "»"));
  }
  // A folder in the target's place.
  fs::create_directory(dir / "carpeta.xml");
  EXPECT_THROW(doc.Save(dir / "carpeta.xml"), Error);

  // No temporary file is left behind.
  auto names = dir.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"carpeta.xml", "o.xml", "r.xml"}));

  // A writable old result is replaced whole, keeping its permissions.
  fs::permissions(old, fs::perms::owner_read | fs::perms::owner_write);
  doc.Save(old);
  EXPECT_EQ(XmlDocument::Load(old).Select("/centro/horarios_grupo").Count(), 1u);
  EXPECT_EQ(fs::status(old).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace velmora

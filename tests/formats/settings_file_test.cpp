#include "formats/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "formats/error.h"
#include "tests/formats/xml_test_util.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::XmlReadBytes;
using testing::XmlTempFolder;
using testing::XmlWriteBytes;

struct SettingsCase {
  const char* label;
  std::optional<std::string> before;  // none: no file
  std::string section;
  std::string key;
  std::string after;
};

TEST(SettingsFile, WritesOneValueAndKeepsEveryOtherByte) {
  const SettingsCase cases[] = {
      {"missing file: created with CRLF", std::nullopt, "Transformadores", "Transformado",
       "[Transformadores]\r\nTransformado=1\r\n"},
      {"empty file", "", "Transformadores", "Transformado",
       "[Transformadores]\r\nTransformado=1\r\n"},
      {"key present, other case", "[Transformadores]\r\nTransformado=0\r\n", "TRANSFORMADORES",
       "transformado", "[Transformadores]\r\nTransformado=1\r\n"},
      {"blanks around names and value",
       "  [ Transformadores ]  \r\n  Transformado = -1 \r\nOtra=2\r\n", "Transformadores",
       "Transformado", "  [ Transformadores ]  \r\n  Transformado = 1\r\nOtra=2\r\n"},
      {"key missing: after the section's last key",
       "[Transformadores]\r\nOtra=5\r\n\r\n; nota\r\n[Demas]\r\nX=1\r\n", "Transformadores",
       "Transformado",
       "[Transformadores]\r\nOtra=5\r\nTransformado=1\r\n\r\n; nota\r\n[Demas]\r\nX=1\r\n"},
      {"key missing, section without keys", "[Transformadores]\r\n; nada\r\n[Demas]\r\nX=1\r\n",
       "Transformadores", "Transformado",
       "[Transformadores]\r\nTransformado=1\r\n; nada\r\n[Demas]\r\nX=1\r\n"},
      {"key missing in the last section, no final line break", "[Transformadores]\r\nOtra=5",
       "Transformadores", "Transformado", "[Transformadores]\r\nOtra=5\r\nTransformado=1"},
      {"section missing: appended at the end",
       "; Tabulix\r\n# ajustes\r\n[Rutas]\r\nDatos=C:\\XTEMP\r\n\r\n", "Transformadores",
       "Transformado",
       "; Tabulix\r\n# ajustes\r\n[Rutas]\r\nDatos=C:\\XTEMP\r\n\r\n"
       "[Transformadores]\r\nTransformado=1\r\n"},
      {"section missing, no final line break", "[Rutas]\r\nDatos=C:\\XTEMP", "Transformadores",
       "Transformado", "[Rutas]\r\nDatos=C:\\XTEMP\r\n[Transformadores]\r\nTransformado=1\r\n"},
      {"LF file stays LF", "[Rutas]\nDatos=x\n[Transformadores]\nOtra=1\n", "Transformadores",
       "Transformado", "[Rutas]\nDatos=x\n[Transformadores]\nOtra=1\nTransformado=1\n"},
      {"LF file, section missing", "[Rutas]\nDatos=x\n", "Transformadores", "Transformado",
       "[Rutas]\nDatos=x\n[Transformadores]\nTransformado=1\n"},
      {"the same key in another section is not ours", "[Rutas]\r\nTransformado=7\r\n",
       "Transformadores", "Transformado",
       "[Rutas]\r\nTransformado=7\r\n[Transformadores]\r\nTransformado=1\r\n"},
      {"commented key and longer key are not ours",
       "[Transformadores]\r\n; Transformado=3\r\nTransformadoX=4\r\n", "Transformadores",
       "Transformado",
       "[Transformadores]\r\n; Transformado=3\r\nTransformadoX=4\r\nTransformado=1\r\n"},
      {"the first of two sections of that name",
       "[Transformadores]\r\nA=1\r\n[Otra]\r\n[transformadores]\r\nTransformado=9\r\n",
       "Transformadores", "Transformado",
       "[Transformadores]\r\nA=1\r\nTransformado=1\r\n[Otra]\r\n[transformadores]\r\n"
       "Transformado=9\r\n"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF[Transformadores]\r\nTransformado=0\r\n",
       "Transformadores", "Transformado", "\xEF\xBB\xBF[Transformadores]\r\nTransformado=1\r\n"},
      {"other bytes untouched",
       "[A]\r\nk=caf\xE9\t \r\n\r\n\r\n[Transformadores]\r\nTransformado=0", "Transformadores",
       "Transformado", "[A]\r\nk=caf\xE9\t \r\n\r\n\r\n[Transformadores]\r\nTransformado=1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    XmlTempFolder dir;
    const fs::path ini = dir / "Tabulix.ini";
    if (c.before) XmlWriteBytes(ini, *c.before);
    WriteSettingsValue(ini, c.section, c.key, "1");
    EXPECT_EQ(XmlReadBytes(ini), c.after);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"Tabulix.ini"});  // no temporary left
  }
}

TEST(SettingsFile, AUtf16FileStaysUtf16) {
  XmlTempFolder dir;
  const fs::path ini = dir / "Tabulix.ini";
  XmlWriteBytes(ini, testing::Utf16Bytes(u"[Rutas]\r\nCarpeta=Educació\r\n", false, true));
  WriteSettingsValue(ini, "Transformadores", "Transformado", "-1");
  EXPECT_EQ(
      XmlReadBytes(ini),
      testing::Utf16Bytes(
          u"[Rutas]\r\nCarpeta=Educació\r\n[Transformadores]\r\nTransformado=-1\r\n", false, true));
}

TEST(SettingsFile, AFileThatCannotBeWrittenIsAnErrorAndStaysAsItWas) {
  XmlTempFolder dir;
  const fs::path ini = dir / "Tabulix.ini";
  const std::string before = "[Transformadores]\r\nTransformado=0\r\n";
  XmlWriteBytes(ini, before);
  fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  try {
    WriteSettingsValue(ini, "Transformadores", "Transformado", "1");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("No se puede escribir en «" + ini.string() + "»: "));
    EXPECT_THAT(e.what(), HasSubstr("solo lectura"));
  }
  EXPECT_EQ(XmlReadBytes(ini), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Tabulix.ini"});

  const fs::path nowhere = dir / "no_existe" / "Tabulix.ini";
  try {
    WriteSettingsValue(nowhere, "Transformadores", "Transformado", "1");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("No se puede escribir en «" + nowhere.string() + "»: "));
  }
  fs::create_directory(dir / "carpeta.ini");
  EXPECT_THROW(WriteSettingsValue(dir / "carpeta.ini", "Transformadores", "Transformado", "1"),
               Error);
}

TEST(SettingsFile, ALineBreakInAValueIsRefused) {
  XmlTempFolder dir;
  EXPECT_THROW(
      WriteSettingsValue(dir / "Tabulix.ini", "Transformadores", "Transformado", "1\r\n[Otra]"),
      Error);
  EXPECT_FALSE(fs::exists(dir / "Tabulix.ini"));
}

}  // namespace
}  // namespace velmora

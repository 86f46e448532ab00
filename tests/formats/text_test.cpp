#include "formats/text.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

struct TrimCase {
  std::string in;
  std::string ltrim;
  std::string rtrim;
  std::string alltrim;
};

TEST(TextTrim, BlanksOnlyAreTrimmed) {
  const TrimCase cases[] = {
      {"  A B  ", "A B  ", "  A B", "A B"},
      {"", "", "", ""},
      {"    ", "", "", ""},
      {"\tA\t", "\tA\t", "\tA\t", "\tA\t"},  // a tab is not a blank
      {" \t A \t ", "\t A \t ", " \t A \t", "\t A \t"},
      {"x", "x", "x", "x"},
      {" \xC1 ", "\xC1 ", " \xC1", "\xC1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("[" + c.in + "]");
    EXPECT_EQ(LTrim(c.in), c.ltrim);
    EXPECT_EQ(RTrim(c.in), c.rtrim);
    EXPECT_EQ(AllTrim(c.in), c.alltrim);
  }
}

TEST(TextTrim, BlanksAndControlsForTheTemplateChooser) {
  EXPECT_EQ(TrimBlanksAndControls("\t\r\n A1 \x01\x1F"), "A1");
  EXPECT_EQ(TrimBlanksAndControls(" A \t B "), "A \t B");
  EXPECT_EQ(TrimBlanksAndControls("\x7F"
                                  "A"),
            "\x7F"
            "A");  // DEL is above 32
  EXPECT_EQ(TrimBlanksAndControls(std::string("\0 \0", 3)), "");
  EXPECT_EQ(TrimBlanksAndControls(" \xA0 "), "\xA0");  // no-break space stays
}

struct CutCase {
  std::string s;
  int n;
  std::string left;
  std::string right;
};

TEST(TextCut, LeftAndRight) {
  const CutCase cases[] = {
      {"ABCDE", 2, "AB", "DE"},
      {"ABCDE", 1, "A", "E"},
      {"ABCDE", 5, "ABCDE", "ABCDE"},
      {"ABCDE", 9, "ABCDE", "ABCDE"},
      {"ABCDE", 0, "", ""},
      {"ABCDE", -3, "", ""},
      {"", 0, "", ""},
      {"", 2, "", ""},
      {"\xC0\xC1\xC2", 2, "\xC0\xC1", "\xC1\xC2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.s + " " + std::to_string(c.n));
    EXPECT_EQ(Left(c.s, c.n), c.left);
    EXPECT_EQ(Right(c.s, c.n), c.right);
  }
}

struct InicialesCase {
  std::string in;
  std::string out;
};

TEST(TextIniciales, InitialsOfTheLaterWords) {
  const InicialesCase cases[] = {
      {"Lengua Castellana y Literatura", "CL"},  // "y" is short and not near the end
      {"Llengua i Literatura", "L"},
      {Cp("Educació Física"), "F"},
      {"Taller de TIC", "T"},  // "de" is short; "TIC" starts within the last five
      {"A  B", " B"},          // both blanks near the end: the blank after the first is taken
      {"", ""},
      {"A", ""},
      {"Matematiques", ""},
      {"Hola ", ""},           // a blank at the last position gives nothing
      {"Hola  ", " "},         // the blank before the last one gives the last (a blank)
      {"ab cdef", "c"},        // word right after a blank near the end, any length
      {"ab cd ef", "e"},       // blank at 3 followed by "cd e": not four non-blanks
      {"abc defg hi", "dh"},   // blank at 4 (< L-4) with "defg"; blank at 9 near the end
      {"abc def ghijk", "g"},  // "def" is too short and the blank is not near the end
      {"x ciencias naturales", "cn"},
      {"x  ciencias", "c"},  // two blanks: the first is followed by a blank
      {"biologia y geologia", "g"},
      {"fisica y quimica", "q"},  // "y" at L-8: skipped; blank before "quimica" qualifies
      {"Taller de tic", "t"},     // no change of case
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("[" + c.in + "]");
    EXPECT_EQ(Iniciales(c.in), c.out);
  }
}

TEST(TextCase, UpperAZRaisesOnlyAToZ) {
  EXPECT_EQ(UpperAZ("abc xyz ABC 09"), "ABC XYZ ABC 09");
  EXPECT_EQ(UpperAZ(Cp("educació física ñ")), Cp("EDUCACIó FíSICA ñ"));
  EXPECT_EQ(UpperAZ("{`@["), "{`@[");
}

TEST(TextCase, FoldCaseJoinsEveryLetterWithItsPartner) {
  const char* pairs[][2] = {
      {"a", "A"}, {"z", "Z"}, {"à", "À"}, {"ñ", "Ñ"}, {"š", "Š"}, {"œ", "Œ"},
      {"ž", "Ž"}, {"ÿ", "Ÿ"}, {"é", "É"}, {"þ", "Þ"}, {"ø", "Ø"}, {"ç", "Ç"},
  };
  for (const auto& p : pairs) {
    SCOPED_TRACE(p[0]);
    EXPECT_EQ(FoldCase(Cp(p[0])), FoldCase(Cp(p[1])));
    EXPECT_EQ(FoldCase(Cp(p[0])), Cp(p[0]));
  }
  // Not letters, or letters without a partner: they stay themselves.
  const char* alone[] = {"×", "÷", "ß", "µ", "@", "[", "`", "{", "€", "1"};
  for (const char* s : alone) {
    SCOPED_TRACE(s);
    EXPECT_EQ(FoldCase(Cp(s)), Cp(s));
  }
  EXPECT_NE(FoldCase(Cp("×")), FoldCase(Cp("÷")));
  EXPECT_EQ(FoldCase(Cp("Educació FÍSICA")), FoldCase(Cp("EDUCACIÓ física")));
}

}  // namespace
}  // namespace velmora

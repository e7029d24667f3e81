#pragma once
// Command lines and how Windows splits them, shared by the portable
// splitter's test and its check against CommandLineToArgvW.

#include <string>
#include <string_view>
#include <vector>

namespace kva::test {

struct ArgsCase {
  const char* name;
  std::u16string_view line;
  std::vector<std::u16string> want;
};

inline const std::vector<ArgsCase>& ArgsCases() {
  static const std::vector<ArgsCase> cases = {
      {"program only", u"tool.exe", {u"tool.exe"}},
      {"blanks between", u"a.exe  b\tc", {u"a.exe", u"b", u"c"}},
      {"trailing blanks", u"a.exe b  ", {u"a.exe", u"b"}},
      {"leading blank gives an empty program", u" a b", {u"", u"a", u"b"}},
      {"quoted program keeps spaces", u"\"C:\\Program Files\\t.exe\" /S",
       {u"C:\\Program Files\\t.exe", u"/S"}},
      {"quoted program ends at its quote", u"\"a b\"c d", {u"a b", u"c", u"d"}},
      {"unclosed quoted program", u"\"a b", {u"a b"}},
      {"program backslashes before a quote are literal", u"C:\\x\\\" y",
       {u"C:\\x\\\"", u"y"}},
      {"quoted argument", u"p \"a b\" c", {u"p", u"a b", u"c"}},
      {"quotes inside an argument", u"p a\"b c\"d", {u"p", u"ab cd"}},
      {"escaped quote", u"p a\\\"b", {u"p", u"a\"b"}},
      {"two backslashes and a quote", u"p a\\\\\"b c\"", {u"p", u"a\\b c"}},
      {"three backslashes and a quote", u"p a\\\\\\\"b", {u"p", u"a\\\"b"}},
      {"backslashes not before a quote", u"p C:\\a\\\\b\\", {u"p", u"C:\\a\\\\b\\"}},
      {"doubled quote inside quotes: a quote, then unquoted", u"p \"a\"\"b\" c", {u"p", u"a\"b c"}},
      {"tripled quote inside quotes", u"p \"a\"\"\"b c", {u"p", u"a\"b c"}},
      {"empty quoted argument", u"p \"\" x", {u"p", u"", u"x"}},
      {"unclosed quote runs to the end", u"p \"a b", {u"p", u"a b"}},
      {"regedit switch and file", u"regedit /s fix", {u"regedit", u"/s", u"fix"}},
      {"rundll32 entry point", u"rundll32.exe shell32.dll,Control_RunDLL desk.cpl",
       {u"rundll32.exe", u"shell32.dll,Control_RunDLL", u"desk.cpl"}},
  };
  return cases;
}

}  // namespace kva::test

#pragma once
// The fixture programs built with the tests (tests/operations/CMakeLists.txt),
// as Windows paths: kva_sleeper (Sleeper.cpp) and kva_fake7za (Fake7za.cpp)
// document their command lines at their top.

#include <string>
#include <string_view>

namespace kva::test {

inline std::u16string BuiltProgramPath(std::string_view built) {
  std::u16string path(built.begin(), built.end());  // the build tree's path is ASCII
  for (auto& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

inline std::u16string SleeperPath() { return BuiltProgramPath(KVA_SLEEPER_EXE); }
inline std::u16string Fake7zaPath() { return BuiltProgramPath(KVA_FAKE7ZA_EXE); }

}  // namespace kva::test

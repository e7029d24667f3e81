// The fixture programs do what the launching tests rely on.
#include "operations/win32/FixturePrograms.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "operations/SevenZipCommand.h"
#include "platform/Text.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::test {
namespace {

using win32::UniqueKernelHandle;
using win32::Wide;

// Bounds on waiting for a fixture, so that a broken one fails the test
// rather than hanging it; not a measure of speed.
constexpr DWORD kPatienceMs = 60000;

struct Ended {
  DWORD processId = 0;
  DWORD exitCode = 0;
};

std::optional<Ended> RunToEnd(std::u16string_view commandLine) {
  std::wstring line = Wide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started)) {
    return std::nullopt;
  }
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  Ended ended{started.dwProcessId};
  if (::WaitForSingleObject(process.Get(), kPatienceMs) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process.Get(), &ended.exitCode)) {
    return std::nullopt;
  }
  return ended;
}

std::optional<std::string> ReadText(const std::u16string& path) {
  std::ifstream in(Wide(path).c_str(), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// For files written by processes nothing here can wait for.
std::optional<std::string> AwaitText(const std::u16string& path) {
  for (DWORD waitedMs = 0; waitedMs < kPatienceMs; waitedMs += 50) {
    if (auto text = ReadText(path)) return text;
    ::Sleep(50);
  }
  return std::nullopt;
}

// A fresh folder in the temporary folder, emptied and removed at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::u16string_view name) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = win32::FromWide(temp) + u"kva_" + std::u16string(name) + u"_" +
            ToDecimal(::GetCurrentProcessId());
    ::CreateDirectoryW(Wide(path_).c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAW found{};
    const win32::UniqueFindHandle find(::FindFirstFileW(Wide(path_ + u"\\*").c_str(), &found));
    for (bool more = find.IsValid(); more; more = ::FindNextFileW(find.Get(), &found)) {
      ::DeleteFileW(Wide(path_ + u"\\" + win32::FromWide(found.cFileName)).c_str());
    }
    ::RemoveDirectoryW(Wide(path_).c_str());
  }
  [[nodiscard]] std::u16string operator/(std::u16string_view name) const {
    return path_ + u"\\" + std::u16string(name);
  }

 private:
  std::u16string path_;
};

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

TEST(FixturePrograms, SleeperExitsWithTheCodeAndWritesItsMarker) {
  const ScratchFolder scratch(u"sleeper");
  const auto marker = scratch / u"done marker.txt";
  const auto ended =
      RunToEnd(Quoted(SleeperPath()) + u" --sleep-ms 10 --exit 7 --marker " + Quoted(marker));
  ASSERT_TRUE(ended.has_value());
  EXPECT_EQ(ended->exitCode, 7u);
  EXPECT_EQ(ReadText(marker), std::to_string(ended->processId));
}

TEST(FixturePrograms, SleeperLeavesChildrenAndRestartedCopiesRunning) {
  const ScratchFolder scratch(u"sleeper_tree");
  const auto parent = scratch / u"parent";
  const auto ended = RunToEnd(Quoted(SleeperPath()) +
                              u" --children 2 --child-sleep-ms 200 --marker " + Quoted(parent));
  ASSERT_TRUE(ended.has_value());
  EXPECT_EQ(ended->exitCode, 0u);
  for (auto child : {u"parent.1", u"parent.2"}) {
    const auto childId = AwaitText(scratch / child);
    ASSERT_TRUE(childId.has_value()) << Utf16ToUtf8(child);
    EXPECT_NE(*childId, std::to_string(ended->processId));
  }

  const auto copy = scratch / u"copy";
  const auto restarted =
      RunToEnd(Quoted(SleeperPath()) + u" --restart --exit 5 --marker " + Quoted(copy));
  ASSERT_TRUE(restarted.has_value());
  EXPECT_EQ(restarted->exitCode, 0u);
  const auto copyId = AwaitText(copy);
  ASSERT_TRUE(copyId.has_value());
  EXPECT_NE(*copyId, std::to_string(restarted->processId));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(FixturePrograms, Fake7zaRecordsArgumentsAs7zaSplitsThem) {
  const ScratchFolder scratch(u"fake7za");
  const auto log = scratch / u"7za.log";
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_LOG", Wide(log).c_str());
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_EXIT", L"3");
  const std::u16string archive = u"C:\\My Tools\\a b.zip";
  const std::u16string destination = u"C:\\My Tools\\a b";
  const auto command = SevenZipExtractCommand(Fake7zaPath(), archive, destination, u"pass word");
  ASSERT_TRUE(command.has_value());
  const auto ended = RunToEnd(*command);
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_LOG", nullptr);
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_EXIT", nullptr);

  ASSERT_TRUE(ended.has_value());
  EXPECT_EQ(ended->exitCode, 3u);
  const auto record = ReadText(log);
  ASSERT_TRUE(record.has_value());
  const std::vector<std::string> want = {
      Utf16ToUtf8(*command), Utf16ToUtf8(Fake7zaPath()), "x", "-y", "-r",
      Utf16ToUtf8(archive), "-o" + Utf16ToUtf8(destination), "-ppass word"};
  EXPECT_EQ(Lines(*record), want);
}

}  // namespace
}  // namespace kva::test

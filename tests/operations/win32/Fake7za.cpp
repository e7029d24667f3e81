// kva_fake7za: stands in for 7-Zip's 7za.exe in the tests. It extracts
// nothing; it records how it was called and exits with a chosen code.
//
// The record goes to the file named by KVA_FAKE7ZA_LOG, else to
// kva_fake7za.log beside the program, replacing an older one: UTF-8 lines
// ending in LF, first the raw command line (GetCommandLineW), then one line
// per argument as 7za splits that line, the program's own name first.
// 7za's splitting: blanks and tabs outside quotes separate arguments, and a
// double quote switches quoting on or off and is dropped; nothing escapes.
//
// Exit code: KVA_FAKE7ZA_EXIT in decimal, 0 when unset; 250 when the record
// cannot be written.
#include <windows.h>

#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/UniqueHandle.h"

namespace {

constexpr int kFailed = 250;

std::vector<std::wstring> SplitAs7za(std::wstring_view line) {
  std::vector<std::wstring> parts;
  std::wstring part;
  bool quoted = false;
  bool inPart = false;
  for (wchar_t c : line) {
    if ((c == L' ' || c == L'\t') && !quoted) {
      if (inPart) parts.push_back(std::move(part));
      part.clear();
      inPart = false;
      continue;
    }
    inPart = true;
    if (c == L'"') {
      quoted = !quoted;
    } else {
      part += c;
    }
  }
  if (inPart) parts.push_back(std::move(part));
  return parts;
}

std::wstring Variable(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
  return value;
}

std::wstring LogPath() {
  std::wstring path = Variable(L"KVA_FAKE7ZA_LOG");
  if (!path.empty()) return path;
  path.assign(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"kva_fake7za.log";
}

std::string Utf8(std::wstring_view text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
  return bytes;
}

bool WriteRecord(const std::wstring& path, const std::string& record) {
  const kva::win32::UniqueKernelHandle file(::CreateFileW(
      path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file.IsValid() &&
         ::WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written,
                     nullptr) &&
         written == record.size();
}

}  // namespace

int wmain(int, wchar_t**) {
  const std::wstring_view line = ::GetCommandLineW();
  std::string record = Utf8(line) + "\n";
  for (const auto& part : SplitAs7za(line)) record += Utf8(part) + "\n";
  if (!WriteRecord(LogPath(), record)) return kFailed;
  const std::wstring code = Variable(L"KVA_FAKE7ZA_EXIT");
  return code.empty() ? 0 : static_cast<int>(std::wcstol(code.c_str(), nullptr, 10));
}

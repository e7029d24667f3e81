#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "platform/Text.h"
#include "platform/Wildcard.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

// ReadFile and WriteFile move at most a DWORD at a time.
constexpr std::size_t kChunkBytes = 1u << 30;

// Where the folders below the root start: after "C:\" or "\\server\share\".
std::size_t RootLength(std::u16string_view full) {
  if (!full.starts_with(u"\\\\")) return std::min<std::size_t>(3, full.size());
  std::size_t pos = full.find(u'\\', 2);                            // after the server
  pos = pos == kNpos ? kNpos : full.find(u'\\', pos + 1);           // after the share
  return pos == kNpos ? full.size() : pos + 1;
}

std::u16string FullPath(std::u16string_view path) {
  const std::wstring wide = Wide(path);
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return {};
  return FromWide(full.data(), length);
}

// Owner Administrators; full control for Administrators and SYSTEM, passed
// on to what a folder holds.
constexpr const wchar_t* kFullAccessForAdministrators =
    L"O:BAD:(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";

bool IsDotEntry(const wchar_t* name) {
  return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

}  // namespace

std::uint32_t Win32FileSystem::Attributes(std::u16string_view path) {
  return ::GetFileAttributesW(Wide(path).c_str());
}

bool Win32FileSystem::SetAttributes(std::u16string_view path, std::uint32_t attributes) {
  attributes &= ~attr::kDirectory;  // not an attribute one can set
  return ::SetFileAttributesW(Wide(path).c_str(), attributes ? attributes : attr::kNormal);
}

bool Win32FileSystem::SizeOf(std::u16string_view path, std::uint64_t& sizeBytes) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return false;
  sizeBytes = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

// One CreateDirectoryW per missing level, on the full path so that
// relative paths, "..", and forward slashes work as everywhere else.
bool Win32FileSystem::CreateFolders(std::u16string_view path) {
  const std::u16string full = FullPath(path);
  if (full.empty()) return false;
  for (std::size_t pos = RootLength(full); pos <= full.size(); ++pos) {
    if (pos < full.size() && full[pos] != u'\\') continue;
    if (full[pos - 1] == u'\\') continue;
    ::CreateDirectoryW(Wide(std::u16string_view(full).substr(0, pos)).c_str(), nullptr);
  }
  return IsFolder(*this, full);
}

bool Win32FileSystem::RemoveFolder(std::u16string_view path) {
  return ::RemoveDirectoryW(Wide(path).c_str());
}

namespace {

UniqueKernelHandle OpenForReading(std::u16string_view path) {
  return UniqueKernelHandle(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool ReadExactly(HANDLE file, std::uint8_t* data, std::size_t count) {
  for (std::size_t done = 0; done < count;) {
    const auto want = static_cast<DWORD>(std::min(kChunkBytes, count - done));
    DWORD got = 0;
    if (!::ReadFile(file, data + done, want, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

bool WriteExactly(HANDLE file, std::span<const std::uint8_t> bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const auto want = static_cast<DWORD>(std::min(kChunkBytes, bytes.size() - done));
    DWORD put = 0;
    if (!::WriteFile(file, bytes.data() + done, want, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return true;
}

}  // namespace

bool Win32FileSystem::ReadAll(std::u16string_view path, std::vector<std::uint8_t>& out) {
  const UniqueKernelHandle file = OpenForReading(path);
  LARGE_INTEGER size;
  if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size)) return false;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  if (!ReadExactly(file.Get(), bytes.data(), bytes.size())) return false;
  out = std::move(bytes);
  return true;
}

bool Win32FileSystem::ReadRange(std::u16string_view path, std::uint64_t offsetBytes,
                                std::size_t countBytes, std::vector<std::uint8_t>& out) {
  const UniqueKernelHandle file = OpenForReading(path);
  LARGE_INTEGER size;
  if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size)) return false;
  const auto total = static_cast<std::uint64_t>(size.QuadPart);
  const std::uint64_t from = std::min(offsetBytes, total);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(countBytes, total - from)));
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(from);
  if (!::SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) ||
      !ReadExactly(file.Get(), bytes.data(), bytes.size())) {
    return false;
  }
  out = std::move(bytes);
  return true;
}

// Readers (a browser showing the report) may keep the file open meanwhile.
bool Win32FileSystem::WriteAt(std::u16string_view path, std::uint64_t offsetBytes,
                              std::span<const std::uint8_t> bytes) {
  UniqueKernelHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size, position;
  if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size) ||
      offsetBytes > static_cast<std::uint64_t>(size.QuadPart)) {
    return false;
  }
  position.QuadPart = static_cast<LONGLONG>(offsetBytes);
  return ::SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) &&
         WriteExactly(file.Get(), bytes);
}

bool Win32FileSystem::CreationTimeOf(std::u16string_view path, LocalTime& out) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  SYSTEMTIME time;
  if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
      !::FileTimeToSystemTime(&data.ftCreationTime, &time)) {
    return false;
  }
  out = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
         time.wMilliseconds};
  return true;
}

// CREATE_ALWAYS refuses a hidden or system file unless asked for the same
// attributes, so they are passed on. Flushed, so that a file written
// before a replacing move is on disk when the move lands.
bool Win32FileSystem::WriteAll(std::u16string_view path, std::span<const std::uint8_t> bytes) {
  const std::wstring wide = Wide(path);
  const DWORD existing = ::GetFileAttributesW(wide.c_str());
  DWORD keep = existing == INVALID_FILE_ATTRIBUTES
                   ? 0
                   : existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  UniqueKernelHandle file(::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        keep ? keep : FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsValid() && WriteExactly(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
}

bool Win32FileSystem::CopyTo(std::u16string_view from, std::u16string_view to, bool overwrite) {
  return ::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), !overwrite);
}

bool Win32FileSystem::MoveTo(std::u16string_view from, std::u16string_view to, bool replace) {
  const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH : 0;
  return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), flags);
}

bool Win32FileSystem::RemoveFile(std::u16string_view path) {
  return ::DeleteFileW(Wide(path).c_str());
}

bool Win32FileSystem::TakeOwnershipAndGrantFullAccess(std::u16string_view path) {
  UniqueLocalMemory descriptor;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
          kFullAccessForAdministrators, SDDL_REVISION_1,
          reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.Receive()), nullptr)) {
    return false;
  }
  // Two steps: the take-ownership privilege opens the item for a new owner
  // only, and the new owner may then write the access list.
  const std::wstring wide = Wide(path);
  return ::SetFileSecurityW(wide.c_str(), OWNER_SECURITY_INFORMATION, descriptor.Get()) &&
         ::SetFileSecurityW(wide.c_str(), DACL_SECURITY_INFORMATION, descriptor.Get());
}

bool Win32FileSystem::RemoveAtRestart(std::u16string_view path) {
  return ::MoveFileExW(Wide(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void Win32FileSystem::NotifyShellOfRemoval(std::u16string_view path, bool wasFolder) {
  ::SHChangeNotify(wasFolder ? SHCNE_RMDIR : SHCNE_DELETE, SHCNF_PATHW, Wide(path).c_str(),
                   nullptr);
}

// The folder is listed whole and matched here: FindFirstFileW would also
// match the 8.3 short names, and Wine matches '?' differently.
std::vector<FoundFile> Win32FileSystem::Find(std::u16string_view pattern) {
  const auto [folder, name] = SplitPattern(pattern);
  std::vector<FoundFile> found;
  if (name.empty()) return found;
  WIN32_FIND_DATAW data;
  UniqueFindHandle find(
      ::FindFirstFileW(Wide(std::u16string(folder) + u"*").c_str(), &data));
  if (!find.IsValid()) return found;
  do {
    if (IsDotEntry(data.cFileName)) continue;
    std::u16string entry = FromWide(data.cFileName);
    if (!MatchesWildcard(entry, name)) continue;
    const std::uint64_t size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    found.push_back({std::move(entry), data.dwFileAttributes, size});
  } while (::FindNextFileW(find.Get(), &data));
  std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
    const int order = CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  return found;
}

std::optional<std::u16string> Win32FileSystem::FindOnPath(std::u16string_view name) {
  // The call writes the found path into the name's buffer of MAX_PATH; a
  // NUL inside would look up a shorter name.
  if (name.size() >= MAX_PATH || name.find(u'\0') != name.npos) return std::nullopt;
  wchar_t buffer[MAX_PATH] = {};
  std::copy(name.begin(), name.end(), buffer);
  if (!::PathFindOnPathW(buffer, nullptr)) return std::nullopt;
  return FromWide(buffer);
}

bool Win32FileSystem::SetCurrentFolder(std::u16string_view path) {
  return ::SetCurrentDirectoryW(Wide(path).c_str());
}

std::u16string Win32FileSystem::CurrentFolder() {
  const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring buffer(needed, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(needed, buffer.data());
  if (length == 0 || length >= needed) return {};
  return FromWide(buffer.data(), length);
}

}  // namespace kva::win32

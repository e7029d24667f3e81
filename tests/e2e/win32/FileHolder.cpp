// kva_file_holder: holds a file open as another program would, reading
// allowed to others, writing, deleting and replacing refused, for a number
// of seconds. Prints "holding" once the file is open.
//
//   kva_file_holder <file> <seconds>
//
// Exit code 0 after the time, 1 when the file cannot be opened, 2 for a bad
// command line.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kva_file_holder <file> <seconds>\n");
    return 2;
  }
  HANDLE file = ::CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot open the file: error %lu\n", ::GetLastError());
    return 1;
  }
  std::printf("holding\n");
  std::fflush(stdout);
  ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) * 1000);
  ::CloseHandle(file);
  return 0;
}

#include "app/win32/Win32Interaction.h"

#include "platform/win32/WideText.h"

namespace kva::win32 {

int Win32Interaction::ShowMessage(std::u16string_view text, unsigned typeBits) {
  const bool question = typeBits & msg::kQuestion;
  const UINT style = question ? (MB_YESNO | MB_ICONQUESTION) : (MB_OK | MB_ICONINFORMATION);
  const int pressed = ::MessageBoxW(shell_.MainWindow(), Wide(text).c_str(), L"Kelvara", style | MB_SETFOREGROUND);
  if (!question) return msg::kOk;
  return pressed == IDYES ? msg::kYes : msg::kNo;
}

}  // namespace kva::win32

#include "ui/NewPcWindow.h"

#include <objbase.h>

#include <atomic>
#include <functional>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/IniFile.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Crypto.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Wmi.h"
#include "platform/win32/WideText.h"
#include "reporting/ClientName.h"
#include "reporting/ReportStore.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kClass[] = L"KVA_REPORT_WND";
constexpr wchar_t kMessageBoxClass[] = L"_WINDOW_MsgBoxClass";
constexpr std::u16string_view kNever = u" Never warn me about this PC again.";
constexpr std::u16string_view kDisable = u" Disable the creation of HTML reports.";

const NewPcQuestion kQuestion{u"Dell Inc. OptiPlex 7010", {u"Acme", u"Beta"}};

HWND ClientBox(HWND window) { return ::FindWindowExW(window, nullptr, L"ComboBox", nullptr); }

void Type(HWND window, std::u16string_view name) {
  ::SetWindowTextW(ClientBox(window), win32::Wide(name).c_str());
}

using NewPcWindowTest = GuiTest;

TEST_F(NewPcWindowTest, AnswersAClientNoReportOrNothing) {
  struct Case {
    const char* name;
    std::function<void(HWND)> step;
    std::optional<NewPcAnswer> want;
  };
  const Case cases[] = {
      {"typed name, cleaned",
       [](HWND w) {
         Type(w, u"Acme: Main/Branch");
         ClickOn(w, u"Apply");
       },
       NewPcAnswer{NewPcAnswer::Kind::kClient, u"Acme MainBranch", false, false}},
      {"never on this PC",
       [](HWND w) {
         ClickOn(w, kNever);
         ClickOn(w, u"Apply");
       },
       NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, true, false}},
      {"both boxes",
       [](HWND w) {
         ClickOn(w, kNever);
         ClickOn(w, kDisable);
         ClickOn(w, u"Apply");
       },
       NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, true, true}},
      {"Cancel", [](HWND w) { ClickOn(w, u"Cancel"); }, std::nullopt},
      {"Escape", [](HWND w) { PressKey(w, VK_ESCAPE); }, std::nullopt},
      {"closed", [](HWND w) { ::PostMessageW(w, WM_CLOSE, 0, 0); }, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowDriver driver(kClass, c.step);
    const auto answer = ShowNewPcWindow(kit_, nullptr, kQuestion);
    EXPECT_TRUE(driver.Ran());
    ASSERT_EQ(answer.has_value(), c.want.has_value());
    if (!answer) continue;
    EXPECT_EQ(answer->kind, c.want->kind);
    EXPECT_EQ(answer->clientName, c.want->clientName);
    EXPECT_EQ(answer->neverOnThisPc, c.want->neverOnThisPc);
    EXPECT_EQ(answer->disableReports, c.want->disableReports);
  }
}

// The message box comes up inside the window's loop; the window stays.
TEST_F(NewPcWindowTest, AnInvalidNameIsRefusedAndTheWindowStaysOpen) {
  WindowDriver window(kClass, [](HWND w) {
    Type(w, u"\\/:*?\"<>|");
    ClickOn(w, u"Apply");
  });
  bool stayed = false;
  WindowDriver box(kMessageBoxClass, [&](HWND b) {
    EXPECT_NE(FindChild(b, kInvalidClientName), nullptr);
    HWND newPc = ::FindWindowW(kClass, nullptr);
    stayed = newPc && ::IsWindowVisible(newPc);
    PressKey(b, VK_ESCAPE);
    if (newPc) {
      Type(newPc, u"Beta");
      ClickOn(newPc, u"Apply");
    }
  });
  const auto answer = ShowNewPcWindow(kit_, nullptr, kQuestion);
  EXPECT_TRUE(box.Ran());
  EXPECT_TRUE(stayed);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->clientName, u"Beta");
}

TEST_F(NewPcWindowTest, ShowsItsTextsTheClientsAndTips) {
  WindowDriver driver(kClass, [&](HWND window) {
    EXPECT_EQ(Utf16ToUtf8(TextOf(window)), "New PC detected");
    RECT r;
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 577);
    for (std::u16string_view text : std::initializer_list<std::u16string_view>{
             u"This PC is not currently managed by the reporting system.", u"Dell Inc. OptiPlex 7010",
          u"Please enter the client name to associate this PC with:",
          u"Don't want to ever generate reports in this PC?",
          u"You don't use professional HTML reports?", kNever, kDisable}) {
      EXPECT_NE(FindChild(window, text), nullptr) << Utf16ToUtf8(text);
    }
    HWND clients = ClientBox(window);
    ASSERT_NE(clients, nullptr);
    EXPECT_EQ(::SendMessageW(clients, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Utf16ToUtf8(TipOf(window, FindChild(window, u"Apply"))),
              "Update reporting information for this PC");
    EXPECT_EQ(Utf16ToUtf8(TipOf(window, FindChild(window, u"Cancel"))),
              "Cancel updating reporting information for this PC");
    EXPECT_TRUE(SaveScreenshot(window, L"new_pc"));
    PressKey(window, VK_ESCAPE);
  });
  ShowNewPcWindow(kit_, nullptr, kQuestion);
  EXPECT_TRUE(driver.Ran());
}

class NoResources final : public Resources {
 public:
  std::span<const std::uint8_t> Rcdata(int) override { return {}; }
  std::span<const std::uint8_t> Image(int) override { return {}; }
};

// The whole start on Windows' own services: WMI (whose serials are all
// placeholders under Wine, so the MachineGuid names the PC), CryptoAPI,
// the file system and the window.
class ReportStartTest : public GuiTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    store_ = win32::FromWide(temp) + u"kva_report_store_" + ToDecimal(::GetCurrentProcessId());
  }
  void TearDown() override {
    RemoveStore(store_);
    ::CoUninitialize();
  }
  void RemoveStore(const std::u16string& folder) {
    for (const auto& found : files_.Find(folder + u"\\*")) {
      const auto path = folder + u"\\" + found.name;
      if (found.attributes & attr::kDirectory) {
        RemoveStore(path);
      } else {
        (void)files_.RemoveFile(path);
      }
    }
    (void)files_.RemoveFolder(folder);
  }
  StartReportResult Start(const NewPcPrompt& prompt) {
    return StartReport(ports_, store_, u"Kelvara", prompt, session_);
  }
  std::u16string Mapping() {
    std::vector<std::uint8_t> bytes;
    if (!files_.ReadAll(store_ + u"\\mapping.ini", bytes)) return u"(missing)";
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return u"(no UTF-16LE mark)";
    return IniFile::Parse(bytes).ReadString(Fingerprint(), u"ClientName").value_or(u"(no client)");
  }
  std::u16string Fingerprint() const {
    const auto& path = session_.currentReportPath;
    const auto folder = FolderOf(path);
    return std::u16string(folder.substr(folder.rfind(u'\\') + 1));
  }

  win32::Win32FileSystem files_;
  win32::Win32Clock clock_;
  win32::Win32Registry registry_;
  win32::Win32Wmi wmi_{u"ROOT\\CIMV2"};
  win32::Win32Crypto crypto_;
  NoResources resources_;
  ReportPorts ports_{files_, clock_, resources_, wmi_, crypto_, registry_};
  ReportSession session_;
  std::u16string store_;
};

TEST_F(ReportStartTest, AnInteractiveStartAsksAndFilesTheReportUnderTheClient) {
  const NewPcPrompt prompt = [&](const NewPcQuestion& question) {
    return ShowNewPcWindow(kit_, nullptr, question);
  };
  WindowDriver driver(kClass, [](HWND w) {
    Type(w, u"Acme: Main");
    ClickOn(w, u"Apply");
  });
  ASSERT_TRUE(Start(prompt).started);
  EXPECT_TRUE(driver.Ran());
  ASSERT_EQ(Fingerprint().size(), 32u);
  EXPECT_EQ(Mapping(), u"Acme Main");
  EXPECT_EQ(FolderOf(FolderOf(session_.currentReportPath)), store_ + u"\\Acme Main");
  EXPECT_TRUE(Exists(files_, session_.currentReportPath));
  EXPECT_GT(AppendReportEntry(files_, clock_, session_, u"Run tool: ", u"Autoruns", u"Success: ok"), 0u);

  session_ = {};
  ASSERT_TRUE(Start(prompt).started) << "known now: no window";
  EXPECT_EQ(FolderOf(FolderOf(session_.currentReportPath)), store_ + u"\\Acme Main");
}

TEST_F(ReportStartTest, AQuietStartFilesUnderUnassignedWithoutAClientInTheMap) {
  ASSERT_TRUE(Start(nullptr).started);
  EXPECT_EQ(FolderOf(FolderOf(session_.currentReportPath)), store_ + u"\\Unassigned");
  EXPECT_EQ(Mapping(), u"(missing)");
}

}  // namespace
}  // namespace kva::ui::test

#include "downloads/ActionDownloads.h"

#include <vector>

#include "downloads/DownloadFixture.h"
#include "fakes/FakeEnvironment.h"

namespace kva::test {
namespace {

class RecordingControl final : public ActionControl {
 public:
  void SetStatus(std::u16string_view text) override { statuses.emplace_back(text); }
  void Output(std::u16string_view text) override { output += text; }
  bool PollCancel(unsigned) override {
    std::this_thread::yield();
    return ++polls > cancelAfterPolls;
  }

  std::vector<std::u16string> statuses;
  std::u16string output;
  int polls = 0;
  int cancelAfterPolls = 1 << 30;
};

class ActionDownloadTest : public DownloadFixture {
 protected:
  ActionDownloadTest() {
    environment.SetVariable(u"ToolsDir", u"C:\\Tools");
    files.WriteText(kTarget, "MZ previous copy");
  }
  int Download(std::u16string_view url) {
    return ActionDownload(services, environment, control, u"%ToolsDir%\\tool.exe", url, u"");
  }

  FakeEnvironment environment;
  RecordingControl control;
};

TEST_F(ActionDownloadTest, AValidDownloadReplacesThePreviousCopy) {
  network.Serve(u"http://h.test/tool.exe", FakeNetwork::Ok("MZ new program"));
  EXPECT_EQ(Download(u"http://h.test/tool.exe"), action_download::kDownloaded);
  EXPECT_EQ(Target(), "MZ new program");
  EXPECT_FALSE(Exists(files, u"C:\\Tools\\tool.exe.tempbk"));
  ASSERT_FALSE(control.statuses.empty());
  EXPECT_EQ(control.statuses.front(), u"Updating tool.exe (0%)...");
  EXPECT_EQ(control.statuses.back(), u"Updating tool.exe (100%)...");
}

TEST_F(ActionDownloadTest, EveryOtherOutcomePutsThePreviousCopyBack) {
  FakeResponse notFound = FakeNetwork::Ok("<html>Not found</html>");
  notFound.status = 404;
  FakeResponse drip;
  drip.endless = true;
  network.Serve(u"http://h.test/page.exe", FakeNetwork::Ok("<html>Please log in</html>"));
  network.Serve(u"http://h.test/same.exe", FakeNetwork::Ok("MZ same   length"));  // 16 bytes
  network.Serve(u"http://h.test/missing.exe", notFound);
  network.Serve(u"http://h.test/slow.exe", drip);
  struct Case {
    const char* name;
    std::u16string_view url;
    int cancelAfterPolls;
    int want;
  } cases[] = {
      {"HTML instead of a program", u"http://h.test/page.exe", 1 << 30, action_download::kRefused},
      {"already up to date", u"http://h.test/same.exe", 1 << 30, action_download::kUpToDate},
      {"not found", u"http://h.test/missing.exe", 1 << 30, action_download::kFailed},
      {"cancelled", u"http://h.test/slow.exe", 3, action_download::kFailed},
      {"no page URL", u"h:", 1 << 30, action_download::kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    control.polls = 0;
    control.cancelAfterPolls = c.cancelAfterPolls;
    EXPECT_EQ(Download(c.url), c.want);
    EXPECT_EQ(Target(), "MZ previous copy");
    EXPECT_FALSE(Exists(files, u"C:\\Tools\\tool.exe.tempbk"));
  }
}

TEST_F(ActionDownloadTest, AFolderInTheWayIsRefused) {
  files.CreateFolders(u"C:\\Tools\\folder.exe");
  EXPECT_EQ(ActionDownload(services, environment, control, u"C:\\Tools\\folder.exe",
                           u"http://h.test/tool.exe", u""),
            action_download::kRefused);
  EXPECT_TRUE(network.Requests().empty());
}

class FakeExtraction final : public RunningExtraction {
 public:
  explicit FakeExtraction(std::optional<int>& exitCode, bool& terminated)
      : exitCode_(exitCode), terminated_(terminated) {}
  std::optional<int> ExitCode() override { return exitCode_; }
  void Terminate() override { terminated_ = true; }

 private:
  std::optional<int>& exitCode_;
  bool& terminated_;
};

class FakeExtractor final : public ActionExtractor {
 public:
  bool Available() override { return available; }
  std::unique_ptr<RunningExtraction> Start(std::u16string_view, std::u16string_view) override {
    return std::make_unique<FakeExtraction>(exitCode, terminated);
  }
  void AnnounceFolder(std::u16string_view folder) override { announced = folder; }

  bool available = true;
  std::optional<int> exitCode;
  bool terminated = false;
  std::u16string announced;
};

TEST(ActionUncompressTest, ReportsExtractionFailureAndCancellation) {
  struct Case {
    const char* name;
    bool available;
    std::optional<int> exitCode;  // empty: it never ends
    int want;
  } cases[] = {
      {"extracted", true, 0, action_uncompress::kExtracted},
      {"extractor failed", true, 2, action_uncompress::kFailed},
      {"no extractor", false, 0, action_uncompress::kFailed},
      {"cancelled", true, std::nullopt, action_uncompress::kCancelled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingControl control;
    control.cancelAfterPolls = 5;
    FakeExtractor extractor;
    extractor.available = c.available;
    extractor.exitCode = c.exitCode;
    EXPECT_EQ(ActionUncompress(control, extractor, u"C:\\T\\a.zip", u"C:\\T\\a"), c.want);
    EXPECT_EQ(extractor.terminated, c.want == action_uncompress::kCancelled);
    EXPECT_EQ(extractor.announced, c.want == action_uncompress::kExtracted ? u"C:\\T\\a" : u"");
    EXPECT_EQ(control.output, c.available ? u"Uncompressing archive:\r\nC:\\T\\a.zip" : u"");
  }
}

}  // namespace
}  // namespace kva::test

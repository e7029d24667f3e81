#include "platform/ProcessControl.h"

#include <gtest/gtest.h>

#include "fakes/FakeClock.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeProcesses.h"

namespace kva {
namespace {

class ProcessControlTest : public ::testing::Test {
 protected:
  ProcessId Running(std::u16string path, ProcessId parent = 0) {
    return processes.Add({.parentId = parent, .imagePath = std::move(path), .roundsLeft = -1});
  }

  FakeProcesses processes;
  FakeDesktop desktop;
  FakeClock clock;
  ProcessControl control{processes, desktop, clock, u"C:\\Windows"};
};

TEST_F(ProcessControlTest, LivenessAndImagePaths) {
  const ProcessId tool = Running(u"C:\\Tools\\tool.exe");
  const ProcessId gone = Running(u"C:\\Tools\\gone.exe");
  processes.End(gone);
  EXPECT_TRUE(control.IsProcessAlive(4));  // System, which cannot be opened
  EXPECT_FALSE(control.IsProcessAlive(0));
  EXPECT_FALSE(control.IsProcessAlive(3));
  EXPECT_TRUE(control.IsProcessAlive(tool));
  EXPECT_FALSE(control.IsProcessAlive(gone));

  struct Case {
    std::u16string reported, want;
  };
  const Case cases[] = {
      {u"\\SystemRoot\\System32\\smss.exe", u"C:\\Windows\\System32\\smss.exe"},
      {u"\\systemroot\\explorer.exe", u"C:\\Windows\\explorer.exe"},
      {u"\\??\\C:\\Windows\\System32\\csrss.exe", u"C:\\Windows\\System32\\csrss.exe"},
      {u"\\\\server\\share\\tool.exe", u"\\\\server\\share\\tool.exe"},
      {u"C:\\Tools\\tool.exe", u"C:\\Tools\\tool.exe"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(control.GetProcessImagePath(Running(c.reported)), c.want);
  }
  EXPECT_FALSE(control.GetProcessImagePath(gone).has_value());
}

TEST_F(ProcessControlTest, FindsAndCountsByPathAndName) {
  const ProcessId first = Running(u"C:\\Tools\\tool.exe");
  Running(u"C:\\Other\\tool.exe");
  const ProcessId last = Running(u"c:\\tools\\TOOL.EXE");
  EXPECT_EQ(control.FindProcessByPath(u"C:\\Tools\\tool.exe", PathMatch::kFirst), first);
  EXPECT_EQ(control.FindProcessByPath(u"C:\\Tools\\tool.exe", PathMatch::kLast), last);
  EXPECT_EQ(control.FindProcessByPath(u"C:\\Tools\\tool.exe", PathMatch::kCount), 2u);
  EXPECT_EQ(control.FindProcessByPath(u"C:\\Tools\\none.exe", PathMatch::kFirst), 0u);
  EXPECT_EQ(control.CountProcessesNamed(u"Tool.exe"), 3u);
  EXPECT_EQ(control.CloseProcessesByName(u"tool.exe"), 3u);
  EXPECT_EQ(control.CountProcessesNamed(u"tool.exe"), 0u);
}

TEST_F(ProcessControlTest, KillingUnderAFolderNeverTakesAWholeDrive) {
  const ProcessId inside = Running(u"C:\\Kit\\Kelvara tools\\scan\\scan.exe");
  const ProcessId beside = Running(u"C:\\Kit\\Kelvara tools2\\other.exe");
  const ProcessId system = Running(u"C:\\Windows\\explorer.exe");
  for (const std::u16string_view root :
       {u"", u"  ", u"C:", u"C:\\", u"\\", u"\\\\server\\share", u"\\\\server\\share\\"}) {
    EXPECT_EQ(control.KillProcessesUnderFolder(root), 0u) << std::string(root.begin(), root.end());
  }
  EXPECT_TRUE(control.IsProcessAlive(system));
  EXPECT_EQ(control.KillProcessesUnderFolder(u"C:\\Kit\\Kelvara tools"), 1u);
  EXPECT_FALSE(control.IsProcessAlive(inside));
  EXPECT_TRUE(control.IsProcessAlive(beside));
}

TEST_F(ProcessControlTest, ForceCloseDestroysWindowsThenTerminatesThenEndsThreads) {
  const ProcessId plain = Running(u"C:\\a.exe");
  const ProcessId stubborn = Running(u"C:\\b.exe");
  processes.Find(stubborn)->refusesTermination = true;
  desktop.windows = {{11, plain, true, false}, {12, stubborn, true, false}, {13, 99, true, false}};
  EXPECT_TRUE(control.ForceCloseProcess(plain));
  EXPECT_TRUE(control.ForceCloseProcess(stubborn));
  EXPECT_EQ(desktop.destroyed, (std::vector<WindowId>{11, 12}));
  // Already gone: nothing is terminated, and that is success.
  EXPECT_TRUE(control.ForceCloseProcess(plain));
  EXPECT_TRUE(control.ForceCloseProcess(7777));
}

TEST_F(ProcessControlTest, TreesGrowByChildrenAndShrinkByEndings) {
  const ProcessId parent = Running(u"C:\\setup.exe");
  // The snapshot lists the grandchild before its parent.
  const ProcessId grandchild = processes.Add(
      {.id = 3000, .parentId = 2000, .imagePath = u"C:\\t\\msi.exe", .roundsLeft = -1});
  const ProcessId child = processes.Add(
      {.id = 2000, .parentId = parent, .imagePath = u"C:\\t\\unpack.exe", .roundsLeft = -1});
  Running(u"C:\\stranger.exe", 4);  // children of System never join a tree
  desktop.windows = {{21, parent, false, false}, {22, grandchild, true, true}};

  ProcessIdList tree(parent);
  EXPECT_EQ(control.FindProcessTreeWindow(tree), 22u);
  EXPECT_EQ(tree.Size(), 3u);
  EXPECT_TRUE(tree.Contains(child) && tree.Contains(grandchild));

  processes.End(parent);
  processes.End(child);
  EXPECT_TRUE(control.AnyProcessAlive(tree));
  EXPECT_EQ(tree.Size(), 1u);
  processes.End(grandchild);
  EXPECT_FALSE(control.AnyProcessAlive(tree));
  EXPECT_TRUE(tree.Empty());
}

TEST_F(ProcessControlTest, ATreeHoldsAtMostAHundredAndNeverTheSystemIds) {
  ProcessIdList tree;
  EXPECT_TRUE(tree.Add(0));
  EXPECT_TRUE(tree.Add(4));
  EXPECT_TRUE(tree.Empty());
  for (ProcessId id = 100; id < 100 + ProcessIdList::kCapacity; ++id) EXPECT_TRUE(tree.Add(id));
  EXPECT_FALSE(tree.Add(5000));
  EXPECT_TRUE(tree.Add(100));  // already a member
}

TEST_F(ProcessControlTest, WindowsOfAProcess) {
  const ProcessId tool = Running(u"C:\\tool.exe");
  desktop.windows = {{31, tool, false, false}, {32, tool, true, false}, {33, tool, true, true}};
  EXPECT_EQ(control.FindProcessWindow(tool, false), 32u);
  EXPECT_EQ(control.FindProcessWindow(tool, true), 33u);
  EXPECT_EQ(control.FindProcessWindow(4242, false), kNoWindow);
}

}  // namespace
}  // namespace kva

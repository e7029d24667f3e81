#pragma once
// A small Windows installation on the fake file system, with the search
// path, %ComSpec% and an App Paths entry, for the resolvers' tests.

#include <gtest/gtest.h>

#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "platform/CommandResolver.h"
#include "platform/RegistryAccess.h"

namespace kva::test {

class CommandResolverFixture : public ::testing::Test {
 protected:
  CommandResolverFixture() {
    for (auto file : {u"C:\\Windows\\notepad.exe", u"C:\\Windows\\regedit.exe",
                      u"C:\\Windows\\System32\\cmd.exe", u"C:\\Windows\\System32\\rundll32.exe",
                      u"C:\\Windows\\System32\\shell32.dll", u"C:\\Windows\\System32\\desk.cpl",
                      u"C:\\Windows\\System32\\setup.bat", u"C:\\Fixes\\fix.reg",
                      u"C:\\Program Files\\Tool\\tool.exe", u"C:\\Tools\\Scan v2.1\\scan.exe",
                      u"C:\\Tools\\Scan v2.0\\scan.exe", u"C:\\Tools\\old.com",
                      u"C:\\Apps\\Editor\\edit.exe", u"C:\\Tools\\Linked v9\\scan.exe"}) {
      files.WriteText(file, "x");
    }
    files.MarkReparsePoint(u"C:\\Tools\\Linked v9");
    files.CreateFolders(u"C:\\Tools\\Empty");
    // Rooted paths must not find C: through the current drive.
    files.AddDrive(u'D');
    files.SetCurrentFolder(u"D:\\");
    files.searchFolders = {u"C:\\Windows\\System32", u"C:\\Windows", u"C:\\Fixes"};
    environment.SetVariable(u"ComSpec", u"C:\\Windows\\System32\\cmd.exe");
    environment.SetVariable(u"SystemRoot", u"C:\\Windows");
    environment.SetVariable(u"ProgramFiles", u"C:\\Program Files");
    EXPECT_TRUE(WriteStringAt(
        registry, u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\edit.exe", u"",
        reg::kSz, u"\"C:\\Apps\\Editor\\edit.exe\""));
  }

  FakeFileSystem files;
  FakeEnvironment environment;
  FakeRegistry registry;
  CommandResolver resolver{files, environment, registry};
  SystemFolders folders{u"C:", u"C:\\Windows", u"C:\\Windows\\System32"};
};

// One resolution: the text in, and what it becomes (the text itself when it fails).
struct ResolveCase {
  const char* name;
  std::u16string text;
  bool resolves;
  std::u16string want;
};

}  // namespace kva::test

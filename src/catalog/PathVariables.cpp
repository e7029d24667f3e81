#include "catalog/PathVariables.h"

#include <array>

#include "platform/Environment.h"
#include "platform/Text.h"

namespace kva {
namespace {

struct Publication {
  std::u16string_view name;
  std::u16string PathVariables::*value;
};

constexpr std::array<Publication, 8> kPublications = {{
    {u"ToolsDir", &PathVariables::toolsDir},
    {u"SystemDir", &PathVariables::systemDir},
    {u"SysWowDir", &PathVariables::sysWowDir},
    {u"Desktop", &PathVariables::desktop},
    {u"PublicDesktop", &PathVariables::publicDesktop},
    {u"MyDocs", &PathVariables::myDocs},
    {u"CommonDocs", &PathVariables::commonDocs},
    {u"LocalAppData", &PathVariables::localAppData},
}};

struct Collapse {
  std::u16string folder;
  std::u16string_view variable;
};

// folder starts path and ends where a path component ends.
bool StartsWithFolder(std::u16string_view path, std::u16string_view folder) {
  if (folder.empty() || !StartsWithNoCase(path, folder)) return false;
  return path.size() == folder.size() || path[folder.size()] == u'\\' ||
         folder.back() == u'\\';
}

// PathUnExpandEnvStringsW replaces any matching prefix, also one that ends
// inside a name ("%ProgramFiles%2" for C:\Program Files2).
bool VariableEndsAtBoundary(std::u16string_view collapsed) {
  const auto close = collapsed.find(u'%', 1);
  return close != std::u16string_view::npos &&
         (close + 1 == collapsed.size() || collapsed[close + 1] == u'\\');
}

std::u16string Below(std::u16string_view folder, std::u16string_view child) {
  if (folder.empty()) return {};
  return std::u16string(TrimRight(folder, u"\\")) + std::u16string(child);
}

// The order matters where folders nest: the tools folder may lie under
// Program Files or on the desktop. The user folders are the values their
// variables expand to (the local application data too is the console
// user's), so that expanding a collapsed path gives the path back.
std::array<Collapse, 11> CollapseSteps(Environment& environment, const PathVariables& variables) {
  const auto programFiles = environment.Folder(KnownFolder::ProgramFiles);
  const auto windows = environment.Folder(KnownFolder::Windows);
  return {{
      {variables.toolsDir, u"%ToolsDir%"},
      {Below(programFiles, u"\\"), u"%ProgramFiles%\\"},
      {environment.Folder(KnownFolder::ProgramFilesX86), u"%ProgramFiles(x86)%"},
      {programFiles, u"%ProgramFiles%"},
      {Below(windows, u"\\System32"), u"%SystemDir%"},
      {Below(windows, u"\\SysWOW64"), u"%SysWOWDir%"},
      {variables.desktop, u"%Desktop%"},
      {variables.publicDesktop, u"%PublicDesktop%"},
      {variables.myDocs, u"%MyDocs%"},
      {variables.commonDocs, u"%CommonDocs%"},
      {variables.localAppData, u"%LocalAppData%"},
  }};
}

}  // namespace

PathVariables ComputePathVariables(Environment& environment, std::u16string_view toolsDir) {
  PathVariables v;
  v.toolsDir = std::u16string(toolsDir);
  v.systemDir = environment.Folder(KnownFolder::System);
  v.sysWowDir = environment.Folder(KnownFolder::SystemX86);
  v.desktop = environment.Folder(KnownFolder::Desktop, FolderOwner::ConsoleUser);
  v.publicDesktop = environment.Folder(KnownFolder::CommonDesktop);
  v.myDocs = environment.Folder(KnownFolder::Documents, FolderOwner::Process);
  v.commonDocs = environment.Folder(KnownFolder::CommonDocuments);
  v.localAppData = environment.Folder(KnownFolder::LocalAppData, FolderOwner::ConsoleUser);
  return v;
}

bool PublishPathVariables(Environment& environment, const PathVariables& variables) {
  bool ok = true;
  for (const auto& publication : kPublications) {
    const auto& value = variables.*publication.value;
    if (!value.empty()) ok = environment.SetVariable(publication.name, value) && ok;
  }
  return ok;
}

std::u16string ExpandPath(Environment& environment, std::u16string_view text) {
  auto expanded = environment.Expand(text);
  return expanded ? std::move(*expanded) : std::u16string(text);
}

std::u16string CollapsePath(Environment& environment, const PathVariables& variables,
                            std::u16string_view path) {
  for (const auto& step : CollapseSteps(environment, variables)) {
    if (!StartsWithFolder(path, step.folder)) continue;
    return std::u16string(step.variable) + std::u16string(path.substr(step.folder.size()));
  }
  if (path.find(u'%') != std::u16string_view::npos) return std::u16string(path);
  auto unexpanded = environment.Unexpand(path);
  if (!unexpanded || !VariableEndsAtBoundary(*unexpanded)) return std::u16string(path);
  return std::move(*unexpanded);
}

}  // namespace kva

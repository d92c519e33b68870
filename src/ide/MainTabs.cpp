#include "ide/MainTabs.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "project/KXProject.h"

namespace zemblo {

std::vector<std::string> BuildTabList(TKXProject& project) {
  std::string fileName = project.INI.GetValue("RunTime.FileName");
  if (fileName.empty()) return {"Projects"};
  std::string folder = project.INI.GetValue("RunTime.PrjPath");
  std::vector<std::string> list;
  auto has = [&](const std::string& s) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& x) { return SameText(x, s); });
  };
  const TXMLNode* root = project.XML.Root.get();
  for (const auto& e : ListFolder(folder, "*.php")) {
    if (e.IsDir) continue;
    std::string id = ChangeFileExt(e.Name, "");
    if (root && root->FindChild("WINDOW", id)) list.push_back(id);
    list.push_back(e.Name);
  }
  if (root)
    for (const auto& c : root->Children)
      if (SameText(c->Name, "WINDOW") && !has(c->GetAttribute("id"))) list.push_back(c->GetAttribute("id"));
  auto main = std::find_if(list.begin(), list.end(), [](const std::string& s) { return SameText(s, "Main.php"); });
  if (main != list.end()) list.erase(main);
  std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  std::vector<std::string> tabs{"Projects", ExtractFileName(fileName), "Main.php"};
  tabs.insert(tabs.end(), list.begin(), list.end());
  return tabs;
}

TTabKind TabKindOf(const std::string& caption, const TKXProject& project) {
  if (SameText(caption, "Projects")) return TTabKind::Welcome;
  std::string ext = ExtractFileExt(caption);
  if (SameText(ext, ".kxp")) return TTabKind::Project;
  if (SameText(ext, ".php")) return TTabKind::Script;
  return project.HasWindow(caption) ? TTabKind::Window : TTabKind::Project;
}

std::string EditorPosKey(const std::string& fileName) { return "Editor.Files." + ExtractFileName(fileName); }

}  // namespace zemblo

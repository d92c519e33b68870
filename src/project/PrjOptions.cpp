#include "project/PrjOptions.h"

#include "platform/Text.h"
#include "project/KXProject.h"

namespace zemblo {

TPrjOptions::TPrjOptions(TKXProject& project) : project_(project) {
  AddOption("Project description", "Project.Description");
  AddOption("", "");
  AddOption("Version major", "Version.Major");
  AddOption("Version minor", "Version.Minor");
  AddOption("Version build", "Version.Build");
  AddOption("Version stage", "Version.Stage");
  AddOption("", "");
  AddOption("Project Title", "Project.Title");
  AddOption("Produced exe-file", "Build.ExeName");
  AddOption("", "");
  AddOption("Run parameters", "Run.Parameters");
  AddOption("", "");
  AddOption("Author name", "Authorship.Name");
  AddOption("Author e-mail", "Authorship.EMail");
  AddOption("Author company", "Authorship.Company");
  AddOption("Author homepage", "Authorship.HomePage");
  AddOption("Author comments", "Authorship.Comments");
}

std::vector<std::string> TPrjOptions::OptionRows() {
  std::vector<std::string> rows;
  for (const auto& o : Options) {
    if (o.Label.empty() && o.Key.empty()) rows.push_back(" =");
    else rows.push_back(o.Label + "=" + project_.INI.GetValue(o.Key));
  }
  return rows;
}

void TPrjOptions::ShowOptions() {
  std::vector<std::string> rows = OptionRows();
  if (Grid) Grid->SetRows(rows);
}

void TPrjOptions::ApplyRow() {
  if (!Grid) return;
  std::string name = Grid->CurrentName();
  if (Trim(name).empty()) return;
  std::string value = Grid->ValueOf(name);
  for (const auto& o : Options)
    if (o.Label == name) project_.INI.SetValue(o.Key, value);
  project_.Save();
  ShowOptions();
}

}  // namespace zemblo

// The project options shown on the project page: which project-file keys the user edits,
// under which labels, in which order.
#pragma once

#include <string>
#include <vector>

namespace zemblo {

class TKXProject;

// The two-column name/value grid the options fill ("Option" / "Value").
class IOptionsGrid {
 public:
  virtual ~IOptionsGrid() = default;
  // Replaces every row; each text is "name=value" (a separator is " =").
  virtual void SetRows(const std::vector<std::string>& rows) = 0;
  // The name (left column) of the current row, as shown.
  virtual std::string CurrentName() = 0;
  // The value of the first row with this name.
  virtual std::string ValueOf(const std::string& name) = 0;
};

class TPrjOptions {
 public:
  struct TOption {
    std::string Label;  // empty with an empty key: a separator
    std::string Key;
  };

  explicit TPrjOptions(TKXProject& project);

  std::vector<TOption> Options;
  IOptionsGrid* Grid = nullptr;  // not owned

  void AddOption(const std::string& label, const std::string& key) { Options.push_back({label, key}); }
  // The grid rows for the open project's settings (reading adds missing keys, empty).
  std::vector<std::string> OptionRows();
  // Fills the grid.
  void ShowOptions();
  // Stores the current row's value under its key, saves the project, shows the options
  // again. A separator row does nothing.
  void ApplyRow();

 private:
  TKXProject& project_;
};

}  // namespace zemblo

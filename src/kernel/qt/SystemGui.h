// The GUI side of the system functions: the folder picker and freeing every window.
#pragma once

#include "kernel/SysFuncs.h"

namespace zemblo {

class TQtSystemGui : public ISystemGui {
 public:
  std::string BrowseForFolder(const std::string& startFolder) override;
  void FreeAllForms() override;
};

}  // namespace zemblo

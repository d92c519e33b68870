// The holder of the one project object.
#pragma once

#include <memory>

#include "project/KXProject.h"

namespace zemblo {

class TAppObjects {
 public:
  TAppObjects() : Project(std::make_unique<TKXProject>()) {}
  std::unique_ptr<TKXProject> Project;  // never replaced while the program runs
};

}  // namespace zemblo

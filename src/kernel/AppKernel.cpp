#include "kernel/AppKernel.h"

#include "kernel/AppObjects.h"
#include "kernel/SysFuncs.h"
#include "kernel/VantrelINI.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "project/AppLogic.h"
#include "project/PostInstall.h"

namespace zemblo {

TSystemFunctions* SystemFunctions = nullptr;
TVantrelINI* IDESettings = nullptr;
TAppObjects* AppObjects = nullptr;
TAppLogic* AppLogic = nullptr;

namespace {
TFirstRunHook g_firstRun = &InstallSamples;

// A settings file that cannot be written (a full disk) must not stop the program from
// starting or ending; the previous file stays as it was.
void SaveSettings() {
  try {
    IDESettings->SaveToFile(SettingsFileName());
  } catch (const Exception&) {
  }
}
}  // namespace

void SetFirstRunHook(TFirstRunHook hook) { g_firstRun = hook; }

std::string SettingsFileName() { return ChangeFileExt(SystemFunctions->GetExeName(), ".ini"); }

TVantrelINI& ProjectINI() { return AppObjects->Project->INI; }

void KernelStart() {
  if (!SystemFunctions) SystemFunctions = new TSystemFunctions();
  IDESettings = new TVantrelINI();
  try {
    IDESettings->LoadFromFile(SettingsFileName());
  } catch (const Exception&) {
    // No settings yet: start empty; the file is written below.
  }
  AppObjects = new TAppObjects();
  AppLogic = new TAppLogic();
  if (IDESettings->GetBool("Init.Requires") && g_firstRun) g_firstRun();
  IDESettings->SetBool("Init.Requires", false);
  SaveSettings();
  AppLogic->OpenLastProject();
}

void KernelStop() {
  SystemFunctions->FreeAllForms();
  delete AppObjects;
  AppObjects = nullptr;
  delete AppLogic;
  AppLogic = nullptr;
  SaveSettings();
  delete IDESettings;
  IDESettings = nullptr;
  delete SystemFunctions;
  SystemFunctions = nullptr;
}

}  // namespace zemblo

// The process-wide objects, valid between KernelStart and KernelStop, and the two calls that
// bring them up before the GUI exists and take them down after it has gone.
#pragma once

#include <string>

namespace zemblo {

class TSystemFunctions;
class TVantrelINI;
class TAppObjects;
class TAppLogic;

extern TSystemFunctions* SystemFunctions;
extern TVantrelINI* IDESettings;
extern TAppObjects* AppObjects;
extern TAppLogic* AppLogic;

// Creates the objects, loads the settings file, unpacks the samples when asked to, saves the
// settings file and reopens the last project.
void KernelStart();
// Frees every window and the objects, saving the settings file on the way.
void KernelStop();
// The open project's settings store.
TVantrelINI& ProjectINI();
// The settings file: the executable's path with ".ini".
std::string SettingsFileName();

// Called at step 4 of KernelStart when "Init.Requires" is set: InstallSamples unless a test
// puts something else (or nothing) here.
using TFirstRunHook = void (*)();
void SetFirstRunHook(TFirstRunHook hook);

}  // namespace zemblo

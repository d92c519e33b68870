// The running program and the programs it starts.
#pragma once

#include <cstdint>
#include <string>

namespace zemblo {

// Full path of the running executable.
std::string GetExePath();

// Starts `program` with `parameters` (split at blanks; empty gives no arguments) in the
// folder `workDir`, then blocks until it ends, looking every 30 ms; nothing else runs on the
// calling thread meanwhile. Returns the exit status, or -1 when the program could not be
// started (then it returns at once).
int RunAndWait(const std::string& program, const std::string& parameters, const std::string& workDir);

uint32_t CurrentProcessId();
uint32_t CurrentThreadId();

}  // namespace zemblo

// The program's own module as the host reports it.
#pragma once

#include <string>

namespace host {

// The running executable's real path; empty when it cannot be read.
std::string ExecutablePath();

// From now on GetModuleFileNameW reports the program as lying in `folder`, so
// that the program resolves its panel list and panels there (-c FILE and the
// config folder).
void ReportProgramFolder(const std::string& folder);

}  // namespace host

// Fontconfig, for the faces that the font match cache does not know. The
// library is loaded (dlopen) and its configuration read when the first such
// face is asked for, so a start that the cache serves loads neither.
#pragma once

#include <string>
#include <vector>

#include "platform/host/gdi/FontMatchCache.h"

namespace host::gdi {

// The installed face nearest to `request`; fontconfig falls back on the
// default sans face for names it does not know. An empty path when
// fontconfig cannot be loaded or matches nothing.
FaceFile MatchWithFontConfig(const FaceRequest& request);

// The files and folders whose change can change fontconfig's answers: its
// configuration files and their folders, the user's configuration places
// (present or not), the font folders and the library itself.
std::vector<std::string> FontConfigWitnesses();

// The fingerprint of the environment variables that steer fontconfig's
// choice (its own, the home and XDG folders, the language).
std::string FontConfigEnvironment();

// Frees fontconfig's configuration (some hundred kilobytes); a later match
// reads it again.
void ReleaseFontConfig();

}  // namespace host::gdi

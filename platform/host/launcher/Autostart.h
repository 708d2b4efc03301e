// --autostart on|off: the XDG autostart entry ($XDG_CONFIG_HOME/autostart/
// ostrevia.desktop) that starts the program at login, with the panel list
// given by -c when there was one.
#pragma once

#include <string>

namespace host {

// The entry's text: `program` started with `-c list` (both absolute; `list`
// may be empty), quoted as the desktop entry rules ask.
std::string AutostartEntry(const std::string& program, const std::string& list);

// Writes the entry into `autostartFolder` (made when missing; an entry that is
// there is replaced whole) or removes it. `message` tells the user what was
// done; false with `error` one line naming the file.
bool SetAutostart(bool on, const std::string& autostartFolder, const std::string& program, const std::string& list,
                  std::string& message, std::string& error);

}  // namespace host

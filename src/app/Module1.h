// The start-up procedure: runs once when the process starts, before any window exists, and shows
// the first window. Whether a password has been set is told by the password key's existence
// alone: without it the first-run password dialog asks for one, with it the login dialog does.
#pragma once

#include <string>
#include <vector>

namespace app {

// `paths`: what the program was started with, as the system gives it (a file or folder from
// Explorer's context menu, a file manager's action or a shell). They change nothing here: the
// main window takes the first once a password has let the user in. A start without them is the
// program as it always was.
void Main(const std::vector<std::string>& paths = {});

}  // namespace app

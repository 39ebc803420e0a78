// The start-up procedure: runs once when the process starts, before any window exists, and shows
// the first window. Whether a password has been set is told by the password key's existence
// alone: without it the first-run password dialog asks for one, with it the login dialog does.
#pragma once

namespace app {

void Main();

}  // namespace app

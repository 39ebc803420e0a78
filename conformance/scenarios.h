// The one scenario list both runners run: the five registry calls on HKEY_LOCAL_MACHINE with
// every result path, and moves of files and folders with the path rules they go through.
#pragma once

#include "session.h"

namespace conformance {

// Runs every scenario in order on a fresh machine (one whose HKLM has no Software\Conformance,
// with drive C and the extra drives the moves use: D on another host file system than C, E on
// the same one, R a drive that is not ready, Q none at all).
void RunScenarios(Session& session);

}  // namespace conformance

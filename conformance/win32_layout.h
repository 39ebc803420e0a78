// Laying out a case on disk and reading it back through the Win32 API, as both runners under
// Wine do: the reference runner, and the one of our platform layer built for Windows. Paths are
// UTF-8 and taken literally, without the path rules under test.
#pragma once

#include <string>
#include <vector>

namespace conformance::win32_layout {

void MakeFolder(const std::string& path);
void MakeFile(const std::string& path, const std::string& content);
std::vector<std::string> ListTree(const std::string& folder);

// UTF-8 and the ANSI code page, which the A calls take.
std::string ToAnsi(const std::string& utf8);

// What a runner does before its first line: lines end in "\n" alone, as the other runners', and
// a drive that is not ready answers with an error, not a dialog.
void PrepareProcess();

}  // namespace conformance::win32_layout

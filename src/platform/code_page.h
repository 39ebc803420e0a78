// The system's single-byte (ANSI) code page: Windows-1252, converted by the system on Windows
// and through iconv on Linux.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 to Windows-1252. A character the code page cannot represent becomes '?', one per
// character, as Windows' own conversion does; so does a byte sequence that is not UTF-8.
std::string ToAnsi(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to the C1 control
// characters of the same value, as Windows maps them.
std::string FromAnsi(std::string_view ansi);

// Whether every character of a UTF-8 text has a Windows-1252 code.
bool RepresentableInAnsi(std::string_view utf8);

}  // namespace platform

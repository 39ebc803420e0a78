// The password store. The password itself is never kept: only its check value, the residue sum
// of its characters written in upper-case hexadecimal without leading zeros, stored as the
// default value of the password key HKEY_LOCAL_MACHINE\Software\Tessarn. The key's existence
// alone means that a password has been set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace password {

inline constexpr const char* kPasswordKey = "Software\\Tessarn";

// The residue of one character code: floor((c/30 - trunc(c/30)) * 30) with every step an IEEE
// double. Not c mod 30: for 93 of the codes 0-255 it is one less (r(65) = 4).
int Residue(std::int16_t code);

// The check value of a password given as UTF-8 text; its characters count by their ANSI codes.
// Nothing when the password overflows the 16-bit design: more than 32,767 characters, or a
// residue sum that leaves -32,768..32,767. Such a password must be refused, never stored.
std::optional<std::string> ComputeCheckValue(std::string_view password);

// The stored check value, or the empty text when none can be read. Never reads more than the
// 200-character buffer, whatever the stored value's length; a longer value reads as empty.
std::string ReadStoredCheckValue();

// Equal ignoring letter case.
bool CheckValuesMatch(std::string_view stored, std::string_view computed);

// Sets the password key's default value, creating the key when it is missing. Throws
// platform::WindowsError when the registry refuses the write, so that no dialog reports a
// password as set or changed while the old state stays in force.
void StoreCheckValue(std::string_view check_value);

}  // namespace password

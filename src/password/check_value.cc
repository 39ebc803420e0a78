#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "password/password_store.h"

namespace password {

namespace {

// The character count and the running sum are 16-bit quantities of the check value; a password
// beyond them has no check value, and the dialogs refuse it.
constexpr std::size_t kMaxCharacters = std::numeric_limits<std::int16_t>::max();

std::string Hex(int sum) {
    // A negative sum shows as its 16-bit two's complement, four digits.
    unsigned value = static_cast<std::uint16_t>(sum);
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

}  // namespace

int Residue(std::int16_t code) {
    // Each step is rounded to a double before the next, as every stored check value was
    // computed; integer arithmetic would give c mod 30 and change 93 of the 256 residues.
    const double c = code;
    const double q = c / 30.0;
    const double f = q - std::trunc(q);
    const double m = f * 30.0;
    return static_cast<int>(std::floor(m));
}

std::optional<std::string> ComputeCheckValue(std::string_view password) {
    const std::string ansi = platform::ToAnsi(password);
    if (ansi.size() > kMaxCharacters) return std::nullopt;
    int sum = 0;
    for (const char character : ansi) {
        sum += Residue(static_cast<unsigned char>(character));
        if (sum > std::numeric_limits<std::int16_t>::max() ||
            sum < std::numeric_limits<std::int16_t>::min()) {
            return std::nullopt;
        }
    }
    return Hex(sum);
}

}  // namespace password

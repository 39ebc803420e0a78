#include "platform/drives.h"

#include "platform/text_case.h"

namespace platform {

std::string Drive::text() const {
    return std::string{letter, ':'};
}

bool IsHidingPlaceName(std::string_view name) {
    return FoldCase(name) == "recycled";
}

}  // namespace platform

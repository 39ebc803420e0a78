#include "hiding/hidden_name.h"

namespace hiding {

bool IsPlainHiddenName(std::string_view hidden_name) {
    while (!hidden_name.empty() && hidden_name.back() == ' ') hidden_name.remove_suffix(1);
    if (hidden_name.empty() || hidden_name == "." || hidden_name == "..") return false;
    return hidden_name.find_first_of(std::string_view("\\/:\0", 4)) == std::string_view::npos;
}

}  // namespace hiding

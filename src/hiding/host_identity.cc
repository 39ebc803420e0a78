#include "hiding/host_identity.h"

#include <stdlib.h>

#include <memory>
#include <string>

namespace hiding {

std::vector<HostIdentity> FolderAndAbove(const std::filesystem::path& folder) {
    std::vector<HostIdentity> identities;
    const std::unique_ptr<char, decltype(&free)> real(realpath(folder.c_str(), nullptr), &free);
    if (real == nullptr) return identities;
    for (std::string place = real.get();;
         place.resize(std::max<std::size_t>(place.rfind('/'), 1))) {
        struct stat info;
        if (stat(place.c_str(), &info) == 0) identities.push_back(HostIdentity::Of(info));
        if (place == "/") return identities;
    }
}

}  // namespace hiding

#include "platform/posix/lookup_memo.h"

#include <memory>

#include "platform/text_case.h"

namespace platform {
namespace {

thread_local std::unique_ptr<LookupMemo> memo;

void ForgetLocationsIn(const std::filesystem::path& folder) {
    const std::string inside = folder.native() + '/';
    std::erase_if(memo->locations, [&](const auto& entry) {
        return entry.second.host.native().starts_with(inside);
    });
}

}  // namespace

const std::optional<Drive>& LookupMemo::DriveOf(char letter) {
    std::optional<std::optional<Drive>>& known = drives[static_cast<std::size_t>(letter - 'a')];
    if (!known) known = FindDrive(letter);
    return *known;
}

LookupMemo* ActiveLookupMemo() {
    return memo.get();
}

void BeginLookupMemo() {
    memo = std::make_unique<LookupMemo>();
}

void EndLookupMemo() {
    memo.reset();
}

void ForgetLookups() {
    if (!memo) return;
    memo->locations.clear();
    memo->folders_above.clear();
    memo->folded_names.clear();
}

void ForgetLookupsIn(const std::filesystem::path& folder) {
    if (!memo) return;
    memo->folded_names.erase(folder.native());
    ForgetLocationsIn(folder);
}

void NoteMoved(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!memo) return;
    ForgetLookupsIn(from.parent_path());
    ForgetLookupsIn(to.parent_path());
    const std::string inside = from.native() + '/';
    std::erase_if(memo->folded_names, [&](const auto& entry) {
        return entry.first == from.native() || entry.first.starts_with(inside);
    });
    memo->folders_above.clear();
}

void NoteFileCreated(const std::filesystem::path& file) {
    if (!memo) return;
    const std::filesystem::path folder = file.parent_path();
    ForgetLocationsIn(folder);
    const auto names = memo->folded_names.find(folder.native());
    if (names == memo->folded_names.end()) return;
    const std::string name = file.filename().native();
    auto [place, added] = names->second.try_emplace(FoldCase(name), name);
    if (!added && name < place->second) place->second = name;
}

}  // namespace platform

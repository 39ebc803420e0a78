// The hive parser and the five registry calls on a hive file that can hold anything.
//
// An input is a sub-key, a NUL, a value text, a NUL and the hive's text; without the NULs it is
// all hive, and the calls go to the key the password lives in. The promises: the calls never
// crash, overrun a buffer or leak a handle; sizing and reading agree; a hive the program writes
// reads back as written; a hive it cannot read whole is never written over; a value it set reads
// back, and every other key keeps its own.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_machine.h"
#include "platform/posix/registry_hive.h"
#include "platform/registry.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

struct Input {
    std::string sub_key = "Software\\Tessarn";
    std::string value = "16";
    std::string_view hive;
};

Input Split(std::string_view data) {
    Input input;
    const std::size_t first = data.find('\0');
    const std::size_t second = first == std::string_view::npos ? first : data.find('\0', first + 1);
    if (second == std::string_view::npos) {
        input.hive = data;
        return input;
    }
    input.sub_key = data.substr(0, first);
    input.value = data.substr(first + 1, second - first - 1);
    input.hive = data.substr(second + 1);
    return input;
}

std::string HostBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Writing a parsed hive and parsing it again must give the same hive, or every write would
// change (and could lose) what a user keeps beside the program's own key.
void CheckRoundTrip(std::string_view text) {
    const RegistryHive hive = RegistryHive::Parse(text);
    if (!hive.intact()) return;
    const std::string written = hive.Serialize();
    const RegistryHive again = RegistryHive::Parse(written);
    fuzz::Require(again.intact(), "a written hive reads back whole");
    fuzz::Require(again.Serialize() == written, "a written hive reads back as written");
}

// The default value of HKLM\sub_key read in the two steps a caller takes: ask for the size,
// then read into a buffer of exactly that size. Returns the call's result.
LONG QueryExactly(const char* sub_key, std::string* text) {
    LONG size = 0;
    const LONG sized = RegQueryValueA(HKEY_LOCAL_MACHINE, sub_key, nullptr, &size);
    if (sized != ERROR_SUCCESS) return sized;
    fuzz::Require(size >= 1, "a value's size counts its terminator");
    // Exactly the size asked for, so that the sanitizer sees any byte written past it.
    const auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(size));
    LONG declared = size;
    fuzz::Require(
        RegQueryValueA(HKEY_LOCAL_MACHINE, sub_key, buffer.get(), &declared) == ERROR_SUCCESS,
        "a value reads into the size its query gave");
    fuzz::Require(declared == size && buffer[size - 1] == '\0' &&
                      std::strlen(buffer.get()) == static_cast<std::size_t>(size - 1),
                  "a value read is its text and one terminator");
    if (size > 1) {
        const auto short_buffer = std::make_unique<char[]>(static_cast<std::size_t>(size - 1));
        LONG short_size = size - 1;
        fuzz::Require(RegQueryValueA(HKEY_LOCAL_MACHINE, sub_key, short_buffer.get(),
                                     &short_size) == ERROR_MORE_DATA &&
                          short_size == size,
                      "a buffer one byte short is refused with the size needed");
    }
    text->assign(buffer.get(), static_cast<std::size_t>(size - 1));
    return ERROR_SUCCESS;
}

// Splits "a\b" into its names; one trailing backslash is forgiven, as the calls forgive it.
RegistryKeyPath KeyPath(std::string_view root, std::string_view names) {
    RegistryKeyPath path;
    if (!root.empty()) path.emplace_back(root);
    if (names.ends_with('\\')) names.remove_suffix(1);
    while (!names.empty()) {
        const std::size_t slash = names.find('\\');
        path.emplace_back(names.substr(0, slash));
        if (slash == std::string_view::npos) break;
        names.remove_prefix(slash + 1);
    }
    return path;
}

// The keys the hive's section headers name. In a hive read whole, every line in brackets is one.
std::vector<RegistryKeyPath> NamedKeys(std::string_view hive) {
    std::vector<RegistryKeyPath> keys;
    while (!hive.empty()) {
        const std::size_t end = hive.find('\n');
        std::string_view line = hive.substr(0, end);
        hive.remove_prefix(end == std::string_view::npos ? hive.size() : end + 1);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
            line.remove_suffix(1);
        }
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) {
            line.remove_prefix(1);
        }
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            keys.push_back(KeyPath({}, line.substr(1, line.size() - 2)));
        }
    }
    return keys;
}

// Setting one key's value must leave every other key of the hive as it was.
void CheckOthersKept(std::string_view before, std::string_view after, const RegistryKeyPath& set) {
    const RegistryHive old_hive = RegistryHive::Parse(before);
    const RegistryHive new_hive = RegistryHive::Parse(after);
    for (const RegistryKeyPath& key : NamedKeys(before)) {
        if (SameKeyPath(key, set)) continue;
        const RegistryHive::DefaultValue old_value = old_hive.ReadDefault(key);
        const RegistryHive::DefaultValue new_value = new_hive.ReadDefault(key);
        fuzz::Require(new_hive.HasKey(key) && old_value.kind == new_value.kind &&
                          old_value.text == new_value.text,
                      "setting one key's value keeps every other key's");
    }
}

void CheckOpenAndClose(const char* sub_key, bool exists) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyA(HKEY_LOCAL_MACHINE, sub_key, &key);
    if (!exists) {
        fuzz::Require(opened != ERROR_SUCCESS, "a missing key does not open");
        return;
    }
    fuzz::Require(opened == ERROR_SUCCESS, "a key that can be queried opens");
    fuzz::Require(RegCloseKey(key) == ERROR_SUCCESS, "an open key closes");
    if (key != HKEY_LOCAL_MACHINE) {
        fuzz::Require(RegCloseKey(key) == ERROR_INVALID_HANDLE, "a key closes only once");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path hive_file = fuzz::TemporaryMachine() / "system.reg";
    const Input input = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckRoundTrip(input.hive);

    std::error_code ignored;
    if (input.hive.empty()) {
        fs::remove(hive_file, ignored);
    } else {
        fuzz::WriteHostFile(hive_file, input.hive);
    }
    const char* sub_key = input.sub_key.c_str();

    std::string before;
    const LONG queried = QueryExactly(sub_key, &before);
    CheckOpenAndClose(sub_key, queried == ERROR_SUCCESS || queried == ERROR_INVALID_DATA);

    const bool intact = RegistryHive::Parse(input.hive).intact();
    const std::string hive_before = HostBytes(hive_file);
    const LONG set = RegSetValueA(HKEY_LOCAL_MACHINE, sub_key, REG_SZ, input.value.c_str(), 0);
    if (!intact) {
        fuzz::Require(set != ERROR_SUCCESS, "a hive not read whole is not written");
        fuzz::Require(HostBytes(hive_file) == hive_before, "a refused write leaves the hive");
        return 0;
    }
    if (set != ERROR_SUCCESS) return 0;
    std::string after;
    fuzz::Require(QueryExactly(sub_key, &after) == ERROR_SUCCESS,
                  "a key whose value was set can be queried");
    // The value was cut at its first NUL by the call, as a C string is.
    fuzz::Require(after == input.value.c_str(), "a value set reads back");
    const std::string written = HostBytes(hive_file);
    fuzz::Require(RegistryHive::Parse(written).intact(), "a written hive reads back whole");
    CheckOthersKept(input.hive, written, KeyPath("HKEY_LOCAL_MACHINE", input.sub_key));
    CheckOpenAndClose(sub_key, true);

    HKEY created = nullptr;
    const std::string below = input.sub_key + "\\Fuzzed";
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, below.c_str(), &created) == ERROR_SUCCESS) {
        fuzz::Require(RegCloseKey(created) == ERROR_SUCCESS, "a created key closes");
        CheckOpenAndClose(below.c_str(), true);
    }
    return 0;
}

#include "platform_calls.h"

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/windows_error.h"

namespace conformance {
namespace {

platform::HKEY KeyOf(Handle handle) {
    return reinterpret_cast<platform::HKEY>(handle);
}

// RegOpenKeyA or RegCreateKeyA, with the result slot passed through as a number.
template <typename Call>
std::int32_t Opened(Call call, Handle key, const char* sub_key, Handle* result) {
    platform::HKEY opened = result ? KeyOf(*result) : nullptr;
    const auto rc = call(KeyOf(key), sub_key, result ? &opened : nullptr);
    if (result) *result = reinterpret_cast<Handle>(opened);
    return rc;
}

}  // namespace

Handle PlatformCalls::LocalMachine() const {
    return reinterpret_cast<Handle>(platform::HKEY_LOCAL_MACHINE);
}

std::int32_t PlatformCalls::OpenKey(Handle key, const char* sub_key, Handle* result) {
    return Opened(platform::RegOpenKeyA, key, sub_key, result);
}

std::int32_t PlatformCalls::CreateKey(Handle key, const char* sub_key, Handle* result) {
    return Opened(platform::RegCreateKeyA, key, sub_key, result);
}

std::int32_t PlatformCalls::QueryValue(Handle key, const char* sub_key, char* data,
                                       std::int32_t* size) {
    return platform::RegQueryValueA(KeyOf(key), sub_key, data, size);
}

std::int32_t PlatformCalls::SetValue(Handle key, const char* sub_key, std::uint32_t type,
                                     const char* data, std::uint32_t size) {
    return platform::RegSetValueA(KeyOf(key), sub_key, type, data, size);
}

std::int32_t PlatformCalls::CloseKey(Handle key) {
    return platform::RegCloseKey(KeyOf(key));
}

std::int32_t PlatformCalls::Move(const char* from, const char* to) {
    try {
        platform::MoveItem(from, to);
        return 0;
    } catch (const platform::WindowsError& error) {
        return error.code();
    }
}

}  // namespace conformance

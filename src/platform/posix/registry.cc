#include "platform/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/fault_injection.h"
#include "platform/posix/host_error.h"
#include "platform/posix/prefix.h"
#include "platform/posix/registry_hive.h"

namespace platform {

namespace {

constexpr char kRootName[] = "HKEY_LOCAL_MACHINE";
constexpr char kHiveName[] = "system.reg";
constexpr char kLockName[] = ".system.reg.lock";
// Only the holder of the lock writes it, so one fixed name serves; a copy that died mid-write
// leaves it behind, and the next writer truncates it.
constexpr char kNewHiveName[] = ".system.reg.new";
// A write holds the lock for milliseconds; a copy that keeps it for seconds is stuck, and the
// caller gets an error rather than a frozen window.
constexpr std::chrono::seconds kLockPatience{5};

// The open keys of this process. A handle stands for a key path, not for a copy of the key:
// every call reads the hive anew, so a value written by another copy is seen at once.
std::mutex table_mutex;
std::map<std::uintptr_t, RegistryKeyPath> open_keys;
std::uintptr_t next_handle = 0x100;

std::optional<RegistryKeyPath> PathOfHandle(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) return RegistryKeyPath{kRootName};
    const std::lock_guard<std::mutex> guard(table_mutex);
    const auto found = open_keys.find(reinterpret_cast<std::uintptr_t>(key));
    if (found == open_keys.end()) return std::nullopt;
    return found->second;
}

HKEY AddHandle(RegistryKeyPath path) {
    const std::lock_guard<std::mutex> guard(table_mutex);
    const std::uintptr_t handle = next_handle;
    next_handle += 4;  // as Windows hands them out
    open_keys.emplace(handle, std::move(path));
    return reinterpret_cast<HKEY>(handle);
}

// The full path of hKey\lpSubKey.
LONG ResolveKey(HKEY key, LPCSTR sub_key, RegistryKeyPath* path) {
    std::optional<RegistryKeyPath> base = PathOfHandle(key);
    if (!base) return ERROR_INVALID_HANDLE;
    *path = std::move(*base);
    std::string_view rest = sub_key ? sub_key : "";
    // Windows refuses a sub-key that starts at a root ("\Software") but takes a run of
    // backslashes between or after names as one.
    if (rest.starts_with('\\')) return ERROR_BAD_PATHNAME;
    while (true) {
        while (rest.starts_with('\\')) rest.remove_prefix(1);
        if (rest.empty()) return ERROR_SUCCESS;
        const std::size_t slash = rest.find('\\');
        const std::string_view name = rest.substr(0, slash);
        // A line break would end the section header that names the key.
        if (!RegistryHive::Storable(name)) return ERROR_INVALID_NAME;
        path->emplace_back(name);
        if (slash == std::string_view::npos) return ERROR_SUCCESS;
        rest.remove_prefix(slash);
    }
}

// Whether a key exists. Every Windows machine has HKLM\Software from its first start, so it is
// there even in a hive that was never written.
bool KeyExists(const RegistryHive& hive, const RegistryKeyPath& path) {
    static const RegistryKeyPath kSoftware = {kRootName, "Software"};
    return SameKeyPath(path, kSoftware) || hive.HasKey(path);
}

LONG LastError() {
    return WindowsErrorFromErrno(errno);
}

// Every host step of a write asks the fault injector first, so that tests can cut a write short
// at any step and find the old or the new hive whole.
bool Injected() {
    if (!fault_injection::ShouldFail()) return false;
    errno = EIO;
    return true;
}

// A machine whose hive was never written has only its empty roots.
LONG ReadHive(const std::filesystem::path& file, RegistryHive* hive) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) return LastError();
        *hive = RegistryHive();
        return ERROR_SUCCESS;
    }
    std::string text;
    char buffer[8192];
    LONG result = ERROR_SUCCESS;
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) result = LastError();
        if (got <= 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (result == ERROR_SUCCESS) *hive = RegistryHive::Parse(text);
    return result;
}

LONG ReadCurrentHive(RegistryHive* hive) {
    return ReadHive(HiveFile(), hive);
}

// The writers' lock on the sibling lock file, which is never renamed: replacing the hive
// cannot drop it. Readers take none, for a rename replaces the hive whole.
class WriterLock {
  public:
    WriterLock() = default;
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;
    ~WriterLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }

    LONG Acquire(const std::filesystem::path& folder) {
        fd_ = ::open((folder / kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) return LastError();
        const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) return LastError();
            if (std::chrono::steady_clock::now() >= deadline) return ERROR_LOCK_VIOLATION;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return ERROR_SUCCESS;
    }

  private:
    int fd_ = -1;
};

LONG WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = Injected() ? -1 : ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return LastError();
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return ERROR_SUCCESS;
}

LONG SyncFolder(const std::filesystem::path& folder) {
    const int fd = Injected() ? -1 : ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return LastError();
    LONG result = ERROR_SUCCESS;
    if (Injected() || ::fsync(fd) != 0) result = LastError();
    ::close(fd);
    return result;
}

// Writes the new hive completely beside the old one and renames it over, so that a crash at
// any moment leaves the old hive or the new one whole, never a mixture.
LONG ReplaceHive(const std::filesystem::path& folder, std::string_view text) {
    const std::filesystem::path temporary = folder / kNewHiveName;
    const int fd =
        Injected() ? -1 : ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return LastError();
    LONG result = WriteAll(fd, text);
    if (result == ERROR_SUCCESS && (Injected() || ::fsync(fd) != 0)) result = LastError();
    const bool close_injected = Injected();
    if ((::close(fd) != 0 || close_injected) && result == ERROR_SUCCESS) result = LastError();
    // Never rename a file whose flush failed: it may be torn on the disk.
    if (result == ERROR_SUCCESS &&
        (Injected() || std::rename(temporary.c_str(), (folder / kHiveName).c_str()) != 0)) {
        result = LastError();
    }
    if (result != ERROR_SUCCESS) {
        ::unlink(temporary.c_str());
        return result;
    }
    return SyncFolder(folder);
}

// Reads the hive under the writers' lock, lets change() edit it and writes it back.
LONG ChangeHive(const std::function<void(RegistryHive&)>& change) {
    const std::filesystem::path folder = PrefixFolder();
    WriterLock lock;
    LONG result = lock.Acquire(folder);
    if (result != ERROR_SUCCESS) return result;
    RegistryHive hive;
    result = ReadHive(folder / kHiveName, &hive);
    if (result != ERROR_SUCCESS) return result;
    // Writing back what could not be read would drop it; the user must mend the hive first.
    if (!hive.intact()) return ERROR_BADDB;
    change(hive);
    return ReplaceHive(folder, hive.Serialize());
}

// The registry calls return result codes and never throw, as the Win32 calls do.
LONG Guarded(const std::function<LONG()>& call) {
    try {
        return call();
    } catch (const WindowsError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

}  // namespace

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    // An empty sub-key hands back hKey itself, unchecked, as Windows does: the handle is not
    // used here, and a bad one fails at its first use.
    if (!lpSubKey || !*lpSubKey) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    // Windows leaves the result alone for a null key and clears it for every other failure, so
    // a caller that ignores the result code never closes a stale handle.
    if (!hKey) return ERROR_INVALID_HANDLE;
    *phkResult = nullptr;
    return Guarded([&] {
        RegistryKeyPath path;
        const LONG result = ResolveKey(hKey, lpSubKey, &path);
        if (result != ERROR_SUCCESS) return result;
        RegistryHive hive;
        if (const LONG read = ReadCurrentHive(&hive); read != ERROR_SUCCESS) return read;
        if (!KeyExists(hive, path)) return ERROR_FILE_NOT_FOUND;
        *phkResult = AddHandle(std::move(path));
        return ERROR_SUCCESS;
    });
}

LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    if (!hKey) return ERROR_INVALID_HANDLE;
    *phkResult = nullptr;
    return Guarded([&] {
        RegistryKeyPath path;
        LONG result = ResolveKey(hKey, lpSubKey, &path);
        if (result != ERROR_SUCCESS) return result;
        RegistryHive hive;
        result = ReadCurrentHive(&hive);
        if (result != ERROR_SUCCESS) return result;
        // An existing key needs no write, which keeps creating it possible in a hive that holds
        // lines we cannot write back.
        if (!KeyExists(hive, path)) {
            result = ChangeHive([&](RegistryHive& current) { current.CreateKey(path); });
            if (result != ERROR_SUCCESS) return result;
        }
        // Always a handle of its own, even for an empty sub-key: closing it must not close the
        // caller's.
        *phkResult = AddHandle(std::move(path));
        return ERROR_SUCCESS;
    });
}

LONG RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    return Guarded([&] {
        RegistryKeyPath path;
        LONG result = ResolveKey(hKey, lpSubKey, &path);
        if (result != ERROR_SUCCESS) return result;
        RegistryHive hive;
        result = ReadCurrentHive(&hive);
        if (result != ERROR_SUCCESS) return result;
        if (!KeyExists(hive, path)) return ERROR_FILE_NOT_FOUND;
        const RegistryHive::DefaultValue value = hive.ReadDefault(path);
        // This call reads text only; a default of another type is no answer to it.
        if (value.kind == RegistryHive::DefaultKind::kOtherType) return ERROR_INVALID_DATA;
        if (!lpcbData) return ERROR_SUCCESS;
        const LONG needed = static_cast<LONG>(value.text.size() + 1);
        // The size is a byte count, unsigned to Windows: a negative one reads as a large one.
        const auto declared = static_cast<DWORD>(*lpcbData);
        *lpcbData = needed;
        if (!lpData) return ERROR_SUCCESS;
        if (declared < static_cast<DWORD>(needed)) return ERROR_MORE_DATA;
        std::memcpy(lpData, value.text.c_str(), value.text.size() + 1);
        return ERROR_SUCCESS;
    });
}

LONG RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD /*cbData*/) {
    if (dwType != REG_SZ || !lpData) return ERROR_INVALID_PARAMETER;
    return Guarded([&] {
        RegistryKeyPath path;
        const LONG result = ResolveKey(hKey, lpSubKey, &path);
        if (result != ERROR_SUCCESS) return result;
        const std::string_view text = lpData;
        if (!RegistryHive::Storable(text)) return ERROR_INVALID_DATA;
        return ChangeHive([&](RegistryHive& hive) { hive.SetDefault(path, text); });
    });
}

LONG RegCloseKey(HKEY hKey) {
    if (hKey == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    const std::lock_guard<std::mutex> guard(table_mutex);
    return open_keys.erase(reinterpret_cast<std::uintptr_t>(hKey)) == 1 ? ERROR_SUCCESS
                                                                        : ERROR_INVALID_HANDLE;
}

std::filesystem::path HiveFile() {
    return PrefixFolder() / kHiveName;
}

}  // namespace platform

// A file of fixed-size records opened by Windows path, and the atomic replacement of one file by
// another. Every host call here passes through the fault injector (fault_injection.h), so tests
// can fail the Nth file operation and prove that nothing is lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class RandomAccessFile {
  public:
    enum class IfMissing { kCreateEmpty, kFail };

    // Opens for reading and writing. Throws WindowsError whose sentence names the path.
    RandomAccessFile(std::string_view windows_path, IfMissing if_missing);
    RandomAccessFile(RandomAccessFile&& other) noexcept;
    RandomAccessFile& operator=(RandomAccessFile&& other) noexcept;
    RandomAccessFile(const RandomAccessFile&) = delete;
    RandomAccessFile& operator=(const RandomAccessFile&) = delete;
    ~RandomAccessFile();  // closes quietly; call Close() to learn of a failed close

    std::uint64_t Length() const;
    // Reads up to size bytes at offset; returns how many were there (fewer only at the end).
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;
    void WriteAt(std::uint64_t offset, const void* data, std::size_t size);
    void Truncate(std::uint64_t length);
    void Sync();  // flushes the bytes and the length to the medium (fdatasync, FlushFileBuffers)
    void Close();
    const std::string& windows_path() const { return windows_path_; }

  private:
    std::string windows_path_;
    // The open file, as each system holds it (random_access_file.cc of posix/ and win32/); null
    // once closed or moved from.
    struct OpenFile;
    std::unique_ptr<OpenFile> file_;
};

// Replaces target by source with one rename in the same folder, then flushes the folder, so that
// a crash leaves either the old or the new target whole. Throws WindowsError.
void ReplaceFile(std::string_view source, std::string_view target);

// Flushes the folder that holds a file, making a create, rename or delete in it durable.
void SyncFolderOf(std::string_view windows_path);

}  // namespace platform

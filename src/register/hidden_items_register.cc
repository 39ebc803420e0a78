#include "register/hidden_items_register.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "platform/file_system.h"
#include "platform/machine.h"
#include "platform/windows_error.h"

namespace hiding {
namespace {

using platform::RandomAccessFile;
using platform::WindowsError;

constexpr std::size_t kRecordSize = HiddenItemRecord::kSize;
constexpr int kLargestNumber = 32767;

const std::string kRegister = kRegisterPath;
const std::string kTemporary = kTemporaryPath;

// Runs a platform step and, when it fails, tells the user which step of the register failed while
// keeping the system's reason.
template <typename Step>
auto Explained(const std::string& what_failed, Step step) {
    try {
        return step();
    } catch (const WindowsError& error) {
        throw WindowsError(error.code(), what_failed);
    }
}

// The register is used only between Open and Close; past Close there is nothing to read or write.
template <typename OptionalFile>
auto& Opened(OptionalFile& file) {
    if (!file)
        throw WindowsError(platform::ERROR_INVALID_HANDLE,
                           "The register " + kRegister + " is already closed");
    return *file;
}

void CheckPosition(int position, int count) {
    if (position < 0 || position >= count)
        throw WindowsError(platform::ERROR_HANDLE_EOF, "The register " + kRegister +
                                                           " has no record " +
                                                           std::to_string(position + 1) +
                                                           "; it holds " + std::to_string(count));
}

// Bytes the file does not have read as blanks, the way a field's padding reads.
void ReadPadded(const RandomAccessFile& file, std::uint64_t offset, void* buffer,
                std::size_t size) {
    // An empty register reads into no buffer at all, which memset may not be given.
    if (size == 0) return;
    const std::size_t got = Explained("Cannot read the register " + kRegister,
                                      [&] { return file.ReadAt(offset, buffer, size); });
    std::memset(static_cast<char*>(buffer) + got, ' ', size - got);
}

// A register that a 32-bit build of the program left on 64-bit Windows lies where Windows
// redirected that program's writes to the system folder (C:\Windows\SysWOW64). Where this folder
// holds no register, nor a rewrite of one, that one is moved here whole, with one rename on the
// same drive: one register stays the truth, beside its journals and under its lock. Its
// unfinished rewrite, when that is all there is, comes along the same way and is put in place
// below.
void AdoptRedirectedRegister() {
    for (const std::string& path : {kRegister, kTemporary}) {
        const std::optional<std::string> redirected = platform::RedirectedPlaceOf(path);
        if (!redirected || !platform::FileExists(*redirected)) continue;
        Explained("Cannot move " + *redirected + ", left by a 32-bit Tessarn, to " + path, [&] {
            platform::MoveItem(*redirected, path);
            platform::SyncFolderOf(path);
        });
        return;
    }
}

}  // namespace

std::optional<std::int16_t> RecordCountOfLength(std::uint64_t length) {
    // nearbyint rounds in the current mode, which the program never changes from the default
    // round-half-to-even: 600 bytes count as 2 records, and so do 1000.
    const double count = std::nearbyint(static_cast<double>(length) / kRecordSize);
    if (count > kLargestNumber) return std::nullopt;
    return static_cast<std::int16_t>(count);
}

HiddenItemsRegister::HiddenItemsRegister(platform::FileLock lock, RandomAccessFile file)
    : lock_(std::move(lock)), file_(std::move(file)) {}

HiddenItemsRegister HiddenItemsRegister::Open() {
    const std::string cannot_open = "Cannot open the register " + kRegister;
    platform::FileLock lock =
        Explained(cannot_open, [] { return platform::FileLock(kRegisterPath); });

    // A temporary file still here was left by a removal that did not finish. Our removal writes
    // it completely and renames it over the register in one step, never deleting the register
    // first; so beside an existing register it is an unfinished rewrite, and the register is
    // still the truth. Without a register it is a complete rewrite left by a removal that had
    // already deleted the register (as removals once did) and must be put in its place, or every
    // record would be lost.
    bool register_exists = platform::FileExists(kRegisterPath);
    if (!register_exists && !platform::FileExists(kTemporaryPath)) {
        AdoptRedirectedRegister();
        register_exists = platform::FileExists(kRegisterPath);
    }
    if (platform::FileExists(kTemporaryPath)) {
        if (register_exists) {
            Explained("Cannot remove " + kTemporary + ", an unfinished rewrite of the register",
                      [] { platform::DeleteFileAt(kTemporaryPath); });
        } else {
            Explained("Cannot put " + kTemporary + " in place of the missing register " + kRegister,
                      [] { platform::ReplaceFile(kTemporaryPath, kRegisterPath); });
            register_exists = true;
        }
    }

    RandomAccessFile file = Explained(cannot_open, [] {
        return RandomAccessFile(kRegisterPath, RandomAccessFile::IfMissing::kCreateEmpty);
    });
    // A register created now must survive a crash, or the first Hide's record could vanish with it.
    if (!register_exists) Explained(cannot_open, [] { platform::SyncFolderOf(kRegisterPath); });
    return HiddenItemsRegister(std::move(lock), std::move(file));
}

std::int16_t HiddenItemsRegister::RecordCount() const {
    const std::uint64_t length = Explained("Cannot read the length of the register " + kRegister,
                                           [this] { return Opened(file_).Length(); });
    const std::optional<std::int16_t> count = RecordCountOfLength(length);
    if (!count)
        throw WindowsError(platform::ERROR_ARITHMETIC_OVERFLOW,
                           "The register " + kRegister +
                               " holds more records than the program can count (32,767)");
    return *count;
}

void HiddenItemsRegister::WriteRecord(int k, const HiddenItemRecord& record) {
    WriteRecords(k, std::span(&record, 1));
}

void HiddenItemsRegister::WriteRecords(int k, std::span<const HiddenItemRecord> records) {
    const int last = k + static_cast<int>(records.size()) - 1;
    const std::string cannot_write =
        (records.size() == 1
             ? "Cannot write record " + std::to_string(k)
             : "Cannot write records " + std::to_string(k) + " to " + std::to_string(last)) +
        " of the register " + kRegister;
    // A record past 32,767 would make the register uncountable and so unreadable as a whole.
    if (k < 1 || last > kLargestNumber)
        throw WindowsError(platform::ERROR_INVALID_PARAMETER,
                           cannot_write + ", whose records are numbered 1 to 32,767");
    RandomAccessFile& file = Opened(file_);
    const std::uint64_t offset = static_cast<std::uint64_t>(k - 1) * kRecordSize;
    const std::size_t size = records.size() * kRecordSize;
    const std::uint64_t old_length = Explained(cannot_write, [&] { return file.Length(); });
    std::string old_bytes(
        offset < old_length ? std::min<std::uint64_t>(size, old_length - offset) : 0, '\0');
    Explained(cannot_write, [&] {
        if (!old_bytes.empty())
            old_bytes.resize(file.ReadAt(offset, old_bytes.data(), old_bytes.size()));
    });
    try {
        Explained(cannot_write, [&] {
            file.WriteAt(offset, records.data(), size);
            file.Sync();
        });
    } catch (const WindowsError&) {
        // A write whose flush failed may still reach the file. The caller moves the item back
        // out of the hiding place on this failure, so the record must not stay behind to name
        // an item that is no longer hidden: put back what was there, as far as the disk allows.
        try {
            if (!old_bytes.empty()) file.WriteAt(offset, old_bytes.data(), old_bytes.size());
            file.Truncate(old_length);
            file.Sync();
        } catch (const WindowsError&) {
        }
        throw;
    }
}

std::vector<HiddenItemRecord> HiddenItemsRegister::ReadAll() const {
    // A record is its 400 bytes, so the whole register is read in one call straight into place.
    std::vector<HiddenItemRecord> records(RecordCount());
    ReadPadded(Opened(file_), 0, records.data(), records.size() * kRecordSize);
    return records;
}

HiddenItemRecord HiddenItemsRegister::ReadRecordAt(int position) const {
    CheckPosition(position, RecordCount());
    HiddenItemRecord record;
    ReadPadded(Opened(file_), static_cast<std::uint64_t>(position) * kRecordSize, &record,
               kRecordSize);
    return record;
}

void HiddenItemsRegister::RemoveRecordAt(int position) {
    std::vector<HiddenItemRecord> records = ReadAll();
    CheckPosition(position, static_cast<int>(records.size()));
    if (position + 1 == static_cast<int>(records.size())) {
        CutOffLastRecord();
        return;
    }
    records.erase(records.begin() + position);

    // The new register is complete and on the medium before the rename, and the register is
    // never deleted: a failure at any step leaves the old register or the new one whole. A
    // half-written temporary file left behind is discarded by the next Open.
    Explained("Cannot write the rewritten register to " + kTemporary, [&] {
        RandomAccessFile temporary(kTemporaryPath, RandomAccessFile::IfMissing::kCreateEmpty);
        temporary.Truncate(0);
        temporary.WriteAt(0, records.data(), records.size() * kRecordSize);
        temporary.Sync();
        temporary.Close();
    });
    // Windows refuses to rename over a file that is open, so the old register is closed first;
    // the handle then follows the register to its new content.
    Explained("Cannot close the register " + kRegister, [this] {
        RandomAccessFile old = std::move(*file_);
        file_.reset();
        old.Close();
    });
    Explained("Cannot put the rewritten register " + kTemporary + " in place of " + kRegister,
              [] { platform::ReplaceFile(kTemporaryPath, kRegisterPath); });
    file_ = Explained("Cannot open the register " + kRegister, [] {
        return RandomAccessFile(kRegisterPath, RandomAccessFile::IfMissing::kFail);
    });
}

void HiddenItemsRegister::CutOffLastRecord() {
    // The records before the last keep their bytes, and the length is one number that a crash
    // leaves old or new: the register stays whole without a rewrite, which would also cost a
    // second flush, of the folder, and the release of the old register's blocks.
    RandomAccessFile& file = Opened(file_);
    const std::uint64_t length = static_cast<std::uint64_t>(RecordCount() - 1) * kRecordSize;
    Explained("Cannot remove the last record of the register " + kRegister, [&] {
        file.Truncate(length);
        file.Sync();
    });
}

void HiddenItemsRegister::Close() {
    // Declared first so that the lock is released only after the file is closed.
    platform::FileLock lock = std::move(lock_);
    if (!file_) return;
    RandomAccessFile file = std::move(*file_);
    file_.reset();
    Explained("Cannot close the register " + kRegister, [&] { file.Close(); });
}

std::vector<HiddenItemRecord> RecordsOfTheRedirectedRegister() {
    const std::optional<std::string> redirected = platform::RedirectedPlaceOf(kRegisterPath);
    if (!redirected || !platform::FileExists(*redirected)) return {};
    return Explained("Cannot read " + *redirected + ", the register of a 32-bit Tessarn", [&] {
        const RandomAccessFile file(*redirected, RandomAccessFile::IfMissing::kFail);
        const std::uint64_t length = file.Length();
        std::vector<HiddenItemRecord> records(
            RecordCountOfLength(length).value_or(length / kRecordSize));
        ReadPadded(file, 0, records.data(), records.size() * kRecordSize);
        return records;
    });
}

std::vector<HiddenItemRecord> ReadAllRecords() {
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    std::vector<HiddenItemRecord> records = hidden_items.ReadAll();
    hidden_items.Close();
    return records;
}

HiddenItemRecord ReadRecordAt(int position) {
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    HiddenItemRecord record = hidden_items.ReadRecordAt(position);
    hidden_items.Close();
    return record;
}

void RemoveRecordAt(int position) {
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    hidden_items.RemoveRecordAt(position);
    hidden_items.Close();
}

}  // namespace hiding

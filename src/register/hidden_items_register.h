// The hidden-items register: the program's only record of what it has hidden, a file of
// 400-byte records (hidden_item_record.h) with no header, count, terminator or checksum. Record
// k (from 1) occupies bytes (k - 1) * 400 to k * 400 - 1; position p (from 0) is record p + 1.
//
// The register is opened for one operation and closed before it returns. An open register holds
// an exclusive lock (platform/file_lock.h) so that two running copies never interleave a
// read-modify-write; the lock lives on a sibling file and survives the register's replacement.
//
// Every failure throws platform::WindowsError with a sentence naming what failed, the Windows
// path and the system's reason.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_lock.h"
#include "platform/random_access_file.h"
#include "register/hidden_item_record.h"

namespace hiding {

inline constexpr const char* kRegisterFolder = "c:\\windows\\system32";
inline constexpr const char* kRegisterPath = "c:\\windows\\system32\\tessarn.dat";
inline constexpr const char* kTemporaryPath = "c:\\windows\\system32\\temp.dat";

// The record count of a register of `length` bytes: length / 400 in double precision, rounded to
// the nearest whole number with an exact half going to the even one (200 -> 0, 600 -> 2,
// 1000 -> 2, 1400 -> 4). Nothing when that exceeds 32,767.
std::optional<std::int16_t> RecordCountOfLength(std::uint64_t length);

class HiddenItemsRegister {
  public:
    // Takes the lock, takes over a register that a 32-bit build left where 64-bit Windows
    // redirected it when there is none here, settles a temporary file left by an interrupted
    // removal, and opens the register, creating it empty when it is missing.
    static HiddenItemsRegister Open();

    // Throws (ERROR_ARITHMETIC_OVERFLOW) for a register of more than 32,767 records.
    std::int16_t RecordCount() const;
    // Stores the record at number k (from 1); writing past the end extends the file. Flushed to
    // the medium before it returns, since the item is already in the hiding place.
    void WriteRecord(int k, const HiddenItemRecord& record);
    // Stores the records at numbers k, k + 1, ... in one write and one flush; on a failure
    // nothing of them stays.
    void WriteRecords(int k, std::span<const HiddenItemRecord> records);
    // Records 1 to RecordCount in file order; a record cut short by the end of the file reads
    // as blanks where its bytes are missing.
    std::vector<HiddenItemRecord> ReadAll() const;
    // Record p + 1. Throws when there is no such record.
    HiddenItemRecord ReadRecordAt(int position) const;
    // Rewrites the register without record p + 1, through the temporary file: written and
    // flushed completely, renamed over the register in one step, folder flushed. The last
    // record is cut off in place instead, flushed, with the same outcome.
    void RemoveRecordAt(int position);
    void Close();

  private:
    HiddenItemsRegister(platform::FileLock lock, platform::RandomAccessFile file);
    void CutOffLastRecord();
    platform::FileLock lock_;
    std::optional<platform::RandomAccessFile> file_;
};

// The records of a register that a 32-bit build left where 64-bit Windows redirected it and that
// stays there, since this folder holds a register of its own: that program's items, which this
// one leaves to it. None where there is no such register (on Linux, always).
std::vector<HiddenItemRecord> RecordsOfTheRedirectedRegister();

// Each opens the register, does one thing and closes it.
std::vector<HiddenItemRecord> ReadAllRecords();
HiddenItemRecord ReadRecordAt(int position);
void RemoveRecordAt(int position);

}  // namespace hiding

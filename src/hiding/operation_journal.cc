#include "hiding/operation_journal.h"

#include "platform/file_system.h"
#include "platform/random_access_file.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"

namespace hiding {

using platform::RandomAccessFile;

void WriteJournal(Intent intent) {
    intent.kept_in_place = true;
    WriteIntent(kJournalPath, intent);
}

void ClearJournal() {
    try {
        RandomAccessFile journal(kJournalPath, RandomAccessFile::IfMissing::kFail);
        // The length stays: cutting a file to nothing makes ext4 wait about as long as a flush,
        // and the next intent, often of the same length, then changes nothing but bytes.
        const std::string zeros(static_cast<std::size_t>(journal.Length()), '\0');
        journal.WriteAt(0, zeros.data(), zeros.size());
        journal.Close();
    } catch (const platform::WindowsError&) {
    }
}

void DiscardJournal() {
    // Removed rather than cleared: a journal whose first write failed may not be on the medium
    // under its name, and an overwrite in place must be able to count on that.
    try {
        platform::DeleteFileAt(kJournalPath);
        platform::SyncFolderOf(kJournalPath);
    } catch (const platform::WindowsError&) {
    }
}

bool ParkJournal(const std::string& path, const Intent& intent) {
    // A trusted journal's hidden place begins with its drive's letter.
    const std::string parked = ParkedJournalPath(platform::FoldCase(intent.hidden_path()).front());
    if (platform::ItemExists(parked)) return false;
    platform::MoveItem(path, parked);
    platform::SyncFolderOf(parked);
    return true;
}

}  // namespace hiding

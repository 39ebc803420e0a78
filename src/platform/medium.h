// The medium a drive holds. An operation cut short on a drive whose medium was then taken out
// must be settled against that medium, never against another one put in the same drive: only
// the medium it was made on can tell whether its item moved.
//
// What names a medium:
//   - on Windows, the volume serial number of the drive (GetVolumeInformationW on its root), the
//     number `vol` shows as 1A2B-3C4D, and the volume label beside it;
//   - on Linux, where one host file system may hold the folders of several drive letters, the
//     file system (statfs' f_fsid, or the device number where the file system gives no f_fsid)
//     together with the identity of the drive's hiding place on it (its inode number, and its
//     birth time where the file system keeps one), and as label the name of the host folder the
//     drive letter leads to.
// Only the platform makes one from a folder; above it a medium is stored, restored and compared.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace platform {

class Medium {
  public:
    // A medium as stored: the identity and label that identity() and label() once gave.
    Medium(std::string identity, std::string label)
        : identity_(std::move(identity)), label_(std::move(label)) {}

    // Bytes that tell this medium from every other: stored and compared, never shown. On
    // Windows the 4-byte serial number, little-endian.
    const std::string& identity() const { return identity_; }
    // What the user knows the medium by; may be empty.
    const std::string& label() const { return label_; }
    // The medium's number as Windows writes a volume serial number, "1A2B-3C4D": the serial
    // itself where the identity is one, otherwise a 32-bit digest of the identity.
    std::string SerialText() const;

    // One medium is the same medium under another label, since a label can be changed.
    bool operator==(const Medium& other) const { return identity_ == other.identity_; }

  private:
    std::string identity_;
    std::string label_;
};

// The medium that holds the folder at a Windows path, such as a drive's hiding place. Throws
// WindowsError: ERROR_NOT_READY for a drive that is not ready, ERROR_PATH_NOT_FOUND when no
// folder is there, ERROR_INVALID_NAME for a text that is no drive path.
Medium MediumOf(std::string_view folder_path);

}  // namespace platform

#include "hiding/intent_journal.h"

#include <array>
#include <cstring>
#include <vector>

#include "platform/file_system.h"
#include "platform/random_access_file.h"
#include "platform/text_case.h"
#include "register/hidden_items_register.h"

namespace hiding {
namespace {

constexpr std::string_view kFirstMagic = "TSJ1";   // two paths, no medium
constexpr std::string_view kSecondMagic = "TSJ2";  // two paths and the medium
constexpr std::string_view kMagic = "TSJ3";        // the same, kept in place
constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kTextLengthSize = 2;
constexpr std::size_t kChecksumSize = 4;
constexpr std::size_t kFixedSize = 12 + HiddenItemRecord::kSize;
// Four texts of at most 65,535 bytes each, far beyond any path or medium a drive can have.
constexpr std::size_t kLargestJournal = kFixedSize + 4 * (kTextLengthSize + 0xFFFF) + kChecksumSize;

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < entries.size(); ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutNumber(std::string& bytes, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t NumberAt(std::string_view bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i]))
                 << (8 * i);
    }
    return value;
}

void PutText(std::string& bytes, const std::string& text) {
    PutNumber(bytes, static_cast<std::uint32_t>(text.size()), kTextLengthSize);
    bytes += text;
}

// Takes one length-prefixed text from the front of `rest`; nothing when it does not fit.
std::optional<std::string> TakeText(std::string_view& rest) {
    if (rest.size() < kTextLengthSize) return std::nullopt;
    const std::size_t length = NumberAt(rest, 0, kTextLengthSize);
    if (rest.size() < kTextLengthSize + length) return std::nullopt;
    std::string text(rest.substr(kTextLengthSize, length));
    rest.remove_prefix(kTextLengthSize + length);
    return text;
}

}  // namespace

std::string EncodeIntent(const Intent& intent) {
    std::string bytes(!intent.medium ? kFirstMagic : intent.kept_in_place ? kMagic : kSecondMagic);
    bytes += static_cast<char>(intent.operation);
    bytes.append(3, '\0');
    PutNumber(bytes, static_cast<std::uint32_t>(intent.position), 4);
    bytes.append(reinterpret_cast<const char*>(&intent.record), HiddenItemRecord::kSize);
    PutText(bytes, intent.from);
    PutText(bytes, intent.to);
    if (intent.medium) {
        PutText(bytes, intent.medium->identity());
        PutText(bytes, intent.medium->label());
    }
    PutNumber(bytes, Crc32(bytes), kChecksumSize);
    return bytes;
}

std::optional<Intent> DecodeIntent(std::string_view bytes) {
    if (bytes.size() < kFixedSize + 2 * kTextLengthSize + kChecksumSize) return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    if (NumberAt(bytes, body.size(), kChecksumSize) != Crc32(body)) return std::nullopt;
    const std::string_view magic = body.substr(0, kMagicSize);
    if (magic != kMagic && magic != kSecondMagic && magic != kFirstMagic) return std::nullopt;
    const char operation = body[4];
    if (operation != 'H' && operation != 'U') return std::nullopt;

    Intent intent{static_cast<Intent::Operation>(operation),
                  static_cast<std::int32_t>(NumberAt(body, 8, 4)),
                  {},
                  {},
                  {}};
    std::memcpy(&intent.record, body.data() + 12, HiddenItemRecord::kSize);
    std::string_view rest = body.substr(kFixedSize);
    std::optional<std::string> from = TakeText(rest);
    std::optional<std::string> to = from ? TakeText(rest) : std::nullopt;
    if (!to) return std::nullopt;
    intent.from = std::move(*from);
    intent.to = std::move(*to);
    if (magic != kFirstMagic) {
        std::optional<std::string> identity = TakeText(rest);
        std::optional<std::string> label = identity ? TakeText(rest) : std::nullopt;
        if (!label) return std::nullopt;
        intent.medium.emplace(std::move(*identity), std::move(*label));
        intent.kept_in_place = magic == kMagic;
    }
    if (!rest.empty()) return std::nullopt;
    return intent;
}

std::string ParkedJournalPath(char drive_letter) {
    return std::string(kRegisterFolder) + "\\tessarn-" + drive_letter + ".jnl";
}

bool IsJournalName(std::string_view folded_name) {
    return folded_name == "tessarn.jnl" ||
           (folded_name.size() == std::string_view("tessarn-d.jnl").size() &&
            folded_name.starts_with("tessarn-") && folded_name.ends_with(".jnl"));
}

std::string DamagedJournalPath(int number) {
    return std::string(kRegisterFolder) + "\\tessarn-damaged-" + std::to_string(number) + ".jnl";
}

bool IsDamagedJournalName(std::string_view folded_name) {
    constexpr std::string_view kStart = "tessarn-damaged-";
    constexpr std::string_view kEnd = ".jnl";
    if (!folded_name.starts_with(kStart) || !folded_name.ends_with(kEnd)) return false;
    const std::string_view number =
        folded_name.substr(kStart.size(), folded_name.size() - kStart.size() - kEnd.size());
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

std::vector<std::string> DamagedJournalPaths() {
    std::vector<std::string> paths;
    for (const std::string& name :
         platform::ListFilesMatching(kRegisterFolder, kDamagedJournalNamePattern)) {
        if (IsDamagedJournalName(platform::FoldCase(name))) {
            paths.push_back(std::string(kRegisterFolder) + "\\" + name);
        }
    }
    return paths;
}

void WriteIntent(std::string_view journal_path, const Intent& intent) {
    const std::string bytes = EncodeIntent(intent);
    platform::RandomAccessFile journal(journal_path,
                                       platform::RandomAccessFile::IfMissing::kCreateEmpty);
    // Settling removes an empty journal under the register's lock, so an empty one is new.
    const std::uint64_t old_length = journal.Length();
    journal.WriteAt(0, bytes.data(), bytes.size());
    if (old_length > bytes.size()) journal.Truncate(bytes.size());
    journal.Sync();
    journal.Close();
    if (old_length == 0) platform::SyncFolderOf(journal_path);
}

JournalContent ReadJournal(std::string_view journal_path) {
    const platform::RandomAccessFile journal(journal_path,
                                             platform::RandomAccessFile::IfMissing::kFail);
    const std::uint64_t length = journal.Length();
    if (length > kLargestJournal) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    bytes.resize(journal.ReadAt(0, bytes.data(), bytes.size()));
    // An empty journal is no cleared one: clearing keeps a journal's length, and a journal is
    // empty only when a crash came between its creation and its first write.
    const bool cleared = !bytes.empty() && bytes.find_first_not_of('\0') == std::string::npos;
    return {DecodeIntent(bytes), cleared};
}

std::optional<Intent> ReadIntent(std::string_view journal_path) {
    return ReadJournal(journal_path).intent;
}

}  // namespace hiding

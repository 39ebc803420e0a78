#include "hiding/intent_journal.h"

#include <gtest/gtest.h>

namespace hiding {
namespace {

Intent AnIntent() {
    return {Intent::Operation::kUnhide,
            2,
            HiddenItemRecord::Make("H3", "C:\\Docs\\report.txt", "report.txt"),
            "C:\\recycled\\H3",
            "C:\\Docs\\report.txt",
            platform::Medium(std::string("\x4D\x3C\x2B\x1A", 4), "STICK")};
}

TEST(IntentJournalTest, AnIntentReadsBackAsWritten) {
    Intent kept = AnIntent();
    kept.kept_in_place = true;
    for (const Intent& intent : {AnIntent(), kept}) {
        const std::string bytes = EncodeIntent(intent);
        EXPECT_EQ(bytes.substr(0, 4), intent.kept_in_place ? "TSJ3" : "TSJ2");
        const std::optional<Intent> read = DecodeIntent(bytes);
        ASSERT_EQ(read, intent);
        EXPECT_EQ(read->medium->label(), "STICK");
    }
}

// A journal left by the version before media were recorded must still settle its operation.
TEST(IntentJournalTest, AJournalOfTheFirstFormatReadsAsAnIntentThatNamesNoMedium) {
    Intent first = AnIntent();
    first.medium.reset();
    const HiddenItemRecord& record = first.record;
    const std::string bytes = std::string("TSJ1U\0\0\0\x02\0\0\0", 12) +
                              std::string(reinterpret_cast<const char*>(&record), 400) +
                              std::string("\x0E\0C:\\recycled\\H3", 16) +
                              std::string("\x12\0C:\\Docs\\report.txt", 20) + "\x41\x57\x72\xBA";
    EXPECT_EQ(DecodeIntent(bytes), first);
    EXPECT_EQ(EncodeIntent(first), bytes);
}

// A crash while the journal is written leaves it cut short or with stray bytes; either must be
// told from an intent, or recovery would act on an operation that never began.
TEST(IntentJournalTest, AJournalCutShortOrGarbledIsNoIntent) {
    const std::string bytes = EncodeIntent(AnIntent());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeIntent(bytes.substr(0, length))) << "cut to " << length;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string garbled = bytes;
        garbled[at] = static_cast<char>(garbled[at] ^ 0x20);
        EXPECT_FALSE(DecodeIntent(garbled)) << "byte " << at;
    }
    EXPECT_FALSE(DecodeIntent(bytes + '\0'));
}

}  // namespace
}  // namespace hiding

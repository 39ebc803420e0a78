#include "hiding/intent_journal.h"

#include <gtest/gtest.h>

namespace hiding {
namespace {

Intent AnIntent() {
    return {Intent::Operation::kUnhide, 2,
            HiddenItemRecord::Make("H3", "C:\\Docs\\report.txt", "report.txt"), "C:\\recycled\\H3",
            "C:\\Docs\\report.txt"};
}

TEST(IntentJournalTest, AnIntentReadsBackAsWritten) {
    EXPECT_EQ(DecodeIntent(EncodeIntent(AnIntent())), AnIntent());
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

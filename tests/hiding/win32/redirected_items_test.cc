// Items that the register of a 32-bit Tessarn names, left where 64-bit Windows redirected it
// beside a register of this program's own: they stay that program's, and are never taken for
// items without a record.
#include "hiding/hiding_test.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"

namespace hiding {
namespace {

using RedirectedItemsTest = HidingTest;

TEST_F(RedirectedItemsTest, ItemsTheOtherViewsRegisterNamesAreNotFoundAsStranded) {
    const HiddenItemRecord theirs =
        HiddenItemRecord::Make("H2", "C:\\Docs\\theirs.txt", "theirs.txt");
    StoreRecords(Items(1));
    Store(DriveC() / "windows" / "syswow64" / "tessarn.dat", BytesOf({theirs}));
    Store(HostC("recycled/H1"), "ours");
    Store(HostC("recycled/H2"), "theirs");
    for (const JournalNotice& notice : JournalNotices()) {
        EXPECT_NE(notice.kind, JournalNotice::Kind::kFound) << notice.sentence;
    }
    EXPECT_EQ(ListHiddenItems(), Items(1));
}

}  // namespace
}  // namespace hiding

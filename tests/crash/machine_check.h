// The promise every crash test checks: after the register has been opened as the next Hide or
// hidden-items window would open it, every item lies either at its own path with no record, or
// in its hiding place with exactly one record naming it; no two records name one place; the
// register is whole records; the hiding place's list holds exactly the register's records of the
// items it holds; the registry still reads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "hiding/hidden_name.h"
#include "hiding/hide.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "machine/test_machine.h"
#include "password/password_store.h"
#include "platform/text_case.h"
#include "register/hiding_place.h"
#include "register/item_list.h"

namespace crash_test {

namespace fs = std::filesystem;

// An item on drive C, told apart from every other by its tag: a file's content, or the content
// of the file "tag" inside a folder.
struct Item {
    std::string below_c;  // Docs/a.txt
    bool folder;

    std::string WindowsPath() const {
        std::string path = "C:\\" + below_c;
        for (char& c : path) c = c == '/' ? '\\' : c;
        return path;
    }
    std::string Tag() const { return "item " + below_c; }
};

inline std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string TagAt(const fs::path& place) {
    return ReadAll(fs::is_directory(place) ? place / "tag" : place);
}

// Whether the journal beside the register holds an operation: it is there and not cleared (an
// operation that ran its course leaves it with every byte zero).
inline bool JournalHoldsAnOperation(const fs::path& journal) {
    const std::string bytes = fs::exists(journal) ? ReadAll(journal) : std::string();
    return bytes.find_first_not_of('\0') != std::string::npos;
}

// The items on a machine, and the checks and steps on them. Made with a test machine, it is a
// fresh machine with the password set and the items at home; made without one, in a child
// process, it works on the machine of its parent.
class Machine {
  public:
    explicit Machine(std::vector<Item> items) : items_(std::move(items)) {
        machine_.emplace();
        password::StoreCheckValue(*password::ComputeCheckValue("secret"));
        for (const Item& item : items_) {
            const fs::path home = HostC(item.below_c);
            fs::create_directories(item.folder ? home : home.parent_path());
            std::ofstream(item.folder ? home / "tag" : home, std::ios::binary) << item.Tag();
            if (item.folder) std::ofstream(home / "inner.txt") << "contents go along";
        }
    }
    struct OfParent {};
    Machine(OfParent, std::vector<Item> items) : items_(std::move(items)) {}

    fs::path HostC(const std::string& below) const {
        return test_machine::DriveCOfThisMachine() / below;
    }
    const std::vector<Item>& items() const { return items_; }

    void ExpectEveryItemWhole() const {
        const std::vector<hiding::HiddenItemRecord> records = hiding::ListHiddenItems();
        EXPECT_FALSE(JournalHoldsAnOperation(HostC("windows/system32/tessarn.jnl")))
            << "journal unsettled";
        EXPECT_EQ(fs::file_size(HostC("windows/system32/tessarn.dat")) % 400, 0u);
        EXPECT_EQ(password::ReadStoredCheckValue(), *password::ComputeCheckValue("secret"));

        std::map<std::string, std::string> tag_of_hidden;  // folded hidden name -> tag there
        for (const fs::directory_entry& entry : fs::directory_iterator(HostC("recycled"))) {
            if (entry.path().filename() == hiding::kItemListName) continue;
            tag_of_hidden[platform::FoldCase(entry.path().filename().string())] =
                TagAt(entry.path());
        }
        for (const auto& [name, tag] : tag_of_hidden) {
            bool known = false;
            for (const Item& item : items_) known = known || item.Tag() == tag;
            EXPECT_TRUE(known) << "the hiding place holds a stranger as " << name;
        }
        std::map<std::string, int> records_of_place;
        for (const hiding::HiddenItemRecord& record : records) {
            const std::string name = platform::FoldCase(record.hidden_name());
            EXPECT_EQ(++records_of_place[name], 1) << "two records name " << name;
            EXPECT_TRUE(tag_of_hidden.contains(name)) << "a record names an empty place " << name;
        }
        ExpectTheListOf(records);
        for (const Item& item : items_) {
            const bool home = fs::exists(HostC(item.below_c));
            int hidden = 0;
            for (const auto& [name, tag] : tag_of_hidden) {
                if (tag != item.Tag()) continue;
                ++hidden;
                int naming = 0;
                for (const hiding::HiddenItemRecord& record : records) {
                    if (platform::FoldCase(record.hidden_name()) == name) {
                        ++naming;
                        EXPECT_EQ(record.item_path(), item.WindowsPath());
                    }
                }
                EXPECT_EQ(naming, 1) << item.below_c << " lies in " << name;
            }
            EXPECT_EQ(home + hidden, 1) << item.below_c << " is not in exactly one place";
            if (home) {
                EXPECT_EQ(TagAt(HostC(item.below_c)), item.Tag());
                for (const hiding::HiddenItemRecord& record : records) {
                    EXPECT_NE(record.item_path(), item.WindowsPath())
                        << item.below_c << " is at home but still recorded";
                }
            }
        }
    }

    // Every record names an item in the hiding place, as checked above, so the list must hold
    // each of them, in any order, and nothing more.
    void ExpectTheListOf(const std::vector<hiding::HiddenItemRecord>& records) const {
        const std::string bytes = ReadAll(HostC("recycled") / hiding::kItemListName);
        EXPECT_EQ(bytes.size() % hiding::HiddenItemRecord::kSize, 0u) << "a torn list";
        std::vector<hiding::HiddenItemRecord> listed = hiding::EntriesOfItemList(bytes);
        std::vector<hiding::HiddenItemRecord> expected = records;
        const auto by_name = [](const auto& a, const auto& b) {
            return a.hidden_name() < b.hidden_name();
        };
        std::sort(listed.begin(), listed.end(), by_name);
        std::sort(expected.begin(), expected.end(), by_name);
        EXPECT_EQ(listed, expected) << "the hiding place's list is not the register's";
    }

    // One step of a user, or of another running copy: Hide an item that is at home, or Unhide
    // one that is listed, or now and then open the hidden-items window, where nothing the other
    // copy does may ever show as an item found without a record (that counts as kRefused).
    // Returns what it did, for the counts of a long run.
    // kRaced: the other running copy changed the item between this copy's look at it and its
    // turn at the register's lock (hid it first, unhid it first), which the operation tells and
    // refuses with nothing moved. kRefused: any other refusal or failure, which two copies alone
    // never cause.
    enum class Step { kHidden, kUnhidden, kListed, kRaced, kRefused };
    Step RandomStep(std::mt19937& random) const {
        if (std::uniform_int_distribution<int>(0, 9)(random) == 0) {
            for (const hiding::JournalNotice& notice :
                 hiding::ListHiddenItemsWithNotices().notices) {
                if (notice.kind == hiding::JournalNotice::Kind::kFound) return Step::kRefused;
            }
            return Step::kListed;
        }
        const Item& item =
            items_[std::uniform_int_distribution<std::size_t>(0, items_.size() - 1)(random)];
        if (fs::exists(HostC(item.below_c))) {
            switch (hiding::Hide(item.WindowsPath(), "c:").result) {
                case hiding::HideOutcome::Result::kHidden:
                    return Step::kHidden;
                case hiding::HideOutcome::Result::kMoveFailed:
                    return Step::kRaced;
                default:
                    return Step::kRefused;
            }
        }
        const std::vector<hiding::HiddenItemRecord> records = hiding::ListHiddenItems();
        for (int position = 0; position < static_cast<int>(records.size()); ++position) {
            if (records[position].item_path() != item.WindowsPath()) continue;
            switch (hiding::Unhide(position, records[position].item_name(),
                                   records[position].item_path())
                        .result) {
                case hiding::UnhideOutcome::Result::kUnhidden:
                    return Step::kUnhidden;
                case hiding::UnhideOutcome::Result::kListChanged:
                    return Step::kRaced;
                default:
                    return Step::kRefused;
            }
        }
        // Neither at its path nor listed: the other copy was bringing it back meanwhile.
        return Step::kRaced;
    }

  private:
    std::optional<test_machine::TestMachine> machine_;
    std::vector<Item> items_;
};

}  // namespace crash_test

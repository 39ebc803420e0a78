#include "forms/Form3.h"

#include <string>
#include <vector>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "hiding/journal_notices.h"
#include "hiding/unhide.h"

namespace forms {
namespace {

const std::string kErrorTitle = "Error!!!!!";

}  // namespace

Form3::Form3()
    : Form("Hidden Folders", 4785, 3795, BorderStyle::kSizable),
      List1(*this, "List1", {120, 600, 1575, 2400}, 0),
      Command1(*this, "Command1", "U&nhide", {120, 3120, 2055, 495}, 1),
      List2(*this, "List2", {1680, 600, 3015, 2400}, 2),
      Label1(*this, "Label1", "File or Folder:              Path:", {120, 360, 4575, 375}, 3),
      Command2(*this, "Command2", "&Cancel", {2520, 3120, 2055, 495}, 4) {
    List1.SetAccessibleName("File or Folder");
    List2.SetAccessibleName("Path");

    List1.Click = [this] { List1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void Form3::Form_Load() {
    try {
        const hiding::HiddenItemsListing listing = hiding::ListHiddenItemsWithNotices();
        const std::vector<hiding::HiddenItemRecord>& records = listing.records;
        std::vector<std::string> names;
        std::vector<std::string> paths;
        names.reserve(records.size());
        paths.reserve(records.size());
        for (const hiding::HiddenItemRecord& record : records) {
            names.push_back(record.item_name());
            paths.push_back(record.item_path());
        }
        // Added in one step each, so that a full register fills the lists in one pass.
        List1.AddItems(std::move(names));
        List2.AddItems(std::move(paths));
        // An operation cut short that waits for its medium, a journal set aside as damaged, or
        // items found without a record and listed again, are said before the list is used: an
        // item they concern may be missing from the list, listed but out of reach until its
        // medium is back, or listed with a path the user has not seen before.
        if (!listing.notices.empty()) {
            std::string text;
            for (const hiding::JournalNotice& notice : listing.notices) {
                if (!text.empty()) text += "\n\n";
                text += notice.sentence;
            }
            MsgBox(text);
        }
    } catch (const std::exception& error) {
        MsgBox(std::string("Cannot list the hidden items.\n") + error.what(), kErrorTitle);
    }
    if (List1.ListIndex() == -1) {
        Command1.SetEnabled(false);
    }
}

// A classic list box cannot lose its selection, but some toolkits' can (a Ctrl+click, a click
// below the entries), so Unhide follows the selection both ways rather than stay enabled for
// nothing.
void Form3::List1_Click() {
    Command1.SetEnabled(List1.ListIndex() != -1);
}

void Form3::Command1_Click() {
    const int p = List1.ListIndex();
    if (p < 0) {
        return;
    }
    const hiding::UnhideOutcome outcome = hiding::Unhide(p, List1.List(p), List2.List(p));
    switch (outcome.result) {
        case hiding::UnhideOutcome::Result::kListChanged:
            MsgBox(
                "The list of hidden items has changed since this window opened. "
                "Close it and open it again.",
                kErrorTitle);
            return;
        case hiding::UnhideOutcome::Result::kRefused:
        case hiding::UnhideOutcome::Result::kNotBack:
        case hiding::UnhideOutcome::Result::kUnsettled:
            MsgBox(outcome.message, kErrorTitle);
            return;
        case hiding::UnhideOutcome::Result::kUnhidden:
            break;
    }
    // Removing the selected entry leaves List1 without a selection and raises nothing: the user
    // must choose the next item before Unhide can be pressed again.
    List2.RemoveItem(p);
    List1.RemoveItem(p);
    if (List1.ListIndex() == -1) {
        Command1.SetEnabled(false);
    }
    // A note on an Unhide that went through is no error.
    if (!outcome.message.empty()) MsgBox(outcome.message);
}

void Form3::Command2_Click() {
    Unload();
}

void Form3::Form_Unload(int& Cancel) {
    (void)Cancel;
    Instance<Form1>().SetEnabled(true);
    Instance<Form1>().Dir1.Refresh();
}

}  // namespace forms

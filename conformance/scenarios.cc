#include "scenarios.h"

#include <string>

namespace conformance {

namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;

// The key every registry scenario works below; a fresh machine has none.
constexpr char kKey[] = "Software\\Conformance";

// A key's handle as a fresh open or create leaves it in a slot: RegOpenKeyA and RegCreateKeyA
// walk the same paths, so the scenarios that tell them apart run for both.
void OpeningKeys(Session& s) {
    s.Open("reg.open.software-of-a-fresh-machine", Root(), "Software", 1);
    s.Close("reg.close.software", Slot(1));
    s.Open("reg.open.missing-key", Root(), kKey, 1);
    s.Open("reg.open.missing-parent", Root(), "Software\\Missing\\Conformance", 1);
    s.Open("reg.open.empty-sub-key", Root(), "", 1);
    s.Open("reg.open.null-sub-key", Root(), nullptr, 1);
    s.Open("reg.open.no-result-pointer", Root(), "Software", kNoResult);
    s.Open("reg.open.no-result-pointer-empty-sub-key", Root(), "", kNoResult);
    s.Open("reg.open.null-handle", Raw(0), "Software", 1);
    s.Open("reg.open.bad-handle", Raw(kBadHandle), "Software", 1);
    s.Open("reg.open.bad-handle-empty-sub-key", Raw(kBadHandle), "", 1);
    s.Open("reg.open.bad-handle-null-sub-key", Raw(kBadHandle), nullptr, 1);
    s.Open("reg.open.leading-backslash", Root(), "\\Software", 1);
    s.Open("reg.open.letter-case", Root(), "SOFTWARE", 1);
    s.Close("reg.close.letter-case", Slot(1));

    s.Create("reg.create.new-key", Root(), kKey, 1);
    s.Create("reg.create.existing-key", Root(), kKey, 2);
    s.Close("reg.close.second-handle-of-a-key", Slot(2));
    s.Query("reg.query.first-handle-after-the-second-closed", Slot(1), "", 256);
    s.Open("reg.open.created-key", Root(), kKey, 2);
    s.Open("reg.open.empty-sub-key-of-an-open-key", Slot(2), "", 3);
    s.Close("reg.close.handle-opened-with-empty-sub-key", Slot(3));
    s.Query("reg.query.key-whose-same-handle-was-closed", Slot(2), "", 256);
    s.Close("reg.close.handle-already-closed-through-its-copy", Slot(2));
    s.Create("reg.create.empty-sub-key", Slot(1), "", 3);
    s.Close("reg.close.handle-created-with-empty-sub-key", Slot(3));
    s.Query("reg.query.caller-key-after-closing-its-created-copy", Slot(1), "", 256);
    s.Create("reg.create.null-sub-key", Slot(1), nullptr, 3);
    s.Close("reg.close.handle-created-with-null-sub-key", Slot(3));
    s.Query("reg.query.caller-key-after-closing-its-null-copy", Slot(1), nullptr, 256);
    s.Create("reg.create.empty-sub-key-of-the-root", Root(), "", 3);
    s.Close("reg.close.handle-of-the-root", Slot(3));
    s.Create("reg.create.missing-parents", Root(), "Software\\Conformance\\A\\B\\C", 3);
    s.Open("reg.open.created-parent", Root(), "Software\\Conformance\\A\\B", 4);
    s.Open("reg.open.relative-to-an-open-key", Slot(4), "C", 5);
    s.Close("reg.close.nested-key", Slot(3));
    s.Close("reg.close.parent-key", Slot(4));
    s.Close("reg.close.relative-key", Slot(5));
    s.Create("reg.create.relative-to-an-open-key", Slot(1), "Relative", 3);
    s.Open("reg.open.relative-key-from-the-root", Root(), "Software\\Conformance\\Relative", 4);
    s.Close("reg.close.created-relative-key", Slot(3));
    s.Close("reg.close.opened-relative-key", Slot(4));
    s.Create("reg.create.null-handle", Raw(0), "X", 3);
    s.Create("reg.create.bad-handle", Raw(kBadHandle), "X", 3);
    s.Create("reg.create.bad-handle-empty-sub-key", Raw(kBadHandle), "", 3);
    s.Create("reg.create.leading-backslash", Root(), "\\Software\\Conformance\\X", 3);
    s.Open("reg.open.key-a-failed-create-named", Root(), "Software\\Conformance\\X", 3);
    s.Create("reg.create.letter-case-of-an-existing-key", Root(), "SOFTWARE\\conformance", 3);
    s.Close("reg.close.key-created-in-other-letter-case", Slot(3));
    s.Create("reg.create.non-ascii-name", Root(), "Software\\Conformance\\Caf\xE9", 3);
    s.Open("reg.open.non-ascii-name-in-other-letter-case", Root(), "SOFTWARE\\CONFORMANCE\\CAF\xC9",
           4);
    s.Close("reg.close.non-ascii-key", Slot(3));
    s.Close("reg.close.non-ascii-key-in-other-letter-case", Slot(4));
}

// Backslashes where a name is expected.
void KeyPathSeparators(Session& s) {
    s.Create("reg.create.trailing-backslash", Root(), "Software\\Conformance\\Trailing\\", 3);
    s.Open("reg.open.trailing-backslash", Root(), "Software\\Conformance\\Trailing\\", 4);
    s.Open("reg.open.two-trailing-backslashes", Root(), "Software\\Conformance\\Trailing\\\\", 5);
    s.Close("reg.close.key-created-with-trailing-backslash", Slot(3));
    s.Close("reg.close.key-opened-with-trailing-backslash", Slot(4));
    s.Close("reg.close.key-opened-with-two-trailing-backslashes", Slot(5));
    s.Create("reg.create.doubled-backslash", Root(), "Software\\Conformance\\\\Doubled", 3);
    s.Open("reg.open.doubled-backslash", Root(), "Software\\\\Conformance\\\\Doubled", 4);
    s.Open("reg.open.key-created-with-doubled-backslash", Root(), "Software\\Conformance\\Doubled",
           5);
    s.Close("reg.close.key-created-with-doubled-backslash", Slot(3));
    s.Close("reg.close.key-opened-with-doubled-backslash", Slot(4));
    s.Close("reg.close.key-opened-with-single-backslash", Slot(5));
    s.Set("reg.set.doubled-backslash", Root(), "Software\\\\Conformance\\\\SetDoubled", kRegSz, "d",
          2);
    s.Query("reg.query.doubled-backslash", Root(), "Software\\Conformance\\\\SetDoubled\\", 256);
}

// Slot 1 holds Software\Conformance, open, from OpeningKeys.
void SettingAndQueryingValues(Session& s) {
    s.Query("reg.query.missing-key", Root(), "Software\\Conformance\\Missing", 256);
    s.Query("reg.query.missing-key-size-zero", Root(), "Software\\Conformance\\Missing", 0);
    s.Query("reg.query.no-default-value", Root(), kKey, 256);
    s.Query("reg.query.no-default-value-size-zero", Root(), kKey, 0);
    s.Query("reg.query.no-default-value-no-buffer", Root(), kKey, 0, false);
    s.Query("reg.query.no-default-value-no-size", Root(), kKey, std::nullopt, false);

    s.Set("reg.set.default-value", Root(), kKey, kRegSz, "16", 3);
    s.Query("reg.query.size-zero", Root(), kKey, 0);
    s.Query("reg.query.size-zero-no-buffer", Root(), kKey, 0, false);
    s.Query("reg.query.no-buffer-large-size", Root(), kKey, 100, false);
    s.Query("reg.query.no-buffer-no-size", Root(), kKey, std::nullopt, false);
    s.Query("reg.query.buffer-without-size", Root(), kKey, std::nullopt, true);
    s.Query("reg.query.size-one", Root(), kKey, 1);
    s.Query("reg.query.size-one-short", Root(), kKey, 2);
    s.Query("reg.query.size-exact", Root(), kKey, 3);
    s.Query("reg.query.size-large", Root(), kKey, 256);
    s.Query("reg.query.negative-size", Root(), kKey, -1);
    s.Query("reg.query.open-key-empty-sub-key", Slot(1), "", 256);
    s.Query("reg.query.open-key-null-sub-key", Slot(1), nullptr, 256);
    s.Query("reg.query.letter-case", Root(), "software\\CONFORMANCE", 256);
    s.Query("reg.query.parent-without-default", Root(), "Software\\Conformance\\A", 256);
    s.Query("reg.query.bad-handle", Raw(kBadHandle), kKey, 256);
    s.Query("reg.query.null-handle", Raw(0), kKey, 256);
    s.Query("reg.query.leading-backslash", Root(), "\\Software\\Conformance", 256);

    s.Set("reg.set.size-is-ignored", Root(), kKey, kRegSz, "abc", 1);
    s.Query("reg.query.value-set-with-short-size", Root(), kKey, 256);
    s.Set("reg.set.empty-text", Root(), kKey, kRegSz, "", 1);
    s.Query("reg.query.empty-text", Root(), kKey, 256);
    s.Query("reg.query.empty-text-size-zero", Root(), kKey, 0);
    s.Set("reg.set.expand-string-type", Root(), kKey, kRegExpandSz, "x", 2);
    s.Set("reg.set.binary-type", Root(), kKey, kRegBinary, "x", 2);
    s.Set("reg.set.null-data", Root(), kKey, kRegSz, nullptr, 0);
    s.Set("reg.set.bad-handle", Raw(kBadHandle), kKey, kRegSz, "x", 2);
    s.Set("reg.set.null-handle", Raw(0), kKey, kRegSz, "x", 2);
    s.Set("reg.set.leading-backslash", Root(), "\\Software\\Conformance", kRegSz, "x", 2);
    s.Set("reg.set.through-open-key", Slot(1), "", kRegSz, "via handle", 0);
    s.Query("reg.query.value-set-through-open-key", Root(), kKey, 256);
    s.Set("reg.set.sub-key-of-open-key", Slot(1), "Sub", kRegSz, "sub", 4);
    s.Query("reg.query.sub-key-of-open-key", Root(), "Software\\Conformance\\Sub", 256);
    s.Set("reg.set.missing-parents", Root(), "Software\\Conformance\\New\\Deep", kRegSz, "deep", 5);
    s.Open("reg.open.key-a-set-created", Root(), "Software\\Conformance\\New\\Deep", 2);
    s.Close("reg.close.key-a-set-created", Slot(2));
    s.Set("reg.set.non-ascii-text", Root(), kKey, kRegSz, "caf\xE9", 5);
    s.Query("reg.query.non-ascii-text", Root(), kKey, 256);

    // The program reads the stored check value into a buffer of 200 characters.
    for (const int length : {199, 200, 201}) {
        const std::string value(static_cast<std::size_t>(length), 'x');
        const std::string name = std::to_string(length) + "-characters";
        s.Set("reg.set." + name, Root(), kKey, kRegSz, value.c_str(), 0);
        s.Query("reg.query." + name + "-size-zero", Root(), kKey, 0);
        s.Query("reg.query." + name + "-size-200", Root(), kKey, 200);
        s.Query("reg.query." + name + "-size-256", Root(), kKey, 256);
    }
}

void ClosingKeys(Session& s) {
    s.Close("reg.close.open-key", Slot(1));
    s.Close("reg.close.same-key-twice", Slot(1));
    s.Query("reg.query.closed-handle", Slot(1), "", 256);
    s.Set("reg.set.closed-handle", Slot(1), "", kRegSz, "x", 2);
    s.Open("reg.open.closed-handle", Slot(1), "Sub", 2);
    s.Create("reg.create.closed-handle", Slot(1), "Sub", 2);
    s.Close("reg.close.local-machine", Root());
    s.Open("reg.open.after-closing-local-machine", Root(), kKey, 2);
    s.Close("reg.close.key-opened-after-closing-local-machine", Slot(2));
    s.Close("reg.close.null-handle", Raw(0));
    s.Close("reg.close.bad-handle", Raw(kBadHandle));
}

// Moves of one file or folder, each in folders of its own (see MoveCase).
const MoveCase kMoves[] = {
    // What Hide and Unhide do.
    {"move.file-into-hiding-place", {"@\\a.txt", "@\\recycled\\"}, "@\\a.txt", "@\\recycled\\H1"},
    {"move.file-back-from-hiding-place",
     {"@\\recycled\\H1", "@\\Docs\\"},
     "@\\recycled\\H1",
     "@\\Docs\\a.txt"},
    {"move.folder-with-contents", {"@\\dir\\a.txt", "@\\dir\\inner\\b.txt"}, "@\\dir", "@\\moved"},
    {"move.folder-into-sibling", {"@\\dir\\a.txt", "@\\other\\"}, "@\\dir", "@\\other\\dir"},
    {"move.file-rename", {"@\\a.txt"}, "@\\a.txt", "@\\b.txt"},
    {"move.file-out-of-folder", {"@\\sub\\a.txt"}, "@\\sub\\a.txt", "@\\a.txt"},
    {"move.source-in-other-letter-case", {"@\\a.txt"}, "@\\A.TXT", "@\\b.txt"},
    {"move.non-ascii-name-in-other-letter-case", {"@\\café.txt"}, "@\\CAFÉ.TXT", "@\\b.txt"},

    // Onto names that are taken.
    {"move.onto-existing-file", {"@\\a.txt", "@\\b.txt"}, "@\\a.txt", "@\\b.txt"},
    {"move.onto-existing-file-in-other-case", {"@\\a.txt", "@\\b.txt"}, "@\\a.txt", "@\\B.TXT"},
    {"move.file-onto-existing-folder", {"@\\a.txt", "@\\dir\\"}, "@\\a.txt", "@\\dir"},
    {"move.folder-onto-existing-folder", {"@\\dir\\a.txt", "@\\other\\"}, "@\\dir", "@\\other"},
    {"move.folder-onto-existing-file", {"@\\dir\\a.txt", "@\\b.txt"}, "@\\dir", "@\\b.txt"},
    {"move.onto-parent-folder", {"@\\sub\\a.txt"}, "@\\sub\\a.txt", "@\\sub\\.."},

    // Onto itself, and renames that change only letter case.
    {"move.file-onto-itself", {"@\\a.txt"}, "@\\a.txt", "@\\a.txt"},
    {"move.folder-onto-itself", {"@\\dir\\a.txt"}, "@\\dir", "@\\dir"},
    {"move.onto-itself-through-other-folder-case",
     {"@\\dir\\a.txt"},
     "@\\dir\\a.txt",
     "@\\DIR\\a.txt"},
    {"move.onto-itself-with-trailing-dot", {"@\\a.txt"}, "@\\a.txt", "@\\a.txt."},
    {"move.case-only-rename-of-file", {"@\\a.txt"}, "@\\a.txt", "@\\A.TXT"},
    {"move.case-only-rename-of-folder", {"@\\dir\\a.txt"}, "@\\dir", "@\\Dir"},
    {"move.case-only-rename-through-other-folder-case",
     {"@\\dir\\a.txt"},
     "@\\dir\\a.txt",
     "@\\DIR\\A.txt"},
    {"move.case-only-rename-of-non-ascii-name", {"@\\café.txt"}, "@\\café.txt", "@\\CAFÉ.txt"},

    // What is missing.
    {"move.missing-source-file", {}, "@\\a.txt", "@\\b.txt"},
    {"move.missing-source-folder", {}, "@\\dir\\a.txt", "@\\b.txt"},
    {"move.missing-target-folder", {"@\\a.txt"}, "@\\a.txt", "@\\dir\\b.txt"},
    {"move.missing-target-folders", {"@\\a.txt"}, "@\\a.txt", "@\\dir\\sub\\b.txt"},
    {"move.source-below-a-file", {"@\\a.txt"}, "@\\a.txt\\b", "@\\b.txt"},
    {"move.target-below-a-file", {"@\\a.txt", "@\\b.txt"}, "@\\a.txt", "@\\b.txt\\c.txt"},
    {"move.empty-source", {"@\\a.txt"}, "", "@\\b.txt"},
    {"move.empty-target", {"@\\a.txt"}, "@\\a.txt", ""},

    // Roots.
    {"move.root-as-source", {}, "C:\\", "@\\root"},
    {"move.root-without-backslash-as-source", {}, "C:", "@\\root"},
    {"move.root-as-target", {"@\\a.txt"}, "@\\a.txt", "C:\\"},
    {"move.folder-into-itself", {"@\\dir\\sub\\"}, "@\\dir", "@\\dir\\sub\\dir"},
    {"move.folder-into-itself-directly", {"@\\dir\\"}, "@\\dir", "@\\dir\\dir"},
    {"move.file-below-itself", {"@\\a.txt"}, "@\\a.txt", "@\\a.txt\\x"},
    {"move.folder-into-missing-folder-of-itself", {"@\\dir\\"}, "@\\dir", "@\\dir\\sub\\x"},

    // Trailing dots.
    {"move.target-trailing-dot", {"@\\a.txt"}, "@\\a.txt", "@\\b.txt."},
    {"move.target-trailing-dots", {"@\\a.txt"}, "@\\a.txt", "@\\b.txt..."},
    {"move.target-of-dots-only", {"@\\a.txt", "@\\sub\\"}, "@\\a.txt", "@\\sub\\..."},
    {"move.source-trailing-dot", {"@\\a.txt"}, "@\\a.txt.", "@\\b.txt"},
    {"move.folder-trailing-dot-mid-path", {"@\\dir\\a.txt"}, "@\\dir.\\a.txt", "@\\b.txt"},
    {"move.folder-two-trailing-dots-mid-path", {"@\\dir\\a.txt"}, "@\\dir..\\a.txt", "@\\b.txt"},
    {"move.folder-trailing-dot-on-disk", {"@\\dir.\\a.txt"}, "@\\dir.\\a.txt", "@\\b.txt"},
    {"move.dot-components", {"@\\a.txt", "@\\sub\\"}, "@\\.\\a.txt", "@\\sub\\.\\..\\b.txt"},

    // Spaces.
    {"move.target-trailing-spaces", {"@\\a.txt"}, "@\\a.txt", "@\\b.txt  "},
    {"move.target-trailing-dots-and-spaces", {"@\\a.txt"}, "@\\a.txt", "@\\b.txt . ."},
    {"move.source-trailing-space", {"@\\a.txt"}, "@\\a.txt ", "@\\b.txt"},
    {"move.folder-trailing-space-mid-path", {"@\\dir\\a.txt"}, "@\\dir \\a.txt", "@\\b.txt"},
    {"move.folder-trailing-space-on-disk", {"@\\dir \\a.txt"}, "@\\dir \\a.txt", "@\\b.txt"},
    {"move.target-folder-trailing-space", {"@\\a.txt", "@\\dir\\"}, "@\\a.txt", "@\\dir \\b.txt"},
    {"move.target-leading-space", {"@\\a.txt"}, "@\\a.txt", "@\\ b.txt"},

    // Backslashes and slashes.
    {"move.file-source-trailing-backslash", {"@\\a.txt"}, "@\\a.txt\\", "@\\b.txt"},
    {"move.file-target-trailing-backslash", {"@\\a.txt"}, "@\\a.txt", "@\\b.txt\\"},
    {"move.folder-source-trailing-backslash", {"@\\dir\\a.txt"}, "@\\dir\\", "@\\moved"},
    {"move.folder-target-trailing-backslash", {"@\\dir\\a.txt"}, "@\\dir", "@\\moved\\"},
    {"move.doubled-backslash-mid-path", {"@\\sub\\a.txt"}, "@\\\\sub\\\\a.txt", "@\\b.txt"},
    {"move.forward-slashes", {"@\\sub\\a.txt"}, "C:/t{n}/sub/a.txt", "C:/t{n}/b.txt"},

    // Dot-dot.
    {"move.target-above-the-root", {"@\\a.txt"}, "@\\a.txt", "C:\\..\\..\\t{n}\\b.txt"},
    {"move.source-above-the-root", {"@\\a.txt"}, "C:\\..\\t{n}\\a.txt", "@\\b.txt"},
    {"move.dot-dot-mid-path", {"@\\a.txt", "@\\sub\\"}, "@\\sub\\..\\a.txt", "@\\sub\\b.txt"},
    {"move.dot-dot-after-missing-folder", {"@\\a.txt"}, "@\\missing\\..\\a.txt", "@\\b.txt"},

    // Drive letters.
    {"move.lower-case-drive-letter", {"@\\a.txt"}, "c:\\t{n}\\a.txt", "C:\\t{n}\\b.txt"},
    {"move.file-to-drive-on-other-file-system", {"@\\a.txt", "@D\\"}, "@\\a.txt", "@D\\a.txt"},
    {"move.folder-to-drive-on-other-file-system", {"@\\dir\\a.txt", "@D\\"}, "@\\dir", "@D\\dir"},
    {"move.file-to-drive-on-same-file-system", {"@\\a.txt", "@E\\"}, "@\\a.txt", "@E\\a.txt"},
    {"move.folder-to-drive-on-same-file-system", {"@\\dir\\a.txt", "@E\\"}, "@\\dir", "@E\\dir"},
    {"move.from-drive-without-mapping", {"@\\a.txt"}, "Q:\\a.txt", "Q:\\b.txt"},
    {"move.to-drive-without-mapping", {"@\\a.txt"}, "@\\a.txt", "Q:\\b.txt"},
    {"move.from-drive-not-ready", {"@\\a.txt"}, "R:\\a.txt", "R:\\b.txt"},
    {"move.to-drive-not-ready", {"@\\a.txt"}, "@\\a.txt", "R:\\b.txt"},
    {"move.path-without-drive", {"@\\a.txt"}, "t{n}\\a.txt", "t{n}\\b.txt"},
    {"move.rooted-path-without-drive", {"@\\a.txt"}, "\\t{n}\\a.txt", "\\t{n}\\b.txt"},
    {"move.drive-relative-path", {"@\\a.txt"}, "C:t{n}\\a.txt", "C:t{n}\\b.txt"},

    // Names Windows cannot hold.
    {"move.target-question-mark", {"@\\a.txt"}, "@\\a.txt", "@\\b?.txt"},
    {"move.target-star", {"@\\a.txt"}, "@\\a.txt", "@\\b*.txt"},
    {"move.target-colon", {"@\\a.txt"}, "@\\a.txt", "@\\b:c.txt"},
    {"move.target-double-quote", {"@\\a.txt"}, "@\\a.txt", "@\\b\".txt"},
    {"move.target-angle-brackets", {"@\\a.txt"}, "@\\a.txt", "@\\<b>.txt"},
    {"move.target-pipe", {"@\\a.txt"}, "@\\a.txt", "@\\b|.txt"},
    {"move.target-control-character", {"@\\a.txt"}, "@\\a.txt", "@\\b\x01.txt"},
};

}  // namespace

void RunScenarios(Session& session) {
    OpeningKeys(session);
    KeyPathSeparators(session);
    SettingAndQueryingValues(session);
    ClosingKeys(session);
    for (const MoveCase& move_case : kMoves) session.Move(move_case);
}

}  // namespace conformance

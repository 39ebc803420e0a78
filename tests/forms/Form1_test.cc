// The main window driven as a user drives it: clicks and keys on the real lists, Text1 and Hide,
// checked against the host folders of the test machine and the register's bytes.
#include "forms/Form1.h"

#include <signal.h>
#include <sys/resource.h>

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/frmAbout.h"
#include "forms/twips.h"
#include "hiding/recovery.h"
#include "platform/fault_injection.h"
#include "platform/posix/host_path.h"
#include "platform/windows_path.h"
#include "window_test.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

namespace fs = std::filesystem;
using forms::Form1;

const ShownMessage kCannotHide{"Cannot Hide Drive or File or Folders on Removable Media",
                               "Error!!!!!"};

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string RecordBytes(const std::string& hidden, const std::string& path,
                        const std::string& name) {
    return Padded(hidden, 100) + Padded(path, 200) + Padded(name, 100);
}

QListWidgetItem* EntryNamed(const QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1) << text.toStdString();
    return found.value(0);
}

class Form1Test : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        fs::create_directories(HostC("Docs/Old/Inner"));
        fs::create_directories(HostC("Docs/New"));
        WriteFile(HostC("Docs/report.txt"), "report");
        WriteFile(HostC("Docs/notes.txt"), "notes");
        WriteFile(HostC("Docs/Old/old.txt"), "old");
        WriteFile(HostC("boot.ini"), "boot");
        // The window starts in the program's current folder.
        fs::current_path(HostC("Docs"));
    }
    void TearDown() override {
        fs::current_path(scratch_.parent_path());
        WindowTest::TearDown();
    }

    Form1& Open() {
        Form1& window = forms::Instance<Form1>();
        window.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }
    // Adds drive letter `letter` mapped to a host folder of this test; `ready` false leaves the
    // link dangling, as a drive without a medium.
    fs::path AddDrive(char letter, bool ready) {
        const fs::path root = scratch_ / std::string(1, letter);
        if (ready) fs::create_directories(root / "recycled");
        fs::create_directory_symlink(root, prefix_ / "dosdevices" / (std::string(1, letter) + ":"));
        return root;
    }

    static void ClickFile(Form1& w, const QString& name) {
        QListWidgetItem* item = EntryNamed(w.File1, name);
        QTest::mouseClick(w.File1->viewport(), Qt::LeftButton, {},
                          w.File1->visualItemRect(item).center());
    }
    static void OpenFolder(Form1& w, const QString& name) {
        QListWidgetItem* item = EntryNamed(w.Dir1, name);
        const QPoint at = w.Dir1->visualItemRect(item).center();
        // A double-click arrives as a click followed by the double-click event.
        QTest::mouseClick(w.Dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.Dir1->viewport(), Qt::LeftButton, {}, at);
    }
    static void Type(Form1& w, const QString& text) {
        w.Text1->setFocus();
        QTest::keyClick(w.Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.Text1, Qt::Key_Delete);
        if (text == QString::fromLatin1(text.toLatin1())) {
            QTest::keyClicks(w.Text1, text);
            return;
        }
        // Beyond Latin-1 the characters come from an input method, as they do for a user.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(w.Text1, &commit);
    }
    static void Hide(Form1& w) { QTest::mouseClick(w.Command1, Qt::LeftButton); }

    // The button opens window T and disables the main window until T closes.
    template <class T>
    static void ExpectOpensWhileDisabled(Form1& w, QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(w.isEnabled());
        ASSERT_TRUE(forms::IsLoaded<T>());
        EXPECT_TRUE(forms::Instance<T>().isVisible());
        forms::Instance<T>().Unload();
        EXPECT_TRUE(w.isEnabled());
    }

    std::string Register() const { return ReadFile(HostC("windows/system32/tessarn.dat")); }
};

TEST_F(Form1Test, OpensOnTheCurrentFolderWithItsLayoutAndTabOrder) {
    Form1& w = Open();
    EXPECT_EQ(w.windowTitle(), "Tessarn");
    EXPECT_EQ(w.size(), QSize(forms::TwipsToPixels(4755), forms::TwipsToPixels(6870)));
    EXPECT_EQ(w.Text1->text(), "C:\\Docs");
    EXPECT_EQ(w.Drive1->Drive(), "c:");
    EXPECT_EQ(Entries(w.Dir1), QStringList({"C:\\", "Docs", "New", "Old"}));
    EXPECT_EQ(Entries(w.File1), QStringList({"notes.txt", "report.txt"}));
    EXPECT_EQ(w.Command4->geometry().topLeft(),
              QPoint(forms::TwipsToPixels(2520), forms::TwipsToPixels(6120)));

    const std::vector<QWidget*> order = {w.Dir1,     w.Drive1,   w.File1,    w.Text1,
                                         w.Command1, w.Command2, w.Command3, w.Command4};
    EXPECT_EQ(QApplication::focusWidget(), w.Dir1);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "tab stop " << i;
    }
}

TEST_F(Form1Test, UnhideAboutAndChangePasswordOpenTheirWindowsOverADisabledMainWindow) {
    Form1& w = Open();
    ExpectOpensWhileDisabled<forms::Form3>(w, w.Command2);
    ExpectOpensWhileDisabled<forms::frmAbout>(w, w.Command3);
    ExpectOpensWhileDisabled<forms::Form2>(w, w.Command4);
}

TEST_F(Form1Test, Text1FollowsTheFolderAndFileChosen) {
    Form1& w = Open();
    ClickFile(w, "report.txt");
    EXPECT_EQ(w.Text1->text(), "C:\\Docs\\report.txt");

    OpenFolder(w, "Old");
    EXPECT_EQ(w.Text1->text(), "C:\\Docs\\Old");
    EXPECT_EQ(Entries(w.Dir1), QStringList({"C:\\", "Docs", "Old", "Inner"}));
    EXPECT_EQ(Entries(w.File1), QStringList({"old.txt"}));

    // A file in a drive root takes one backslash; the hiding place is never listed.
    OpenFolder(w, "C:\\");
    EXPECT_EQ(w.Text1->text(), "C:\\");
    EXPECT_FALSE(Entries(w.Dir1).contains("recycled"));
    ClickFile(w, "boot.ini");
    EXPECT_EQ(w.Text1->text(), "C:\\boot.ini");

    // Keyboard alone: Enter opens the chosen folder, arrow keys choose a file.
    QTest::mouseClick(w.Dir1->viewport(), Qt::LeftButton, {},
                      w.Dir1->visualItemRect(EntryNamed(w.Dir1, "Docs")).center());
    QTest::keyClick(w.Dir1, Qt::Key_Return);
    EXPECT_EQ(w.Text1->text(), "C:\\Docs");
    w.File1->setFocus();
    QTest::keyClick(w.File1, Qt::Key_Down);
    QTest::keyClick(w.File1, Qt::Key_Down);
    ASSERT_FALSE(w.File1->FileName().isEmpty());
    EXPECT_EQ(w.Text1->text(), "C:\\Docs\\" + w.File1->FileName());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Form1Test, DriveChangesGoToEachDrivesLastFolderOrSayTheDriveIsNotReady) {
    fs::create_directories(AddDrive('d', true) / "Music");
    AddDrive('e', false);
    Form1& w = Open();
    EXPECT_EQ(w.Drive1->itemText(2), "e: [e] not ready");
    w.Drive1->setFocus();
    QTest::keyClick(w.Drive1, Qt::Key_Down);
    EXPECT_EQ(w.Text1->text(), "D:\\");
    OpenFolder(w, "Music");
    QTest::keyClick(w.Drive1, Qt::Key_Up);
    EXPECT_EQ(w.Text1->text(), "C:\\Docs");
    QTest::keyClick(w.Drive1, Qt::Key_Down);
    EXPECT_EQ(w.Text1->text(), "D:\\Music");
    EXPECT_TRUE(messages_.empty());

    // The drive list keeps the drive that cannot be read; everything else stays.
    QTest::keyClick(w.Drive1, Qt::Key_Down);
    EXPECT_EQ(messages_, std::vector<ShownMessage>({{"Drive not ready!!!", "Error!!!!"}}));
    EXPECT_EQ(w.Drive1->Drive(), "e:");
    EXPECT_EQ(w.Dir1->Path(), "D:\\Music");
    EXPECT_EQ(w.Text1->text(), "D:\\Music");
}

TEST_F(Form1Test, HidesAFileAndThenAFolderUnderTheNextNumbers) {
    Form1& w = Open();
    ClickFile(w, "report.txt");
    Hide(w);
    EXPECT_FALSE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_EQ(ReadFile(HostC("recycled/H1")), "report");
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt"));
    EXPECT_EQ(Entries(w.File1), QStringList({"notes.txt"}));
    // The folder list stays in the same folder, so Text1 keeps the hidden file's path, and a
    // second press (a double-click) finds nothing there to hide: never the folder around it.
    EXPECT_EQ(w.Text1->text(), "C:\\Docs\\report.txt");
    Hide(w);
    EXPECT_EQ(messages_, std::vector<ShownMessage>({kCannotHide}));
    EXPECT_TRUE(fs::exists(HostC("Docs/notes.txt")));
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt"));
    messages_.clear();

    OpenFolder(w, "Old");
    Hide(w);
    EXPECT_TRUE(fs::exists(HostC("recycled/H2/Inner")));
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt") +
                              RecordBytes("H2", "C:\\Docs\\Old", "Old"));
    EXPECT_EQ(w.Dir1->Path(), "C:\\Docs");
    EXPECT_EQ(Entries(w.Dir1), QStringList({"C:\\", "Docs", "New"}));
    EXPECT_EQ(w.Text1->text(), "C:\\Docs");
    EXPECT_TRUE(messages_.empty());
}

// A new user's first Hide: started in the home folder, a file there goes into drive H:'s hiding
// place, which leaves no trace in the home folder as `ls` or a file manager shows it.
TEST_F(Form1Test, StartedInTheHomeFolderHidesThroughDriveHLeavingNoVisibleTrace) {
    fs::create_directories(Home() / "Docs");
    WriteFile(Home() / "Docs/letter.txt", "letter");
    fs::current_path(Home() / "Docs");
    Form1& w = Open();
    EXPECT_EQ(w.Text1->text(), "H:\\Docs");
    EXPECT_EQ(w.Drive1->Drive(), "h:");
    EXPECT_EQ(Entries(w.Dir1), QStringList({"H:\\", "Docs"}));

    ClickFile(w, "letter.txt");
    Hide(w);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(Entries(w.File1).isEmpty());
    EXPECT_TRUE(fs::is_empty(Home() / "Docs"));
    EXPECT_EQ(Register(), RecordBytes("H1", "H:\\Docs\\letter.txt", "letter.txt"));
    EXPECT_EQ(ReadFile(platform::ResolveWindowsPath("H:\\recycled\\H1").host), "letter");
    EXPECT_EQ(platform_test::VisibleNames(Home()), std::vector<std::string>({"Docs"}));
}

TEST_F(Form1Test, HidesATypedPathExactlyAsTypedAfterARoundedCount) {
    // 1000 bytes count as two records, so the next one is number 3 at byte 800.
    WriteFile(HostC("windows/system32/tessarn.dat"), std::string(1000, 'x'));
    Form1& w = Open();
    Type(w, "c:\\docs\\REPORT.TXT");
    Hide(w);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(HostC("recycled/H3")), "report");
    EXPECT_EQ(Register(),
              std::string(800, 'x') + RecordBytes("H3", "c:\\docs\\REPORT.TXT", "REPORT.TXT"));
}

TEST_F(Form1Test, RefusesWhatTheRegisterCouldNotBringBackBeforeMovingAnything) {
    AddDrive('d', true);
    WriteFile(scratch_ / "d" / "song.mp3", "song");
    const std::string long_name(193, 'n');  // C:\Docs\ and this name: 201 characters
    WriteFile(HostC("Docs/" + long_name), "long");
    WriteFile(HostC("Docs/\u65e5\u672c.txt"), "cjk");
    struct Case {
        QString typed;
        QString why;
    } cases[] = {
        {"", "full path"},
        {"report.txt", "full path"},
        {"C:\\Docs\\" + QString::fromStdString(long_name), "longer than 200"},
        {"C:\\Docs\\\u65e5\u672c.txt", "characters the register cannot store"},
        {"D:\\song.mp3", "not on drive c:"},
        {"C:\\WINDOWS", "holds the program's own data"},
    };
    Form1& w = Open();
    for (const Case& c : cases) {
        messages_.clear();
        Type(w, c.typed);
        Hide(w);
        ASSERT_EQ(messages_.size(), 1u) << c.typed.toStdString();
        EXPECT_TRUE(messages_[0].text.contains(c.why)) << messages_[0].text.toStdString();
        EXPECT_EQ(messages_[0].title, "Error!!!!!");
        EXPECT_EQ(w.Text1->text(), c.typed);
    }
    // However long a pasted path, Text1 takes it whole, and the refusal speaks of all of it.
    QApplication::clipboard()->setText("C:\\Docs\\" + QString(40000, QLatin1Char('x')));
    w.Text1->selectAll();
    QTest::keyClick(w.Text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Text1->text().size(), 40008);
    EXPECT_FALSE(fs::exists(HostC("windows/system32/tessarn.dat")));
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
    EXPECT_TRUE(fs::exists(HostC("Docs/" + long_name)));
    EXPECT_TRUE(fs::exists(scratch_ / "d" / "song.mp3"));
    EXPECT_TRUE(fs::exists(HostC("windows/system32")));
}

TEST_F(Form1Test, AFailedMoveShowsTheHideMessageAndRecordsNothing) {
    Form1& w = Open();
    for (const QString typed : {"C:\\", "C:\\Docs\\gone.txt"}) {
        messages_.clear();
        Type(w, typed);
        Hide(w);
        EXPECT_EQ(messages_, std::vector<ShownMessage>({kCannotHide})) << typed.toStdString();
    }
    fs::remove(HostC("recycled"));  // a drive without its hiding place
    Type(w, "C:\\Docs\\report.txt");
    messages_.clear();
    Hide(w);
    EXPECT_EQ(messages_, std::vector<ShownMessage>({kCannotHide}));
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_EQ(Register(), "");
}

TEST_F(Form1Test, RefusesWhenTheRegisterCannotBeOpenedOrNumberedFurther) {
    Form1& w = Open();
    const fs::path data = HostC("windows/system32/tessarn.dat");
    for (std::uintmax_t records : {32767u, 32768u}) {
        messages_.clear();
        WriteFile(data, "");
        fs::resize_file(data, records * 400);  // sparse: no disk used
        Type(w, "C:\\Docs\\report.txt");
        Hide(w);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_TRUE(messages_[0].text.startsWith("Cannot Hide: ")) << records;
        EXPECT_EQ(fs::file_size(data), records * 400);
    }
    fs::remove(data);
    fs::remove_all(HostC("windows/system32"));
    WriteFile(HostC("windows/system32"), "not a folder");
    messages_.clear();
    Hide(w);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains("tessarn.dat")) << messages_[0].text.toStdString();
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
}

TEST_F(Form1Test, AFullDiskRefusesTheHideBeforeAnythingMoves) {
    Form1& w = Open();
    ClickFile(w, "report.txt");
    // A file-size limit of zero fails the record's write and nothing else of the Hide.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit none = saved;
    none.rlim_cur = 0;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &none);
    Hide(w);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains("not enough space")) << messages_[0].text.toStdString();
    EXPECT_EQ(ReadFile(HostC("Docs/report.txt")), "report");
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
    EXPECT_EQ(Register(), "");
}

// Fails the Nth file operation of a Hide, and every one after it, for every N until one goes
// through. Once the register has been opened again, as the next window would, the item is either
// in place without a record or hidden with its record; anything short of a clean Hide was told.
TEST_F(Form1Test, NoFailingFileOperationLosesTheItem) {
    Form1& w = Open();
    const std::string record = RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt");
    for (int n = 1; n < 60; ++n) {
        messages_.clear();
        Type(w, "C:\\Docs\\report.txt");
        platform::fault_injection::FailFromOperation(n);
        Hide(w);
        platform::fault_injection::Disarm();
        hiding::ListHiddenItems();
        const bool in_place = fs::exists(HostC("Docs/report.txt"));
        const bool hidden = fs::exists(HostC("recycled/H1"));
        ASSERT_NE(in_place, hidden) << "operation " << n;
        EXPECT_EQ(Register() == record, hidden) << "operation " << n;
        if (in_place) {
            EXPECT_EQ(messages_.size(), 1u) << "operation " << n;
        }
        if (hidden && messages_.empty()) return;
        if (hidden) {
            fs::rename(HostC("recycled/H1"), HostC("Docs/report.txt"));
            fs::remove(HostC("windows/system32/tessarn.dat"));
        }
    }
    FAIL() << "Hide never went through";
}

TEST_F(Form1Test, TheFolderListFollowsFoldersRemovedBehindIt) {
    Form1& w = Open();
    fs::remove_all(HostC("Docs/New"));
    OpenFolder(w, "New");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains("C:\\Docs\\New")) << messages_[0].text.toStdString();
    EXPECT_EQ(Entries(w.Dir1), QStringList({"C:\\", "Docs", "Old"}));

    // Refreshing after the folder shown has gone moves to the nearest folder that is left.
    OpenFolder(w, "Old");
    fs::remove_all(HostC("Docs/Old"));
    w.Dir1->Refresh();
    EXPECT_EQ(Entries(w.Dir1), QStringList({"C:\\", "Docs"}));
    EXPECT_EQ(w.Text1->text(), "C:\\Docs");
}

}  // namespace

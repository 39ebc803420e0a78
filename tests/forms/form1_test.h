// The main window's tests, on both systems and on one alone: a machine with a few documents on
// drive C, the program started in C:\Docs, and the register's bytes as Hide leaves them.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/Form1.h"
#include "window_test.h"

inline const ShownMessage kCannotHide{"Cannot Hide Drive or File or Folders on Removable Media",
                                      "Error!!!!!"};

inline std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

inline std::string RecordBytes(const std::string& hidden, const std::string& path,
                               const std::string& name) {
    return Padded(hidden, 100) + Padded(path, 200) + Padded(name, 100);
}

inline bool Lists(const forms::ListControl& list, const std::string& entry) {
    const std::vector<std::string> shown = user::Entries(list);
    return std::find(shown.begin(), shown.end(), entry) != shown.end();
}

class Form1Test : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        std::filesystem::create_directories(HostC("Docs/Old/Inner"));
        std::filesystem::create_directories(HostC("Docs/New"));
        WriteFile(HostC("Docs/report.txt"), "report");
        WriteFile(HostC("Docs/notes.txt"), "notes");
        WriteFile(HostC("Docs/Old/old.txt"), "old");
        WriteFile(HostC("boot.ini"), "boot");
        // The window starts in the program's current folder.
        machine_->StartIn(HostC("Docs"));
    }

    static forms::Form1& Open() {
        forms::Form1& window = forms::Instance<forms::Form1>();
        window.Show();
        EXPECT_TRUE(user::WaitUntilActive(window));
        return window;
    }

    // The button opens window T and disables the main window until T closes.
    template <class T>
    static void ExpectOpensWhileDisabled(forms::Form1& w, const forms::CommandButton& button) {
        user::Click(button);
        EXPECT_FALSE(user::IsEnabled(w));
        ASSERT_TRUE(forms::IsLoaded<T>());
        EXPECT_TRUE(user::IsShown(forms::Instance<T>()));
        user::CloseBox(forms::Instance<T>());
        EXPECT_TRUE(user::IsEnabled(w));
    }

    std::string Register() const { return ReadFile(HostC("windows/system32/tessarn.dat")); }
};

// Helpers for the dialogs' window tests: the stored check value, and windows opened and active
// as the user finds them.
#pragma once

#include <string>
#include <vector>

#include "forms/Form1.h"
#include "password/password_store.h"
#include "window_test.h"

// An entry whose residue sum passes 32,767: "Y" has the residue 29.
inline const std::string kOverflowing(1130, 'Y');

inline ShownMessage TooLong(const std::string& title) {
    return {"Password too long, use at most 1,129 characters", title};
}

class DialogTest : public WindowTest {
  protected:
    static void SetPassword(const std::string& password) {
        password::StoreCheckValue(password::ComputeCheckValue(password).value());
    }
    static std::string Stored() { return password::ReadStoredCheckValue(); }

    template <class T>
    static T& Open() {
        T& window = forms::Instance<T>();
        window.Show();
        EXPECT_TRUE(user::WaitUntilActive(window));
        return window;
    }
    // The main window open, and the dialog that one of its buttons opens.
    template <class T>
    static T& OpenFromMainWindow(forms::CommandButton forms::Form1::*button) {
        forms::Form1& main_window = Open<forms::Form1>();
        user::Click(main_window.*button);
        EXPECT_FALSE(user::IsEnabled(main_window));
        T& dialog = forms::Instance<T>();
        EXPECT_TRUE(user::WaitUntilActive(dialog));
        return dialog;
    }

    // The focused control, then the ones that each of `presses` Tab presses moves the focus to.
    static std::vector<const forms::Control*> TabWalk(int presses) {
        std::vector<const forms::Control*> visited{user::FocusedControl()};
        for (int i = 0; i < presses; ++i) {
            user::Press(forms::Key::kTab);
            visited.push_back(user::FocusedControl());
        }
        return visited;
    }
};

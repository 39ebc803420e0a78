// Helpers for the dialogs' window tests: the password store as the dialogs leave it, and windows
// opened and made active as the user finds them.
#pragma once

#include <QLineEdit>
#include <string>
#include <vector>

#include "forms/Form1.h"
#include "platform/registry.h"
#include "startup/password_store.h"
#include "window_test.h"

class DialogTest : public WindowTest {
  protected:
    // Sets the password as an earlier first run would have.
    static void SetPassword(const std::string& password) {
        startup::StoreCheckValue(startup::ComputeCheckValue(password).value());
    }
    static std::string Stored() { return startup::ReadStoredCheckValue(); }
    static bool PasswordKeyExists() {
        platform::HKEY key = nullptr;
        if (platform::RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, startup::kPasswordKey, &key) !=
            platform::ERROR_SUCCESS) {
            return false;
        }
        platform::RegCloseKey(key);
        return true;
    }

    template <class T>
    static T& Open() {
        T& window = forms::Instance<T>();
        window.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }
    // The main window open, and the dialog that one of its buttons opens.
    template <class T>
    static T& OpenFromMainWindow(QPushButton* forms::Form1::*button) {
        forms::Form1& main_window = Open<forms::Form1>();
        QTest::mouseClick(main_window.*button, Qt::LeftButton);
        EXPECT_FALSE(main_window.isEnabled());
        T& dialog = forms::Instance<T>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        return dialog;
    }

    // The widgets that the focus visits as Tab is pressed `presses` times, the first included.
    static std::vector<QWidget*> TabWalk(int presses) {
        std::vector<QWidget*> visited{QApplication::focusWidget()};
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget());
        }
        return visited;
    }

    // Typed characters whose residues sum past the 16-bit check value: "Y" has residue 29.
    static QString Overflowing() { return QString(1130, QLatin1Char('Y')); }
    static ShownMessage TooLong(const QString& title) {
        return {QStringLiteral("Password too long, use at most 1,129 characters"), title};
    }
};

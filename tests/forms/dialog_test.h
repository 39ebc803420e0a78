// Helpers for the dialogs' window tests: the stored check value, and windows opened and active
// as the user finds them.
#pragma once

#include <QLineEdit>
#include <string>
#include <vector>

#include "forms/Form1.h"
#include "password/password_store.h"
#include "window_test.h"

// An entry whose residue sum passes 32,767: "Y" has the residue 29.
inline const QString kOverflowing(1130, QLatin1Char('Y'));

inline ShownMessage TooLong(const QString& title) {
    return {QStringLiteral("Password too long, use at most 1,129 characters"), title};
}

class DialogTest : public WindowTest {
  protected:
    static void SetPassword(const std::string& password) {
        password::StoreCheckValue(password::ComputeCheckValue(password).value());
    }
    static std::string Stored() { return password::ReadStoredCheckValue(); }
    // A hive with a line the registry cannot read: it reads what it can but refuses to write the
    // hive back, which would drop that line.
    void DamageHive(const std::string& readable) const {
        WriteFile(prefix_ / "system.reg", "REGEDIT4\n\n" + readable + "a line that is no value\n");
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
        QTest::mouseClick(Open<forms::Form1>().*button, Qt::LeftButton);
        EXPECT_FALSE(forms::Instance<forms::Form1>().isEnabled());
        T& dialog = forms::Instance<T>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        return dialog;
    }

    // The focused widget, then the ones that each of `presses` Tab presses moves the focus to.
    static std::vector<QWidget*> TabWalk(int presses) {
        std::vector<QWidget*> visited{QApplication::focusWidget()};
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(visited.back(), Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget());
        }
        return visited;
    }
};

// A fixture for window tests: a fresh machine prefix with a home folder of its own (drive H:), a
// recorder in place of the message box,
// and a watch on the end of the program. Every window left loaded is closed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/message_box.h"
#include "platform/posix/prefix.h"
#include "platform/test_home.h"

struct ShownMessage {
    QString text;
    QString title;
    bool operator==(const ShownMessage&) const = default;
};

inline void PrintTo(const ShownMessage& m, std::ostream* os) {
    *os << "{\"" << m.text.toStdString() << "\", \"" << m.title.toStdString() << "\"}";
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The texts of a list's entries, top to bottom.
inline QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    return entries;
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tessarn-window-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch_ = pattern;
        prefix_ = scratch_ / "prefix";
        home_.emplace(Home());
        setenv("TESSARN_PREFIX", prefix_.c_str(), 1);
        platform::PrepareMachine();
        forms::SetMessageBoxHandler([this](const QString& text, const QString& title) {
            messages_.push_back({text, title});
            if (on_message_) on_message_();
        });
        forms::SetOnLastFormUnloaded([this] { program_ended_ = true; });
    }

    void TearDown() override {
        // Unloading a dialog may load another window (it enables the main window through that
        // window's instance), so close rounds until none is left.
        for (int round = 0; round < 5 && forms::LoadedFormCount() > 0; ++round) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* form = qobject_cast<forms::Form*>(w)) form->Unload();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(forms::LoadedFormCount(), 0) << "a window is left loaded";
        forms::SetMessageBoxHandler({});
        std::error_code ignored;
        std::filesystem::remove_all(scratch_, ignored);
        home_.reset();
    }

    std::filesystem::path Home() const { return scratch_ / "home"; }

    // Host path of a Windows path on drive C of this test's machine ("windows\\system32").
    std::filesystem::path HostC(const std::string& relative = "") const {
        return prefix_ / "drive_c" / relative;
    }

    std::filesystem::path scratch_;
    std::filesystem::path prefix_;
    std::vector<ShownMessage> messages_;
    std::function<void()> on_message_;  // runs while a box is "open", e.g. to check focus
    bool program_ended_ = false;
    std::optional<platform_test::TestHome> home_;
};

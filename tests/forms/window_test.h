// A fixture for window tests: a fresh test machine, a recorder in place of the message box, and a
// watch on the end of the program. Every window left loaded is unloaded afterwards.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/message_box.h"
#include "test_machine.h"
#include "user.h"

struct ShownMessage {
    std::string text;
    std::string title;
    bool operator==(const ShownMessage&) const = default;
};

inline void PrintTo(const ShownMessage& m, std::ostream* os) {
    *os << "{\"" << m.text << "\", \"" << m.title << "\"}";
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        machine_.emplace();
        forms::SetMessageBoxHandler([this](const std::string& text, const std::string& title) {
            messages_.push_back({text, title});
            if (on_message_) on_message_();
        });
        forms::SetOnLastFormUnloaded([this] { program_ended_ = true; });
    }

    void TearDown() override {
        // Unloading a dialog may load another window (it enables the main window through that
        // window's instance), so unload in rounds until none is left.
        for (int round = 0; round < 5 && forms::LoadedFormCount() > 0; ++round) {
            for (forms::Form* form : forms::LoadedForms()) form->Unload();
        }
        user::Settle();
        EXPECT_EQ(forms::LoadedFormCount(), 0) << "a window is left loaded";
        forms::SetMessageBoxHandler({});
        machine_.reset();
    }

    std::filesystem::path HostC(const std::string& relative = "") const {
        return machine_->HostC(relative);
    }
    std::filesystem::path Home() const { return machine_->Home(); }

    std::optional<TestMachine> machine_;
    std::vector<ShownMessage> messages_;
    std::function<void()> on_message_;  // runs while a box is "open", e.g. to check focus
    bool program_ended_ = false;
};

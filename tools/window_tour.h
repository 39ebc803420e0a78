// The README's tour of Tessarn's windows, the same on both systems: each window opened in turn on
// the sample machine, as a user meets it, and handed to the toolkit's camera.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"

struct TourHands {
    std::function<void(const forms::TextBox&, const std::string&)> type;
    std::function<void(const forms::CommandButton&)> click;
    std::function<void(const forms::Form&, const std::string&)> shoot;
};

// A few documents in <drive C>\Docs, two items hidden already and the password "secret" set; the
// current folder becomes Docs. The machine itself (its register and key) must be prepared.
void FillSampleMachine(const std::filesystem::path& drive_c);

// Opens the first-start window, the login, the main window and, from its buttons, the
// hidden-items window, the password change and the About box.
void TourEveryWindow(const TourHands& hands);

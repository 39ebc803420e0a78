// The windows were laid out in twips: every toolkit shows each window with its client size and
// each control that takes the focus at its place, 15 twips to a pixel at 96 dpi.
#include <filesystem>
#include <functional>

#include "dialog_test.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/frmAbout.h"
#include "forms/frmLogin.h"

namespace {

using namespace forms;

user::Rect PixelsOf(const Twips& place) {
    return {user::Pixels(place.left), user::Pixels(place.top), user::Pixels(place.width),
            user::Pixels(place.height)};
}

TEST_F(DialogTest, EveryWindowAndEachControlThatTakesTheFocusSitAtTheirTwips) {
    std::filesystem::create_directories(HostC("Docs"));
    machine_->StartIn(HostC("Docs"));
    const std::function<Form&()> windows[] = {
        []() -> Form& { return Open<Form1>(); },    []() -> Form& { return Open<Form2>(); },
        []() -> Form& { return Open<Form3>(); },    []() -> Form& { return Open<Form4>(); },
        []() -> Form& { return Open<frmLogin>(); }, []() -> Form& { return Open<frmAbout>(); },
    };
    for (const auto& open : windows) {
        Form& window = open();
        SCOPED_TRACE(user::Caption(window));
        EXPECT_EQ(user::ClientSize(window), (user::Size{user::Pixels(window.ClientWidth()),
                                                        user::Pixels(window.ClientHeight())}));
        for (const Control* control : window.Controls()) {
            if (!control->TakesFocus()) continue;
            EXPECT_EQ(user::Geometry(*control), PixelsOf(control->Place())) << control->Name();
        }
        window.Unload();
        user::Settle();
    }
}

}  // namespace

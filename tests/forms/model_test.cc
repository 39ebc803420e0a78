// The control model on its own, without a window: what every toolkit relies on it to compute.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/focus.h"
#include "forms/form.h"
#include "forms/pixels.h"
#include "forms/send_keys.h"

namespace {

using forms::Key;
using forms::Keystroke;

TEST(SendKeysTest, ReadsNamedKeysShiftAndCharacters) {
    EXPECT_EQ(forms::ParseKeys("{Home}+{End}"),
              (std::vector<Keystroke>{{Key::kHome, 0, false}, {Key::kEnd, 0, true}}));
    // Names in any letter case; a name it does not know stands for no key and takes the Shift
    // with it; a character beyond ASCII is one keystroke.
    EXPECT_EQ(forms::ParseKeys("a+{bogus}B{tab}\xc3\xa9"),
              (std::vector<Keystroke>{{Key::kCharacter, U'a', false},
                                      {Key::kCharacter, U'B', false},
                                      {Key::kTab, 0, false},
                                      {Key::kCharacter, U'\u00e9', false}}));
}

// A window that is never loaded: no toolkit is asked for anything.
class Sheet : public forms::Form {
  public:
    Sheet() : Form("Sheet", 3000, 2000, forms::BorderStyle::kFixedDialog) {
        List.Click = [this] { ++clicks; };
    }
    void MakeDefault(forms::CommandButton& button) { SetDefaultButton(button); }

    forms::Label NameLabel{*this, "NameLabel", "&Name:", {0, 0, 900, 300}, 2};
    forms::CommandButton Button{*this, "Button", "OK", {0, 900, 900, 300}, 1};
    forms::TextBox Box{*this, "Box", {1200, 0, 900, 300}, 4};
    forms::Label Heading{*this, "Heading", "Heading", {0, 600, 900, 300}, 3};
    forms::Line Rule{*this, "Rule", 3000, 1200, 0, 1200, {0, 0, 0}, 2};
    forms::ListBox List{*this, "List", {0, 1300, 900, 600}, 0};
    int clicks = 0;
};

// 96 dpi.
int ScreenPixels(int twips) {
    return twips / 15;
}

TEST(ControlModelTest, TabOrderAndAccessKeysFollowTheTabIndexesNotTheDeclarations) {
    Sheet sheet;
    EXPECT_EQ(sheet.TabOrder(),
              (std::vector<forms::Control*>{&sheet.List, &sheet.Button, &sheet.NameLabel,
                                            &sheet.Heading, &sheet.Box}));
    // Past the label after it, which cannot take the focus.
    EXPECT_EQ(sheet.AccessKeyTarget(sheet.NameLabel), &sheet.Box);
    EXPECT_EQ(sheet.AccessKeyTarget(sheet.Heading), &sheet.Box);
    EXPECT_EQ(forms::AccessKeyOf(sheet.NameLabel.Caption()), 'N');
    EXPECT_EQ(forms::AccessKeyOf("Salt && &Pepper"), 'P');
    EXPECT_EQ(forms::AccessKeyOf("Heading &"), 0);
}

// What the Qt and the Win32 windows both ask the model, so that they cannot drift apart.
TEST(ControlModelTest, DecidesFocusEnterLabelsAndPixelsForEveryToolkit) {
    Sheet sheet;
    using forms::FittedLabel;
    EXPECT_EQ(forms::FocusOrder(sheet),
              (std::vector<forms::Control*>{&sheet.List, &sheet.Button, &sheet.Box}));

    // Enter presses the focused button, elsewhere the default button, and else none.
    EXPECT_EQ(forms::ButtonForEnter(sheet, &sheet.Box), nullptr);
    forms::CommandButton other{sheet, "Other", "Go", {900, 900, 900, 300}, 5};
    sheet.MakeDefault(other);
    EXPECT_EQ(forms::ButtonForEnter(sheet, &sheet.Box), &other);
    EXPECT_EQ(forms::ButtonForEnter(sheet, nullptr), &other);
    EXPECT_EQ(forms::ButtonForEnter(sheet, &sheet.Button), &sheet.Button);

    // A label names where its access key leads, else the control its design gives, else none.
    EXPECT_EQ(forms::NamedControl(sheet.NameLabel), &sheet.Box);
    EXPECT_EQ(forms::NamedControl(sheet.Heading), nullptr);
    sheet.Heading.SetLabelFor(sheet.List);
    EXPECT_EQ(forms::NamedControl(sheet.Heading), &sheet.List);

    // The wide pen spreads below the line, whichever end the design gives first.
    EXPECT_EQ(forms::PixelsOfLine(sheet.Rule, ScreenPixels), (forms::PixelRect{0, 80, 202, 2}));
    // A label grows to fit its text, but stops where the box it names begins beside it; it never
    // shrinks, and a wrapping one keeps its width.
    EXPECT_EQ(FittedLabel(sheet.NameLabel, {100, 13}, ScreenPixels),
              (forms::PixelRect{0, 0, 80, 20}));
    EXPECT_EQ(FittedLabel(sheet.NameLabel, {50, 13}, ScreenPixels),
              (forms::PixelRect{0, 0, 60, 20}));
    EXPECT_EQ(FittedLabel(sheet.Heading, {300, 13}, ScreenPixels),
              (forms::PixelRect{0, 40, 300, 20}));
    sheet.Heading.SetWordWrap(true);
    EXPECT_EQ(FittedLabel(sheet.Heading, {300, 13}, ScreenPixels),
              (forms::PixelRect{0, 40, 60, 20}));
    sheet.NameLabel.SetAutoSize(true);
    EXPECT_EQ(FittedLabel(sheet.NameLabel, {50, 13}, ScreenPixels),
              (forms::PixelRect{0, 0, 50, 13}));
}

TEST(ControlModelTest, AListKeepsItsSelectionOnTheSameEntryAsEntriesComeAndGo) {
    Sheet sheet;
    sheet.List.AddItems({"a", "b", "c"});
    sheet.List.SetListIndex(1);
    EXPECT_EQ(sheet.clicks, 1);
    sheet.List.AddItem("first", 0);
    sheet.List.RemoveItem(3);
    EXPECT_EQ(sheet.List.Entries(), (std::vector<std::string>{"first", "a", "b"}));
    EXPECT_EQ(sheet.List.List(sheet.List.ListIndex()), "b");
    // Removing the selected entry leaves none selected, and is no click of the user's.
    sheet.List.RemoveItem(2);
    EXPECT_EQ(sheet.List.ListIndex(), -1);
    EXPECT_EQ(sheet.clicks, 1);
    // What a toolkit reports for a window that is not loaded raises nothing.
    sheet.List.UserSelected(0);
    EXPECT_EQ(sheet.clicks, 1);
}

}  // namespace

#include "forms/Form4.h"

#include <QClipboard>

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::Form4;

class Form4Test : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        form_ = &Open<Form4>();
    }
    void Enter(const QString& first, const QString& second) {
        form_->Text1->clear();
        form_->Text2->clear();
        QTest::keyClicks(form_->Text1, first);
        QTest::keyClicks(form_->Text2, second);
    }
    void PressOk() { QTest::mouseClick(form_->Command1, Qt::LeftButton); }
    void ExpectStillAsking() {
        EXPECT_TRUE(forms::IsLoaded<Form4>());
        EXPECT_FALSE(forms::IsLoaded<Form1>());
        EXPECT_FALSE(PasswordKeyExists());
    }

    Form4* form_ = nullptr;
};

const ShownMessage kEnterValid{"Enter Valid Password !!!!", "Error!!!!"};

TEST_F(Form4Test, OpensMaskedWithFocusInTheFirstBoxAndTabsThroughBoxesThenOk) {
    EXPECT_EQ(form_->windowTitle(), "Password not Set!!!");
    EXPECT_EQ(TabWalk(3),
              (std::vector<QWidget*>{form_->Text1, form_->Text2, form_->Command1, form_->Text1}));
    QTest::keyClicks(form_->Text1, "a b");
    EXPECT_EQ(form_->Text1->displayText(), "***");
}

TEST_F(Form4Test, RefusesEachFaultWithItsMessageAndKeepsTheEntries) {
    PressOk();
    Enter("", "abc");
    PressOk();
    Enter("abc", "");
    PressOk();
    Enter("abc", "abd");
    PressOk();
    Enter("abc", "abc ");
    PressOk();
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{kEnterValid,
                                                    kEnterValid,
                                                    {"Retype Password !!!!", "Error!!!!"},
                                                    kEnterValid,
                                                    kEnterValid}));
    EXPECT_EQ(form_->Text2->text(), "abc ");
    ExpectStillAsking();
}

TEST_F(Form4Test, RetypeDifferingInCaseStoresTheFirstEntryAndOpensTheMainWindow) {
    Enter("abc", "ABC");  // "abc" has the check value 16, "ABC" 11
    PressOk();
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Stored(), "16");
    EXPECT_TRUE(forms::IsLoaded<Form1>());
    EXPECT_FALSE(forms::IsLoaded<Form4>());
    EXPECT_FALSE(program_ended_);
}

TEST_F(Form4Test, EnterAndEscPressNothing) {
    Enter("abc", "abc");
    QTest::keyClick(form_->Text2, Qt::Key_Return);
    QTest::keyClick(form_->Text2, Qt::Key_Escape);
    EXPECT_TRUE(messages_.empty());
    ExpectStillAsking();
}

TEST_F(Form4Test, CloseBoxEndsTheProgramWithNothingStored) {
    Enter("abc", "abc");
    form_->close();  // as the close box does
    EXPECT_TRUE(program_ended_);
    EXPECT_FALSE(forms::IsLoaded<Form4>());
    EXPECT_FALSE(PasswordKeyExists());
}

TEST_F(Form4Test, EntryTooLongForTheCheckValueIsRefusedNotWrapped) {
    Enter(Overflowing(), Overflowing());
    PressOk();
    EXPECT_EQ(messages_, std::vector<ShownMessage>{TooLong("Error!!!!")});
    ExpectStillAsking();

    // Pasted beyond QLineEdit's usual 32,767 characters: cut there, this entry of residue-0
    // characters would silently become another password.
    QApplication::clipboard()->setText(QString(40000, QLatin1Char('Z')));
    for (QLineEdit* box : {form_->Text1, form_->Text2}) {
        box->clear();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    ASSERT_EQ(form_->Text1->text().size(), 40000);
    PressOk();
    EXPECT_EQ(messages_.size(), 2u);
    ExpectStillAsking();

    Enter(QString(1129, QLatin1Char('Y')), QString(1129, QLatin1Char('y')));
    PressOk();
    EXPECT_EQ(Stored(), "7FE5");  // 1,129 x 29 = 32,741
}

}  // namespace

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
    void Submit(const QString& first, const QString& second) {
        form_->Text1->clear();
        form_->Text2->clear();
        QTest::keyClicks(form_->Text1, first);
        QTest::keyClicks(form_->Text2, second);
        QTest::mouseClick(form_->Command1, Qt::LeftButton);
    }

    // Not even the password key: the hive is written on the registry's first change.
    bool NothingStored() const { return !std::filesystem::exists(prefix_ / "system.reg"); }

    Form4* form_ = nullptr;
};

TEST_F(Form4Test, MasksTheEntriesAndTabsFromBoxToBoxToOk) {
    EXPECT_EQ(TabWalk(3),
              (std::vector<QWidget*>{form_->Text1, form_->Text2, form_->Command1, form_->Text1}));
    QTest::keyClicks(form_->Text1, "a b");
    EXPECT_EQ(form_->Text1->displayText(), "***");
}

TEST_F(Form4Test, RefusesEachFaultInItsOrderAndStoresNothing) {
    const ShownMessage valid{"Enter Valid Password !!!!", "Error!!!!"};
    Submit("", "");
    Submit("", "abc");
    Submit("abc", "");
    Submit("abc", "abd");
    Submit("abc", "abc ");
    Submit(kOverflowing, kOverflowing);
    // With the focus in a box, neither Enter nor Esc presses a button: either would have shown
    // one more message.
    form_->Text2->setFocus();
    QTest::keyClick(form_->Text2, Qt::Key_Return);
    QTest::keyClick(form_->Text2, Qt::Key_Escape);
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{valid,
                                                    valid,
                                                    {"Retype Password !!!!", "Error!!!!"},
                                                    valid,
                                                    valid,
                                                    TooLong("Error!!!!")}));
    EXPECT_EQ(form_->Text2->text(), kOverflowing);
    EXPECT_TRUE(forms::IsLoaded<Form4>());
    EXPECT_TRUE(NothingStored());
}

TEST_F(Form4Test, RetypeDifferingInCaseStoresTheFirstEntryAndOpensTheMainWindow) {
    Submit("abc", "ABC");  // check values 16 and 11
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Stored(), "16");
    EXPECT_TRUE(forms::IsLoaded<Form1>());
    EXPECT_FALSE(forms::IsLoaded<Form4>());
    EXPECT_FALSE(program_ended_);
}

TEST_F(Form4Test, LongEntriesAreTakenWholeOrRefusedNeverCut) {
    // Cut at QLineEdit's usual 32,767 characters, this paste of residue-0 characters would be
    // taken as a password other than the one the user pasted.
    QApplication::clipboard()->setText(QString(40000, QLatin1Char('Z')));
    for (QLineEdit* box : {form_->Text1, form_->Text2}) {
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    EXPECT_EQ(messages_, std::vector<ShownMessage>{TooLong("Error!!!!")});
    EXPECT_TRUE(NothingStored());

    Submit(QString(1129, QLatin1Char('Y')), QString(1129, QLatin1Char('y')));
    EXPECT_EQ(Stored(), "7FE5");  // 1,129 x 29 = 32,741
}

TEST_F(Form4Test, ARefusedStoreIsReportedAndTheMainWindowStaysClosed) {
    DamageHive("");
    Submit("abc", "abc");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Error!!!!");
    EXPECT_TRUE(messages_[0].text.startsWith("Password not set."));
    EXPECT_EQ(Stored(), "");
    EXPECT_TRUE(forms::IsLoaded<Form4>());
    EXPECT_FALSE(forms::IsLoaded<Form1>());
}

TEST_F(Form4Test, CloseBoxEndsTheProgramWithNothingStored) {
    QTest::keyClicks(form_->Text1, "abc");
    QTest::keyClicks(form_->Text2, "abc");
    form_->close();  // as the close box does
    EXPECT_TRUE(program_ended_);
    EXPECT_FALSE(forms::IsLoaded<Form4>());
    EXPECT_TRUE(NothingStored());
}

}  // namespace

// The user of the Qt windows: QTest's mouse and keys on the real widgets.
#include "forms/user.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#include "forms/qt/widgets.h"

namespace user {
namespace {

QWidget* Widget(const forms::Control& control) {
    QWidget* widget = forms::qt::WidgetOf(control);
    EXPECT_NE(widget, nullptr) << control.Name() << " is not shown: its window is not loaded";
    return widget;
}

QWidget* Window(const forms::Form& form) {
    QWidget* window = forms::qt::WindowOf(form);
    EXPECT_NE(window, nullptr) << form.Caption() << " is not loaded";
    return window;
}

template <class T>
T* WidgetAs(const forms::Control& control) {
    auto* widget = dynamic_cast<T*>(Widget(control));
    EXPECT_NE(widget, nullptr) << control.Name() << " is not shown as the widget expected";
    return widget;
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

Qt::KeyboardModifiers ModifiersOf(Modifier modifier) {
    switch (modifier) {
        case Modifier::kNone:
            break;
        case Modifier::kShift:
            return Qt::ShiftModifier;
        case Modifier::kControl:
            return Qt::ControlModifier;
        case Modifier::kAlt:
            return Qt::AltModifier;
    }
    return Qt::NoModifier;
}

Qt::Key QtKeyOf(forms::Key key) {
    switch (key) {
        case forms::Key::kCharacter:
            break;
        case forms::Key::kHome:
            return Qt::Key_Home;
        case forms::Key::kEnd:
            return Qt::Key_End;
        case forms::Key::kLeft:
            return Qt::Key_Left;
        case forms::Key::kRight:
            return Qt::Key_Right;
        case forms::Key::kUp:
            return Qt::Key_Up;
        case forms::Key::kDown:
            return Qt::Key_Down;
        case forms::Key::kDelete:
            return Qt::Key_Delete;
        case forms::Key::kBackspace:
            return Qt::Key_Backspace;
        case forms::Key::kEnter:
            return Qt::Key_Return;
        case forms::Key::kEsc:
            return Qt::Key_Escape;
        case forms::Key::kTab:
            return Qt::Key_Tab;
        case forms::Key::kSpace:
            return Qt::Key_Space;
    }
    ADD_FAILURE() << "a key without a key of its own";
    return Qt::Key_unknown;
}

// Keys go where the toolkit sends them: to the control with the focus, or to the active window.
QWidget* KeyTarget() {
    if (QWidget* focused = QApplication::focusWidget()) return focused;
    QWidget* active = QApplication::activeWindow();
    EXPECT_NE(active, nullptr) << "no window takes the keys";
    return active;
}

void ClickAt(QListWidget* list, int row, bool twice) {
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr) << "no entry " << row;
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    // A double-click arrives as a click followed by the double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

int RowOf(QListWidget* list, const std::string& entry) {
    const QList<QListWidgetItem*> found = list->findItems(ToQString(entry), Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1) << "entries \"" << entry << "\"";
    return found.isEmpty() ? -1 : list->row(found.first());
}

}  // namespace

void Click(const forms::CommandButton& button) {
    QTest::mouseClick(Widget(button), Qt::LeftButton);
}

void Click(const forms::ListControl& list, const std::string& entry) {
    auto* widget = WidgetAs<QListWidget>(list);
    ClickAt(widget, RowOf(widget, entry), false);
}

void ClickRow(const forms::ListControl& list, int row) {
    ClickAt(WidgetAs<QListWidget>(list), row, false);
}

void DoubleClick(const forms::ListControl& list, const std::string& entry) {
    auto* widget = WidgetAs<QListWidget>(list);
    ClickAt(widget, RowOf(widget, entry), true);
}

void ChooseDrive(const forms::DriveListBox& drives, char letter) {
    auto* combo = WidgetAs<QComboBox>(drives);
    combo->showPopup();
    const int index =
        combo->findText(QStringLiteral("%1:").arg(QChar(letter)), Qt::MatchStartsWith);
    ASSERT_GE(index, 0) << "no drive " << letter << ":";
    QAbstractItemView* popup = combo->view();
    const QPoint at = popup->visualRect(popup->model()->index(index, 0)).center();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, at);
}

void CloseBox(const forms::Form& form) {
    Window(form)->windowHandle()->close();
}

void DropItems(const forms::Form& form, const std::vector<std::filesystem::path>& items) {
    QWidget* window = Window(form);
    if (window == nullptr) return;
    QList<QUrl> urls;
    for (const std::filesystem::path& item : items) {
        urls.push_back(QUrl::fromLocalFile(QFile::decodeName(item.c_str())));
    }
    QMimeData data;
    data.setUrls(urls);
    // Qt gives a drag to the widget under the pointer, or to the nearest one above it that takes
    // drops; a file manager offers to copy, move or link.
    const QPoint middle = window->rect().center();
    QWidget* target = window->childAt(middle);
    while (target != nullptr && target != window && !target->acceptDrops()) {
        target = target->parentWidget();
    }
    if (target == nullptr) target = window;
    const QPoint at = target->mapFrom(window, middle);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (enter.isAccepted()) {
        QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
    }
    Settle();
}

void Focus(const forms::Control& control) {
    Widget(control)->setFocus();
}

void Press(forms::Key key, Modifier modifier) {
    QTest::keyClick(KeyTarget(), QtKeyOf(key), ModifiersOf(modifier));
}

void PressAlt(char letter) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    QTest::keyClick(KeyTarget(), static_cast<Qt::Key>(Qt::Key_A + (upper - 'A')), Qt::AltModifier);
}

void Type(const forms::TextBox& box, const std::string& text) {
    auto* edit = WidgetAs<QLineEdit>(box);
    edit->setFocus();
    const QString typed = ToQString(text);
    const bool ascii = std::all_of(typed.begin(), typed.end(),
                                   [](QChar character) { return character.unicode() < 0x80; });
    if (ascii) {
        QTest::keyClicks(edit, typed);
        return;
    }
    // Beyond ASCII the characters come from an input method, as they do for a user: QTest knows
    // keys for ASCII characters only.
    QInputMethodEvent commit;
    commit.setCommitString(typed);
    QApplication::sendEvent(edit, &commit);
}

void Retype(const forms::TextBox& box, const std::string& text) {
    auto* edit = WidgetAs<QLineEdit>(box);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    Type(box, text);
}

void Paste(const forms::TextBox& box, const std::string& text) {
    auto* edit = WidgetAs<QLineEdit>(box);
    QApplication::clipboard()->setText(ToQString(text));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void Activate(const forms::Form& form) {
    Window(form)->activateWindow();
}

void ActivateAnotherWindowAndCloseIt() {
    auto* other = new QWidget;
    other->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(other));
    delete other;
}

bool IsActive(const forms::Form& form) {
    return Window(form)->isActiveWindow();
}

bool WaitUntilActive(const forms::Form& form) {
    return QTest::qWaitForWindowActive(Window(form));
}

bool WaitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition);
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const forms::Control* FocusedControl() {
    return forms::qt::ControlOf(QApplication::focusWidget());
}

std::string Caption(const forms::Form& form) {
    return Window(form)->windowTitle().toStdString();
}

std::string TextOf(const forms::Control& control) {
    QWidget* widget = Widget(control);
    if (auto* label = dynamic_cast<QLabel*>(widget)) return label->text().toStdString();
    if (auto* button = dynamic_cast<QPushButton*>(widget)) return button->text().toStdString();
    if (auto* edit = dynamic_cast<QLineEdit*>(widget)) return edit->text().toStdString();
    ADD_FAILURE() << control.Name() << " shows no text";
    return {};
}

std::string DisplayedText(const forms::TextBox& box) {
    return WidgetAs<QLineEdit>(box)->displayText().toStdString();
}

std::string SelectedText(const forms::TextBox& box) {
    return WidgetAs<QLineEdit>(box)->selectedText().toStdString();
}

std::vector<std::string> Entries(const forms::ListControl& list) {
    std::vector<std::string> entries;
    QWidget* widget = Widget(list);
    if (auto* combo = dynamic_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            entries.push_back(combo->itemText(i).toStdString());
    } else if (auto* view = dynamic_cast<QListWidget*>(widget)) {
        for (int i = 0; i < view->count(); ++i)
            entries.push_back(view->item(i)->text().toStdString());
    }
    return entries;
}

int SelectedRow(const forms::ListControl& list) {
    QWidget* widget = Widget(list);
    if (auto* combo = dynamic_cast<QComboBox*>(widget)) return combo->currentIndex();
    auto* view = dynamic_cast<QListWidget*>(widget);
    const QList<QListWidgetItem*> selected = view->selectedItems();
    return selected.isEmpty() ? -1 : view->row(selected.first());
}

bool IsEnabled(const forms::Control& control) {
    return Widget(control)->isEnabled();
}

bool IsEnabled(const forms::Form& form) {
    return Window(form)->isEnabled();
}

bool IsShown(const forms::Form& form) {
    return Window(form)->isVisible();
}

bool ShowsPicture(const forms::Image& image) {
    return !WidgetAs<QLabel>(image)->pixmap().isNull();
}

Rect Geometry(const forms::Control& control) {
    const QRect place = Widget(control)->geometry();
    return {place.left(), place.top(), place.width(), place.height()};
}

Size ClientSize(const forms::Form& form) {
    const QSize size = Window(form)->size();
    return {size.width(), size.height()};
}

int Pixels(int twips) {
    return forms::qt::TwipsToPixels(twips);
}

}  // namespace user

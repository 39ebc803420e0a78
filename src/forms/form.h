// The base of every window and the one global instance of each window class.
//
// A window is created on its first use (showing it, or touching one of its controls or
// properties) and its Form_Load runs then. It is unloaded, never merely hidden, however it
// closes (Unload(), the close box): Form_Unload runs, the instance is forgotten at once and the
// widget deleted later, so the next use builds the window afresh from its design-time state and
// runs Form_Load again. When the last loaded window unloads, the program ends.
#pragma once

#include <QWidget>
#include <functional>

class QPushButton;

namespace forms {

class Form : public QWidget {
    Q_OBJECT
  public:
    enum class Border {
        kFixedDialog,  // fixed size, close box only, no taskbar entry
        kFixedSingle,  // fixed size, minimize and close boxes
        kSizable,      // resizable, minimize, maximize and close boxes
    };

    // Shows the window modeless; centred on its screen the first time.
    void Show();
    // Closes the window, running Form_Unload, as its close box would.
    void Unload();

  protected:
    // Client size in twips. Every window carries the program icon.
    Form(const QString& caption, int client_width_twips, int client_height_twips, Border border);

    virtual void Form_Load() {}
    // Setting Cancel to non-zero keeps the window loaded.
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }

    // A dialog's default button: Enter presses it while the focus is not on another button. In
    // every window, with or without one, Enter presses the button that has the focus.
    void SetDefaultButton(QPushButton* button);
    // A dialog's cancel button: Esc presses it. Without one, Esc presses nothing.
    void SetCancelButton(QPushButton* button);

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    template <class T>
    friend T& Instance();

    void Load();

    QPushButton* default_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
    bool centred_ = false;
    bool unloaded_ = false;
    bool unloading_ = false;  // Unload() is closing the window, not its close box
    std::function<void()> forget_instance_;
};

template <class T>
struct InstanceSlot {
    static inline T* instance = nullptr;
};

// The single instance of a window class, created and loaded on first use.
template <class T>
T& Instance() {
    T*& slot = InstanceSlot<T>::instance;
    if (slot == nullptr) {
        slot = new T();
        slot->forget_instance_ = [] { InstanceSlot<T>::instance = nullptr; };
        slot->Load();
    }
    return *slot;
}

// Whether the window class is loaded now. Never creates an instance.
template <class T>
bool IsLoaded() {
    return InstanceSlot<T>::instance != nullptr;
}

// How many windows are loaded now.
int LoadedFormCount();

// What happens when the last loaded window unloads: by default the event loop quits. Tests
// replace it to see the program end without ending the test.
void SetOnLastFormUnloaded(std::function<void()> on_last);

}  // namespace forms

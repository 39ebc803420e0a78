// The base of every window, and the one global instance of each window class.
//
// A window is created on its first use (showing it, or touching one of its controls or
// properties) and loaded then: its toolkit window is made and Form_Load runs. It is unloaded,
// never merely hidden, however it closes (Unload(), the close box): Form_Unload runs, the
// instance is forgotten at once and deleted once the current event is handled, so the next use
// builds the window afresh from its design-time state and runs Form_Load again. When the last
// loaded window unloads, the program ends. How a toolkit shows a form: toolkit.h.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/toolkit.h"

namespace forms {

enum class BorderStyle {
    kFixedDialog,  // fixed size, close box only, no taskbar entry
    kFixedSingle,  // fixed size, minimize and close boxes
    kSizable,      // resizable, minimize, maximize and close boxes
};

class Form {
  public:
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Shows the window modeless; centred on the screen the first time.
    void Show();
    // Unloads the window, running Form_Unload, as its close box would; also while disabled.
    void Unload();
    bool Loaded() const { return loaded_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Design.
    BorderStyle Border() const { return border_; }
    int ClientWidth() const { return client_width_; }  // twips
    int ClientHeight() const { return client_height_; }
    // Every control, in the order the window declares them.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The controls with a tab index, by tab index; those that can take the focus are the window's
    // focus order (focus.h).
    std::vector<Control*> TabOrder() const;
    // Where a label's access key sends the focus: the next control after it in tab order that
    // can take the focus. Null when there is none.
    Control* AccessKeyTarget(const Label& label) const;
    // Enter presses the default button while the focus is not on another button; Esc presses the
    // cancel button. Null where the window has none.
    CommandButton* DefaultButton() const { return default_button_; }
    CommandButton* CancelButton() const { return cancel_button_; }

    // The user asks to close the window (its close box). A disabled window refuses, as it waits
    // for the window it opened; otherwise Form_Unload decides. Returns whether it unloaded.
    bool UserClosing();

    FormPeer* Peer() const { return peer_.get(); }

  protected:
    // Client size in twips. Every window carries the program icon.
    Form(std::string caption, int client_width, int client_height, BorderStyle border);

    virtual void Form_Load() {}
    // Setting Cancel to non-zero keeps the window loaded.
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }

    void SetDefaultButton(CommandButton& button) { default_button_ = &button; }
    void SetCancelButton(CommandButton& button) { cancel_button_ = &button; }

  private:
    friend class Control;
    template <class T>
    friend T& Instance();

    void Register(Control& control) { controls_.push_back(&control); }
    void Load();
    void Close();

    std::string caption_;
    int client_width_;
    int client_height_;
    BorderStyle border_;
    bool enabled_ = true;
    bool loaded_ = false;
    std::vector<Control*> controls_;
    CommandButton* default_button_ = nullptr;
    CommandButton* cancel_button_ = nullptr;
    std::unique_ptr<FormPeer> peer_;
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

// How many windows are loaded now, and which.
int LoadedFormCount();
std::vector<Form*> LoadedForms();

// What happens when the last loaded window unloads: by default the program ends. Tests replace
// it to see the program end without ending the test.
void SetOnLastFormUnloaded(std::function<void()> on_last);

}  // namespace forms

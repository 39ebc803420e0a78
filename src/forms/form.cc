#include "forms/form.h"

#include <algorithm>

#include "forms/focus.h"

namespace forms {
namespace {

std::vector<Form*>& LoadedList() {
    static std::vector<Form*> loaded;
    return loaded;
}

std::function<void()>& OnLastFormUnloaded() {
    static std::function<void()> on_last = [] { toolkit::EndProgram(); };
    return on_last;
}

}  // namespace

Form::Form(std::string caption, int client_width, int client_height, BorderStyle border)
    : caption_(std::move(caption)),
      client_width_(client_width),
      client_height_(client_height),
      border_(border) {}

// The controls are members of the derived window and are gone by now, their peers with them;
// the window's peer goes last.
Form::~Form() = default;

void Form::Load() {
    loaded_ = true;
    LoadedList().push_back(this);
    peer_ = toolkit::MakeWindow(*this);
    // The focus starts on the first control in tab order that can take it, once the window is
    // active.
    for (Control* control : FocusOrder(*this)) {
        if (control->Enabled()) {
            control->SetFocus();
            break;
        }
    }
    Form_Load();
}

void Form::Show() {
    if (loaded_) peer_->Show();
}

void Form::Unload() {
    if (!loaded_) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel == 0) Close();
}

bool Form::UserClosing() {
    if (!loaded_ || !enabled_) return false;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) return false;
    Close();
    return true;
}

void Form::Close() {
    // Form_Unload may have unloaded the window itself.
    if (!loaded_) return;
    loaded_ = false;
    peer_->Close();
    // The instance is forgotten now, so that a use of the window class from here on builds a
    // fresh window from design-time state; the object itself may still be running a handler.
    forget_instance_();
    std::erase(LoadedList(), this);
    toolkit::Post([this] { delete this; });
    if (LoadedList().empty() && OnLastFormUnloaded()) OnLastFormUnloaded()();
}

void Form::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (peer_) peer_->SetCaption(caption_);
}

void Form::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (peer_) peer_->SetEnabled(enabled);
}

std::vector<Control*> Form::TabOrder() const {
    std::vector<Control*> order;
    for (Control* control : controls_) {
        if (control->TabIndex() != kNoTabIndex) order.push_back(control);
    }
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    return order;
}

Control* Form::AccessKeyTarget(const Label& label) const {
    const std::vector<Control*> order = TabOrder();
    auto at = std::find(order.begin(), order.end(), &label);
    if (at == order.end()) return nullptr;
    for (++at; at != order.end(); ++at) {
        if ((*at)->TakesFocus()) return *at;
    }
    return nullptr;
}

int LoadedFormCount() {
    return static_cast<int>(LoadedList().size());
}

std::vector<Form*> LoadedForms() {
    return LoadedList();
}

void SetOnLastFormUnloaded(std::function<void()> on_last) {
    OnLastFormUnloaded() = std::move(on_last);
}

}  // namespace forms

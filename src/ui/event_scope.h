// What the model's sources share: the count of running handlers, which keeps App::Reap
// from freeing a form under one, the handlers' calls, and the setting of a property.
#pragma once

#include "ui/depth_count.h"
#include "ui/ui.h"

namespace ui {

// Counts running handlers so that App::Reap never frees a form under one.
class EventScope : DepthCount {
public:
    explicit EventScope(App& app) : DepthCount(app.eventDepth_) {}
};

template <class... P, class... A>
void Form::Fire(const std::function<void(P...)>& handler, A... args) {
    if (!handler) return;
    // A handler may replace itself while it runs; the copy keeps it alive.
    const std::function<void(P...)> h = handler;
    EventScope scope(app_);
    h(args...);
}

// Sets a property; true when the value changed.
template <class T>
bool Assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

// Sets a property of a control or form and tells the backend when the value changed.
template <class Owner, class T>
void SetProperty(Owner& owner, T& field, const T& value, Prop p) {
    if (Assign(field, value)) owner.Changed(p);
}

}  // namespace ui

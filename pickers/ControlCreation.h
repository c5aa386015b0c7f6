#pragma once

#include "framework/core/PropertyStream.h"
#include "framework/ui/RectControl.h"
#include "framework/ui/Window.h"

#include <memory>
#include <string>
#include <string_view>

// The first steps of making one designed control of a picker window: a new T made inside the
// window, registered under name, its TextUnit set directly, then its stream applied. The last
// two steps fetch the control again by name, checking its class; so do the caller's bindings.
template <class T>
void CreateDesignedControl(fw::Window& window, const std::string& name, std::string_view stream) {
    std::unique_ptr<T> made = window.__New<T>();
    window._AddControl(name, std::move(made));
    window.ControlAs<T>(name).TextUnit(fw::FontUnits::Default);
    fw::_SetProperties(window.ControlAs<T>(name), stream);
}

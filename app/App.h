#pragma once

#include "framework/ui/Application.h"

#include <string_view>

// The application object. It handles none of the application's events, so the framework's
// defaults apply to all of them.
class App : public fw::Application {
public:
    std::string_view ClassFullName() const override { return "App"; }

    // Does nothing.
    virtual void Constructor();

    static void RegisterClass();
};

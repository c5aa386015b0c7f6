#include "app/App.h"

#include "framework/core/ClassRegistry.h"

void App::Constructor() {}

void App::RegisterClass() {
    fw::ClassRegistry::Instance().Register(fw::ClassInfo{"App", "Application", {}});
}

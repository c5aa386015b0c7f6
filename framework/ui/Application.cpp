#include "framework/ui/Application.h"

#include "framework/core/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/MenuItem.h"

namespace fw {

Application::Application() = default;

Application::~Application() = default;

void RegisterApplicationClass() {
    ClassRegistry::Instance().Register(ClassInfo{"Application", "Object", {}});
}

} // namespace fw

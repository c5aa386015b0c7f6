#pragma once

// Each framework class registers its full name, parent and declared properties with the
// class registry. RegisterFrameworkClasses() calls them all, in a fixed order, parents first.
namespace fw {

void RegisterFrameworkClasses();

void RegisterRectControlClasses(); // "Object", "Control", "RectControl"
void RegisterWindowClass();
void RegisterListboxClass();
void RegisterPopupMenuClass();
void RegisterBevelButtonClass();
void RegisterLabelClass();
void RegisterApplicationClass(); // "Application"

} // namespace fw

#pragma once

#include <string>

namespace fw {

// A modal message box with the text and an OK button, titled with the application's name;
// returns when the user has dismissed it.
void MsgBox(const std::string& text);

} // namespace fw

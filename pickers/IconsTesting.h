#pragma once

#include "framework/ui/FolderItem.h"

// For tests only: lets a test point the icon accessors at a folder of its own and start them
// afresh, so that missing and replaced files can be tried in one process.
namespace pickers_testing {

// The folder the accessors read instead of the application's resources folder; nullptr goes
// back to the resources folder.
void SetIconFolder(fw::FolderItemPtr folder);
// Drops the stored pictures, as at the start of a run.
void ForgetIcons();

} // namespace pickers_testing

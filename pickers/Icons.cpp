#include "pickers/Icons.h"

#include "framework/ui/FolderItem.h"
#include "pickers/IconsTesting.h"

#include <string>

namespace {

fw::FolderItemPtr& FolderOverride() {
    static fw::FolderItemPtr folder;
    return folder;
}

// The first-call flags of both accessors, so that ForgetIcons can raise them again.
unsigned& RunGeneration() {
    static unsigned generation = 0;
    return generation;
}

fw::PicturePtr LoadIcon(const std::string& fileName) {
    fw::FolderItemPtr folder =
        FolderOverride() != nullptr ? FolderOverride() : fw::_GetApplicationBundleResources();
    if (folder == nullptr || !folder->Exists()) {
        return nullptr;
    }
    fw::FolderItemPtr file = folder->Child(fileName);
    return file != nullptr ? file->OpenAsPicture() : nullptr;
}

// One stored picture per accessor. The flag clears the picture on the first call of a run;
// afterwards a missing picture is looked for again on each call, a loaded one is kept.
struct StoredIcon {
    unsigned seenGeneration = ~0u;
    fw::PicturePtr picture;

    fw::PicturePtr Get(const std::string& fileName) {
        if (seenGeneration != RunGeneration()) {
            seenGeneration = RunGeneration();
            picture = nullptr;
        }
        if (picture == nullptr) {
            picture = LoadIcon(fileName);
        }
        return picture;
    }
};

} // namespace

fw::PicturePtr Tick_18() {
    static StoredIcon icon;
    return icon.Get("Tick_18.png");
}

fw::PicturePtr X2_18() {
    static StoredIcon icon;
    return icon.Get("X2_18.png");
}

namespace pickers_testing {

void SetIconFolder(fw::FolderItemPtr folder) {
    FolderOverride() = std::move(folder);
}

void ForgetIcons() {
    ++RunGeneration();
}

} // namespace pickers_testing

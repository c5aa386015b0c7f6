#pragma once

#include "framework/core/Object.h"
#include "framework/ui/Picture.h"

#include <filesystem>
#include <memory>
#include <string>

namespace fw {

class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

// A file or folder, named by its path; it need not exist.
class FolderItem : public Object {
public:
    explicit FolderItem(std::filesystem::path path);

    std::string_view ClassFullName() const override { return "FolderItem"; }

    const std::filesystem::path& Path() const { return m_path; }
    // The path as UTF-8 text.
    std::string NativePath() const;
    // The last component of the path.
    std::string Name() const;
    bool Exists() const;
    bool Directory() const;

    // The item called name inside this folder, whether it exists or not; nullptr for a name
    // that is not one path component ("", ".", "..", or one holding a '/').
    FolderItemPtr Child(const std::string& name) const;

    // The picture in the file; nullptr when the file is missing, is a folder or cannot be read
    // as a picture.
    PicturePtr OpenAsPicture() const;

private:
    std::filesystem::path m_path;
};

// The folder "Resources" inside the parent of the folder that holds the executable.
FolderItemPtr _GetApplicationBundleResources();

} // namespace fw

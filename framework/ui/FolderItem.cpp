#include "framework/ui/FolderItem.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <system_error>

namespace fw {

namespace fs = std::filesystem;

FolderItem::FolderItem(fs::path path) : m_path(std::move(path)) {}

std::string FolderItem::NativePath() const {
    const auto text = m_path.u8string();
    return std::string(text.begin(), text.end());
}

std::string FolderItem::Name() const {
    fs::path name = m_path.filename();
    if (name.empty()) {
        name = m_path.parent_path().filename(); // "a/b/" names b
    }
    const auto text = name.u8string();
    return std::string(text.begin(), text.end());
}

bool FolderItem::Exists() const {
    std::error_code error;
    return fs::exists(m_path, error);
}

bool FolderItem::Directory() const {
    std::error_code error;
    return fs::is_directory(m_path, error);
}

FolderItemPtr FolderItem::Child(const std::string& name) const {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\0", 2)) != std::string::npos) {
        return nullptr;
    }
    return std::make_shared<FolderItem>(m_path / fs::path(std::u8string(name.begin(), name.end())));
}

PicturePtr FolderItem::OpenAsPicture() const {
    std::error_code error;
    if (!fs::is_regular_file(m_path, error)) {
        return nullptr;
    }
    QImageReader reader(QFile::decodeName(m_path.native().c_str()));
    const QImage image = reader.read();
    if (image.isNull()) {
        return nullptr;
    }
    return std::make_shared<Picture>(image);
}

FolderItemPtr _GetApplicationBundleResources() {
    fs::path executableFolder;
    if (QCoreApplication::instance() != nullptr) {
        executableFolder =
            fs::path(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    } else {
        std::error_code error;
        executableFolder = fs::read_symlink("/proc/self/exe", error).parent_path();
    }
    return std::make_shared<FolderItem>(executableFolder.parent_path() / "Resources");
}

} // namespace fw

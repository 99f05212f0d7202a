#pragma once
// Every file the system touches outside the record store goes through FileSystem, so that the
// screens can be tested against a double and a port to another platform changes one file.
//
// Paths may be written with "\" separators, as the template names are built; every operation
// turns them into the platform's own separator first (NativePath). Failures throw FileError,
// whose message is French, names the path and is meant for the user.
//
// Not thread-safe: the user-interface thread only.

#include <stdexcept>
#include <string>
#include <string_view>

namespace files {

class FileError : public std::runtime_error {
  public:
    FileError(std::string path, const std::string& message)
        : std::runtime_error(message), path_(std::move(path)) {}
    // The path at fault, in the platform's form.
    const std::string& path() const noexcept { return path_; }

  private:
    std::string path_;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Copies the file source onto destination, replacing destination when it exists. A reader
    // never sees a half-written destination. The copies made by the system are of document
    // templates, and the messages say so.
    virtual void Copy(const std::string& source, const std::string& destination) = 0;

    // True when path names an existing file or folder.
    virtual bool Exists(const std::string& path) = 0;

    // Whole contents of a file, as bytes.
    virtual std::string ReadFile(const std::string& path) = 0;

    // Writes contents as the whole file, replacing it; the folder must exist.
    virtual void WriteFile(const std::string& path, std::string_view contents) = 0;

    // Creates the folder and any missing parent; an existing folder is fine.
    virtual void CreateFolder(const std::string& path) = 0;
};

// The real file system of this machine.
FileSystem& Default();

// path with every "\" and "/" turned into the platform's own separator.
std::string NativePath(std::string_view path);

// Messages shared by every implementation, so that a double says what the real one says.
std::string MissingTemplateMessage(const std::string& nativePath);
std::string MissingFileMessage(const std::string& nativePath);

}  // namespace files

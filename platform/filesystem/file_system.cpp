#include "file_system.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace files {

namespace stdfs = std::filesystem;

namespace {

// The user reads these, so the common causes are said in French; the rest keeps the system's
// own wording rather than hiding it.
std::string Reason(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory)
        return "dossier introuvable";
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return "accès refusé";
    if (ec == std::errc::no_space_on_device)
        return "plus de place sur le disque";
    if (ec == std::errc::read_only_file_system)
        return "support en lecture seule";
    if (ec == std::errc::is_a_directory)
        return "un dossier porte ce nom";
    if (ec == std::errc::not_a_directory)
        return "un élément du chemin n'est pas un dossier";
    if (ec == std::errc::file_exists)
        return "un fichier porte ce nom";
    return ec.message();
}

// Writing beside the target and renaming over it keeps the old file whole until the new one is
// complete: a crash or a full disk never leaves a truncated template behind.
stdfs::path TemporaryBeside(const stdfs::path& target) {
    stdfs::path temporary = target;
    temporary += ".~tmp";
    return temporary;
}

void MoveOver(const stdfs::path& temporary, const stdfs::path& target, const std::string& what) {
    std::error_code ec;
    stdfs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        stdfs::remove(temporary, ignored);
        throw FileError(target.string(), what + " : " + Reason(ec) + ".");
    }
}

class LocalFileSystem : public FileSystem {
  public:
    void Copy(const std::string& source, const std::string& destination) override {
        const stdfs::path from(NativePath(source));
        const stdfs::path to(NativePath(destination));
        std::error_code ec;
        if (!stdfs::is_regular_file(from, ec))
            throw FileError(from.string(), MissingTemplateMessage(from.string()));
        const std::string what =
            "Impossible de copier le modèle " + from.string() + " vers " + to.string();
        const stdfs::path temporary = TemporaryBeside(to);
        stdfs::copy_file(from, temporary, stdfs::copy_options::overwrite_existing, ec);
        if (ec) {
            std::error_code ignored;
            stdfs::remove(temporary, ignored);
            throw FileError(to.string(), what + " : " + Reason(ec) + ".");
        }
        MoveOver(temporary, to, what);
    }

    bool Exists(const std::string& path) override {
        std::error_code ec;
        return stdfs::exists(stdfs::path(NativePath(path)), ec);
    }

    std::string ReadFile(const std::string& path) override {
        const std::string native = NativePath(path);
        std::error_code ec;
        if (!stdfs::is_regular_file(native, ec))
            throw FileError(native, MissingFileMessage(native));
        std::ifstream in(native, std::ios::binary);
        std::string contents((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
        if (in.bad() || !in.is_open())
            throw FileError(native, "Impossible de lire le fichier " + native + ".");
        return contents;
    }

    void WriteFile(const std::string& path, std::string_view contents) override {
        const stdfs::path target(NativePath(path));
        const std::string what = "Impossible d'écrire le fichier " + target.string();
        const stdfs::path temporary = TemporaryBeside(target);
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            if (!out) {
                const std::error_code ec(errno, std::generic_category());
                throw FileError(target.string(), what + " : " + Reason(ec) + ".");
            }
            out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
            out.flush();
            if (!out) {
                out.close();
                std::error_code ignored;
                stdfs::remove(temporary, ignored);
                throw FileError(target.string(), what + ".");
            }
        }
        MoveOver(temporary, target, what);
    }

    void CreateFolder(const std::string& path) override {
        const std::string native = NativePath(path);
        std::error_code ec;
        stdfs::create_directories(native, ec);
        if (ec)
            throw FileError(native,
                            "Impossible de créer le dossier " + native + " : " + Reason(ec) + ".");
    }
};

}  // namespace

FileSystem& Default() {
    static LocalFileSystem instance;
    return instance;
}

std::string NativePath(std::string_view path) {
    std::string native(path);
    const char own = static_cast<char>(stdfs::path::preferred_separator);
    for (char& c : native) {
        if (c == '\\' || c == '/')
            c = own;
    }
    return native;
}

std::string MissingTemplateMessage(const std::string& nativePath) {
    return "Le modèle " + nativePath + " est introuvable.";
}

std::string MissingFileMessage(const std::string& nativePath) {
    return "Le fichier " + nativePath + " est introuvable.";
}

}  // namespace files

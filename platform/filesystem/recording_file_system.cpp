#include "recording_file_system.h"

namespace files {

void RecordingFileSystem::FailOn(const std::string& path, std::string message) {
    const std::string native = NativePath(path);
    if (message.empty())
        message = MissingTemplateMessage(native);
    failures_[native] = std::move(message);
}

void RecordingFileSystem::ThrowIfFailing(const std::string& path) const {
    const std::string native = NativePath(path);
    auto it = failures_.find(native);
    if (it != failures_.end())
        throw FileError(native, it->second);
}

void RecordingFileSystem::Copy(const std::string& source, const std::string& destination) {
    ThrowIfFailing(source);
    ThrowIfFailing(destination);
    if (target_) {
        target_->Copy(source, destination);
    } else {
        auto it = memory_.find(NativePath(source));
        if (it == memory_.end())
            throw FileError(NativePath(source), MissingTemplateMessage(NativePath(source)));
        memory_[NativePath(destination)] = it->second;
    }
    copies_.push_back({source, destination});
    if (listener_)
        listener_(copies_.back());
}

bool RecordingFileSystem::Exists(const std::string& path) {
    if (target_)
        return target_->Exists(path);
    const std::string native = NativePath(path);
    if (memory_.count(native) || folders_.count(native))
        return true;
    // A folder exists in memory when some file lies under it.
    const std::string prefix = NativePath(native + "/");
    auto it = memory_.lower_bound(prefix);
    return it != memory_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

std::string RecordingFileSystem::ReadFile(const std::string& path) {
    ThrowIfFailing(path);
    if (target_)
        return target_->ReadFile(path);
    auto it = memory_.find(NativePath(path));
    if (it == memory_.end())
        throw FileError(NativePath(path), MissingFileMessage(NativePath(path)));
    return it->second;
}

void RecordingFileSystem::WriteFile(const std::string& path, std::string_view contents) {
    ThrowIfFailing(path);
    if (target_)
        target_->WriteFile(path, contents);
    else
        memory_[NativePath(path)] = std::string(contents);
}

void RecordingFileSystem::CreateFolder(const std::string& path) {
    ThrowIfFailing(path);
    if (target_)
        target_->CreateFolder(path);
    else
        folders_.insert(NativePath(path));
}

}  // namespace files

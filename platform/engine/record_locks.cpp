#include "record_locks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "error.h"
#include "text.h"

namespace mv {
namespace {

// Sets (F_WRLCK) or clears (F_UNLCK) the lock on one byte of fd, without waiting.
bool SetByteLock(int fd, short type, std::uint64_t offset) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

std::string Key(std::string_view file, std::string_view id) {
    std::string key(file);
    key.push_back('\0');
    key.append(id);
    return key;
}

// Gives the sidecar the base's permission bits and group, and for root its owner too, so that
// another account allowed to write the base may lock in it. A sidecar made by an older version
// with the creator's umask is set right by its owner's next opening. Failures are left: the
// base stays usable by those the sidecar already admits.
void MatchBase(int fd, const struct stat& base) {
    struct stat lock {};
    if (::fstat(fd, &lock) != 0)
        return;
    const bool root = ::geteuid() == 0;
    const mode_t bits = base.st_mode & 0777;
    if ((lock.st_mode & 0777) != bits && (root || lock.st_uid == ::geteuid()))
        (void)::fchmod(fd, bits);
    if (root && (lock.st_uid != base.st_uid || lock.st_gid != base.st_gid))
        (void)::fchown(fd, base.st_uid, base.st_gid);
    else if (!root && lock.st_gid != base.st_gid && lock.st_uid == ::geteuid())
        (void)::fchown(fd, static_cast<uid_t>(-1), base.st_gid);
}

}  // namespace

std::string RecordLocks::SidecarPath(const std::string& databasePath) {
    if (databasePath.empty() || databasePath == ":memory:")
        return {};
    return databasePath + "-locks";
}

RecordLocks::RecordLocks(const std::string& databasePath) {
    const std::string lockPath = SidecarPath(databasePath);
    if (lockPath.empty())
        return;
    struct stat base {};
    const bool known = ::stat(databasePath.c_str(), &base) == 0;
    const mode_t bits = known ? base.st_mode & 0777 : 0644;
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, bits);
    int failure = fd_ < 0 ? errno : 0;
    struct stat lock {};
    if (failure == EACCES && known && ::stat(lockPath.c_str(), &lock) == 0 &&
        lock.st_uid == ::geteuid() && (lock.st_mode & 0777) != bits &&
        ::chmod(lockPath.c_str(), bits) == 0) {
        // Our own sidecar, left read-only while the base was: it follows the base again.
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, bits);
        failure = fd_ < 0 ? errno : 0;
    }
    if (failure == EACCES || failure == EPERM || failure == EROFS) {
        // A folder or sidecar that refuses this account leaves the base readable; only the
        // update locks are refused.
        unusable_ = SystemReason(failure) + " sur " + lockPath;
        return;
    }
    if (fd_ < 0) {
        throw Error(ErrorKind::Io, "Impossible d'ouvrir le fichier des verrous " + lockPath +
                                       " : " + SystemReason(failure) + ".");
    }
    if (known)
        MatchBase(fd_, base);
}

RecordLocks::~RecordLocks() {
    if (fd_ >= 0)
        ::close(fd_);  // drops every lock of this descriptor
}

std::uint64_t RecordLocks::Offset(std::string_view file, std::string_view id) {
    return text::Hash(file, id) & ((std::uint64_t{1} << 40) - 1);
}

bool RecordLocks::TryLock(std::uint64_t offset) {
    if (fd_ < 0 || SetByteLock(fd_, F_WRLCK, offset))
        return true;
    if (errno == EAGAIN || errno == EACCES || errno == EINTR)
        return false;
    throw Error(ErrorKind::Io,
                "Échec du verrouillage d'un enregistrement : " + SystemReason(errno) + ".");
}

void RecordLocks::Unlock(std::uint64_t offset) {
    if (fd_ >= 0)
        SetByteLock(fd_, F_UNLCK, offset);
}

void RecordLocks::Acquire(std::string_view file, std::string_view id,
                          std::chrono::milliseconds wait) {
    std::string key = Key(file, id);
    if (held_.count(key))
        return;
    if (!unusable_.empty()) {
        throw Error(ErrorKind::Io, "L'enregistrement " + text::Printable(id) + " du fichier " +
                                       text::Printable(file) +
                                       " ne peut pas être réservé pour une modification (" +
                                       unusable_ + ") : la base ne peut qu'être lue.");
    }
    std::uint64_t offset = Offset(file, id);
    if (!holdersOfByte_.count(offset)) {
        auto deadline = std::chrono::steady_clock::now() + wait;
        // Short sleeps first: the holder usually writes within a millisecond.
        auto pause = std::chrono::microseconds(20);
        while (!TryLock(offset)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                throw Error(ErrorKind::Locked, "L'enregistrement " + text::Printable(id) +
                                                   " du fichier " + text::Printable(file) +
                                                   " est verrouillé par un autre utilisateur.");
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(5000));
        }
    }
    held_.emplace(std::move(key), offset);
    ++holdersOfByte_[offset];
}

void RecordLocks::Release(std::string_view file, std::string_view id) {
    auto it = held_.find(Key(file, id));
    if (it == held_.end())
        return;
    std::uint64_t offset = it->second;
    held_.erase(it);
    if (--holdersOfByte_[offset] == 0) {
        holdersOfByte_.erase(offset);
        Unlock(offset);
    }
}

bool RecordLocks::Holds(std::string_view file, std::string_view id) const {
    return held_.count(Key(file, id)) != 0;
}

}  // namespace mv

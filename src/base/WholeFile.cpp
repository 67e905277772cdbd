#include "base/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

std::atomic<qint64> roomForTests{-1};

bool Fail(QString* reason, int code)
{
    if (reason)
        *reason = QString::fromLocal8Bit(std::generic_category().message(code));
    return false;
}

// The file a link chain ends at, as the old files were written through; the name itself when
// it is no link or the chain is endless.
QString FinalName(const QString& target)
{
    QFileInfo info(target);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? target : info.filePath();
}

// A file of a fresh name beside the target; -1 with errno when none can be made.
int CreateTemporary(const QByteArray& target, mode_t mode, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
    return -1;
}

// False with errno when any byte could not be written.
bool WriteAll(int handle, const char* data, qint64 size)
{
    qint64 room = roomForTests.load();
    while (size > 0) {
        qint64 chunk = std::min<qint64>(size, qint64(1) << 30);
        if (room >= 0) {
            if (room == 0) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, room);
        }
        const ssize_t written = ::write(handle, data, size_t(chunk));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= written;
        if (room >= 0)
            room -= written;
    }
    return true;
}

} // namespace

bool WriteWholeFile(const QString& target, QByteArrayView bytes, QString* reason, WholeFileOptions options)
{
    const QByteArray finalName = QFile::encodeName(FinalName(target));
    struct stat old {};
    const bool exists = ::stat(finalName.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return Fail(reason, EISDIR);
    if (exists && ::access(finalName.constData(), W_OK) != 0)
        return Fail(reason, errno);

    // Private until its permissions are set, when they come from elsewhere than the umask.
    const bool ownPermissions = exists || options.readableByOthers;
    QByteArray temporary;
    const int handle = CreateTemporary(finalName, ownPermissions ? 0600 : 0666, temporary);
    if (handle < 0)
        return Fail(reason, errno);
    // A file system without permissions refuses this; the file is just as whole without them.
    if (options.readableByOthers)
        (void)::fchmod(handle, 0644);
    else if (exists)
        (void)::fchmod(handle, old.st_mode & 07777);

    // No buffer of our own sits between the bytes and the handle, so there is nothing to flush:
    // every write, the sync and the close report the file system's own error.
    bool whole = WriteAll(handle, bytes.data(), bytes.size());
    if (whole && options.syncToDisk)
        whole = ::fsync(handle) == 0;
    int failure = whole ? 0 : errno;
    if (::close(handle) != 0 && whole) {
        whole = false;
        failure = errno;
    }
    if (whole && ::rename(temporary.constData(), finalName.constData()) == 0)
        return true;
    if (whole)
        failure = errno;
    ::unlink(temporary.constData());
    return Fail(reason, failure);
}

void SetWholeFileRoomForTests(qint64 bytes)
{
    roomForTests.store(bytes);
}

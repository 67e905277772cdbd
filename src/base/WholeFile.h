#pragma once

#include <QByteArrayView>
#include <QString>

// How WriteWholeFile makes a file.
struct WholeFileOptions {
    // Forced to the disk before it replaces the target. Only a scratch file that every run
    // rewrites may skip it: every write and the close are still checked, so a full disk is
    // still reported and never leaves a short file, but a power cut right after the rename
    // may cost the newest copy.
    bool syncToDisk = true;
    // Readable by everybody (0644) whatever the umask and the old file's permissions. Without
    // it a replaced file keeps its permissions and a new one gets 0666 less the umask.
    bool readableByOthers = false;
};

// Writes bytes to a new temporary file in the target's folder, checks every write, forces it to
// the disk, closes it and only then renames it over the target, so the target is always either
// the old file or the whole new one. A symbolic link is followed and its file replaced; an
// existing file that may not be written is refused. On failure the temporary file is removed,
// the target is left as it was and *reason (when given) holds the system's text for the cause,
// "No space left on device" for a full disk.
bool WriteWholeFile(const QString& target, QByteArrayView bytes, QString* reason,
                    WholeFileOptions options = {});

// For tests only: every file written after this call takes at most `bytes` bytes, the write
// beyond them fails as on a full disk (ENOSPC). A negative value, the default, lifts the limit.
void SetWholeFileRoomForTests(qint64 bytes);

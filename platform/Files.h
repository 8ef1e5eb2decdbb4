#pragma once
// File and folder functions of the installer: existence tests, one-level
// folder creation, the current directory, and copying a file either
// replacing the target or refusing when the target exists.
//
// Paths are real (native) paths. The installer also speaks of Windows drive
// paths such as "C:\Tidebook"; FromWindowsPath maps them into Wine's layout
// ($WINEPREFIX/drive_c/Tidebook, with ~/.wine when WINEPREFIX is unset), so
// that an installation made here is found by the Windows programs under Wine.
//
// CopyFile guarantees:
//  - The target never holds a partial copy. The data is written to a
//    temporary file in the target's folder, flushed to disk, and only then
//    moved onto the target's name; on any failure the temporary file is
//    removed and the target is left as it was.
//  - CopyMode::NoReplace decides "the target exists" atomically, at the moment
//    the finished copy is moved into place (renameat2 RENAME_NOREPLACE, or
//    link(2) where the file system lacks it). Two copies racing for the same
//    target can never overwrite each other: one wins, the other gets
//    CopyStatus::TargetExists and the existing file is untouched.
//  - CopyMode::Replace swaps the finished copy in with one rename(2): readers
//    see either the old file or the complete new one.
// The copy keeps the source's permission bits and modification time.

#include <QString>

namespace platform {

// dir + native separator + name. A trailing separator of dir is not doubled.
QString JoinPath(const QString& dir, const QString& name);

// True when `path` names something that exists and is not a directory.
bool FileExists(const QString& path);

// True when `path` names a directory (following symbolic links). A file of
// that name does not count.
bool DirectoryExists(const QString& path);

// The process's current working directory.
QString CurrentDirectory();

// Creates the directory `path`, one level: its parent must exist. Returns
// false when it could not be created (also when something of that name
// exists); `error` then receives the reason.
bool CreateDirectory(const QString& path, QString* error = nullptr);

enum class CopyMode { Replace, NoReplace };
enum class CopyStatus { Copied, TargetExists, Failed };

struct CopyResult {
    CopyStatus status = CopyStatus::Failed;
    int errorCode = 0;  // errno of the failing call when Failed
    QString error;      // the reason in words when Failed (Japanese)
    bool Ok() const { return status == CopyStatus::Copied; }
};

// Copies the regular file `source` to `target` as described above.
CopyResult CopyFile(const QString& source, const QString& target, CopyMode mode);

// The reason for an errno value in words, as CopyResult::error gives it.
QString DescribeError(int errorCode);

// Wine's prefix: $WINEPREFIX made absolute, or ~/.wine when it is unset.
QString WinePrefix();
// The folder that stands for drive C: under Wine: WinePrefix()/drive_c.
QString WineDriveC();
// Maps a Windows drive path ("C:\Tidebook", "c:\") to the real path under
// Wine's prefix. Drive C: is drive_c; another drive letter X is
// dosdevices/x:. A path without a drive letter only has its backslashes
// turned into the native separator. The result has no trailing separator.
QString FromWindowsPath(const QString& windowsPath);

}  // namespace platform

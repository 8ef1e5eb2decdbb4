#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// Closes a descriptor when the scope ends.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// Removes the temporary file unless the copy was moved into place.
struct TempFile {
    QByteArray path;
    bool keep = false;
    ~TempFile() {
        if (!path.isEmpty() && !keep) ::unlink(path.constData());
    }
};

CopyResult Failed(int err, const char* what) {
    CopyResult r;
    r.status = CopyStatus::Failed;
    r.errorCode = err;
    r.error = QString::fromUtf8(what) + DescribeError(err);
    return r;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Moves `from` onto `to` only when `to` does not exist, atomically.
int RenameNoReplace(const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#endif
    // File systems without RENAME_NOREPLACE: link(2) refuses an existing name
    // just as atomically; the temporary name is removed afterwards.
    if (::link(from, to) != 0) return errno;
    ::unlink(from);
    return 0;
}

}  // namespace

QString JoinPath(const QString& dir, const QString& name) {
    if (dir.endsWith(QLatin1Char('/'))) return dir + name;
    return dir + QLatin1Char('/') + name;
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) return false;
    struct stat st;
    if (::stat(Native(path).constData(), &st) != 0) return false;
    return !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const QString& path) {
    if (path.isEmpty()) return false;
    struct stat st;
    if (::stat(Native(path).constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode);
}

QString CurrentDirectory() { return QDir::currentPath(); }

bool CreateDirectory(const QString& path, QString* error) {
    if (path.isEmpty()) {
        if (error) *error = DescribeError(ENOENT);
        return false;
    }
    if (::mkdir(Native(path).constData(), 0777) == 0) return true;
    if (error) *error = DescribeError(errno);
    return false;
}

CopyResult CopyFile(const QString& source, const QString& target, CopyMode mode) {
    const QByteArray src = Native(source);
    const QByteArray dst = Native(target);
    if (src.isEmpty()) return Failed(ENOENT, "コピー元を開けません：");
    if (dst.isEmpty()) return Failed(ENOENT, "コピー先に書き込めません：");

    // A quick refusal before any work; the move into place decides for good.
    if (mode == CopyMode::NoReplace) {
        struct stat st;
        if (::lstat(dst.constData(), &st) == 0) {
            CopyResult r;
            r.status = CopyStatus::TargetExists;
            r.errorCode = EEXIST;
            return r;
        }
    }

    Fd in;
    in.fd = ::open(src.constData(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0) return Failed(errno, "コピー元を開けません：");
    struct stat srcStat;
    if (::fstat(in.fd, &srcStat) != 0) return Failed(errno, "コピー元を開けません：");
    if (!S_ISREG(srcStat.st_mode)) return Failed(S_ISDIR(srcStat.st_mode) ? EISDIR : EINVAL, "コピー元を開けません：");

    // The temporary file lies beside the target so that the final rename
    // stays within one file system.
    const int slash = dst.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray(".") : (slash == 0 ? QByteArray("/") : dst.left(slash));
    const QByteArray base = slash < 0 ? dst : dst.mid(slash + 1);
    TempFile temp;
    QByteArray pattern = dir + "/." + base + ".XXXXXX";
    Fd out;
    out.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (out.fd < 0) return Failed(errno, "コピー先に書き込めません：");
    temp.path = pattern;

    static constexpr size_t kChunk = 256 * 1024;
    QByteArray buffer(static_cast<qsizetype>(kChunk), Qt::Uninitialized);
    for (;;) {
        ssize_t n = ::read(in.fd, buffer.data(), kChunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Failed(errno, "コピー元を読めません：");
        }
        if (n == 0) break;
        if (!WriteAll(out.fd, buffer.constData(), static_cast<size_t>(n)))
            return Failed(errno, "コピー先に書き込めません：");
    }
    ::fchmod(out.fd, srcStat.st_mode & 07777);
    const struct timespec times[2] = {srcStat.st_atim, srcStat.st_mtim};
    ::futimens(out.fd, times);
    if (::fsync(out.fd) != 0) return Failed(errno, "コピー先に書き込めません：");
    const int closeResult = ::close(out.fd);
    out.fd = -1;
    if (closeResult != 0) return Failed(errno, "コピー先に書き込めません：");

    if (mode == CopyMode::NoReplace) {
        const int err = RenameNoReplace(temp.path.constData(), dst.constData());
        if (err == EEXIST) {
            CopyResult r;
            r.status = CopyStatus::TargetExists;
            r.errorCode = EEXIST;
            return r;
        }
        if (err != 0) return Failed(err, "コピー先を置き換えられません：");
    } else {
        if (::rename(temp.path.constData(), dst.constData()) != 0)
            return Failed(errno, "コピー先を置き換えられません：");
    }
    temp.keep = true;
    CopyResult r;
    r.status = CopyStatus::Copied;
    return r;
}

QString DescribeError(int errorCode) {
    switch (errorCode) {
        case ENOENT: return QStringLiteral("ファイルまたはフォルダーがありません");
        case EACCES:
        case EPERM: return QStringLiteral("アクセスが拒否されました");
        case ENOSPC: return QStringLiteral("ディスクの空きが足りません");
#ifdef EDQUOT
        case EDQUOT: return QStringLiteral("ディスクの割り当てを超えました");
#endif
        case EROFS: return QStringLiteral("読み取り専用のドライブです");
        case EISDIR: return QStringLiteral("同じ名前のフォルダーがあります");
        case ENOTDIR: return QStringLiteral("パスの途中がフォルダーではありません");
        case EEXIST: return QStringLiteral("既に存在します");
        case EBUSY:
        case ETXTBSY: return QStringLiteral("使用中です");
        case EIO: return QStringLiteral("入出力エラーです");
        case ENAMETOOLONG: return QStringLiteral("パスが長すぎます");
        case EINVAL: return QStringLiteral("通常のファイルではありません");
        default:
            return QStringLiteral("エラー %1（%2）").arg(errorCode).arg(QString::fromLocal8Bit(std::strerror(errorCode)));
    }
}

QString WinePrefix() {
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.wine"));
    return QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(prefix));
}

QString WineDriveC() { return WinePrefix() + QStringLiteral("/drive_c"); }

QString FromWindowsPath(const QString& windowsPath) {
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]):(.*)$"));
    QString rest = windowsPath;
    QString base;
    const auto m = drive.match(windowsPath);
    if (m.hasMatch()) {
        const QChar letter = m.captured(1).at(0).toLower();
        base = letter == QLatin1Char('c') ? WineDriveC()
                                          : WinePrefix() + QStringLiteral("/dosdevices/") + letter + QLatin1Char(':');
        rest = m.captured(2);
    }
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    for (const QString& p : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) parts << p;
    if (m.hasMatch()) {
        return parts.isEmpty() ? base : base + QLatin1Char('/') + parts.join(QLatin1Char('/'));
    }
    QString joined = parts.join(QLatin1Char('/'));
    return rest.startsWith(QLatin1Char('/')) ? QLatin1Char('/') + joined : joined;
}

}  // namespace platform

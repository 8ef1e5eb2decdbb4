// File functions of the installer: existence tests, folder creation, the
// two copy modes and the Wine path mapping.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <barrier>
#include <cerrno>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Files.h"

using namespace platform;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

// Names in `dir`, hidden ones included: a copy must leave no temporary file.
QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    QString P(const QString& name) const { return tmp.path() + "/" + name; }
    QTemporaryDir tmp;
};

}  // namespace

TEST_F(FilesTest, ExistenceTellsFilesFromDirectories) {
    Write(P("file.txt"), "x");
    ASSERT_TRUE(QDir().mkdir(P("dir")));
    ASSERT_EQ(::symlink(P("dir").toUtf8().constData(), P("dirlink").toUtf8().constData()), 0);
    ASSERT_EQ(::symlink(P("gone").toUtf8().constData(), P("dangling").toUtf8().constData()), 0);

    struct Case {
        QString path;
        bool file, dir;
    } cases[] = {
        {P("file.txt"), true, false},
        {P("dir"), false, true},
        {P("dirlink"), false, true},
        {P("dangling"), false, false},
        {P("missing"), false, false},
        {P("file.txt/below"), false, false},
        {QString(), false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.file) << c.path.toStdString();
        EXPECT_EQ(DirectoryExists(c.path), c.dir) << c.path.toStdString();
    }
}

TEST_F(FilesTest, CreateDirectoryMakesOneLevelOnly) {
    QString error;
    EXPECT_TRUE(CreateDirectory(P("a"), &error));
    EXPECT_TRUE(DirectoryExists(P("a")));

    EXPECT_FALSE(CreateDirectory(P("x/y"), &error));  // parent missing
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(DirectoryExists(P("x")));

    EXPECT_FALSE(CreateDirectory(P("a"), &error));  // exists already
    Write(P("f"), "1");
    EXPECT_FALSE(CreateDirectory(P("f"), &error));  // a file of that name
    EXPECT_TRUE(FileExists(P("f")));
}

TEST_F(FilesTest, JoinPathUsesOneSeparator) {
    EXPECT_EQ(JoinPath("/a/b", "c.txt"), "/a/b/c.txt");
    EXPECT_EQ(JoinPath("/a/b/", "c.txt"), "/a/b/c.txt");
    EXPECT_EQ(JoinPath("/", "etc"), "/etc");
}

TEST_F(FilesTest, ReplacingCopyWritesOrReplacesAndLeavesNoTemporary) {
    QByteArray big(3 * 1024 * 1024 + 17, '\0');
    for (int i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    Write(P("src.bin"), big);
    ASSERT_TRUE(QDir().mkdir(P("out")));

    CopyResult r = CopyFile(P("src.bin"), P("out/t.bin"), CopyMode::Replace);
    EXPECT_EQ(r.status, CopyStatus::Copied) << r.error.toStdString();
    EXPECT_EQ(Read(P("out/t.bin")), big);

    Write(P("small"), "new");
    Write(P("out/t.bin"), "old old old");
    r = CopyFile(P("small"), P("out/t.bin"), CopyMode::Replace);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(Read(P("out/t.bin")), "new");
    EXPECT_EQ(Entries(P("out")), QStringList{"t.bin"});
}

TEST_F(FilesTest, CopyKeepsPermissionsAndModificationTime) {
    Write(P("tool.exe"), "MZ");
    ASSERT_EQ(::chmod(P("tool.exe").toUtf8().constData(), 0750), 0);
    struct timespec times[2] = {{1000000000, 0}, {1200000000, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, P("tool.exe").toUtf8().constData(), times, 0), 0);

    ASSERT_TRUE(CopyFile(P("tool.exe"), P("copy.exe"), CopyMode::Replace).Ok());
    struct stat st;
    ASSERT_EQ(::stat(P("copy.exe").toUtf8().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1200000000);
}

TEST_F(FilesTest, NoReplaceCopyLeavesAnExistingTargetUntouched) {
    Write(P("template.fdb"), "fresh template");
    Write(P("CATCHREC.FDB"), "the angler's records");

    CopyResult r = CopyFile(P("template.fdb"), P("CATCHREC.FDB"), CopyMode::NoReplace);
    EXPECT_EQ(r.status, CopyStatus::TargetExists);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(Read(P("CATCHREC.FDB")), "the angler's records");

    // A dangling symbolic link is a name in use as well.
    ASSERT_EQ(::symlink(P("nowhere").toUtf8().constData(), P("link.fdb").toUtf8().constData()), 0);
    EXPECT_EQ(CopyFile(P("template.fdb"), P("link.fdb"), CopyMode::NoReplace).status, CopyStatus::TargetExists);
    EXPECT_FALSE(FileExists(P("nowhere")));

    r = CopyFile(P("template.fdb"), P("TIDEJOURNAL.FDB"), CopyMode::NoReplace);
    EXPECT_EQ(r.status, CopyStatus::Copied);
    EXPECT_EQ(Read(P("TIDEJOURNAL.FDB")), "fresh template");
}

TEST_F(FilesTest, FailedCopiesSayWhyAndChangeNothing) {
    Write(P("src"), "data");
    ASSERT_TRUE(QDir().mkdir(P("dest")));
    ASSERT_TRUE(QDir().mkdir(P("dest/GDS32.dll")));  // a folder in the way
    Write(P("dest/keep.txt"), "keep");

    struct Case {
        const char* what;
        QString source, target;
        CopyMode mode;
        int errorCode;
    } cases[] = {
        {"source missing", P("missing"), P("dest/a"), CopyMode::Replace, ENOENT},
        {"source is a folder", P("dest"), P("dest/b"), CopyMode::NoReplace, EISDIR},
        {"target folder missing", P("src"), P("nofolder/a"), CopyMode::Replace, ENOENT},
        {"target folder is a file", P("src"), P("src/a"), CopyMode::Replace, ENOTDIR},
        {"folder in the target's place", P("src"), P("dest/GDS32.dll"), CopyMode::Replace, EISDIR},
    };
    for (const Case& c : cases) {
        CopyResult r = CopyFile(c.source, c.target, c.mode);
        EXPECT_EQ(r.status, CopyStatus::Failed) << c.what;
        EXPECT_EQ(r.errorCode, c.errorCode) << c.what;
        EXPECT_FALSE(r.error.isEmpty()) << c.what;
    }
    EXPECT_EQ(Entries(P("dest")), (QStringList{"GDS32.dll", "keep.txt"}));
    EXPECT_TRUE(DirectoryExists(P("dest/GDS32.dll")));
}

TEST_F(FilesTest, RacingNoReplaceCopiesNeverOverwriteEachOther) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 40;
    std::vector<QByteArray> contents;
    for (int t = 0; t < kThreads; ++t) {
        contents.push_back(QByteArray(64 * 1024, static_cast<char>('A' + t)));
        Write(P(QString("src%1").arg(t)), contents.back());
    }
    for (int round = 0; round < kRounds; ++round) {
        const QString target = P(QString("db%1.fdb").arg(round));
        std::atomic<int> copied{0}, refused{0};
        std::barrier start(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                start.arrive_and_wait();
                CopyResult r = CopyFile(P(QString("src%1").arg(t)), target, CopyMode::NoReplace);
                if (r.status == CopyStatus::Copied) ++copied;
                if (r.status == CopyStatus::TargetExists) ++refused;
            });
        }
        for (auto& th : threads) th.join();
        ASSERT_EQ(copied.load(), 1) << "round " << round;
        ASSERT_EQ(refused.load(), kThreads - 1) << "round " << round;
        const QByteArray got = Read(target);
        ASSERT_EQ(got.size(), 64 * 1024);
        ASSERT_EQ(got.count(got.at(0)), got.size()) << "mixed content in round " << round;
    }
    // Only the sources and one database per round remain.
    EXPECT_EQ(Entries(tmp.path()).size(), kThreads + kRounds);
}

TEST(WinePaths, DrivePathsMapIntoThePrefix) {
    const QByteArray saved = qgetenv("WINEPREFIX");
    const bool had = qEnvironmentVariableIsSet("WINEPREFIX");

    qputenv("WINEPREFIX", "/tmp/pfx");
    struct Case {
        const char* windows;
        const char* real;
    } cases[] = {
        {"C:\\Tidebook", "/tmp/pfx/drive_c/Tidebook"},
        {"c:\\", "/tmp/pfx/drive_c"},
        {"C:", "/tmp/pfx/drive_c"},
        {"C:\\Program Files\\Catchfile\\", "/tmp/pfx/drive_c/Program Files/Catchfile"},
        {"D:\\Data", "/tmp/pfx/dosdevices/d:/Data"},
        {"/already/real", "/already/real"},
    };
    for (const Case& c : cases) EXPECT_EQ(FromWindowsPath(c.windows), c.real) << c.windows;
    EXPECT_EQ(WineDriveC(), "/tmp/pfx/drive_c");

    qputenv("WINEPREFIX", "/tmp/pfx/");
    EXPECT_EQ(WinePrefix(), "/tmp/pfx");

    qunsetenv("WINEPREFIX");
    EXPECT_EQ(WinePrefix(), QDir::homePath() + "/.wine");
    EXPECT_EQ(FromWindowsPath("C:\\Tidebook"), QDir::homePath() + "/.wine/drive_c/Tidebook");

    if (had) qputenv("WINEPREFIX", saved);
}

// The upgrade window when things go wrong: the database cannot be opened,
// the schema statement fails, files are missing or cannot be written. Each
// case: a clear message, and nothing lost.
#include <QDirIterator>
#include <csignal>
#include <functional>
#include <iostream>
#include <sys/resource.h>
#include <unistd.h>

#include "vup_fixture.h"

namespace vup {
namespace {

const QStringList kStartLines = {QStringLiteral("バージョンアップします。"),
                                 QStringLiteral("データはバックアップされます。"),
                                 QStringLiteral("旧のプログラム「Catchfile」でも使用可能です。"),
                                 QStringLiteral("新しいプログラムは「Tidebook」になります。"), QString()};

QStringList FilesIn(const QString& dir) {
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

// Makes `path` unwritable even for root (immutable flag), or by its mode bits
// for another user. False when neither is possible here.
bool MakeReadOnly(const QString& path) {
    if (::geteuid() != 0) return QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
}

void MakeWritable(const QString& path) {
    if (::geteuid() == 0) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

// The start click cannot connect: the error box shows the reason, the two
// program copies of the click are not made, the backup button is enabled,
// and the database file is left as it was. The chain then goes on without a
// connection: the check counts fields and table as missing, and the
// add-fields step stops at the roll-back, which has no transaction.
TEST_F(VUpTest, ConnectRefused) {
    struct Case {
        const char* name;
        std::function<bool(VUpTest&)> prepare;  // false: not possible here
        const char* expected;                   // part of the error text
        std::function<void(VUpTest&)> cleanup;
    };
    const QString catchRec = Inst(QStringLiteral("CATCHREC.FDB"));
    std::unique_ptr<QProcess> holder;
    const Case cases[] = {
        {"not a database",
         [&](VUpTest&) {
             WriteBytes(catchRec, QByteArray(40000, '\x5a'));
             return QFile::copy(CopySource(QStringLiteral("TIDEJOURNAL.FDB")), Inst(QStringLiteral("TIDEJOURNAL.FDB")));
         },
         "not a valid database", nullptr},
        {"held open by another process",
         [&](VUpTest&) {
             MakeInstallation(false, false, true);
             holder = std::make_unique<QProcess>();
             holder->start(QStringLiteral("isql-fb"),
                           {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("tdu"),
                            QStringLiteral("-password"), QStringLiteral("9274"), catchRec});
             if (!holder->waitForStarted()) return false;
             holder->write("select count(*) from FISH_DATA;\n");
             return holder->waitForReadyRead(20000);
         },
         "lock",
         [&](VUpTest&) {
             holder->closeWriteChannel();
             holder->waitForFinished(20000);
             holder.reset();
         }},
        {"read-only file",
         [&](VUpTest&) {
             MakeInstallation(false, false, true);
             return MakeReadOnly(catchRec);
         },
         "no permission for read-write access", [&](VUpTest&) { MakeWritable(catchRec); }},
        {"client library missing",
         [&](VUpTest&) {
             MakeInstallation(false, false, true);
             platform::firebird::SetClientLibraryName(QStringLiteral("libfbclient-gone.so.2"));
             return true;
         },
         "libfbclient-gone.so.2",
         [&](VUpTest&) { platform::firebird::SetClientLibraryName(QStringLiteral("libfbclient.so.2")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CloseWindow();
        seen_ = 0;
        boxes_.clear();
        QDir(inst_).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(inst_));
        if (!c.prepare(*this)) {
            if (c.cleanup) c.cleanup(*this);
            // Root without the right to set the immutable flag (a container):
            // no way to make a file read-only for this process.
            EXPECT_STREQ(c.name, "read-only file") << "cannot set up";
            std::cout << "[  SKIPPED ] case \"" << c.name << "\": not possible on this machine\n";
            continue;
        }
        const QByteArray before = ReadBytes(catchRec);

        Click("Btn_V_Up");
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].kind, platform::BoxKind::Error);
        EXPECT_TRUE(boxes_[0].text.contains(QString::fromLatin1(c.expected))) << boxes_[0].text.toStdString();
        EXPECT_EQ(NewLines(), kStartLines);
        EXPECT_FALSE(QFile::exists(Inst(QStringLiteral("Tidebook.exe"))));
        EXPECT_EQ(Enabled(), "Btn_V_Up Btn_DBBack Btn_Close");

        Click("Btn_DBBack");
        Click("Btn_DBCheck");
        EXPECT_EQ(Window().CheckCode(), 11);
        EXPECT_EQ(Enabled(), "Btn_V_Up Btn_FieldAdd Btn_Close");
        NewLines();
        Click("Btn_FieldAdd");
        ASSERT_EQ(boxes_.size(), 2u);
        EXPECT_EQ(boxes_[1].kind, platform::BoxKind::Error);
        EXPECT_TRUE(boxes_[1].text.startsWith(QStringLiteral("Transaction is not active"))) << boxes_[1].text.toStdString();
        EXPECT_TRUE(NewLines().isEmpty());
        EXPECT_EQ(Enabled(), "Btn_V_Up Btn_FieldAdd Btn_Close");

        CloseWindow();
        if (c.cleanup) c.cleanup(*this);
        if (std::string(c.name) == "held open by another process") {
            EXPECT_EQ(Look(catchRec).rows, OldRows());  // the holder may have touched the header
        } else {
            EXPECT_EQ(ReadBytes(catchRec), before);
        }
    }
}

// No CATCHREC.FDB: the window says so, copies the programs, connects to
// nothing and creates no database anywhere.
TEST_F(VUpTest, CatchRecordDatabaseMissing) {
    ASSERT_TRUE(QFile::copy(CopySource(QStringLiteral("TIDEJOURNAL.FDB")), Inst(QStringLiteral("TIDEJOURNAL.FDB"))));
    Click("Btn_V_Up");
    EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("指定したフォルダにファイルがありません"), QString(), QString(),
                                       Inst(QStringLiteral("Tidebook.exe")) + QStringLiteral(" をコピーしました。"),
                                       Inst(QStringLiteral("Tacklepad.exe")) + QStringLiteral(" をコピーしました。")}));
    Click("Btn_DBBack");
    EXPECT_EQ(Window().BackData(), 1);
    EXPECT_EQ(Window().BackMemo(), 0);
    EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("手動で「CATCHREC.FDB」ファイルを \\Back　にバックアップしてください"), kSep,
                                       QStringLiteral("データベースのフィールドをチェックします。"), QString()}));
    Click("Btn_DBCheck");
    EXPECT_EQ(Window().CheckCode(), 11);
    Click("Btn_FieldAdd");
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_.empty() || boxes_[0].kind == platform::BoxKind::Error);
    CloseWindow();
    EXPECT_FALSE(QFile::exists(Inst(QStringLiteral("CATCHREC.FDB"))));
    EXPECT_FALSE(QFile::exists(Inst(QStringLiteral("Back/CATCHREC.FDB"))));
}

// The add-fields statement fails: Firebird's text in a message box, the
// failure in the memo, everything of the statement rolled back, and the
// chain goes on to a recheck that asks for another round.
TEST_F(VUpTest, AddFieldsFails) {
    struct Case {
        const char* name;
        QStringList ddl;
        const char* expected;  // part of Firebird's text
        QStringList columns;   // FISH_DATA's columns, before and after
    } cases[] = {
        {"some of the twelve columns already there",
         OldFishData() << QStringLiteral("alter table FISH_DATA add TIME2_L integer, add TIME3_H integer"), "TIME2_L",
         {QStringLiteral("ID 8 0 1 -"), QStringLiteral("NAME 37 20 0 -"), QStringLiteral("SIZE_CM 8 0 0 -"),
          QStringLiteral("TIME2_L 8 0 0 -"), QStringLiteral("TIME3_H 8 0 0 -")}},
        {"no FISH_DATA", {QStringLiteral("create table OTHER_DATA (ID integer)")}, "FISH_DATA", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CloseWindow();
        seen_ = 0;
        boxes_.clear();
        QDir(inst_).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(inst_));
        MakeDatabase(Inst(QStringLiteral("CATCHREC.FDB")), c.ddl + QStringList{SyubetuDdl()});
        ASSERT_TRUE(QFile::copy(CopySource(QStringLiteral("TIDEJOURNAL.FDB")), Inst(QStringLiteral("TIDEJOURNAL.FDB"))));

        Click("Btn_V_Up");
        Click("Btn_DBBack");
        Click("Btn_DBCheck");
        ASSERT_EQ(Window().CheckCode(), 1);
        NewLines();
        Click("Btn_FieldAdd");
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].kind, platform::BoxKind::Message);
        EXPECT_TRUE(boxes_[0].text.contains(QString::fromLatin1(c.expected))) << boxes_[0].text.toStdString();
        EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("フィールドの追加失敗しました。"), kSep}));
        EXPECT_EQ(Enabled(), "Btn_V_Up Btn_AllCheck Btn_Close");

        Click("Btn_AllCheck");
        EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("SyuBetuフィールドは正常にアップデートできました"), kSep,
                                           QStringLiteral("Memoデータベースは正常にコピーできました。"), kSep,
                                           QStringLiteral("再度アップデートをチェックしてください。"), kSep}));
        EXPECT_FALSE(Window().UpgradeCompleted());
        EXPECT_EQ(Enabled(), "Btn_V_Up Btn_AllCheck Btn_Close");

        CloseWindow();
        const Snapshot after = Look(Inst(QStringLiteral("CATCHREC.FDB")));
        EXPECT_EQ(after.fishData, c.columns);
        if (!c.columns.isEmpty()) {
            EXPECT_EQ(after.rows, OldRows());
        }
    }
}

// A backup that cannot be completed leaves the earlier backup as it was and
// no partial file behind, and says that the backup failed.
TEST_F(VUpTest, FailedBackupKeepsTheEarlierOne) {
    MakeInstallation(false, false, true);
    Click("Btn_V_Up");
    Click("Btn_DBBack");
    const QString back = Inst(QStringLiteral("Back"));
    const QByteArray earlierData = ReadBytes(back + QStringLiteral("/CATCHREC.FDB"));
    const QByteArray earlierMemo = ReadBytes(back + QStringLiteral("/TIDEJOURNAL.FDB"));
    Click("Btn_DBCheck");
    Click("Btn_FieldAdd");  // the database changes after the first backup
    CloseWindow();

    // A fresh window, not connected: the engine holds no file while files
    // may grow to 64 KiB only, so that each copy fails part-way.
    seen_ = 0;
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Window().Btn_DBBackClick();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(Window().BackData(), 1);
    EXPECT_EQ(Window().BackMemo(), 10);
    EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("バックアップに失敗しました"),
                                       QStringLiteral("手動で「****.FDB」ファイルを \\Back　にバックアップしてください"), kSep,
                                       QStringLiteral("データベースのフィールドをチェックします。"), QString()}));
    EXPECT_EQ(ReadBytes(back + QStringLiteral("/CATCHREC.FDB")), earlierData);
    EXPECT_EQ(ReadBytes(back + QStringLiteral("/TIDEJOURNAL.FDB")), earlierMemo);
    EXPECT_EQ(FilesIn(back), (QStringList{QStringLiteral("CATCHREC.FDB"), QStringLiteral("TIDEJOURNAL.FDB")}));
    EXPECT_TRUE(boxes_.empty());
    EXPECT_ALL_CP932(Window());
    CloseWindow();
    const Snapshot earlier = Look(back + QStringLiteral("/CATCHREC.FDB"));
    EXPECT_EQ(earlier.rows, OldRows());
    EXPECT_EQ(earlier.fishData.size(), 3);
}

// The backup is taken while the window holds no attachment, and the window
// is connected again afterwards: the copy is a complete database with the
// work committed so far.
TEST_F(VUpTest, BackupWhileConnectedIsCompleteAndReconnects) {
    MakeInstallation(false, false, true);
    Click("Btn_V_Up");
    Click("Btn_DBBack");
    Click("Btn_DBCheck");
    Click("Btn_FieldAdd");
    Click("Btn_TableAdd");
    Click("Btn_V_Up");  // a second round while connected
    Click("Btn_DBBack");
    Click("Btn_DBCheck");
    EXPECT_EQ(Window().CheckCode(), 0);  // connected again after the copy
    EXPECT_TRUE(boxes_.empty());
    CloseWindow();
    const Snapshot backup = Look(Inst(QStringLiteral("Back/CATCHREC.FDB")));
    EXPECT_EQ(backup.fishData, UpgradedFishDataColumns());
    EXPECT_EQ(backup.syubetu.size(), 2);
    EXPECT_EQ(backup.rows, OldRows());
}

// A file named Back where the folder should be: no backup, said so, and the
// file is left alone.
TEST_F(VUpTest, BackupFolderBlockedByAFile) {
    MakeInstallation(true, true, true);
    WriteBytes(Inst(QStringLiteral("Back")), QByteArrayLiteral("not a folder"));
    Click("Btn_V_Up");
    NewLines();
    Click("Btn_DBBack");
    EXPECT_EQ(Window().BackData() + Window().BackMemo(), 11);
    EXPECT_EQ(NewLines().mid(0, 2), (QStringList{QStringLiteral("バックアップに失敗しました"),
                                                 QStringLiteral("手動で「****.FDB」ファイルを \\Back　にバックアップしてください")}));
    EXPECT_EQ(ReadBytes(Inst(QStringLiteral("Back"))), QByteArrayLiteral("not a folder"));
    EXPECT_EQ(FilesIn(inst_), (QStringList{QStringLiteral("Back"), QStringLiteral("CATCHREC.FDB"),
                                           QStringLiteral("TIDEJOURNAL.FDB"), QStringLiteral("Tacklepad.exe"),
                                           QStringLiteral("Tidebook.exe")}));
}

// Copies that fail are reported as failed; the recheck then finds the memo
// database missing.
TEST_F(VUpTest, FailedCopiesAreReported) {
    MakeInstallation(true, true, false);
    QDir(start_ + QStringLiteral("/CopyFiles")).removeRecursively();
    Click("Btn_V_Up");
    const QStringList lines = NewLines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[5].startsWith(Inst(QStringLiteral("Tidebook.exe")) + QStringLiteral(" をコピーできませんでした（")))
        << lines[5].toStdString();
    EXPECT_TRUE(lines[6].startsWith(Inst(QStringLiteral("Tacklepad.exe")) + QStringLiteral(" をコピーできませんでした（")))
        << lines[6].toStdString();
    Click("Btn_DBBack");
    Click("Btn_DBCheck");
    EXPECT_EQ(Window().CheckCode(), 100);
    NewLines();
    Click("Btn_MemoAdd");
    const QStringList memo = NewLines();
    ASSERT_EQ(memo.size(), 2);
    EXPECT_TRUE(memo[0].startsWith(QStringLiteral("メモデータベースをコピーできませんでした（"))) << memo[0].toStdString();
    Click("Btn_AllCheck");
    EXPECT_EQ(NewLines().mid(4), (QStringList{QStringLiteral("再度アップデートをチェックしてください。"), kSep}));
    EXPECT_FALSE(Window().UpgradeCompleted());
    EXPECT_TRUE(boxes_.empty());
    EXPECT_ALL_CP932(Window());
}

// A memo database that appears after the check is not replaced.
TEST_F(VUpTest, MemoStepNeverReplacesAMemoDatabase) {
    MakeInstallation(true, true, false);
    Click("Btn_V_Up");
    Click("Btn_DBBack");
    Click("Btn_DBCheck");
    ASSERT_EQ(Window().CheckCode(), 100);
    WriteBytes(Inst(QStringLiteral("TIDEJOURNAL.FDB")), QByteArrayLiteral("the user's own memos"));
    NewLines();
    Click("Btn_MemoAdd");
    EXPECT_EQ(NewLines(), (QStringList{QStringLiteral("メモデータベースは既にありますのでコピーはしません。"), QString()}));
    EXPECT_EQ(ReadBytes(Inst(QStringLiteral("TIDEJOURNAL.FDB"))), QByteArrayLiteral("the user's own memos"));
    EXPECT_EQ(Enabled(), "Btn_V_Up Btn_AllCheck Btn_Close");
    EXPECT_ALL_CP932(Window());
}

}  // namespace
}  // namespace vup

#pragma once
// A small world for the upgrade window: a start folder with CopyFiles, an
// installation folder with real Firebird databases made by the test, the
// message boxes caught, and isql-fb for an independent look at a database.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "setup/Main_F.h"
#include "setup/VUp_F.h"
#include "support/Cp932.h"

namespace vup {

inline const QString kSep = QStringLiteral("    ");

// The nine buttons of the window, in the order of the enabled-set strings.
inline const std::vector<std::string> kButtons = {
    "Btn_V_Up", "Btn_DBBack", "Btn_DBCheck", "Btn_FieldAdd", "Btn_TableAdd",
    "Btn_DataAdd", "Btn_MemoAdd", "Btn_AllCheck", "Btn_Close"};

// Every memo line and control text of the window fits code page 932.
#define EXPECT_ALL_CP932(window)                                                          \
    do {                                                                                  \
        QStringList texts = (window).MemoLines();                                         \
        texts << (window).windowTitle();                                                  \
        for (QPushButton* b : (window).findChildren<QPushButton*>()) texts << b->text();  \
        for (QLabel* l : (window).findChildren<QLabel*>()) texts << l->text();            \
        for (const QString& t : texts) EXPECT_TRUE(FitsCp932(t)) << t.toStdString();      \
    } while (0)

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<unreadable>");
    return f.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// Runs `sql` through isql-fb against `path`; the printed lines, trimmed,
// empty ones left out (stdout and stderr together).
inline QStringList Isql(const QString& path, const QString& sql) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("tdu"),
                                        QStringLiteral("-password"), QStringLiteral("9274"), path});
    if (!p.waitForStarted()) return {QStringLiteral("isql-fb did not start")};
    p.write(QByteArrayLiteral("set heading off;\n") + sql.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(60000);
    QStringList lines;
    for (const QString& l : QString::fromUtf8(p.readAll()).split(QLatin1Char('\n'))) {
        const QString t = l.trimmed();
        if (!t.isEmpty()) lines << t;
    }
    return lines;
}

inline QString ColumnsSql(const QString& table) {
    return QStringLiteral(
               "select trim(rf.rdb$field_name) || ' ' || f.rdb$field_type || ' ' ||"
               " coalesce(f.rdb$character_length, 0) || ' ' || coalesce(rf.rdb$null_flag, 0) || ' ' ||"
               " iif(rf.rdb$default_source is null and f.rdb$default_source is null, '-', 'default')"
               " from rdb$relation_fields rf join rdb$fields f on f.rdb$field_name = rf.rdb$field_source"
               " where rf.rdb$relation_name = '%1' order by rf.rdb$field_position;\n")
        .arg(table);
}

// What a catch-record database holds, read by isql-fb in one run.
struct Snapshot {
    QStringList fishData;  // "NAME type length nullflag default" in column order
    QStringList syubetu;   // (type 8 is INTEGER, 37 VARCHAR)
    QStringList syubetuCount;
    QStringList rows;      // "ID:NAME" of FISH_DATA
};

inline Snapshot Look(const QString& path) {
    const QString mark = QStringLiteral("select '#next' from rdb$database;\n");
    const QStringList out =
        Isql(path, ColumnsSql(QStringLiteral("FISH_DATA")) + mark + ColumnsSql(QStringLiteral("SYUBETU")) + mark +
                       QStringLiteral("select count(*) from SYUBETU;\n") + mark +
                       QStringLiteral("select ID || ':' || NAME from FISH_DATA order by ID;\n"));
    std::vector<QStringList> parts(1);
    for (const QString& l : out) {
        if (l == QStringLiteral("#next"))
            parts.emplace_back();
        else
            parts.back() << l;
    }
    parts.resize(4);
    return {parts[0], parts[1], parts[2], parts[3]};
}

// Makes a database at `path` by running `statements`, each committed.
inline void MakeDatabase(const QString& path, const QStringList& statements) {
    platform::Database db;
    platform::Transaction tr(&db);
    db.SetDatabaseName(path);
    db.SetParams({QStringLiteral("user_name=tdu"), QStringLiteral("password=9274")});
    db.SetDefaultTransaction(&tr);
    db.CreateDatabase();
    platform::Query q(&db, &tr);
    for (const QString& s : statements) {
        q.SQL() = QStringList{s};
        q.ExecQuery();
        tr.CommitRetaining();
    }
}

// FISH_DATA of the older program, with three rows.
inline QStringList OldFishData() {
    return {QStringLiteral("create table FISH_DATA (ID integer not null primary key, NAME varchar(20), SIZE_CM integer)"),
            QStringLiteral("insert into FISH_DATA values (1, 'aji', 18)"),
            QStringLiteral("insert into FISH_DATA values (2, 'saba', 31)"),
            QStringLiteral("insert into FISH_DATA values (3, 'mebaru', 22)")};
}

inline QString TwelveColumnsDdl() {
    return QStringLiteral(
        "alter table FISH_DATA add TIME1_L integer, add TIME1_T integer, add TIME1_W integer, add TIME1_H integer,"
        " add TIME2_L integer, add TIME2_T integer, add TIME2_W integer, add TIME2_H integer,"
        " add TIME3_L integer, add TIME3_T integer, add TIME3_W integer, add TIME3_H integer");
}

inline QString SyubetuDdl() {
    return QStringLiteral("create table SYUBETU (S00_NO integer, S01_SYUBETU varchar(20))");
}

// FISH_DATA's columns after the upgrade.
inline QStringList UpgradedFishDataColumns() {
    QStringList c{QStringLiteral("ID 8 0 1 -"), QStringLiteral("NAME 37 20 0 -"), QStringLiteral("SIZE_CM 8 0 0 -")};
    for (const char* n : {"TIME1_L", "TIME1_T", "TIME1_W", "TIME1_H", "TIME2_L", "TIME2_T", "TIME2_W", "TIME2_H",
                          "TIME3_L", "TIME3_T", "TIME3_W", "TIME3_H"})
        c << QString::fromLatin1(n) + QStringLiteral(" 8 0 0 -");
    return c;
}

inline QStringList OldRows() {
    return {QStringLiteral("1:aji"), QStringLiteral("2:saba"), QStringLiteral("3:mebaru")};
}

struct Box {
    platform::BoxKind kind;
    QString text;
};

class VUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        start_ = root_.filePath(QStringLiteral("start"));
        inst_ = root_.filePath(QStringLiteral("inst"));
        ASSERT_TRUE(QDir().mkpath(start_ + QStringLiteral("/CopyFiles")));
        ASSERT_TRUE(QDir().mkpath(inst_));
        WriteBytes(CopySource(QStringLiteral("Tidebook.exe")), QByteArrayLiteral("MZ new Tidebook"));
        WriteBytes(CopySource(QStringLiteral("Tacklepad.exe")), QByteArrayLiteral("MZ new Tacklepad"));
        static QTemporaryDir cache;
        ASSERT_TRUE(cache.isValid());
        const QString memo = cache.filePath(QStringLiteral("TIDEJOURNAL.FDB"));
        if (!QFile::exists(memo))
            MakeDatabase(memo, {QStringLiteral("create table MEMO (M_NO integer, M_TEXT varchar(200))")});
        ASSERT_TRUE(QFile::copy(memo, CopySource(QStringLiteral("TIDEJOURNAL.FDB"))));
        Start_Dir = start_;
        Inst_Dir = inst_;
        Inst_Mode = 2;
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& r) {
            boxes_.push_back({r.kind, r.text});
            return 0;
        });
    }

    void TearDown() override {
        window_.reset();  // detaches before the folder goes
        platform::SetMessageBoxHook({});
    }

    QString CopySource(const QString& name) const { return start_ + QStringLiteral("/CopyFiles/") + name; }
    QString Inst(const QString& name) const { return inst_ + QLatin1Char('/') + name; }

    // An older installation: CATCHREC.FDB with the old FISH_DATA, plus the
    // pieces asked for. The databases are made once and copied.
    void MakeInstallation(bool fields, bool table, bool memo) {
        static QTemporaryDir cache;
        ASSERT_TRUE(cache.isValid());
        const QString made = cache.filePath(QStringLiteral("CATCHREC_%1%2.FDB").arg(int(fields)).arg(int(table)));
        if (!QFile::exists(made)) {
            QStringList s = OldFishData();
            if (fields) s << TwelveColumnsDdl();
            if (table) s << SyubetuDdl();
            MakeDatabase(made, s);
        }
        ASSERT_TRUE(QFile::copy(made, Inst(QStringLiteral("CATCHREC.FDB"))));
        if (memo) {
            ASSERT_TRUE(QFile::copy(CopySource(QStringLiteral("TIDEJOURNAL.FDB")), Inst(QStringLiteral("TIDEJOURNAL.FDB"))));
        }
    }

    TVUpF& Window() {
        if (!window_) {
            window_ = std::make_unique<TVUpF>();
            window_->show();
        }
        return *window_;
    }

    void CloseWindow() { window_.reset(); }

    QPushButton* Button(const std::string& name) {
        QPushButton* b = Window().findChild<QPushButton*>(QString::fromStdString(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }

    // Clicks like a user: only an enabled button reacts. An escaping error
    // goes to the application's error box, as in the running program.
    void Click(const std::string& name) {
        QPushButton* b = Button(name);
        ASSERT_TRUE(b->isEnabled()) << name << " is disabled";
        platform::Application::Guard([&] { b->click(); });
    }

    // The enabled buttons, space separated, in the order of kButtons.
    std::string Enabled() {
        std::string s;
        for (const std::string& n : kButtons)
            if (Button(n)->isEnabled()) s += (s.empty() ? "" : " ") + n;
        return s;
    }

    QStringList Memo() { return Window().MemoLines(); }

    // The memo lines added since the last call.
    QStringList NewLines() {
        const QStringList all = Memo();
        const QStringList fresh = all.mid(seen_);
        seen_ = all.size();
        return fresh;
    }

    QTemporaryDir root_;
    QString start_;
    QString inst_;
    std::unique_ptr<TVUpF> window_;
    std::vector<Box> boxes_;
    qsizetype seen_ = 0;
};

}  // namespace vup

// The Firebird access layer against real database files made by each test
// with the embedded engine; isql-fb gives an independent look where needed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <memory>

#include "platform/Database.h"
#include "platform/Error.h"

using platform::Database;
using platform::Error;
using platform::Query;
using platform::Transaction;

namespace {

// Runs `sql` through isql-fb against `path`; returns what it printed (stdout
// and stderr together).
QString Isql(const QString& path, const QString& sql) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("isql-fb"),
            {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("tdu"),
             QStringLiteral("-password"), QStringLiteral("9274"), path});
    if (!p.waitForStarted()) return QStringLiteral("isql-fb did not start");
    p.write(sql.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAll());
}

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    // A fresh database at `name` with FISH_DATA(ID, NAME) holding two rows,
    // left connected through `db`.
    void MakeDatabase(Database& db, Transaction& tr, const QString& name) {
        db.SetDatabaseName(PathOf(name));
        db.SetParams({QStringLiteral("user_name=tdu"), QStringLiteral("password=9274")});
        db.SetDefaultTransaction(&tr);
        db.CreateDatabase();
        Query q(&db, &tr);
        for (const char* s : {"create table FISH_DATA (ID integer, NAME varchar(20))",
                              "insert into FISH_DATA values (1, 'aji')",
                              "insert into FISH_DATA values (2, 'saba')"}) {
            q.SQL() = QStringList{QString::fromLatin1(s)};
            q.ExecQuery();
            tr.CommitRetaining();
        }
    }

    static void Run(Query& q, const QString& sql, bool select) {
        q.Close();
        q.SQL().clear();
        q.SQL() << sql;
        if (select)
            q.Open();
        else
            q.ExecQuery();
    }

    QTemporaryDir dir_;
};

QString ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.Message();
    }
    return {};
}

TEST_F(DatabaseTest, SelectOpensOrFailsWithFirebirdText) {
    Database db;
    Transaction tr(&db);
    MakeDatabase(db, tr, QStringLiteral("a.fdb"));
    Query q(&db, &tr);

    Run(q, QStringLiteral(" select NAME from FISH_DATA "), true);
    EXPECT_TRUE(q.IsOpen());

    const QString e = ErrorOf([&] { Run(q, QStringLiteral(" select TIME1_L from FISH_DATA "), true); });
    EXPECT_TRUE(e.contains(QStringLiteral("Column unknown"))) << e.toStdString();
    EXPECT_TRUE(e.contains(QStringLiteral("TIME1_L"))) << e.toStdString();
    EXPECT_FALSE(q.IsOpen());

    const QString t = ErrorOf([&] { Run(q, QStringLiteral(" select * from SYUBETU "), true); });
    EXPECT_TRUE(t.contains(QStringLiteral("SYUBETU"))) << t.toStdString();
    // The failures leave the transaction usable.
    Run(q, QStringLiteral(" select * from FISH_DATA "), true);
    EXPECT_TRUE(q.IsOpen());
}

TEST_F(DatabaseTest, DdlCommittedOrRolledBackWhileKeepingTheTransaction) {
    Database db;
    Transaction tr(&db);
    MakeDatabase(db, tr, QStringLiteral("a.fdb"));
    Query q(&db, &tr);

    Run(q, QStringLiteral("alter table FISH_DATA add GONE integer"), false);
    tr.RollbackRetaining();
    EXPECT_TRUE(tr.InTransaction());
    EXPECT_FALSE(ErrorOf([&] { Run(q, QStringLiteral("select GONE from FISH_DATA"), true); }).isEmpty());

    Run(q, QStringLiteral("alter table FISH_DATA add KEPT integer"), false);
    tr.CommitRetaining();
    EXPECT_TRUE(tr.InTransaction());
    Run(q, QStringLiteral("select KEPT from FISH_DATA"), true);
    EXPECT_TRUE(q.IsOpen());

    db.Disconnect();
    EXPECT_FALSE(db.Connected());
    EXPECT_FALSE(tr.InTransaction());
    EXPECT_FALSE(q.IsOpen());
    const QString cols = Isql(PathOf(QStringLiteral("a.fdb")), QStringLiteral("show table FISH_DATA;\n"));
    EXPECT_TRUE(cols.contains(QStringLiteral("KEPT"))) << cols.toStdString();
    EXPECT_FALSE(cols.contains(QStringLiteral("GONE"))) << cols.toStdString();
}

TEST_F(DatabaseTest, DisconnectCommitsWorkLeftInTheTransaction) {
    {
        Database db;
        Transaction tr(&db);
        MakeDatabase(db, tr, QStringLiteral("a.fdb"));
        Query q(&db, &tr);
        Run(q, QStringLiteral("insert into FISH_DATA values (3, 'iwashi')"), false);
        Run(q, QStringLiteral("select * from FISH_DATA"), true);  // a cursor left open
    }  // destroyed connected: disconnects
    const QString out = Isql(PathOf(QStringLiteral("a.fdb")),
                             QStringLiteral("set heading off;\nselect count(*) from FISH_DATA;\n"));
    EXPECT_TRUE(out.contains(QStringLiteral("3"))) << out.toStdString();
}

TEST_F(DatabaseTest, ReconnectAfterDisconnect) {
    Database db;
    Transaction tr(&db);
    MakeDatabase(db, tr, QStringLiteral("a.fdb"));
    db.Disconnect();
    db.Connect();
    Query q(&db, &tr);
    Run(q, QStringLiteral("select * from FISH_DATA"), true);
    EXPECT_TRUE(q.IsOpen());
}

// Without a connection no transaction starts, so a rollback has nothing to
// roll back and says so.
TEST_F(DatabaseTest, StatementsWithoutConnection) {
    Database db;
    Transaction tr(&db);
    db.SetDefaultTransaction(&tr);
    db.SetDatabaseName(PathOf(QStringLiteral("none.fdb")));
    Query q(&db, &tr);
    EXPECT_EQ(ErrorOf([&] { Run(q, QStringLiteral("select * from FISH_DATA"), true); }),
              QStringLiteral("Database not connected"));
    EXPECT_FALSE(tr.InTransaction());
    EXPECT_TRUE(ErrorOf([&] { tr.RollbackRetaining(); }).startsWith(QStringLiteral("Transaction is not active")));
    EXPECT_TRUE(ErrorOf([&] { tr.CommitRetaining(); }).startsWith(QStringLiteral("Transaction is not active")));
}

TEST_F(DatabaseTest, ConnectFailuresGiveFirebirdTextAndTouchNothing) {
    QFile junk(PathOf(QStringLiteral("junk.fdb")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    const QByteArray junkBytes(20000, 'x');
    junk.write(junkBytes);
    junk.close();

    struct Case {
        const char* file;
        const char* expected;
    } cases[] = {
        {"missing.fdb", "No such file"},
        {"junk.fdb", "not a valid database"},
    };
    for (const Case& c : cases) {
        Database db;
        db.SetDatabaseName(PathOf(QString::fromLatin1(c.file)));
        db.SetParams({QStringLiteral("user_name=tdu"), QStringLiteral("password=9274")});
        const QString e = ErrorOf([&] { db.Connect(); });
        EXPECT_TRUE(e.contains(QString::fromLatin1(c.expected))) << c.file << ": " << e.toStdString();
        EXPECT_FALSE(db.Connected());
    }
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("missing.fdb"))));
    QFile again(PathOf(QStringLiteral("junk.fdb")));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), junkBytes);
}

// The engine opens a file exclusively; a second process cannot attach.
TEST_F(DatabaseTest, FileHeldOpenByAnotherProcess) {
    {
        Database db;
        Transaction tr(&db);
        MakeDatabase(db, tr, QStringLiteral("a.fdb"));
    }
    QProcess holder;
    holder.start(QStringLiteral("isql-fb"),
                 {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("tdu"),
                  QStringLiteral("-password"), QStringLiteral("9274"), PathOf(QStringLiteral("a.fdb"))});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("select count(*) from FISH_DATA;\n");
    ASSERT_TRUE(holder.waitForReadyRead(10000));  // attached and answering

    Database db;
    db.SetDatabaseName(PathOf(QStringLiteral("a.fdb")));
    db.SetParams({QStringLiteral("user_name=tdu"), QStringLiteral("password=9274")});
    const QString e = ErrorOf([&] { db.Connect(); });
    EXPECT_FALSE(db.Connected());
    EXPECT_TRUE(e.contains(QStringLiteral("lock"))) << e.toStdString();

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    db.Connect();  // free again
    EXPECT_TRUE(db.Connected());
}

TEST_F(DatabaseTest, MissingClientLibraryIsAnErrorAtConnect) {
    const QString real = platform::firebird::ClientLibraryName();
    platform::firebird::SetClientLibraryName(QStringLiteral("libfbclient-missing.so.9"));
    Database db;
    db.SetDatabaseName(PathOf(QStringLiteral("a.fdb")));
    const QString e = ErrorOf([&] { db.Connect(); });
    platform::firebird::SetClientLibraryName(real);
    EXPECT_TRUE(e.contains(QStringLiteral("libfbclient-missing.so.9"))) << e.toStdString();
    EXPECT_TRUE(e.contains(QStringLiteral("could not be loaded"))) << e.toStdString();
    EXPECT_FALSE(db.Connected());
}

// The client library must not take SIGTERM and SIGINT away from the program:
// after attaching, a child process still ends on SIGTERM.
TEST_F(DatabaseTest, SignalsStillEndTheProgramAfterAttaching) {
    {
        Database db;
        Transaction tr(&db);
        MakeDatabase(db, tr, QStringLiteral("a.fdb"));
    }
    const QByteArray path = PathOf(QStringLiteral("a.fdb")).toUtf8();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Database db;
        db.SetDatabaseName(QString::fromUtf8(path));
        try {
            db.Connect();
        } catch (...) {
            ::_exit(3);
        }
        ::kill(::getpid(), SIGTERM);
        ::sleep(5);
        ::_exit(4);  // still alive: the signal was swallowed
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM)
        << "exited=" << WIFEXITED(status) << " code=" << WEXITSTATUS(status);
}

TEST_F(DatabaseTest, CreateRefusesAnExistingFile) {
    Database db;
    Transaction tr(&db);
    MakeDatabase(db, tr, QStringLiteral("a.fdb"));
    db.Disconnect();
    const QByteArray before = [&] {
        QFile f(PathOf(QStringLiteral("a.fdb")));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    Database other;
    other.SetDatabaseName(PathOf(QStringLiteral("a.fdb")));
    EXPECT_FALSE(ErrorOf([&] { other.CreateDatabase(); }).isEmpty());
    QFile f(PathOf(QStringLiteral("a.fdb")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

}  // namespace

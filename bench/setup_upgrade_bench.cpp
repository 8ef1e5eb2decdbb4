// The upgrade window on a small and a large catch-record database.
//
// Chain: the whole upgrade of an older installation (start, backup, check,
// fields, table, initial data, memo database, recheck), clicked through on a
// FISH_DATA of 1,000 rows and of 1,000,000 rows. The large run reports
//   vs_1000        its chain time / the chain time on 1,000 rows;
//   schema_vs_1000 the same for the database steps alone (check, add fields,
//                  create table, recheck), which must not grow with the rows
//                  (a column added to a table writes a new table format; the
//                  rows are converted only when next read).
// The backup, a copy of the file, grows with the file by nature.
//
// Backup: the backup step of the window on the 1,000,000-row database file
// against `cp` of the same file in a child process, run first as reference:
//   vs_cp       backup time / cp time;
//   vs_cp_sync  backup time / time of cp followed by `sync FILE` (the backup
//               flushes its copy to disk before it replaces an older one).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <map>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/Application.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "setup/Main_F.h"
#include "setup/VUp_F.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

QTemporaryDir* g_dir = nullptr;
std::map<int, QString> g_templates;  // rows -> database of the older program
std::map<int, double> g_chainSeconds, g_schemaSeconds;  // rows -> mean per chain
double g_cpSeconds = 0, g_cpSyncSeconds = 0;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void Run(platform::Query& q, platform::Transaction& tr, const QString& sql) {
    q.SQL() = QStringList{sql};
    q.ExecQuery();
    tr.CommitRetaining();
}

// An older catch-record database with `rows` catches, made once.
const QString& Template(int rows) {
    QString& path = g_templates[rows];
    if (!path.isEmpty()) return path;
    path = g_dir->filePath(QStringLiteral("old_%1.FDB").arg(rows));
    platform::Database db;
    platform::Transaction tr(&db);
    db.SetDatabaseName(path);
    db.SetParams({QStringLiteral("user_name=tdu"), QStringLiteral("password=9274")});
    db.SetDefaultTransaction(&tr);
    db.CreateDatabase();
    platform::Query q(&db, &tr);
    Run(q, tr,
        QStringLiteral("create table FISH_DATA (F_NO integer not null primary key, F_DATE date, "
                       "F_PLACE varchar(40), F_FISH varchar(20), F_SIZE numeric(5,1), F_COUNT integer, "
                       "F_MEMO varchar(200))"));
    Run(q, tr,
        QStringLiteral("execute block as declare i integer = 0; begin while (i < %1) do begin "
                       "insert into FISH_DATA values (:i, dateadd(mod(:i, 5000) day to date '2000-01-01'), "
                       "'North harbour east pier', 'Mebaru', 12.5 + mod(:i, 200) / 10.0, mod(:i, 30), "
                       "'Evening rise, light wind from the sea'); i = i + 1; end end")
            .arg(rows));
    db.Disconnect();
    return path;
}

void Copy(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to)) std::abort();
}

void Click(TVUpF& w, const char* name) {
    QPushButton* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!b || !b->isEnabled()) std::abort();  // the chain went another way
    b->click();
}

void BM_Chain(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const QString source = Template(rows);
    const QString root = g_dir->filePath(QStringLiteral("chain"));
    Start_Dir = root + QStringLiteral("/start");
    Inst_Dir = root + QStringLiteral("/inst");
    double chain = 0, schema = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(root).removeRecursively();
        QDir().mkpath(Start_Dir + QStringLiteral("/CopyFiles"));
        QDir().mkpath(Inst_Dir);
        for (const char* f : {"Tidebook.exe", "Tacklepad.exe"}) {
            QFile out(Start_Dir + QStringLiteral("/CopyFiles/") + QLatin1String(f));
            out.open(QIODevice::WriteOnly);
            out.write(QByteArray(512 * 1024, 'p'));
        }
        Copy(Template(1000), Start_Dir + QStringLiteral("/CopyFiles/TIDEJOURNAL.FDB"));
        Copy(source, Inst_Dir + QStringLiteral("/CATCHREC.FDB"));
        state.ResumeTiming();

        const auto t0 = Clock::now();
        {
            TVUpF w;
            w.show();
            Click(w, "Btn_V_Up");
            Click(w, "Btn_DBBack");
            const auto s0 = Clock::now();
            Click(w, "Btn_DBCheck");
            Click(w, "Btn_FieldAdd");
            Click(w, "Btn_TableAdd");
            const auto s1 = Clock::now();
            Click(w, "Btn_DataAdd");
            Click(w, "Btn_MemoAdd");
            const auto s2 = Clock::now();
            Click(w, "Btn_AllCheck");
            const auto s3 = Clock::now();
            if (!w.UpgradeCompleted()) std::abort();
            schema += Seconds(s1 - s0) + Seconds(s3 - s2);
        }  // closing the window detaches
        chain += Seconds(Clock::now() - t0);
    }
    const double n = static_cast<double>(state.iterations());
    g_chainSeconds[rows] = chain / n;
    g_schemaSeconds[rows] = schema / n;
    state.counters["schema_ms"] = 1000 * schema / n;
    if (rows != 1000 && g_chainSeconds.count(1000)) {
        state.counters["vs_1000"] = g_chainSeconds[rows] / g_chainSeconds[1000];
        state.counters["schema_vs_1000"] = g_schemaSeconds[rows] / g_schemaSeconds[1000];
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(source).size()) / 1e6;
}

int Spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) std::abort();
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

void BM_CpReference(benchmark::State& state) {
    const bool sync = state.range(0) != 0;
    const std::string source = Template(1000000).toStdString();
    const std::string target = g_dir->filePath(QStringLiteral("cp_copy.FDB")).toStdString();
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (Spawn({"cp", source, target}) != 0) std::abort();
        if (sync && Spawn({"sync", target}) != 0) std::abort();
        total += Seconds(Clock::now() - t0);
        state.PauseTiming();
        std::remove(target.c_str());
        state.ResumeTiming();
    }
    (sync ? g_cpSyncSeconds : g_cpSeconds) = total / static_cast<double>(state.iterations());
}

void BM_Backup(benchmark::State& state) {
    const QString source = Template(1000000);
    Inst_Dir = g_dir->filePath(QStringLiteral("backup"));
    QDir(Inst_Dir).removeRecursively();
    QDir().mkpath(Inst_Dir);
    Copy(source, Inst_Dir + QStringLiteral("/CATCHREC.FDB"));
    TVUpF w;  // not connected: the step is the copy into Back
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        w.Btn_DBBackClick();
        total += Seconds(Clock::now() - t0);
        if (w.BackData() != 0) std::abort();
    }
    const double mean = total / static_cast<double>(state.iterations());
    if (g_cpSeconds > 0) state.counters["vs_cp"] = mean / g_cpSeconds;
    if (g_cpSyncSeconds > 0) state.counters["vs_cp_sync"] = mean / g_cpSyncSeconds;
    state.counters["file_MB"] = static_cast<double>(QFileInfo(source).size()) / 1e6;
}

// References first: each measured run divides by one made before it.
BENCHMARK(BM_Chain)->Arg(1000)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpReference)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    platform::SetMessageBoxHook([](const platform::MessageBoxRequest&) -> int { std::abort(); });
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_dir = nullptr;
    return 0;
}

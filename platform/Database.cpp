#include "platform/Database.h"

// ibase.h supplies the types and constants of the client interface; the
// functions themselves are looked up in the library at run time.
#include <ibase.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <csignal>
#include <dlfcn.h>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

#include "platform/Error.h"

namespace platform {

namespace {

// --- The client library ------------------------------------------------------

struct Api {
    decltype(&isc_attach_database) attach = nullptr;
    decltype(&isc_create_database) create = nullptr;
    decltype(&isc_detach_database) detach = nullptr;
    decltype(&isc_start_multiple) startMultiple = nullptr;
    decltype(&isc_commit_transaction) commit = nullptr;
    decltype(&isc_rollback_transaction) rollback = nullptr;
    decltype(&isc_commit_retaining) commitRetaining = nullptr;
    decltype(&isc_rollback_retaining) rollbackRetaining = nullptr;
    decltype(&isc_dsql_allocate_statement) allocateStatement = nullptr;
    decltype(&isc_dsql_prepare) prepare = nullptr;
    decltype(&isc_dsql_sql_info) sqlInfo = nullptr;
    decltype(&isc_dsql_execute) execute = nullptr;
    decltype(&isc_dsql_free_statement) freeStatement = nullptr;
    decltype(&fb_interpret) interpret = nullptr;
};

QString& LibraryName() {
    static QString name = QStringLiteral("libfbclient.so.2");
    return name;
}

QString& ChosenLockDirectory() {
    static QString dir;
    return dir;
}

// The embedded engine keeps its lock files in one folder (/tmp/firebird by
// default). When another user made that folder first, this user cannot
// write there and every attachment fails; a private folder of this user then
// serves instead. Two processes of different users never share a database
// file anyway: the engine opens the file exclusively.
void ChooseLockDirectory() {
    QString& chosen = ChosenLockDirectory();
    if (!chosen.isEmpty()) return;
    const QByteArray env = qgetenv("FIREBIRD_LOCK");
    if (!env.isEmpty()) {
        chosen = QFile::decodeName(env);
        return;
    }
    const QByteArray standard = "/tmp/firebird";
    struct stat st {};
    const bool usable = ::stat(standard.constData(), &st) == 0
                            ? (S_ISDIR(st.st_mode) && ::access(standard.constData(), W_OK | X_OK) == 0)
                            : ::access("/tmp", W_OK | X_OK) == 0;
    if (usable) {
        chosen = QFile::decodeName(standard);
        return;
    }
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("firebird-%1").arg(::getuid()));
    const QByteArray ownBytes = QFile::encodeName(own);
    ::mkdir(ownBytes.constData(), 0700);
    qputenv("FIREBIRD_LOCK", ownBytes);
    chosen = own;
}

template <typename F>
bool Resolve(void* lib, const char* name, F& fn) {
    fn = reinterpret_cast<F>(::dlsym(lib, name));
    return fn != nullptr;
}

// Loads the library named by LibraryName() once per name. Raises when the
// library or one of its functions is missing.
const Api& Client() {
    static QMap<QString, Api> loaded;
    const QString name = LibraryName();
    auto it = loaded.find(name);
    if (it != loaded.end()) return *it;

    ChooseLockDirectory();
    void* lib = ::dlopen(QFile::encodeName(name).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* why = ::dlerror();
        throw Error(QStringLiteral("The Firebird client library %1 could not be loaded (%2). "
                                   "Install the Firebird client and embedded engine "
                                   "(packages libfbclient2 and firebird3.0-server-core).")
                        .arg(name, why ? QString::fromLocal8Bit(why) : QStringLiteral("not found")));
    }
    Api api;
    const bool ok = Resolve(lib, "isc_attach_database", api.attach) &&
                    Resolve(lib, "isc_create_database", api.create) &&
                    Resolve(lib, "isc_detach_database", api.detach) &&
                    Resolve(lib, "isc_start_multiple", api.startMultiple) &&
                    Resolve(lib, "isc_commit_transaction", api.commit) &&
                    Resolve(lib, "isc_rollback_transaction", api.rollback) &&
                    Resolve(lib, "isc_commit_retaining", api.commitRetaining) &&
                    Resolve(lib, "isc_rollback_retaining", api.rollbackRetaining) &&
                    Resolve(lib, "isc_dsql_allocate_statement", api.allocateStatement) &&
                    Resolve(lib, "isc_dsql_prepare", api.prepare) &&
                    Resolve(lib, "isc_dsql_sql_info", api.sqlInfo) &&
                    Resolve(lib, "isc_dsql_execute", api.execute) &&
                    Resolve(lib, "isc_dsql_free_statement", api.freeStatement) &&
                    Resolve(lib, "fb_interpret", api.interpret);
    if (!ok) {
        ::dlclose(lib);
        throw Error(QStringLiteral("The library %1 is not a usable Firebird client library.").arg(name));
    }
    return *loaded.insert(name, api);
}

// On its first attachment the client library takes over SIGINT and SIGTERM
// and from then on swallows them: the program could no longer be ended by
// Ctrl+C or by the session's termination request. The handlers the program
// had are put back after each attach or create; a signal then ends the
// program as before. (Work is committed step by step, and the engine's
// careful writes keep the file sound when a process ends abruptly.)
class KeepSignalHandlers {
public:
    KeepSignalHandlers() {
        for (int i = 0; i < kCount; ++i) ::sigaction(kSignals[i], nullptr, &saved_[i]);
    }
    ~KeepSignalHandlers() {
        for (int i = 0; i < kCount; ++i) ::sigaction(kSignals[i], &saved_[i], nullptr);
    }
    KeepSignalHandlers(const KeepSignalHandlers&) = delete;
    KeepSignalHandlers& operator=(const KeepSignalHandlers&) = delete;

private:
    static constexpr int kCount = 2;
    static constexpr int kSignals[kCount] = {SIGINT, SIGTERM};
    struct sigaction saved_[kCount] {};
};

// --- Handles and status vectors ----------------------------------------------

// A handle is a pointer on 32-bit systems and a number on 64-bit ones.
template <typename H = FB_API_HANDLE>
H ToHandle(std::uintptr_t h) {
    if constexpr (std::is_pointer_v<H>)
        return reinterpret_cast<H>(h);
    else
        return static_cast<H>(h);
}

template <typename H>
std::uintptr_t FromHandle(H h) {
    if constexpr (std::is_pointer_v<H>)
        return reinterpret_cast<std::uintptr_t>(h);
    else
        return static_cast<std::uintptr_t>(h);
}

struct Status {
    ISC_STATUS vector[ISC_STATUS_LENGTH] = {};
    ISC_STATUS* operator&() { return vector; }
    bool Failed() const { return vector[0] == 1 && vector[1] != 0; }
};

// Firebird's own text for a failed call, one message a line.
QString Message(const Api& api, const Status& status) {
    QStringList lines;
    const ISC_STATUS* p = status.vector;
    char buffer[1024];
    while (api.interpret(buffer, sizeof buffer, &p) > 0) lines << QString::fromUtf8(buffer);
    if (lines.isEmpty()) lines << QStringLiteral("Unknown Firebird error");
    return lines.join(QLatin1Char('\n'));
}

void Check(const Api& api, const Status& status) {
    if (status.Failed()) throw Error(Message(api, status));
}

void AddByte(std::vector<char>& block, char tag, char value) {
    block.push_back(tag);
    block.push_back(1);
    block.push_back(value);
}

void AddInt(std::vector<char>& block, char tag, std::uint32_t value) {
    block.push_back(tag);
    block.push_back(4);
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AddString(std::vector<char>& block, char tag, const QByteArray& value) {
    if (value.size() > 255) throw Error(QStringLiteral("Connection parameter too long"));
    block.push_back(tag);
    block.push_back(static_cast<char>(value.size()));
    block.insert(block.end(), value.begin(), value.end());
}

}  // namespace

// --- Database ----------------------------------------------------------------

Database::Database() = default;

Database::~Database() {
    try {
        Disconnect();
    } catch (...) {
        // The engine drops what is left when the process goes.
    }
    for (Transaction* t : transactions_) t->db_ = nullptr;
    for (Query* q : queries_) q->db_ = nullptr;
}

void Database::SetDatabaseName(const QString& path) {
    if (Connected()) throw Error(QStringLiteral("Cannot change the database name while connected"));
    name_ = path;
}

QString Database::Param(const QString& name) const {
    for (const QString& line : params_) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return {};
}

std::vector<char> Database::ParameterBlock(bool create, int pageSize) const {
    std::vector<char> dpb;
    dpb.push_back(isc_dpb_version1);
    const QString user = Param(QStringLiteral("user_name"));
    const QString password = Param(QStringLiteral("password"));
    if (!user.isEmpty()) AddString(dpb, isc_dpb_user_name, user.toUtf8());
    if (!password.isEmpty()) AddString(dpb, isc_dpb_password, password.toUtf8());
    AddInt(dpb, isc_dpb_sql_dialect, static_cast<std::uint32_t>(dialect_));
    AddByte(dpb, isc_dpb_utf8_filename, 0);
    // Only the engine inside this process: a path never reaches a server.
    AddString(dpb, isc_dpb_config, QByteArrayLiteral("Providers=Engine12"));
    if (create) {
        AddInt(dpb, isc_dpb_page_size, static_cast<std::uint32_t>(pageSize));
        AddString(dpb, isc_dpb_set_db_charset, QByteArrayLiteral("UTF8"));
    }
    return dpb;
}

void Database::CheckSupported() const {
    if (name_.isEmpty()) throw Error(QStringLiteral("Database name is missing"));
    if (dialect_ != 1 && dialect_ != 3) throw Error(QStringLiteral("Unsupported SQL dialect"));
}

void Database::Connect() {
    if (Connected()) return;
    CheckSupported();
    const Api& api = Client();
    const QByteArray path = name_.toUtf8();
    if (path.size() > 32000) throw Error(QStringLiteral("Database name too long"));
    const std::vector<char> dpb = ParameterBlock(false, 0);
    Status status;
    FB_API_HANDLE h = 0;
    {
        KeepSignalHandlers keep;
        api.attach(&status, static_cast<short>(path.size()), path.constData(), &h,
                   static_cast<short>(dpb.size()), dpb.data());
    }
    Check(api, status);
    handle_ = FromHandle(h);
}

void Database::CreateDatabase(int pageSize) {
    if (Connected()) throw Error(QStringLiteral("Already connected"));
    CheckSupported();
    const Api& api = Client();
    const QByteArray path = name_.toUtf8();
    const std::vector<char> dpb = ParameterBlock(true, pageSize);
    Status status;
    FB_API_HANDLE h = 0;
    {
        KeepSignalHandlers keep;
        api.create(&status, static_cast<short>(path.size()), path.constData(), &h,
                   static_cast<short>(dpb.size()), dpb.data(), 0);
    }
    Check(api, status);
    handle_ = FromHandle(h);
}

void Database::Disconnect() {
    if (!Connected()) return;
    const Api& api = Client();
    for (Query* q : queries_) {
        try {
            q->Close();
        } catch (...) {
        }
        q->Forget();
    }
    for (Transaction* t : transactions_) {
        if (!t->InTransaction()) continue;
        try {
            t->Commit();
        } catch (...) {
            try {
                t->Rollback();
            } catch (...) {
            }
        }
        t->Forget();
    }
    Status status;
    FB_API_HANDLE h = ToHandle(handle_);
    api.detach(&status, &h);
    // The attachment is gone for this object whatever the engine says; a
    // failed detach is reported, and the next Connect starts afresh.
    handle_ = 0;
    Check(api, status);
}

// --- Transaction -------------------------------------------------------------

Transaction::Transaction(Database* db) { SetDatabase(db); }

Transaction::~Transaction() {
    // Like a disconnect: the work is kept.
    if (InTransaction()) {
        try {
            Commit();
        } catch (...) {
            try {
                Rollback();
            } catch (...) {
            }
        }
    }
    SetDatabase(nullptr);
}

void Transaction::SetDatabase(Database* db) {
    if (db_ == db) return;
    if (InTransaction()) throw Error(QStringLiteral("Cannot change the database of an active transaction"));
    if (db_) {
        auto& v = db_->transactions_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    db_ = db;
    if (db_) db_->transactions_.push_back(this);
}

void Transaction::CheckActive(const char* what) const {
    if (!InTransaction())
        throw Error(QStringLiteral("Transaction is not active (%1)").arg(QLatin1String(what)));
}

void Transaction::StartTransaction() {
    if (InTransaction()) throw Error(QStringLiteral("Transaction is already active"));
    if (!db_) throw Error(QStringLiteral("No database for the transaction"));
    if (!db_->Connected()) throw Error(QStringLiteral("Database not connected"));
    const Api& api = Client();
    struct Teb {
        FB_API_HANDLE* db;
        int tpbLength;
        const char* tpb;
    };
    FB_API_HANDLE dbHandle = ToHandle(db_->handle_);
    Teb teb{&dbHandle, 0, nullptr};
    Status status;
    FB_API_HANDLE h = 0;
    api.startMultiple(&status, &h, 1, &teb);
    Check(api, status);
    handle_ = FromHandle(h);
}

namespace {
// One of the four ways to end a transaction's work, on `handle`.
using EndCall = decltype(&isc_commit_transaction);
void EndWork(std::uintptr_t handle, EndCall Api::*call) {
    const Api& api = Client();
    Status status;
    FB_API_HANDLE h = ToHandle(handle);
    (api.*call)(&status, &h);
    Check(api, status);
}
}  // namespace

void Transaction::Commit() {
    CheckActive("commit");
    EndWork(handle_, &Api::commit);
    handle_ = 0;
}

void Transaction::Rollback() {
    CheckActive("rollback");
    EndWork(handle_, &Api::rollback);
    handle_ = 0;
}

void Transaction::CommitRetaining() {
    CheckActive("commit retaining");
    EndWork(handle_, &Api::commitRetaining);
}

void Transaction::RollbackRetaining() {
    CheckActive("rollback retaining");
    EndWork(handle_, &Api::rollbackRetaining);
}

// --- Query -------------------------------------------------------------------

Query::Query(Database* db, Transaction* tr) : tr_(tr) { SetDatabase(db); }

Query::~Query() {
    try {
        Close();
    } catch (...) {
    }
    SetDatabase(nullptr);
}

void Query::SetDatabase(Database* db) {
    if (db_ == db) return;
    if (db_) {
        Close();
        auto& v = db_->queries_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    db_ = db;
    if (db_) db_->queries_.push_back(this);
}

Transaction* Query::EffectiveTransaction() const {
    if (tr_) return tr_;
    return db_ ? db_->DefaultTransaction() : nullptr;
}

void Query::Close() {
    open_ = false;
    if (!handle_) return;
    const std::uintptr_t handle = handle_;
    handle_ = 0;
    if (!db_ || !db_->Connected()) return;  // the detach freed it
    const Api& api = Client();
    Status status;
    FB_API_HANDLE h = ToHandle(handle);
    api.freeStatement(&status, &h, DSQL_drop);
    Check(api, status);
}

void Query::Open() { Run(true); }

void Query::ExecQuery() { Run(false); }

void Query::Run(bool asSelect) {
    Close();
    if (!db_) throw Error(QStringLiteral("No database for the query"));
    if (!db_->Connected()) throw Error(QStringLiteral("Database not connected"));
    Transaction* tr = EffectiveTransaction();
    if (!tr) throw Error(QStringLiteral("No transaction for the query"));
    const QByteArray text = sql_.join(QLatin1Char('\n')).toUtf8();
    if (text.trimmed().isEmpty()) throw Error(QStringLiteral("Empty query"));
    if (!tr->InTransaction()) tr->StartTransaction();

    const Api& api = Client();
    Status status;
    FB_API_HANDLE dbHandle = ToHandle(db_->handle_);
    FB_API_HANDLE trHandle = ToHandle(tr->Handle());
    FB_API_HANDLE stmt = 0;
    api.allocateStatement(&status, &dbHandle, &stmt);
    Check(api, status);
    handle_ = FromHandle(stmt);

    const unsigned short dialect = static_cast<unsigned short>(db_->SqlDialect());
    api.prepare(&status, &trHandle, &stmt, 0, text.constData(), dialect, nullptr);
    if (status.Failed()) {
        const QString message = Message(api, status);
        Close();
        throw Error(message);
    }

    const char items[] = {isc_info_sql_stmt_type};
    char info[16] = {};
    api.sqlInfo(&status, &stmt, sizeof items, items, sizeof info, info);
    int type = 0;
    if (!status.Failed() && info[0] == isc_info_sql_stmt_type) {
        const int len = static_cast<unsigned char>(info[1]) | (static_cast<unsigned char>(info[2]) << 8);
        for (int i = 0; i < len && i < 4; ++i) type |= static_cast<unsigned char>(info[3 + i]) << (8 * i);
    }
    const bool isSelect = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
    if (asSelect && !isSelect) {
        Close();
        throw Error(QStringLiteral("The statement is not a select"));
    }

    api.execute(&status, &trHandle, &stmt, SQLDA_VERSION1, nullptr);
    if (status.Failed()) {
        const QString message = Message(api, status);
        Close();
        throw Error(message);
    }
    if (isSelect) {
        open_ = true;  // the cursor stays open until Close
    } else {
        Close();
    }
}

// --- Library settings --------------------------------------------------------

namespace firebird {

void SetClientLibraryName(const QString& name) { LibraryName() = name; }

QString ClientLibraryName() { return LibraryName(); }

QString LockDirectory() {
    ChooseLockDirectory();
    return ChosenLockDirectory();
}

}  // namespace firebird

}  // namespace platform

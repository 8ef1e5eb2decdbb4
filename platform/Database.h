#pragma once
// Access to Firebird database files through the Firebird client library.
//
// The client library (libfbclient.so.2) is loaded by name when the first
// connection is made, never linked: a machine without it still starts the
// program, and the connection fails with a clear text. A database path
// without a host name is opened by the engine inside this process (embedded
// mode); no server runs.
//
// Three objects, as the upgrade window uses them:
//   Database     one attachment to one database file;
//   Transaction  one transaction on it, started by the first statement;
//   Query        one statement at a time: close, clear, add the text, then
//                open it (a select) or execute it (anything else).
// Every failure raises platform::Error whose message is Firebird's own text
// (or, for failures of this layer, a text of its own).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace platform {

class Transaction;
class Query;

class Database {
public:
    Database();
    ~Database();  // disconnects
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Native path of the database file.
    void SetDatabaseName(const QString& path);
    const QString& DatabaseName() const { return name_; }

    // Connection parameters, "name=value" lines; user_name and password are
    // understood.
    void SetParams(const QStringList& params) { params_ = params; }
    const QStringList& Params() const { return params_; }

    void SetSqlDialect(int dialect) { dialect_ = dialect; }
    int SqlDialect() const { return dialect_; }

    // The transaction that queries use when they are given none.
    void SetDefaultTransaction(Transaction* t) { defaultTransaction_ = t; }
    Transaction* DefaultTransaction() const { return defaultTransaction_; }

    // Attaches to the file. Raises platform::Error when the client library
    // cannot be loaded or the engine refuses the file.
    void Connect();
    // Closes the queries, commits an active transaction (rolls it back when
    // the commit fails) and detaches. Does nothing when not connected.
    void Disconnect();
    bool Connected() const { return handle_ != 0; }

    // Creates a new database file at `path` (dialect 3) and stays attached
    // to it. Raises platform::Error when the file exists or cannot be made.
    void CreateDatabase(int pageSize = 8192);

    // Implementation detail for Transaction and Query.
    std::uintptr_t Handle() const { return handle_; }

private:
    friend class Transaction;
    friend class Query;
    std::vector<char> ParameterBlock(bool create, int pageSize) const;
    void CheckSupported() const;
    QString Param(const QString& name) const;

    QString name_;
    QStringList params_;
    int dialect_ = 3;
    std::uintptr_t handle_ = 0;
    Transaction* defaultTransaction_ = nullptr;
    std::vector<Transaction*> transactions_;
    std::vector<Query*> queries_;
};

class Transaction {
public:
    explicit Transaction(Database* db = nullptr);
    ~Transaction();  // commits an active transaction (rolls back if that fails)
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void SetDatabase(Database* db);
    Database* GetDatabase() const { return db_; }

    bool InTransaction() const { return handle_ != 0; }
    // Starts with the server's default parameters. Raises when the database
    // is not connected or a transaction is already active.
    void StartTransaction();
    void Commit();
    void Rollback();
    // End the work and keep the transaction context open. Raise "Transaction
    // is not active" when none has been started.
    void CommitRetaining();
    void RollbackRetaining();

    std::uintptr_t Handle() const { return handle_; }

private:
    friend class Database;
    void CheckActive(const char* what) const;
    void Forget() { handle_ = 0; }

    Database* db_ = nullptr;
    std::uintptr_t handle_ = 0;
};

class Query {
public:
    Query(Database* db = nullptr, Transaction* tr = nullptr);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void SetDatabase(Database* db);
    void SetTransaction(Transaction* tr) { tr_ = tr; }

    // The statement text, one entry a line; the lines are joined with line
    // feeds when the statement is prepared.
    QStringList& SQL() { return sql_; }
    const QStringList& SQL() const { return sql_; }

    // Prepares and runs a select, leaving its cursor open (the rows are not
    // read). Starts the transaction when it is not active.
    void Open();
    // Prepares and runs any statement. Starts the transaction when it is not
    // active.
    void ExecQuery();
    // Closes the cursor and drops the prepared statement.
    void Close();
    bool IsOpen() const { return open_; }

private:
    friend class Database;
    void Run(bool asSelect);
    void Forget() { handle_ = 0; open_ = false; }
    Transaction* EffectiveTransaction() const;

    Database* db_ = nullptr;
    Transaction* tr_ = nullptr;
    QStringList sql_;
    std::uintptr_t handle_ = 0;
    bool open_ = false;
};

namespace firebird {

// The file name the client library is loaded by; tests point it elsewhere to
// see a missing library. Takes effect at the next connection.
void SetClientLibraryName(const QString& name);
QString ClientLibraryName();

// The folder in which the embedded engine keeps its lock files. Chosen when
// the library is first loaded: FIREBIRD_LOCK if set, else the engine's own
// default (/tmp/firebird) when this user may write there, else a private
// folder of this user under the temporary directory.
QString LockDirectory();

}  // namespace firebird

}  // namespace platform

#pragma once
// The upgrade window: turns a Catchfile installation in Inst_Dir into a
// Tidebook one. One button a step, each enabling the next: start (copy the
// two programs, connect to CATCHREC.FDB), back up both databases into Back,
// check what is missing, add the twelve FISH_DATA columns, create SYUBETU,
// the initial-data step, copy in the memo database, recheck. The memo box
// narrates every step.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/Database.h"

namespace Ui {
class TVUpF;
}

class TVUpF : public QDialog {
    Q_OBJECT

public:
    explicit TVUpF(QWidget* parent = nullptr);
    ~TVUpF() override;

    // True when the last check or recheck found the fields, the table and the
    // memo database in place.
    bool UpgradeCompleted() const { return FUpgradeCompleted; }

    // The lines of the memo box, as added.
    QStringList MemoLines() const;
    int CheckCode() const { return FCheckCode; }
    int BackData() const { return FBackData; }
    int BackMemo() const { return FBackMemo; }

    // The statements, exactly as they are sent.
    static QString FieldTestSql();
    static QString TableTestSql();
    static QString AddFieldsSql();
    static QString CreateTableSql();

    // The handlers (public so that tests can drive them like a user would).
    void FormShow();
    void Btn_V_UpClick();
    void Btn_DBBackClick();
    void Btn_DBCheckClick();
    void Btn_FieldAddClick();
    void Btn_TableAddClick();
    void Btn_DataAddClick();
    void Btn_MemoAddClick();
    void Btn_AllCheckClick();
    void Btn_CloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString InstFile(const QString& name) const;
    QString SourceFile(const QString& name) const;
    void AddLine(const QString& line);
    void AddSeparator();
    // Runs a select through IBSQL; false when it raised any error.
    bool TestSelect(const QString& sql);
    // Runs a statement through IBSQL; raises on error.
    void Execute(const QString& sql);
    void CopyProgram(const QString& name);

    std::unique_ptr<Ui::TVUpF> ui;

    // Declared in this order so that the query and the transaction go before
    // the connection; the destructor disconnects first anyway.
    platform::Database IBDB1;
    platform::Transaction IBTr1;
    platform::Query IBSQL;

    int FBackData = 0;
    int FBackMemo = 0;
    int FCheckCode = 0;
    bool FUpgradeCompleted = false;
};

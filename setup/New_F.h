#pragma once
// The new-installation window: copies the program files and the two
// template databases from Start_Dir/CopyFiles into Inst_Dir, lists every file
// in the memo box, and never overwrites an existing database.

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class TNewF;
}

class TNewF : public QDialog {
    Q_OBJECT

public:
    explicit TNewF(QWidget* parent = nullptr);
    ~TNewF() override;

    // The lines of Memo1.
    QStringList MemoLines() const;

    // True once the copy has run and every file was either copied or, for a
    // database, kept because one was there already.
    bool InstallCompleted() const { return FCopyRan && FFailures == 0; }

    void Btn_InstClick();
    void Btn_NOClick();

private:
    void FormCreate();
    void AddLine(const QString& line);
    // Copies one file of CopyFiles into the installation folder and adds its
    // memo line. A database is copied only where none exists; then the
    // message `existsMessage` is shown instead.
    void CopyOne(const QString& name, bool database, const QString& existsMessage = {});

    std::unique_ptr<Ui::TNewF> ui;
    bool FCopyRan = false;
    int FFailures = 0;
};

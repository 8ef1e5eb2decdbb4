#pragma once
// The upgrade window: turns a Catchfile installation into a Tidebook one.

#include <QDialog>

class TVUpF : public QDialog {
    Q_OBJECT
public:
    explicit TVUpF(QWidget* parent = nullptr);
    ~TVUpF() override;

    // True once the recheck found the fields, the table and the memo database
    // in place.
    bool UpgradeCompleted() const { return FUpgradeCompleted; }

private:
    bool FUpgradeCompleted = false;
};

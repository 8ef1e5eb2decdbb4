#pragma once
// The chooser of the folder in which the older program is installed. Only a
// folder picked in the tree can be accepted; accepting sets Inst_Dir and
// Inst_Mode := 2 and closes the window. What the folder holds is checked by
// the upgrade window.

#include <QDialog>
#include <memory>

namespace Ui {
class TFolderVUpF;
}

class TFolderVUpF : public QDialog {
    Q_OBJECT

public:
    explicit TFolderVUpF(QWidget* parent = nullptr);
    ~TFolderVUpF() override;

    void ShellTreeView1DblClick();
    void BitBtn1Click();
    void Btn_NoClick();

private:
    void FormCreate();

    std::unique_ptr<Ui::TFolderVUpF> ui;
};

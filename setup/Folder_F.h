#pragma once
// The folder chooser of a new installation: the standard folder C:\Tidebook
// (created after a confirmation) or any existing folder picked in the tree.
// Accepting a folder sets Inst_Dir and Inst_Mode := 1 and closes the window.

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TFolderF;
}

class TFolderF : public QDialog {
    Q_OBJECT

public:
    explicit TFolderF(QWidget* parent = nullptr);
    ~TFolderF() override;

    void Btn_DefaurtClick();
    void ShellTreeView1DblClick();
    void BitBtn1Click();
    void Btn_NoClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();

    std::unique_ptr<Ui::TFolderF> ui;
    // The start path of the tree ("c:\" under Wine); accepting it is refused.
    QString FInitPath;
    bool FShown = false;
};

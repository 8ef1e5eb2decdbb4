#pragma once
// The launcher of Tidesetup and the values that its windows hand over to each
// other. The launcher opens the folder choosers and the installation or
// upgrade window, one at a time and modally, and shows a closing text when a
// path has been carried out.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;

// The folder the user chose: the target of a new installation or the folder
// of the installed older program. A real (native) path, without a trailing
// separator; file names are appended with platform::JoinPath.
extern QString Inst_Dir;
// The working directory at the moment the launcher was created. The files to
// install are taken from its subfolder CopyFiles.
extern QString Start_Dir;
// 0: no path taken yet; 1: a new-installation folder was accepted;
// 2: an installed folder was accepted.
extern int Inst_Mode;

// Sets a push button's caption. A carriage return (code 13) starts a new
// line; "&" stands for itself (a folder name may contain one); a line too
// wide for the button is shortened in the middle, and the whole caption is
// the button's tooltip.
void SetButtonCaption(QPushButton* button, const QString& text);

// Widens the labels of `form` whose text is wider than their design size, as
// auto-sized labels do (the substitute font is a little wider).
void FitLabels(QWidget* form);

namespace Ui {
class TMainF;
}

class TMainF : public QWidget {
    Q_OBJECT

public:
    explicit TMainF(QWidget* parent = nullptr);
    ~TMainF() override;

    // The eight description lines, Label1 … Label8.
    QLabel* DescriptionLine(int index) const;

    // The handlers (public so that tests can drive them like a user would).
    void Btn_NewClick();
    void Btn_V_UpClick();
    void Btn_CloseClick();
    void Btn_NewMouseMove();
    void Btn_V_UpMouseMove();
    void FormMouseMove();

protected:
    // Show the second window of a path modally and tell whether its work was
    // carried out in full (the installation copied every file, the upgrade's
    // recheck found everything in place).
    virtual bool ShowNewInstallWindow();
    virtual bool ShowUpgradeWindow();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    void SetLines(const QStringList& lines);

    std::unique_ptr<Ui::TMainF> ui;
};

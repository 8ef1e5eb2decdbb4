// Every text that the launcher, the choosers and the new-installation window
// show must be representable in code page 932, like the rest of the program.
#include <QLabel>
#include <QPushButton>

#include "setup/FolderVUp_F.h"
#include "setup/Folder_F.h"
#include "setup/New_F.h"
#include "setup_fixture.h"
#include "support/Cp932.h"

using namespace setup_test;

namespace {

QStringList ShownTexts(QWidget* w) {
    QStringList texts{w->windowTitle()};
    for (QLabel* l : w->findChildren<QLabel*>()) texts << l->text();
    for (QPushButton* b : w->findChildren<QPushButton*>()) texts << b->text();
    return texts;
}

class TextsTest : public SetupTest {};

}  // namespace

TEST_F(TextsTest, WindowsAndMessagesFitCodePage932) {
    EXPECT_FALSE(FitsCp932("\u00e9\u2603")) << "the check itself must be able to fail";

    const QString folder = driveC + "/Tidebook";
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList texts;
    {
        TMainF w;
        w.Btn_NewMouseMove();
        texts << ShownTexts(&w);
        w.Btn_V_UpMouseMove();
        texts << ShownTexts(&w);
    }
    {
        TFolderF w;
        texts << ShownTexts(&w);
        answers = {1};
        QDir(folder).removeRecursively();
        w.Btn_DefaurtClick();
        w.ShellTreeView1DblClick();
        texts << ShownTexts(&w);
    }
    {
        TFolderVUpF w;
        w.ShellTreeView1DblClick();
        texts << ShownTexts(&w);
    }
    {
        ASSERT_TRUE(QDir().mkpath(folder));
        Inst_Dir = folder;
        WriteFile(folder + "/CATCHREC.FDB", "kept");
        WriteFile(folder + "/TIDEJOURNAL.FDB", "kept");
        QDir().mkpath(folder + "/GDS32.dll");  // one failure for its message
        TNewF w;
        w.Btn_InstClick();
        texts << ShownTexts(&w) << w.MemoLines();
    }
    texts << BoxTexts();
    for (const auto& b : boxes) texts << b.caption << b.buttons;
    for (const QString& t : texts) EXPECT_TRUE(FitsCp932(t)) << t.toStdString();
}

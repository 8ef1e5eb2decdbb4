// Every text that the launcher, the choosers and the new-installation window
// show must be representable in code page 932, like the rest of the program.
#include <QLabel>
#include <QPushButton>

#include <iconv.h>

#include "setup/FolderVUp_F.h"
#include "setup/Folder_F.h"
#include "setup/New_F.h"
#include "setup_fixture.h"

using namespace setup_test;

namespace {

bool FitsCp932(const QString& text) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 8, '\0');
    char* inp = in.data();
    size_t inLeft = in.size();
    char* outp = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    return r != static_cast<size_t>(-1) && inLeft == 0;
}

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

// Picture import, export and clearing through the window's handlers, with
// the file dialogs answered by a hook and the offscreen clipboard.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>


#include "FormFixture.h"
#include "editor/window/PictureIO.h"
#include "platform/PictureFile.h"
#include "support/JpegWriter.h"

namespace {

const QString kFailed = QStringLiteral("エラー発生　失敗");
const QString kNoPicture = QStringLiteral("クリップボードに画像がありません");
const QString kUnsupported = QStringLiteral("対応していないフォーマットです");

QString SizeText(int w, int h) { return QStringLiteral("BitMapのサイズ　%1 * %2").arg(w).arg(h); }

// A test picture whose every pixel differs from its neighbours.
QImage Pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 7 & 255, y * 11 & 255, (x * y) & 255));
    return img;
}

// A plain JPEG of one colour.
QByteArray SolidJpeg(int w, int h, QRgb colour) {
    return MakeJpeg({.width = w, .height = h, .quality = 75, .pixel = [colour](int, int) {
                         return std::vector<uint8_t>{uint8_t(qRed(colour)), uint8_t(qGreen(colour)), uint8_t(qBlue(colour))};
                     }});
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Everything in a folder, with the content of each file.
QMap<QString, QByteArray> FolderState(const QString& dir) {
    QMap<QString, QByteArray> state;
    for (const QFileInfo& fi : QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        state[fi.fileName()] = fi.isDir() ? QByteArray("<dir>") : ReadFile(fi.filePath());
    return state;
}

class PictureIOTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        editor::SetPictureDialogHook({});
        FormFixture::TearDown();
    }

    // The next dialog: the user types `name` (relative to the folder the
    // test chooses, or absolute) and confirms; an empty name cancels.
    void Choose(const QString& name) {
        editor::SetPictureDialogHook([this, name](QFileDialog* d) {
            lastDialog = d;
            if (name.isEmpty()) {
                d->reject();
                return;
            }
            d->setDirectory(dir.path());
            d->selectFile(name);
            static_cast<QDialog*>(d)->accept();  // QFileDialog's own checks run
        });
    }

    QImage SurfaceImage() const { return form->Image1->Picture().Image(); }

    // A drawing that is not blank: the pattern over the whole surface.
    void DrawPattern() {
        const QImage p = Pattern(500, 500);
        for (int y = 0; y < 500; y += 1)
            for (int x = 0; x < 500; x += 1) {
                const QRgb c = p.pixel(x, y);
                Canvas().SetPixel(x, y, {uchar(qRed(c)), uchar(qGreen(c)), uchar(qBlue(c))});
            }
    }

    void Save(const QString& name) {
        Choose(name);
        Click(form->Btn_File);
    }
    void Load(const QString& name) {
        Choose(name);
        Click(form->Button4);
    }

    QStringList Texts() const {
        QStringList t;
        for (const auto& b : boxes) t << b.text;
        return t;
    }

    QTemporaryDir dir;
    QFileDialog* lastDialog = nullptr;
};

TEST_F(PictureIOTest, SaveThenLoadGivesTheSamePixels) {
    DrawPattern();
    const QImage before = SurfaceImage();
    Save(QStringLiteral("drawing"));  // typed without extension
    const QString path = dir.filePath(QStringLiteral("drawing.bmp"));
    ASSERT_EQ(Texts(), QStringList{QStringLiteral("ファイルに保存しました") + path});
    EXPECT_EQ(boxes[0].caption, QStringLiteral("仕掛けエディター"));
    EXPECT_EQ(boxes[0].kind, platform::BoxKind::Message);
    EXPECT_EQ(SurfaceImage(), before);  // saving changes nothing

    Click(form->Button_Clear);
    Load(path);
    EXPECT_EQ(SurfaceImage(), before);
    EXPECT_TRUE(form->Image1->AutoSize());
    EXPECT_EQ(form->Label_Size->text(), SizeText(500, 500));
    EXPECT_EQ(boxes.size(), 1u);  // no message for a load
}

TEST_F(PictureIOTest, SavingOverAnExistingFileReplacesItWithoutAsking) {
    const QString path = dir.filePath(QStringLiteral("old.bmp"));
    WriteFile(path, QByteArray("an older file of that name"));
    DrawPattern();
    Save(path);
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("ファイルに保存しました") + path});
    EXPECT_EQ(platform::ReadBmpFile(path), SurfaceImage());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.bmp")});
}

// A save that fails shows the error text, leaves the drawing as it is and
// the target folder exactly as it was: no half-written file, no stray
// temporary file, an existing file of that name unharmed.
TEST_F(PictureIOTest, FailedSaveShowsErrorAndLeavesTheFolderUntouched) {
    DrawPattern();
    const QImage drawing = SurfaceImage();
    const QString existing = dir.filePath(QStringLiteral("keep/picture.bmp"));
    WriteFile(existing, QByteArray("precious older picture"));
    const QString keepDir = dir.filePath(QStringLiteral("keep"));

    struct Case {
        const char* name;
        std::function<QString()> target;  // prepares and returns the path
        std::function<void()> undo;
    };
    rlimit savedLimit{};
    const std::vector<Case> cases = {
        {"folder does not exist", [&] { return dir.filePath(QStringLiteral("missing/folder/x.bmp")); }, [] {}},
        {"folder is a file", [&] { WriteFile(dir.filePath("plain"), "x"); return dir.filePath(QStringLiteral("plain/x.bmp")); }, [] {}},
        // The write itself fails half-way (as on a full disk): a file size
        // limit smaller than the picture. Works for root too.
        {"write fails midway", [&] {
             getrlimit(RLIMIT_FSIZE, &savedLimit);
             signal(SIGXFSZ, SIG_IGN);
             rlimit small = savedLimit;
             small.rlim_cur = 64 * 1024;
             setrlimit(RLIMIT_FSIZE, &small);
             return existing;
         }, [&] {
             setrlimit(RLIMIT_FSIZE, &savedLimit);
             signal(SIGXFSZ, SIG_DFL);
         }},
        // Root ignores folder permissions, so this one only means something
        // for an ordinary user.
        {"read-only folder", [&] {
             if (geteuid() == 0) return QString();
             QFile::setPermissions(keepDir, QFile::ReadOwner | QFile::ExeOwner);
             return existing;
         }, [&] { QFile::setPermissions(keepDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = c.target();
        if (target.isEmpty()) continue;
        const auto before = FolderState(keepDir);
        const auto top = FolderState(dir.path());
        boxes.clear();
        Save(target);
        c.undo();
        EXPECT_EQ(Texts(), QStringList{kFailed});
        EXPECT_EQ(FolderState(keepDir), before);
        EXPECT_EQ(FolderState(dir.path()).keys(), top.keys());
        EXPECT_EQ(SurfaceImage(), drawing);
    }
}

TEST_F(PictureIOTest, CancelledDialogsChangeNothing) {
    DrawPattern();
    const QImage drawing = SurfaceImage();
    const QString label = form->Label_Size->text();
    Save(QString());
    Load(QString());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(SurfaceImage(), drawing);
    EXPECT_FALSE(form->Image1->AutoSize());
    EXPECT_EQ(form->Label_Size->text(), label);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PictureIOTest, ClipboardCopyAndPasteRoundTrip) {
    DrawPattern();
    const QImage drawing = SurfaceImage();
    Click(form->Btn_Clip);
    EXPECT_EQ(Texts(), QStringList{QStringLiteral("クリップボードにコピーしました")});
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), drawing);

    Click(form->Button_Clear);
    // Paste keeps the bitmap object: a pen colour set before stays.
    Canvas().SetPenColor(platform::colors::Red);
    Click(form->Btn_ClipBord);
    EXPECT_EQ(SurfaceImage(), drawing);
    EXPECT_EQ(Canvas().PenColor(), platform::colors::Red);
    EXPECT_TRUE(form->Image1->AutoSize());
    EXPECT_EQ(form->Label_Size->text(), SizeText(500, 500));
}

TEST_F(PictureIOTest, PasteOfAnotherSizeResizesTheSurface) {
    QApplication::clipboard()->setImage(Pattern(123, 45));
    Click(form->Btn_ClipBord);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(SurfaceImage(), Pattern(123, 45));
    EXPECT_EQ(form->Image1->size(), QSize(123, 45));
    EXPECT_EQ(form->Label_Size->text(), SizeText(123, 45));
}

TEST_F(PictureIOTest, PasteWithOnlyTextOnTheClipboardSaysSoAndChangesNothing) {
    DrawPattern();
    const QImage drawing = SurfaceImage();
    QApplication::clipboard()->setText(QStringLiteral("just words"));
    Click(form->Btn_ClipBord);
    EXPECT_EQ(Texts(), QStringList{kNoPicture});
    EXPECT_EQ(boxes[0].caption, QStringLiteral("仕掛けエディター"));
    EXPECT_EQ(SurfaceImage(), drawing);
    EXPECT_FALSE(form->Image1->AutoSize());
}

// Which branch a load takes depends on substrings of the upper-cased path.
TEST_F(PictureIOTest, LoadBranchFollowsSubstringsOfTheUpperCasedPath) {
    platform::WriteBmpFile(Pattern(300, 200), dir.filePath("small.BmP"));
    WriteFile(dir.filePath("photo.JpEg"), SolidJpeg(64, 40, qRgb(0, 0, 255)));
    WriteFile(dir.filePath("photo.jpg"), SolidJpeg(64, 40, qRgb(0, 0, 255)));
    WriteFile(dir.filePath("album.bmp/photo.jpg"), SolidJpeg(64, 40, qRgb(0, 0, 255)));
    platform::WriteBmpFile(Pattern(300, 200), dir.filePath("picture.png"));
    WriteFile(dir.filePath("cut.jpg"), SolidJpeg(64, 40, qRgb(0, 0, 255)).left(200));
    WriteFile(dir.filePath("notes.txt.jpg"), QByteArray("plain text"));

    enum class Outcome { Loaded, Unsupported, ErrorBox, Unchanged };
    struct Case {
        const char* file;
        Outcome outcome;
        QSize size;  // picture size afterwards
    };
    const Case cases[] = {
        {"small.BmP", Outcome::Loaded, {300, 200}},
        {"photo.JpEg", Outcome::Loaded, {64, 40}},
        {"photo.jpg", Outcome::Loaded, {64, 40}},
        // ".BMP" in the folder name: the bitmap branch, which cannot read a
        // JPEG: the error box, nothing changes.
        {"album.bmp/photo.jpg", Outcome::ErrorBox, {500, 500}},
        // No substring matches: the picture stays, sizing and label follow.
        {"picture.png", Outcome::Unchanged, {500, 500}},
        {"cut.jpg", Outcome::Unsupported, {500, 500}},
        {"notes.txt.jpg", Outcome::Unsupported, {500, 500}},
        {"missing.jpg", Outcome::Unsupported, {500, 500}},
        {"missing.bmp", Outcome::ErrorBox, {500, 500}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Click(form->Button_Clear);
        Canvas().SetPixel(1, 1, platform::colors::Red);
        Canvas().SetPenWidth(3);
        boxes.clear();
        Load(QString::fromLatin1(c.file));
        EXPECT_EQ(SurfaceImage().size(), c.size);
        switch (c.outcome) {
            case Outcome::Loaded:
                EXPECT_TRUE(boxes.empty());
                EXPECT_EQ(Canvas().PenWidth(), 1);  // a new bitmap: fresh canvas
                if (c.size == QSize(300, 200)) {
                    EXPECT_EQ(SurfaceImage(), Pattern(300, 200));
                } else {
                    EXPECT_NEAR(qBlue(SurfaceImage().pixel(30, 20)), 255, 4);
                }
                break;
            case Outcome::Unsupported:
                EXPECT_EQ(Texts(), QStringList{kUnsupported});
                EXPECT_EQ(PixelAt(1, 1), 0xFF0000);
                break;
            case Outcome::ErrorBox:
                ASSERT_EQ(boxes.size(), 1u);
                EXPECT_EQ(boxes[0].kind, platform::BoxKind::Error);
                EXPECT_EQ(PixelAt(1, 1), 0xFF0000);
                EXPECT_EQ(Canvas().PenWidth(), 3);
                break;
            case Outcome::Unchanged:
                EXPECT_TRUE(boxes.empty());
                EXPECT_EQ(PixelAt(1, 1), 0xFF0000);
                EXPECT_EQ(Canvas().PenWidth(), 3);
                break;
        }
        // Sizing and label: refreshed on every branch but the error box.
        EXPECT_EQ(form->Image1->AutoSize(), c.outcome != Outcome::ErrorBox);
        EXPECT_EQ(form->Label_Size->text(), SizeText(c.size.width(), c.size.height()));
        EXPECT_EQ(form->Image1->size(), c.size);
    }
}

TEST_F(PictureIOTest, PressesOutsideASmallerPictureDoNotReachTheSurface) {
    platform::WriteBmpFile(Pattern(300, 200), dir.filePath("small.bmp"));
    Load(QStringLiteral("small.bmp"));
    ASSERT_EQ(form->Image1->size(), QSize(300, 200));
    const QSize windowSize = form->size();

    Click(form->RigButton(1));  // small swivel stamp
    ASSERT_EQ(form->FRigTool, 1);
    // On the surface panel, beside and below the picture.
    for (QPoint p : {QPoint(400, 100), QPoint(100, 300), QPoint(450, 450)}) {
        QCursor::setPos(form->Panel_Image->mapToGlobal(p));
        QTest::mouseClick(form->Panel_Image, Qt::LeftButton, Qt::NoModifier, p);
        EXPECT_EQ(form->FRigTool, 1) << p.x() << "," << p.y();
        EXPECT_EQ(form->FUndoState, 0);
    }
    // On the picture the stamp is drawn.
    Press(100, 100);
    Release(100, 100);
    EXPECT_EQ(form->FRigTool, 0);
    EXPECT_NE(SurfaceImage(), Pattern(300, 200));
    EXPECT_EQ(form->size(), windowSize);
}

TEST_F(PictureIOTest, LargerPictureIsShownCutButSavedWhole) {
    platform::WriteBmpFile(Pattern(1024, 768), dir.filePath("big.bmp"));
    const QSize windowSize = form->size();
    Load(QStringLiteral("big.bmp"));
    EXPECT_EQ(form->Image1->size(), QSize(1024, 768));
    EXPECT_EQ(form->size(), windowSize);
    // What can be seen of the surface: its top-left part inside the panel.
    const QRect visible = form->Image1->visibleRegion().boundingRect();
    EXPECT_EQ(visible.topLeft(), QPoint(0, 0));
    EXPECT_LE(visible.width(), 514);
    EXPECT_LE(visible.height(), 509);

    Save(QStringLiteral("copy.bmp"));
    EXPECT_EQ(platform::ReadBmpFile(dir.filePath("copy.bmp")), Pattern(1024, 768));
    Click(form->Btn_Clip);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(1024, 768));
}

// Undo after a load puts back the picture from before the latest edit; the
// surface follows the restored size because sizing is on.
TEST_F(PictureIOTest, UndoAfterALoadRestoresThePictureBeforeTheLatestEdit) {
    platform::WriteBmpFile(Pattern(300, 200), dir.filePath("small.bmp"));
    Canvas().SetPixel(10, 10, platform::colors::Blue);
    form->TakeUndoSnapshot();
    Canvas().SetPixel(20, 20, platform::colors::Red);
    form->TakeUndoSnapshot();
    ASSERT_TRUE(form->Btn_Undo_1->isEnabled());

    Load(QStringLiteral("small.bmp"));
    EXPECT_EQ(form->FUndoState, 2);  // a load leaves the undo state alone
    EXPECT_TRUE(form->Btn_Undo_1->isEnabled());
    Click(form->Btn_Undo_1);
    EXPECT_EQ(SurfaceImage().size(), QSize(500, 500));
    EXPECT_EQ(form->Image1->size(), QSize(500, 500));
    EXPECT_EQ(PixelAt(10, 10), 0x0000FF);
    EXPECT_EQ(PixelAt(20, 20), 0xFFFFFF);
}

TEST_F(PictureIOTest, ClearAfterALoadBringsBackABlankSurfaceAndDisablesUndo) {
    platform::WriteBmpFile(Pattern(800, 600), dir.filePath("big.bmp"));
    Load(QStringLiteral("big.bmp"));
    form->Image1->move(20, 30);
    Canvas().SetPixel(1, 1, platform::colors::Red);
    form->TakeUndoSnapshot();
    Canvas().SetPixel(2, 2, platform::colors::Red);
    form->TakeUndoSnapshot();
    const QString mode = form->Btn_Shikake_Or_Point->text();
    Click(form->RigButton(15));

    Click(form->Button_Clear);
    EXPECT_TRUE(boxes.empty());  // no question
    EXPECT_EQ(form->Image1->geometry(), QRect(6, 6, 500, 500));
    EXPECT_FALSE(form->Image1->AutoSize());
    EXPECT_EQ(SurfaceImage().size(), QSize(500, 500));
    for (int y = 0; y < 500; y += 7)
        for (int x = 0; x < 500; x += 7) ASSERT_EQ(PixelAt(x, y), 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(form->Label_Size->text(), SizeText(500, 500));
    EXPECT_EQ(form->FUndoState, 0);
    EXPECT_TRUE(form->FUndoCurrent.isEmpty());
    EXPECT_FALSE(form->Btn_Undo_1->isEnabled());
    EXPECT_FALSE(form->Btn_Undo_2->isEnabled());
    EXPECT_EQ(form->Btn_Shikake_Or_Point->text(), mode);
    EXPECT_EQ(form->FRigTool, 15);
}

TEST_F(PictureIOTest, DialogsOfferTheirFiltersAndShowAPreview) {
    QFileDialog* open = form->OpenPicDialog1();
    QFileDialog* save = form->SavePictureDialog1();
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile);  // no existence check
    EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_TRUE(open->defaultSuffix().isEmpty());
    // The filters as the list shows them, the bitmap one chosen first.
    auto shown = [](QFileDialog* d) {
        QStringList texts;
        auto* combo = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; combo && i < combo->count(); ++i) texts << combo->itemText(i);
        return texts;
    };
    EXPECT_EQ(shown(open), (QStringList{QStringLiteral("ビットマップ (*.bmp)"), QStringLiteral("写真 jpg")}));
    EXPECT_EQ(shown(save), (QStringList{QStringLiteral("ビットマップ (*.bmp)")}));
    EXPECT_TRUE(open->selectedNameFilter().startsWith(QStringLiteral("ビットマップ")));

    // The highlighted file shows in the preview pane, scaled to fit.
    platform::WriteBmpFile(Pattern(600, 300), dir.filePath("wide.bmp"));
    emit open->currentChanged(dir.filePath("wide.bmp"));
    QPixmap preview;
    bool sizeShown = false;
    for (QLabel* l : open->findChildren<QLabel*>()) {
        if (!l->pixmap().isNull()) preview = l->pixmap();
        if (l->text() == QStringLiteral("600 x 300")) sizeShown = true;
    }
    ASSERT_FALSE(preview.isNull());
    EXPECT_LE(preview.width(), 160);
    EXPECT_EQ(preview.width(), preview.height() * 2);
    EXPECT_TRUE(sizeShown);
    // Something that is not a picture empties the pane.
    emit open->currentChanged(dir.path());
    for (QLabel* l : open->findChildren<QLabel*>()) EXPECT_TRUE(l->pixmap().isNull());
}

}  // namespace

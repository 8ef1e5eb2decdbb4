// Picture import, export and clearing: save to a BMP file, copy to and paste
// from the clipboard, load a BMP or JPEG file, clear.
#include "editor/window/PictureIO.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QVBoxLayout>
#include <exception>
#include <stdexcept>

#include "editor/Main.h"
#include "editor/window/Controls.h"
#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/PictureFile.h"

namespace editor {

namespace {

constexpr int kPreviewSize = 160;

PictureDialogHook& Hook() {
    static PictureDialogHook hook;
    return hook;
}

// The preview pane: the highlighted picture scaled to fit, and its size.
class PreviewPane : public QWidget {
public:
    explicit PreviewPane(QWidget* parent) : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 0, 0, 0);
        image_ = new QLabel(this);
        image_->setFixedSize(kPreviewSize, kPreviewSize);
        image_->setAlignment(Qt::AlignCenter);
        image_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        size_ = new QLabel(this);
        size_->setAlignment(Qt::AlignCenter);
        layout->addWidget(image_);
        layout->addWidget(size_);
        layout->addStretch();
    }

    void Show(const QString& path) {
        const QImage picture = path.isEmpty() ? QImage() : platform::ReadPreview(path, kPreviewSize - 4, kPreviewSize - 4, &full_);
        if (picture.isNull()) {
            image_->clear();
            size_->clear();
            return;
        }
        image_->setPixmap(QPixmap::fromImage(picture));
        size_->setText(QStringLiteral("%1 x %2").arg(full_.width()).arg(full_.height()));
    }

private:
    QLabel* image_;
    QLabel* size_;
    QSize full_;
};

// Qt's own file dialog (so the preview pane can sit beside the file list).
QFileDialog* MakeDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QStringList& filters) {
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setAcceptMode(mode);
    // The pattern list is written twice so that the list shows each
    // description exactly as given: the shown text drops the last
    // parenthesised list.
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());

    auto* pane = new PreviewPane(dialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(pane, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(dialog, &QFileDialog::currentChanged, pane, [pane](const QString& path) { pane->Show(path); });
    return dialog;
}

}  // namespace

QFileDialog* MakeOpenPictureDialog(QWidget* parent) {
    QFileDialog* d = MakeDialog(parent, QFileDialog::AcceptOpen,
                                {QStringLiteral("ビットマップ (*.bmp) (*.bmp)"), QStringLiteral("写真 jpg (*.jpg *.jpeg)")});
    // A typed name of a file that does not exist is accepted as it is.
    d->setFileMode(QFileDialog::AnyFile);
    return d;
}

QFileDialog* MakeSavePictureDialog(QWidget* parent) {
    QFileDialog* d = MakeDialog(parent, QFileDialog::AcceptSave, {QStringLiteral("ビットマップ (*.bmp) (*.bmp)")});
    d->setFileMode(QFileDialog::AnyFile);
    d->setDefaultSuffix(QStringLiteral("bmp"));
    d->setOption(QFileDialog::DontConfirmOverwrite, true);
    return d;
}

std::optional<QString> ExecutePictureDialog(QFileDialog* dialog) {
    int result;
    if (Hook()) {
        dialog->setResult(QDialog::Rejected);
        Hook()(dialog);
        result = dialog->result();
    } else {
        result = dialog->exec();
    }
    if (result != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    return files.first();
}

void SetPictureDialogHook(PictureDialogHook hook) { Hook() = std::move(hook); }

}  // namespace editor

namespace {

const QString kFailed = QStringLiteral("エラー発生　失敗");

}  // namespace

void TForm_Main::Btn_FileClick() {
    try {
        const std::optional<QString> path = editor::ExecutePictureDialog(SavePictureDialog1());
        if (!path) return;
        // Written beside the target and renamed over it only when complete:
        // a failed save leaves an existing file as it was.
        platform::WriteBmpFile(Image1->Picture().Image(), *path);
        platform::ShowMessage(QStringLiteral("ファイルに保存しました") + *path, this);
    } catch (const std::exception&) {
        platform::ShowMessage(kFailed, this);
    }
}

void TForm_Main::Btn_ClipClick() {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    try {
        const QImage& picture = Image1->Picture().Image();
        if (picture.isNull()) throw std::runtime_error("no picture");
        clipboard->setImage(picture);
        platform::ShowMessage(QStringLiteral("クリップボードにコピーしました"), this);
    } catch (const std::exception&) {
        platform::ShowMessage(kFailed, this);
    }
}

void TForm_Main::Btn_ClipBordClick() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QImage picture;
    if (data && data->hasImage()) picture = QApplication::clipboard()->image();
    if (picture.isNull()) {
        platform::ShowMessage(QStringLiteral("クリップボードに画像がありません"), this);
        return;
    }
    if (!platform::PictureSizeAllowed(picture.width(), picture.height()))
        throw platform::Error(QStringLiteral("Bitmap too large: %1 x %2").arg(picture.width()).arg(picture.height()));
    // The surface keeps its bitmap object and so its canvas settings.
    Image1->AssignKeepCanvas(picture);
    Image1->SetAutoSize(true);
    RefreshSizeLabel();
}

void TForm_Main::Button4Click() {
    const std::optional<QString> path = editor::ExecutePictureDialog(OpenPicDialog1());
    if (!path) return;

    // The branch follows substrings of the upper-cased path, wherever they
    // occur, not the extension.
    const QString upper = path->toUpper();
    if (upper.contains(QLatin1String(".BMP"))) {
        // A file that cannot be read as a bitmap raises out of the handler:
        // the error box, and picture, sizing and label stay as they were.
        const QImage picture = platform::ReadBmpFile(*path);
        Image1->SetPicture(picture);
        Image1->SetAutoSize(true);
    } else if (upper.contains(QLatin1String(".JPG")) || upper.contains(QLatin1String(".JPEG"))) {
        try {
            const QImage picture = platform::ReadJpegFile(*path);
            Image1->SetPicture(picture);
        } catch (const std::exception&) {
            platform::ShowMessage(QStringLiteral("対応していないフォーマットです"), this);
        }
    }
    Image1->SetAutoSize(true);
    RefreshSizeLabel();
}

void TForm_Main::Button_ClearClick() {
    Image1->move(6, 6);
    Image1->resize(500, 500);
    Image1->SetPicture(platform::Bitmap(500, 500).Image());
    Image1->SetAutoSize(false);
    RefreshSizeLabel();
    ResetUndo();
}

QFileDialog* TForm_Main::OpenPicDialog1() {
    if (!openDialog_) openDialog_ = editor::MakeOpenPictureDialog(this);
    return openDialog_;
}

QFileDialog* TForm_Main::SavePictureDialog1() {
    if (!saveDialog_) saveDialog_ = editor::MakeSavePictureDialog(this);
    return saveDialog_;
}

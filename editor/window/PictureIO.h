#pragma once
// The picture dialogs of the editor window: an open and a save dialog, each
// with a preview of the highlighted picture beside the file list.

#include <QString>
#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace editor {

// The picture dialogs as the window uses them.
QFileDialog* MakeOpenPictureDialog(QWidget* parent);
QFileDialog* MakeSavePictureDialog(QWidget* parent);

// Shows `dialog` modally; the chosen full path, or nothing when cancelled.
std::optional<QString> ExecutePictureDialog(QFileDialog* dialog);

// Tests: instead of the modal loop, `hook` is given the dialog and acts on it
// as a user would (selectFile, then accept() or reject()); the result is read
// from the dialog afterwards. An empty function restores the real loop.
using PictureDialogHook = std::function<void(QFileDialog*)>;
void SetPictureDialogHook(PictureDialogHook hook);

}  // namespace editor

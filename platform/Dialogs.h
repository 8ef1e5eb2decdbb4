#pragma once
// Message boxes. Every box goes through one function, so tests can answer
// them without a modal loop (SetMessageBoxHook).

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace platform {

enum class BoxKind { Message, Error, Warning, Information, Question };

struct MessageBoxRequest {
    BoxKind kind = BoxKind::Message;
    QString caption;       // window title
    QString text;
    QStringList buttons;   // button texts, first is the default
};

// Shows the box and returns the index of the button chosen (-1 when closed).
int ShowMessageBox(const MessageBoxRequest& request, QWidget* parent = nullptr);

// Simple message with an OK button, no icon, captioned with the application
// title.
void ShowMessage(const QString& text, QWidget* parent = nullptr);

// Tests: replace the modal box by `hook`, which returns the chosen button.
// Pass an empty function to restore the real boxes.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace platform

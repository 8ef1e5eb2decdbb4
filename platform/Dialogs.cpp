#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/Application.h"

namespace platform {

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(const MessageBoxRequest& request, QWidget* parent) {
    if (Hook()) return Hook()(request);

    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.kind) {
        case BoxKind::Message: box.setIcon(QMessageBox::NoIcon); break;
        case BoxKind::Error: box.setIcon(QMessageBox::Critical); break;
        case BoxKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case BoxKind::Information: box.setIcon(QMessageBox::Information); break;
        case BoxKind::Question: box.setIcon(QMessageBox::Question); break;
    }
    QStringList buttons = request.buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : request.buttons;
    std::vector<QAbstractButton*> made;
    for (const QString& text : buttons)
        made.push_back(box.addButton(text, made.empty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    box.setDefaultButton(static_cast<QPushButton*>(made.front()));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return static_cast<int>(i);
    return -1;
}

void ShowMessage(const QString& text, QWidget* parent) {
    MessageBoxRequest r;
    r.kind = BoxKind::Message;
    r.caption = Application::Title();
    r.text = text;
    r.buttons = {QStringLiteral("OK")};
    ShowMessageBox(r, parent);
}

}  // namespace platform

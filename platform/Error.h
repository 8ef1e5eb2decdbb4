#pragma once
// The exception that the programs raise; its message is shown as is in the
// application-wide error box.

#include <QString>
#include <stdexcept>

namespace platform {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

}  // namespace platform

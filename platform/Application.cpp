#include "platform/Application.h"

#include <QFont>
#include <QFontDatabase>
#include <exception>

#include "platform/Dialogs.h"
#include "platform/Error.h"

namespace platform {

namespace {
QString g_title;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    InstallFontSubstitutions();
}

void Application::SetTitle(const QString& title) {
    g_title = title;
    QApplication::setApplicationDisplayName(title);
}

QString Application::Title() { return g_title; }

void Application::ShowException(const QString& message) {
    MessageBoxRequest r;
    r.kind = BoxKind::Error;
    r.caption = g_title;
    r.text = message;
    r.buttons = {QStringLiteral("OK")};
    ShowMessageBox(r);
}

void Application::ReportCurrentException() {
    try {
        throw;
    } catch (const Error& e) {
        ShowException(e.Message());
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException();
        return true;
    }
}

void InstallFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
}

QFont UiFont(int pixelHeight, bool bold) {
    InstallFontSubstitutions();
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

}  // namespace platform

#pragma once
// The application object: title, message loop and the application-wide error
// box. An exception that escapes an event handler is shown in an error box
// captioned with the application title, and the program goes on.

#include <QApplication>
#include <QString>

namespace platform {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    static void SetTitle(const QString& title);
    static QString Title();

    // Shows the application-wide error box for `message`.
    static void ShowException(const QString& message);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs `handler` as an event handler would run: an exception that escapes
    // it goes to the error box. Returns false when one escaped.
    template <typename F>
    static bool Guard(F&& handler) {
        try {
            handler();
            return true;
        } catch (...) {
            ReportCurrentException();
            return false;
        }
    }
    static void ReportCurrentException();
};

// Installs the font substitutions the programs rely on
// ("ＭＳ Ｐゴシック" -> IPAPGothic). Idempotent.
void InstallFontSubstitutions();

// The programs' standard control font: "ＭＳ Ｐゴシック" at a character height
// of `pixelHeight` pixels.
QFont UiFont(int pixelHeight, bool bold = false);

}  // namespace platform

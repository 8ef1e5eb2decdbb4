// Tacklepad entry: no command line, no settings.
#include "editor/Main.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    platform::Application::SetTitle(QStringLiteral("仕掛けエディター"));
    TForm_Main form;
    form.show();
    return app.exec();
}

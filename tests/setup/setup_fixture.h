#pragma once
// Shared fixture of the Tidesetup window tests: a temporary Wine prefix (so
// that "C:\Tidebook" lands in a temporary folder), a temporary start folder
// with a CopyFiles folder, message boxes answered and recorded, and a driver
// for the modal windows that a click opens.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <ostream>
#include <functional>
#include <vector>

#include "platform/Dialogs.h"
#include "setup/Main_F.h"

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace setup_test {

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

// The controls that the Tab key visits, by name, in order from the control
// named `first` (tab order 0) round to the one before it.
inline QStringList TabOrder(QWidget* window, const QString& first) {
    QStringList names;
    QWidget* start = window->findChild<QWidget*>(first);
    if (!start) return {"<no " + first + ">"};
    QWidget* w = start;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
            w != window)
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != start);
    return names;
}

// The six files of an installation, in the order they are copied.
inline const QStringList& InstallFiles() {
    static const QStringList names = {"firebird.msg", "GDS32.dll",    "Tidebook.exe",
                                      "Tacklepad.exe", "CATCHREC.FDB", "TIDEJOURNAL.FDB"};
    return names;
}

// The content that the fixture's CopyFiles holds for `name`.
inline QByteArray SourceContent(const QString& name) { return "source of " + name.toUtf8(); }

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        hadPrefix = qEnvironmentVariableIsSet("WINEPREFIX");
        savedPrefix = qgetenv("WINEPREFIX");
        prefix = root.path() + "/wineprefix";
        driveC = prefix + "/drive_c";
        startDir = root.path() + "/start";
        ASSERT_TRUE(QDir().mkpath(driveC));
        ASSERT_TRUE(QDir().mkpath(startDir + "/CopyFiles"));
        qputenv("WINEPREFIX", prefix.toUtf8());
        // Tidesetup is started in the folder that holds CopyFiles.
        savedCwd = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(startDir));
        for (const QString& name : InstallFiles()) WriteFile(startDir + "/CopyFiles/" + name, SourceContent(name));

        Inst_Dir.clear();
        Start_Dir = startDir;
        Inst_Mode = 0;
        platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& r) {
            boxes.push_back(r);
            if (answers.empty()) return 0;
            int a = answers.front();
            answers.pop_front();
            return a;
        });
    }

    void TearDown() override {
        platform::SetMessageBoxHook({});
        QDir::setCurrent(savedCwd);
        if (hadPrefix)
            qputenv("WINEPREFIX", savedPrefix);
        else
            qunsetenv("WINEPREFIX");
    }

    QStringList BoxTexts() const {
        QStringList texts;
        for (const auto& b : boxes) texts << b.text;
        return texts;
    }

    QTemporaryDir root;
    QString prefix, driveC, startDir;
    std::vector<platform::MessageBoxRequest> boxes;
    std::deque<int> answers;  // button indexes for the next boxes (default 0)
    QString savedCwd;
    bool hadPrefix = false;
    QByteArray savedPrefix;
};

// Runs `trigger` (a click that opens modal windows) and hands each modal
// window that opens meanwhile, in turn, to the next of `actions`. A window
// that an action leaves open, or that opens when no action is left, is
// closed after a while so that a failing test cannot hang. Returns the class
// names of the modal windows seen, in order.
inline QStringList DriveModals(const std::function<void()>& trigger,
                               std::vector<std::function<void(QWidget*)>> actions) {
    QStringList seen;
    QPointer<QWidget> current;
    size_t next = 0;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (modal != current) {
            current = modal;
            ticks = 0;
            seen << modal->metaObject()->className();
            if (next < actions.size()) {
                auto action = actions[next++];
                action(modal);
            }
            return;
        }
        if (++ticks > 400) {  // about two seconds: close a window left open
            ADD_FAILURE() << "modal window left open: " << modal->metaObject()->className();
            modal->close();
        }
    });
    timer.start();
    trigger();
    timer.stop();
    return seen;
}

}  // namespace setup_test

#pragma once
// The screen-cursor registry: numbered cursors and the application-wide
// cursor. While the screen cursor is not the default arrow, every control of
// the program shows it.

#include <QCursor>
#include <QString>

namespace platform {

// Built-in cursor codes (negative, as the numbered tool cursors are positive).
inline constexpr int crDefault = 0;
inline constexpr int crArrow = -2;
inline constexpr int crIBeam = -4;

class Screen {
public:
    // Registers `cursor` under `code`, replacing any earlier one.
    static void RegisterCursor(int code, const QCursor& cursor);
    static bool HasCursor(int code);
    static QCursor CursorFor(int code);

    // The application-wide cursor.
    static void SetCursor(int code);
    static int Cursor();
};

// Loads the cursor image `name` (matched without regard to case) from the
// program's resources: ":/cursors/<name lower-case>.xpm" with its hot spot in
// the XPM header. Returns false when there is none.
bool LoadCursorResource(const QString& name, QCursor* out);

}  // namespace platform

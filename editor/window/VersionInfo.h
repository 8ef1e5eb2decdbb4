#pragma once
// The version block the program carries: a resource text in the layout of a
// version script (BLOCK "041103A4" ... VALUE "FileVersion", "5.1.0.0").

#include <QString>

// The FileVersion value of the Japanese (0411) / code page 932 (03A4) string
// table in the version block at `resourcePath`. Throws platform::Error with
// an assertion message when the block cannot be read or has no such value.
QString ReadFileVersionText(const QString& resourcePath);

#include "editor/window/VersionInfo.h"

#include <QFile>
#include <QRegularExpression>

#include "platform/Error.h"

namespace {
platform::Error AssertionFailure(int line) {
    return platform::Error(QStringLiteral("Assertion failure (Main, line %1)").arg(line));
}
}  // namespace

QString ReadFileVersionText(const QString& resourcePath) {
    QFile f(resourcePath);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0) throw AssertionFailure(284);
    const QString block = QString::fromUtf8(f.readAll());
    // The string table of language 0411, code page 03A4, up to the next table.
    const int table = block.indexOf(QStringLiteral("BLOCK \"041103A4\""), 0, Qt::CaseInsensitive);
    if (table < 0) throw AssertionFailure(287);
    int end = block.indexOf(QStringLiteral("BLOCK"), table + 5);
    if (end < 0) end = block.size();
    static const QRegularExpression value(QStringLiteral("VALUE\\s+\"FileVersion\"\\s*,\\s*\"([^\"]*)\""));
    const QRegularExpressionMatch m = value.match(block.mid(table, end - table));
    if (!m.hasMatch()) throw AssertionFailure(287);
    return m.captured(1);
}

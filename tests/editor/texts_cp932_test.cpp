// Every text the programs show must be representable in code page 932, the
// code page of the originals' texts. The texts are the string literals of the
// sources and forms of both programs.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "support/Cp932.h"

namespace {

bool HasNonAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() > 0x7F) return true;
    return false;
}

// String literals of C++ sources ("..." not inside comments) and texts of
// Designer forms (<string>...</string>).
QStringList ShownTexts(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString src = QString::fromUtf8(f.readAll());
    QStringList texts;
    if (path.endsWith(QLatin1String(".ui"))) {
        static const QRegularExpression str(QStringLiteral("<string[^>]*>([^<]*)</string>"));
        for (auto it = str.globalMatch(src); it.hasNext();) texts << it.next().captured(1);
        return texts;
    }
    // A small scanner: string literals outside comments and character
    // literals.
    enum { Code, Str, Chr, Line, Block } state = Code;
    QString current;
    for (int i = 0; i < src.size(); ++i) {
        const QChar c = src[i];
        const QChar next = i + 1 < src.size() ? src[i + 1] : QChar();
        switch (state) {
            case Code:
                if (c == u'"') { state = Str; current.clear(); }
                else if (c == u'\'') state = Chr;
                else if (c == u'/' && next == u'/') state = Line;
                else if (c == u'/' && next == u'*') { state = Block; ++i; }
                break;
            case Str:
                if (c == u'\\') { current += c; current += next; ++i; }
                else if (c == u'"') { texts << current; state = Code; }
                else current += c;
                break;
            case Chr:
                if (c == u'\\') ++i;
                else if (c == u'\'') state = Code;
                break;
            case Line:
                if (c == u'\n') state = Code;
                break;
            case Block:
                if (c == u'*' && next == u'/') { state = Code; ++i; }
                break;
        }
    }
    return texts;
}

TEST(ShownTexts, AreAllRepresentableInCodePage932) {
    int checked = 0;
    for (const char* area : {"editor", "setup"}) {
        QDirIterator it(QStringLiteral(SOURCE_ROOT "/") + QLatin1String(area),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            for (const QString& text : ShownTexts(path)) {
                if (!HasNonAscii(text)) continue;
                ++checked;
                EXPECT_TRUE(FitsCp932(text)) << path.toStdString() << ": " << text.toStdString();
            }
        }
    }
    EXPECT_GT(checked, 50);  // the scan found the programs' Japanese texts
}

TEST(ShownTexts, TheCheckRejectsWhatCodePage932CannotHold) {
    EXPECT_TRUE(FitsCp932(QStringLiteral("仕掛け　　　エディター")));
    EXPECT_TRUE(FitsCp932(QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから")));
    EXPECT_FALSE(FitsCp932(QStringLiteral("🎣")));
    EXPECT_FALSE(FitsCp932(QString(QChar(0x00E9))));  // é
}

}  // namespace

#pragma once
// Code page 932, the code page of the programs' texts: whether a text can be
// written in it, through glibc's iconv.

#include <iconv.h>

#include <QByteArray>
#include <QString>

inline bool FitsCp932(const QString& text) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 16, '\0');
    char* inp = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char* outp = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    return r != static_cast<size_t>(-1) && inLeft == 0;
}

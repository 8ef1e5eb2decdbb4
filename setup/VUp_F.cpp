#include "setup/VUp_F.h"

TVUpF::TVUpF(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("バージョンアップ"));
    setFixedSize(640, 480);
}

TVUpF::~TVUpF() = default;

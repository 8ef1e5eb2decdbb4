// The text boxes of the rig and map text tools: a borderless edit placed on
// the surface panel just above the press point, hidden (zero size) otherwise.
#include <QLineEdit>

#include "editor/Main.h"
#include "editor/window/Controls.h"

void TForm_Main::OpenTextBox(QLineEdit* box, int X, int Y) {
    if (box->parentWidget() != Panel_Image) box->setParent(Panel_Image);
    // Panel coordinates: the box's left edge lines up with the press point,
    // its top edge lies about 10 pixels above it.
    box->setGeometry(X + 6, Y - 4, 150, 15);
    QFont f = box->font();
    f.setPointSize(9);
    box->setFont(f);
    box->setText(QString());
    box->setCursor(Qt::IBeamCursor);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, QColor(192, 220, 192));
    box->setPalette(p);
    // Japanese input through the input method while the box has focus.
    box->setAttribute(Qt::WA_InputMethodEnabled, true);
    box->show();
    box->raise();
    box->setFocus();
}

void TForm_Main::CloseTextBox(QLineEdit* box) {
    box->setText(QString());
    box->lower();
    box->setGeometry(0, 0, 0, 0);
    // The hidden box gives up the keyboard, so nothing typed later lands in it
    // unseen.
    box->clearFocus();
}

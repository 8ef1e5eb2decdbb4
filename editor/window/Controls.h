#pragma once
// The editor's controls: panels, speed buttons, radio groups, the colour box,
// the up-down arrows and the drawing surface.

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Types.h"

class QRadioButton;
class QLineEdit;

// A panel: a frame that tells its owner about pointer moves over its bare
// background (not over its child controls).
class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);
    std::function<void(int x, int y)> OnMouseMove;

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    // A press on the panel belongs to the panel: it does not travel on to
    // the window (whose own presses go to the drawing surface).
    void mousePressEvent(QMouseEvent* e) override;
};

// A push button that stays down; exclusive within its button group. Its Tag
// is the tool code.
class TSpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(QString hint READ Hint WRITE setHint)
public:
    explicit TSpeedButton(QWidget* parent = nullptr);
    int Tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    QString Hint() const { return hint_; }
    void setHint(const QString& hint);
    // Hints are shown per button; a button may carry one without showing it.
    void SetShowHint(bool show);
    bool ShowHint() const { return showHint_; }
    // Shows the button pressed without running its click handler.
    void SetDown() { setChecked(true); }
    // The glyph, drawn centred; an empty pixmap removes it.
    void SetGlyph(const QPixmap& glyph);
    const QPixmap& Glyph() const { return glyph_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int tag_ = 0;
    QString hint_;
    bool showHint_ = true;
    QPixmap glyph_;
};

// A group box with a column layout of radio buttons. Choosing an item (by the
// user, or by setting ItemIndex from code to another value) runs OnClick.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ Items WRITE setItems)
    Q_PROPERTY(int columns READ Columns WRITE setColumns)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);
    QStringList Items() const { return items_; }
    void setItems(const QStringList& items);
    int Columns() const { return columns_; }
    void setColumns(int columns);
    int ItemIndex() const { return index_; }
    void setItemIndex(int index);
    QRadioButton* Button(int index) const;

    std::function<void()> OnClick;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Rebuild();
    void Arrange();
    QStringList items_;
    int columns_ = 1;
    int index_ = -1;
    std::vector<QRadioButton*> buttons_;
};

// The colour drop-down: twenty named colours with swatches.
class TColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit TColorBox(QWidget* parent = nullptr);
    platform::Color Selected() const;
    bool SelectColor(platform::Color c);
    static int ColorCount();
    static QString ColorName(int index);
    static platform::Color ColorAt(int index);
};

// Up and down arrows that step the number in an associated read-only edit.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(int Position READ Position WRITE setPosition)
public:
    explicit TUpDown(QWidget* parent = nullptr);
    void SetAssociate(QLineEdit* edit);
    int Min() const { return min_; }
    void setMin(int v) { min_ = v; }
    int Max() const { return max_; }
    void setMax(int v) { max_ = v; }
    int Increment() const { return inc_; }
    void setIncrement(int v) { inc_ = v; }
    int Position() const { return pos_; }
    void setPosition(int v);
    void StepUp() { setPosition(pos_ + inc_); }
    void StepDown() { setPosition(pos_ - inc_); }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    int min_ = 0, max_ = 100, inc_ = 1, pos_ = 0;
    QLineEdit* edit_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
};

// The drawing surface: shows its bitmap at natural size from its top-left
// corner. With automatic sizing on, the control takes the size of its
// picture. Pointer events go to the three handlers; only the left button
// keeps the pointer captured when it leaves the surface.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    platform::Bitmap& Picture() { return *bitmap_; }
    platform::Canvas& Canvas() { return bitmap_->GetCanvas(); }
    // The surface's picture becomes a new bitmap holding `image` (fresh canvas).
    void SetPicture(const QImage& image);
    // Keeps the bitmap object and its canvas; takes size and pixels.
    void AssignKeepCanvas(const QImage& image);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    // Repaints what the canvas changed since the last call.
    void Flush();

    std::function<void(Qt::MouseButton, int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton, int x, int y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void PictureChanged();
    std::unique_ptr<platform::Bitmap> bitmap_;
    bool autoSize_ = false;
    bool leftCaptured_ = false;
};

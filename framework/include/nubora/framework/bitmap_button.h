// A push button drawn from three pictures: normal, pressed (while held down)
// and focused (while it has the keyboard focus). There is no disabled picture.
// Without pictures it draws a plain face with its caption. The caption is
// also its accessible name and its tooltip.
//
// Pictures and cursor given as sources are painted at the button's device
// pixel ratio, and painted again when that ratio changes (the window moved to
// another screen, or the screen's scale changed).
#pragma once

#include <QAbstractButton>
#include <QCursor>
#include <QImage>

#include <functional>

namespace nubora::fw {

class BitmapButton final : public QAbstractButton {
public:
    explicit BitmapButton(const QString& caption = QString(), QWidget* parent = nullptr);

    // Paints a picture at a device pixel ratio: an image of the picture's
    // logical size times the ratio, with that devicePixelRatio.
    using PictureSource = std::function<QImage(qreal devicePixelRatio)>;
    // Paints the button's cursor at a device pixel ratio.
    using CursorSource = std::function<QCursor(qreal devicePixelRatio)>;

    // The three pictures, the same at every ratio.
    void SetPictures(const QImage& normal, const QImage& pressed, const QImage& focused);
    // The three pictures, painted at the button's ratio.
    void SetPictures(PictureSource normal, PictureSource pressed, PictureSource focused);
    // The cursor over the button, painted at the button's ratio.
    void SetCursorSource(CursorSource cursor);

    enum class Look { Normal, Pressed, Focused };
    // The picture the button shows now.
    Look CurrentLook() const;
    // The picture of `look` at the ratio the button was last painted at (or
    // its pictures were set at).
    const QImage& Picture(Look look) const;

    // The normal picture's size in logical pixels; 75 × 23 without pictures.
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Paints the pictures and the cursor again when the button's device
    // pixel ratio is not the one they were painted at.
    void FollowDevicePixelRatio();
    void PaintFromSources(qreal devicePixelRatio);
    void PaintPlainFace(QPainter& painter, Look look);

    PictureSource normalSource_;
    PictureSource pressedSource_;
    PictureSource focusedSource_;
    CursorSource cursorSource_;
    qreal paintedRatio_ = 0;

    QImage normal_;
    QImage pressed_;
    QImage focused_;
};

}  // namespace nubora::fw

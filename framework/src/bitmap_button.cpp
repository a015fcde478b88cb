#include "nubora/framework/bitmap_button.h"

#include <QEvent>
#include <QPainter>

#include <utility>

namespace nubora::fw {

BitmapButton::BitmapButton(const QString& caption, QWidget* parent) : QAbstractButton(parent)
{
    setText(caption);
    // A picture says what it does only to those who can see it.
    setAccessibleName(caption);
    setToolTip(caption);
    setFocusPolicy(Qt::StrongFocus);
}

void BitmapButton::SetPictures(const QImage& normal, const QImage& pressed, const QImage& focused)
{
    normalSource_ = pressedSource_ = focusedSource_ = nullptr;
    normal_ = normal;
    pressed_ = pressed;
    focused_ = focused;
    update();
}

void BitmapButton::SetPictures(PictureSource normal, PictureSource pressed, PictureSource focused)
{
    normalSource_ = std::move(normal);
    pressedSource_ = std::move(pressed);
    focusedSource_ = std::move(focused);
    PaintFromSources(devicePixelRatioF());
    update();
}

void BitmapButton::SetCursorSource(CursorSource cursor)
{
    cursorSource_ = std::move(cursor);
    // Only the cursor: the pictures are already painted. Should they be at
    // another ratio, FollowDevicePixelRatio paints all again, cursor too.
    setCursor(cursorSource_(devicePixelRatioF()));
}

BitmapButton::Look BitmapButton::CurrentLook() const
{
    if (isDown())
        return Look::Pressed;
    if (hasFocus())
        return Look::Focused;
    return Look::Normal;
}

const QImage& BitmapButton::Picture(Look look) const
{
    switch (look) {
    case Look::Pressed: return pressed_;
    case Look::Focused: return focused_;
    case Look::Normal: break;
    }
    return normal_;
}

QSize BitmapButton::sizeHint() const
{
    return normal_.isNull() ? QSize(75, 23) : normal_.deviceIndependentSize().toSize();
}

bool BitmapButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        FollowDevicePixelRatio();
        break;
    default: break;
    }
    return QAbstractButton::event(event);
}

void BitmapButton::FollowDevicePixelRatio()
{
    if (devicePixelRatioF() != paintedRatio_)
        PaintFromSources(devicePixelRatioF());
}

void BitmapButton::PaintFromSources(qreal devicePixelRatio)
{
    paintedRatio_ = devicePixelRatio;
    if (normalSource_) {
        normal_ = normalSource_(devicePixelRatio);
        pressed_ = pressedSource_(devicePixelRatio);
        focused_ = focusedSource_(devicePixelRatio);
    }
    if (cursorSource_)
        setCursor(cursorSource_(devicePixelRatio));
}

void BitmapButton::paintEvent(QPaintEvent*)
{
    FollowDevicePixelRatio();
    QPainter painter(this);
    const Look look = CurrentLook();
    const QImage& picture = Picture(look);
    if (picture.isNull()) {
        PaintPlainFace(painter, look);
        return;
    }
    painter.drawImage(QPoint(0, 0), picture);
}

void BitmapButton::PaintPlainFace(QPainter& painter, Look look)
{
    const QRect face = rect().adjusted(0, 0, -1, -1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x4a, 0x6f, 0x9c));
    painter.setBrush(look == Look::Pressed ? QColor(0xc9, 0xd9, 0xee) : QColor(0xee, 0xf3, 0xfa));
    painter.drawRoundedRect(face.adjusted(1, 1, -1, -1), 6, 6);
    if (look == Look::Focused) {
        painter.setPen(QPen(QColor(0xf0, 0x8c, 0x1e), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(2, 2, -2, -2), 5, 5);
    }
    painter.setPen(QColor(0x1d, 0x33, 0x55));
    painter.drawText(face.translated(look == Look::Pressed ? QPoint(1, 1) : QPoint()), Qt::AlignCenter, text());
}

}  // namespace nubora::fw

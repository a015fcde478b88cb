// A push button drawn from three pictures: normal, pressed (while held down)
// and focused (while it has the keyboard focus). There is no disabled picture.
// Without pictures it draws a plain face with its caption. The caption is
// also its accessible name and its tooltip.
#pragma once

#include <QAbstractButton>
#include <QImage>

namespace nubora::fw {

class BitmapButton final : public QAbstractButton {
public:
    explicit BitmapButton(const QString& caption = QString(), QWidget* parent = nullptr);

    void SetPictures(const QImage& normal, const QImage& pressed, const QImage& focused);

    enum class Look { Normal, Pressed, Focused };
    // The picture the button shows now.
    Look CurrentLook() const;
    const QImage& Picture(Look look) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPlainFace(QPainter& painter, Look look);

    QImage normal_;
    QImage pressed_;
    QImage focused_;
};

}  // namespace nubora::fw

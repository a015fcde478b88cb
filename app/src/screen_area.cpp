#include "nubora/app/screen_area.h"

#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace nubora {
namespace {

// How dark the rest of the screen is made beside the area, 0..255.
constexpr int kDimAlpha = 110;
constexpr int kOutlineWidth = 2;
const QColor kOutline(0, 120, 215);

// The overlay of PickScreenArea; ends `loop` with its answer.
class AreaPicker final : public QWidget {
public:
    AreaPicker(const QImage& screen, const QRect& where, QEventLoop& loop) : screen_(screen), loop_(loop)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setWindowTitle(res::LoadString(res::str::kRegionPickerName));
        setAccessibleName(res::LoadString(res::str::kRegionPickerName));
        setCursor(Qt::CrossCursor);
        setFocusPolicy(Qt::StrongFocus);
        setGeometry(where);
    }
    std::optional<QImage> Picked() const { return picked_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(rect(), screen_);
        painter.fillRect(rect(), QColor(0, 0, 0, kDimAlpha));
        if (dragging_) {
            const QRect area = QRect(from_, to_).normalized();
            painter.drawImage(area, screen_, ScaledToPicture(from_, to_, size(), screen_.size()));
            painter.setPen(QPen(kOutline, kOutlineWidth));
            painter.drawRect(area);
        }
        DrawHint(painter);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            Finish({});
            return;
        }
        dragging_ = true;
        from_ = to_ = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!dragging_)
            return;
        to_ = event->position().toPoint();
        update();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!dragging_ || event->button() != Qt::LeftButton)
            return;
        to_ = event->position().toPoint();
        const std::optional<QRect> area = PickedPixels(from_, to_, size(), screen_.size());
        Finish(area ? std::optional<QImage>(screen_.copy(*area)) : std::nullopt);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            Finish({});
    }
    void closeEvent(QCloseEvent*) override { Finish({}); }

private:
    // What to do, at the top of the screen, on a dark band.
    void DrawHint(QPainter& painter)
    {
        const QString hint = res::LoadString(res::str::kRegionPickerName);
        const QRect band = painter.fontMetrics().boundingRect(hint).adjusted(-12, -6, 12, 6);
        const QRect place(QPoint((width() - band.width()) / 2, 16), band.size());
        painter.fillRect(place, QColor(0, 0, 0, 200));
        painter.setPen(Qt::white);
        painter.drawText(place, Qt::AlignCenter, hint);
    }
    void Finish(std::optional<QImage> picked)
    {
        picked_ = std::move(picked);
        loop_.quit();
    }

    const QImage screen_;
    QEventLoop& loop_;
    bool dragging_ = false;
    QPoint from_;
    QPoint to_;
    std::optional<QImage> picked_;
};

}  // namespace

QRect ScaledToPicture(QPoint from, QPoint to, QSize shown, QSize picture)
{
    if (shown.isEmpty())
        return {};
    const double sx = static_cast<double>(picture.width()) / shown.width();
    const double sy = static_cast<double>(picture.height()) / shown.height();
    const int left = std::min(from.x(), to.x());
    const int top = std::min(from.y(), to.y());
    const QRectF scaled(left * sx, top * sy, std::abs(to.x() - from.x()) * sx, std::abs(to.y() - from.y()) * sy);
    return scaled.toAlignedRect() & QRect(QPoint(0, 0), picture);
}

std::optional<QRect> PickedPixels(QPoint from, QPoint to, QSize shown, QSize picture)
{
    if (std::abs(to.x() - from.x()) < kMinimumDrag || std::abs(to.y() - from.y()) < kMinimumDrag)
        return std::nullopt;
    const QRect area = ScaledToPicture(from, to, shown, picture);
    if (area.isEmpty())
        return std::nullopt;
    return area;
}

QImage GrabWholeDesktop()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // Window 0 is the root window, which on X11 spans every screen.
    const QRect all = screen->virtualGeometry();
    return screen->grabWindow(0, all.x(), all.y(), all.width(), all.height()).toImage();
}

bool ScreenGrabAllowed()
{
    // Under a Wayland session, X11 programs run on XWayland, whose grab is black.
    return QGuiApplication::platformName() != QLatin1String("wayland") &&
           qEnvironmentVariable("XDG_SESSION_TYPE") != QLatin1String("wayland");
}

std::optional<QImage> PickScreenArea(const QImage& screen, const QRect& where)
{
    QEventLoop loop;
    AreaPicker picker(screen, where, loop);
    picker.show();
    picker.raise();
    picker.activateWindow();
    picker.setFocus(Qt::OtherFocusReason);
    // Esc reaches the overlay even when the window manager gives it no focus.
    picker.grabKeyboard();
    loop.exec();
    picker.releaseKeyboard();
    picker.hide();
    return picker.Picked();
}

}  // namespace nubora

#include "nubora/framework/up_down.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace nubora::fw {

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    setFocusPolicy(Qt::StrongFocus);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownControl::SetBuddy(QLineEdit* buddy)
{
    if (buddy_)
        buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_)
        buddy_->installEventFilter(this);
    WriteBuddy();
}

void UpDownControl::SetBuddyFormat(std::function<QString(int, int)> format)
{
    format_ = std::move(format);
    WriteBuddy();
}

void UpDownControl::SetRange(int lower, int upper)
{
    lower_ = std::min(lower, upper);
    upper_ = std::max(lower, upper);
    SetPos(position_);
}

void UpDownControl::SetPos(int position)
{
    position_ = std::clamp(position, lower_, upper_);
    WriteBuddy();
}

void UpDownControl::Step(int delta)
{
    const int next = std::clamp(position_ + delta, lower_, upper_);
    if (next == position_)
        return;
    position_ = next;
    WriteBuddy();
    if (changed_)
        changed_();
}

void UpDownControl::WriteBuddy()
{
    if (buddy_)
        buddy_->setText(format_ ? format_(position_, upper_) : QString::number(position_));
    QAccessibleValueChangeEvent change(this, position_);
    QAccessible::updateAccessibility(&change);
}

QSize UpDownControl::sizeHint() const { return QSize(16, 22); }

void UpDownControl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        Step(+1);
    else if (event->key() == Qt::Key_Down)
        Step(-1);
    else
        QWidget::keyPressEvent(event);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace nubora::fw

// An up-down control (spinner): two small arrow buttons that step an integer
// position within a range and write it, as decimal text, into a buddy edit.
// The Up and Down arrow keys step it too, on the control and on its buddy.
#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

namespace nubora::fw {

class UpDownControl final : public QWidget {
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    // The edit that shows the position; null for none. Not owned.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return buddy_; }

    // How the buddy shows the position, given the position and the upper end
    // of the range; by default the position alone, in decimal.
    void SetBuddyFormat(std::function<QString(int position, int upper)> format);

    // Range, both ends included; the position is clamped into it.
    void SetRange(int lower, int upper);
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }

    // Moves to `position` (clamped) and writes it into the buddy.
    void SetPos(int position);
    int Pos() const { return position_; }

    // One step up (+1) or down (-1), stopping at the ends; runs the change
    // handler when the position moved.
    void Step(int delta);

    // Runs after the user moved the position (not after SetPos).
    void OnPositionChanged(std::function<void()> handler) { changed_ = std::move(handler); }

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void WriteBuddy();

    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
    std::function<void()> changed_;
    std::function<QString(int, int)> format_;
};

}  // namespace nubora::fw

#include "nubora/framework/dialog.h"

#include "nubora/framework/accessibility.h"
#include "nubora/framework/trace.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

namespace nubora::fw {

Dialog::Dialog(int templateId, QWidget* parent) : QDialog(parent), templateId_(templateId), units_(DialogFont())
{
    InstallAccessibleInterfaces();
    setFont(DialogFont());
    setMouseTracking(true);
    installEventFilter(this);
}

Dialog::~Dialog()
{
    if (loop_)
        loop_->exit(0);
}

void Dialog::Create(bool visible)
{
    if (!created_) {
        created_ = true;
        OnInitDialog();
    }
    if (visible)
        show();
}

int Dialog::DoModal(QWidget* over)
{
    ended_ = false;
    Create(false);
    if (!over || over == parentWidget())
        return exec();
    // Owned by whoever made it: the caller's window is its parent only
    // while it runs.
    QWidget* const owner = parentWidget();
    setParent(over, windowFlags());
    const int result = exec();
    setParent(owner, windowFlags());
    return result;
}

int Dialog::RunModalLoop()
{
    ended_ = false;
    Create(true);
    if (ended_)
        return endResult_;
    // Like a modal dialog, the window comes up active, its focus control lit.
    raise();
    activateWindow();
    QEventLoop loop;
    loop_ = &loop;
    const int result = loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
    return result;
}

void Dialog::EndDialog(int result)
{
    ended_ = true;
    endResult_ = result;
    setResult(result);
    if (isModal() && !loop_) {
        done(result);  // leaves exec()
        return;
    }
    hide();
    if (loop_)
        loop_->exit(result);
}

void Dialog::done(int result)
{
    ended_ = true;
    endResult_ = result;
    QDialog::done(result);
}

void Dialog::RegisterControl(int id, QWidget* control, const QRect& pixelRect)
{
    Q_ASSERT(!controls_.contains(id));
    control->setParent(this);
    control->setGeometry(pixelRect);
    control->setFont(font());
    controls_.insert(id, control);
    Watch(control);
}

bool Dialog::IsOwnWindow(const QObject* object) const
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return !widget || widget->window() == this;
}

void Dialog::Watch(QWidget* widget)
{
    if (!IsOwnWindow(widget))
        return;
    widget->installEventFilter(this);
    widget->setMouseTracking(true);
    for (QWidget* child : widget->findChildren<QWidget*>())
        Watch(child);
}

int Dialog::ControlId(const QWidget* control) const
{
    for (const QWidget* w = control; w && w != this; w = w->parentWidget()) {
        for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
            if (it.value() == w)
                return it.key();
        }
    }
    return 0;
}

int Dialog::FocusedControlId() const
{
    if (hiddenFocusId_ != 0 && hasFocus())
        return hiddenFocusId_;
    QWidget* focus = focusWidget();
    return focus && focus->hasFocus() ? ControlId(focus) : 0;
}

int Dialog::FocusButtonAt(const QPoint& globalPointer, std::span<const int> buttonIds)
{
    for (const int id : buttonIds) {
        QWidget* button = Control(id);
        if (!button || !button->geometry().contains(mapFromGlobal(globalPointer)))
            continue;
        if (button->isVisible()) {
            button->setFocus(Qt::MouseFocusReason);
        } else {
            // A hidden widget cannot hold the focus: the window keeps it on
            // the button's behalf, so that no other button shows as focused.
            setFocus(Qt::MouseFocusReason);
            hiddenFocusId_ = id;
        }
        return id;
    }
    return 0;
}

bool Dialog::FilterEnterAndEsc(const QEvent* event, const std::function<void(int)>& runButton)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape)
        return true;
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    runButton(FocusedControlId());
    return true;
}

void Dialog::MoveControl(int id, const QRect& pixelRect)
{
    if (QWidget* control = Control(id))
        control->setGeometry(pixelRect);
}

void Dialog::ShowControl(int id, bool visible)
{
    if (QWidget* control = Control(id))
        control->setVisible(visible);
}

void Dialog::EnableControl(int id, bool enabled)
{
    if (QWidget* control = Control(id))
        control->setEnabled(enabled);
}

void Dialog::SetAccessibleName(int id, const QString& name)
{
    if (QWidget* control = Control(id))
        control->setAccessibleName(name);
}

void Dialog::SetLineLabels(int id, std::span<const char* const> labelTexts)
{
    auto* box = ControlAs<QPlainTextEdit>(id);
    if (!box)
        return;
    QStringList labels;
    for (const char* label : labelTexts)
        labels << QString::fromUtf8(label);
    const auto describe = [box, labels] { box->setAccessibleDescription(LabelledLines(labels, box->toPlainText())); };
    connect(box, &QPlainTextEdit::textChanged, this, describe);
    describe();
}

void Dialog::OnClicked(int id, std::function<void()> handler)
{
    if (auto* button = ControlAs<QAbstractButton>(id))
        connect(button, &QAbstractButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

void Dialog::OnTextChanged(int id, std::function<void()> handler)
{
    QWidget* control = Control(id);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        connect(line, &QLineEdit::textChanged, this, [handler = std::move(handler)] { handler(); });
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        connect(plain, &QPlainTextEdit::textChanged, this, [handler = std::move(handler)] { handler(); });
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        connect(combo, &QComboBox::currentTextChanged, this, [handler = std::move(handler)] { handler(); });
}

void Dialog::OnFocusLost(int id, std::function<void()> handler) { focusLost_.insert(id, std::move(handler)); }

bool Dialog::UpdateData(Exchange direction)
{
    const bool taking = direction != Exchange::ToControls;
    if (taking && refreshingControls_)
        return false;
    const QScopedValueRollback<bool> refreshing(refreshingControls_, !taking);
    DataExchange exchange(*this, direction);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void Dialog::SetClientSize(int width, int height) { setFixedSize(width, height); }

bool Dialog::PreTranslateMessage(QObject*, QEvent*) { return false; }

bool Dialog::eventFilter(QObject* watched, QEvent* event)
{
    // A control's context menu, a combo box's list and any other window
    // made inside a control are not the dialog's: they keep their own keys,
    // pointer and focus.
    if (!IsOwnWindow(watched))
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::ChildAdded && watched != this) {
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
            Watch(child);
    }
    if (event->type() == QEvent::Show && watched == this)
        WriteTrace(QStringLiteral("show %1").arg(windowTitle()));
    // Any control that takes the focus ends a hidden button's hold on it.
    if (event->type() == QEvent::FocusIn && watched != this)
        hiddenFocusId_ = 0;
    if (PreTranslateMessage(watched, event))
        return true;
    // A popup opening over a control takes no focus from it.
    if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        const int id = ControlId(qobject_cast<QWidget*>(watched));
        const auto handler = focusLost_.constFind(id);
        if (handler != focusLost_.cend() && Control(id) == watched)
            (*handler)();
    }
    return QDialog::eventFilter(watched, event);
}

void Dialog::SetBackground(std::function<QImage(qreal devicePixelRatio)> source)
{
    backgroundSource_ = std::move(source);
    background_ = QImage();
    update();
}

void Dialog::paintEvent(QPaintEvent* event)
{
    if (backgroundSource_) {
        const qreal ratio = devicePixelRatioF();
        if (background_.isNull() || background_.devicePixelRatio() != ratio)
            background_ = backgroundSource_(ratio);
        QPainter(this).drawImage(QPoint(0, 0), background_);
    }
    QDialog::paintEvent(event);
}

bool Dialog::ShowsExchangedText(int id, text::TextCharset charset) const
{
    const auto shown = shownTexts_.constFind(id);
    if (shown == shownTexts_.cend() || shown->charset != charset)
        return false;
    const QWidget* control = Control(id);
    if (const auto* line = qobject_cast<const QLineEdit*>(control))
        return line->text() == shown->text;
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return plain->toPlainText() == shown->text;
    return false;
}

}  // namespace nubora::fw

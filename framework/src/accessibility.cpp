#include "nubora/framework/accessibility.h"

#include "nubora/framework/up_down.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace nubora::fw {
namespace {

// A drop-down list named after its label. Qt names a list after its current
// item on Linux; that item is the list's value here.
class ComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return Combo()->currentText();
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? Combo()->currentText() : text;
    }
    // The one child is the list of items that drops down.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return QAccessibleWidget::doAction(action);
        if (Combo()->view()->isVisible())
            Combo()->hidePopup();
        else
            Combo()->showPopup();
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

// The up-down control as a spin box: its position is the value, its arrows
// are the increase and decrease actions. Unnamed, it takes its buddy's name.
class UpDownAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UpDownAccessible(UpDownControl* upDown) : QAccessibleWidget(upDown, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return QString::number(UpDown()->Pos());
        const QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty() && UpDown()->Buddy())
            return UpDown()->Buddy()->accessibleName();
        return text;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& action) override
    {
        if (action == increaseAction())
            UpDown()->Step(+1);
        else if (action == decreaseAction())
            UpDown()->Step(-1);
        else
            QAccessibleWidget::doAction(action);
    }

    QVariant currentValue() const override { return UpDown()->Pos(); }
    // As the user would move it: the change handler runs.
    void setCurrentValue(const QVariant& value) override { UpDown()->Step(value.toInt() - UpDown()->Pos()); }
    QVariant maximumValue() const override { return UpDown()->Upper(); }
    QVariant minimumValue() const override { return UpDown()->Lower(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    UpDownControl* UpDown() const { return static_cast<UpDownControl*>(widget()); }
};

QAccessibleInterface* ProgramInterface(const QString&, QObject* object)
{
    if (auto* combo = qobject_cast<QComboBox*>(object))
        return new ComboBoxAccessible(combo);
    if (auto* upDown = dynamic_cast<UpDownControl*>(object))
        return new UpDownAccessible(upDown);
    if (auto* picture = dynamic_cast<PictureArea*>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces()
{
    // Qt keeps a factory once however often it is installed.
    QAccessible::installFactory(ProgramInterface);
}

QString NameOfLabel(const QString& label)
{
    if (label.endsWith(QChar(0xFF1A)) || label.endsWith(QLatin1Char(':')))
        return label.chopped(1);
    return label;
}

QString LabelledLines(const QStringList& labels, const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    const qsizetype labelled = std::min(lines.size(), labels.size());
    for (qsizetype i = 0; i < labelled; ++i)
        lines[i].prepend(labels[i]);
    return lines.join(QLatin1Char('\n'));
}

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

}  // namespace nubora::fw

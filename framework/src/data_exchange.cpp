#include "nubora/framework/data_exchange.h"

#include "nubora/framework/cp932.h"
#include "nubora/framework/dialog.h"
#include "nubora/framework/services.h"
#include "nubora/text/byte_limit.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace nubora::fw {
namespace {

QString ControlText(QWidget* control)
{
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        return plain->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    return QString();
}

void SetControlText(QWidget* control, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        if (line->text() != text)
            line->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        if (plain->toPlainText() != text)
            plain->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const int index = combo->findText(text);
        if (index >= 0)
            combo->setCurrentIndex(index);
        else if (combo->isEditable())
            combo->setEditText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    }
}

bool IsMultiLine(QWidget* control) { return qobject_cast<QPlainTextEdit*>(control) != nullptr; }

}  // namespace

QString TextTooLongMessage(int limitBytes) { return QString::fromStdString(text::TextTooLongMessage(limitBytes)); }

void DataExchange::Fail(int id, const QString& message)
{
    failedControl_ = id;
    ShowMessageBox(&dialog_, message, BoxType::Warning);
    if (QWidget* control = dialog_.Control(id))
        control->setFocus(Qt::OtherFocusReason);
}

void DataExchange::Text(int id, std::string& member, int limitBytes)
{
    QWidget* control = dialog_.Control(id);
    if (Failed() || !control)
        return;
    const bool utf8 = charset_ == text::TextCharset::Utf8;
    if (!Saving()) {
        const std::string shown = IsMultiLine(control) ? CrLfToLf(member) : member;
        SetControlText(control,
                       utf8 ? QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())) : FromCp932(shown));
        dialog_.shownTexts_.insert(id, {ControlText(control), member, charset_});
        return;
    }
    const QString text = ControlText(control);
    std::string taken;
    const auto shown = dialog_.shownTexts_.constFind(id);
    if (shown != dialog_.shownTexts_.cend() && shown->text == text && shown->charset == charset_) {
        taken = shown->bytes;
    } else {
        taken = utf8 ? text.toStdString() : ToCp932Lossy(text);
        if (IsMultiLine(control))
            taken = LfToCrLf(taken);
    }
    if (direction_ == Exchange::FromControls && limitBytes > 0 &&
        text::LimitLength(taken, charset_) > static_cast<size_t>(limitBytes)) {
        Fail(id, TextTooLongMessage(limitBytes));
        return;
    }
    dialog_.shownTexts_.insert(id, {text, taken, charset_});
    member = std::move(taken);
}

void DataExchange::Integer(int id, int& member)
{
    QWidget* control = dialog_.Control(id);
    if (Failed() || !control)
        return;
    if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        if (Saving())
            member = spin->value();
        else
            spin->setValue(member);
        return;
    }
    if (!Saving()) {
        SetControlText(control, QString::number(member));
        return;
    }
    bool ok = false;
    const int value = ControlText(control).trimmed().toInt(&ok);
    if (!ok) {
        if (direction_ == Exchange::FromControls)
            Fail(id, QStringLiteral("整数を入力してください。"));
        return;
    }
    member = value;
}

}  // namespace nubora::fw

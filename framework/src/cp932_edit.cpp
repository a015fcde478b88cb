#include "nubora/framework/cp932_edit.h"

#include "nubora/framework/cp932.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace nubora::fw {

std::optional<int> Cp932ControlLength(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const auto length = Cp932Length(lines);
    if (!length)
        return std::nullopt;
    return *length + static_cast<int>(lines.count(QLatin1Char('\n')));
}

QValidator::State Cp932Validator::validate(QString& input, int&) const
{
    const auto length = Cp932Length(input);
    if (!length || (limit_ > 0 && *length > limit_))
        return Invalid;
    return Acceptable;
}

Cp932LineEdit::Cp932LineEdit(int limitBytes, QWidget* parent)
    : QLineEdit(parent), validator_(new Cp932Validator(limitBytes, this))
{
    setValidator(validator_);
}

void Cp932LineEdit::SetLimitBytes(int limitBytes)
{
    validator_ = new Cp932Validator(limitBytes, this);
    setValidator(validator_);
}

Cp932TextEdit::Cp932TextEdit(int limitBytes, QWidget* parent) : QPlainTextEdit(parent), limit_(limitBytes) {}

bool Cp932TextEdit::CanInsert(const QString& insertion) const
{
    const auto inserted = Cp932ControlLength(insertion);
    if (!inserted)
        return false;
    if (limit_ <= 0)
        return true;
    const auto whole = Cp932ControlLength(toPlainText());
    const auto selected = Cp932ControlLength(textCursor().selectedText());
    // Text already in the control has a code: it came through here or from
    // the members.
    return whole.value_or(0) - selected.value_or(0) + *inserted <= limit_;
}

void Cp932TextEdit::keyPressEvent(QKeyEvent* event)
{
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\n"));
    if (inserts && !(event->modifiers() & Qt::ControlModifier) && !CanInsert(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void Cp932TextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !CanInsert(event->commitString())) {
        // Drop the commit but keep the composition state consistent.
        QInputMethodEvent rejected(QString(), {});
        QPlainTextEdit::inputMethodEvent(&rejected);
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool Cp932TextEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText() && QPlainTextEdit::canInsertFromMimeData(source);
}

void Cp932TextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText() && CanInsert(source->text()))
        QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace nubora::fw

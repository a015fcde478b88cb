#include "nubora/framework/cp932_edit.h"

#include "nubora/framework/cp932.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace nubora::fw {
namespace {

// What a character without a CP932 code counts against a limit.
constexpr int kUncodedLength = 2;

// True for a character without a CP932 code that no form takes.
bool IsUnacceptable(char32_t codePoint)
{
    switch (QChar::category(codePoint)) {
    case QChar::Other_Control:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return QChar::isNonCharacter(codePoint);
    }
}

// The characters `now` holds more often than `before` does, each as often
// as it was added: a character replaced by another counts as added too.
QString Added(const QString& now, const QString& before)
{
    QString added;
    QString seen;
    for (qsizetype i = 0; i < now.size();) {
        const qsizetype width = CharacterWidth(now, i);
        const QString character = now.mid(i, width);
        seen.append(character);
        if (seen.count(character) > before.count(character))
            added.append(character);
        i += width;
    }
    return added;
}

}  // namespace

ControlTextMeasure MeasureControlText(const QString& text)
{
    text::Cp932Encoder encoder;
    ControlTextMeasure measure;
    std::string scratch;
    for (qsizetype i = 0; i < text.size();) {
        const QChar first = text.at(i);
        const qsizetype width = CharacterWidth(text, i);
        i += width;
        if (first == QLatin1Char('\n') || first == QChar::ParagraphSeparator) {
            measure.length += 2;
            continue;
        }
        const QString character = text.mid(i - width, width);
        const QByteArray utf8 = character.toUtf8();
        scratch.clear();
        if (encoder.Append(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), scratch)) {
            measure.length += static_cast<int>(scratch.size());
            continue;
        }
        measure.length += kUncodedLength;
        const char32_t codePoint = width == 2 ? QChar::surrogateToUcs4(first, text.at(i - 1)) : first.unicode();
        if (IsUnacceptable(codePoint)) {
            ++measure.unacceptable;
            continue;
        }
        ++measure.uncoded;
        if (!measure.uncodedCharacters.contains(character))
            measure.uncodedCharacters.append(character);
    }
    return measure;
}

QValidator::State Cp932Validator::validate(QString& input, int&) const
{
    // QLineEdit::setText clears the undo history before it validates; every
    // edit (typed, pasted, inserted) adds to it. A text the program sets is
    // taken as it is: refusing it would leave the edit thinking its text bad,
    // and QLineEdit then keeps the next refused input instead of undoing it.
    const auto* edit = qobject_cast<const QLineEdit*>(parent());
    if (!userInput && edit && !edit->isUndoAvailable())
        return Acceptable;
    if (limit_ > 0) {
        const int now = MeasureControlText(input).length;
        if (now > limit_ && now > MeasureControlText(previous).length)
            return Invalid;
    }
    const ControlTextMeasure added = MeasureControlText(Added(input, previous));
    if (added.unacceptable > 0)
        return Invalid;
    if (uncoded == UncodedCharacters::Refuse && added.uncoded > 0) {
        if (onRefusal && userInput)
            onRefusal(added.uncodedCharacters);
        return Invalid;
    }
    return Acceptable;
}

Cp932LineEdit::Cp932LineEdit(int limitBytes, QWidget* parent)
    : QLineEdit(parent), validator_(new Cp932Validator(limitBytes, this))
{
    setValidator(validator_);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { validator_->previous = text; });
}

void Cp932LineEdit::SetLimitBytes(int limitBytes)
{
    auto* replacement = new Cp932Validator(limitBytes, this);
    replacement->uncoded = validator_->uncoded;
    replacement->onRefusal = validator_->onRefusal;
    replacement->previous = text();
    validator_ = replacement;
    setValidator(validator_);
}

template <typename Handle>
void Cp932LineEdit::AsUserInput(Handle handle)
{
    validator_->userInput = true;
    handle();
    validator_->userInput = false;
}

void Cp932LineEdit::keyPressEvent(QKeyEvent* event)
{
    AsUserInput([this, event] { QLineEdit::keyPressEvent(event); });
}

void Cp932LineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    AsUserInput([this, event] { QLineEdit::inputMethodEvent(event); });
}

void Cp932LineEdit::dropEvent(QDropEvent* event)
{
    AsUserInput([this, event] { QLineEdit::dropEvent(event); });
}

void Cp932LineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu runs its own loop: its 貼り付け is the user's input too.
    AsUserInput([this, event] { QLineEdit::contextMenuEvent(event); });
}

Cp932TextEdit::Cp932TextEdit(int limitBytes, QWidget* parent) : QPlainTextEdit(parent), limit_(limitBytes) {}

bool Cp932TextEdit::CanInsert(const QString& insertion) const
{
    const ControlTextMeasure inserted = MeasureControlText(insertion);
    if (inserted.unacceptable > 0)
        return false;
    if (uncoded_ == UncodedCharacters::Refuse && inserted.uncoded > 0) {
        if (onRefusal_)
            onRefusal_(inserted.uncodedCharacters);
        return false;
    }
    if (limit_ <= 0)
        return true;
    const int whole = MeasureControlText(toPlainText()).length;
    const int selected = MeasureControlText(textCursor().selectedText()).length;
    return whole - selected + inserted.length <= limit_;
}

void Cp932TextEdit::keyPressEvent(QKeyEvent* event)
{
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    // A character outside the basic plane comes as a surrogate pair.
    const bool inserts = !typed.isEmpty() && (QChar::isPrint(typed.toUcs4().value(0)) || typed == QLatin1String("\n"));
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

// Edit controls for CP932 members. Each refuses an input (a typed character,
// an input-method commit, a paste or a drop) that would take its text past
// its limit in CP932 bytes, or that adds a character without a CP932 code
// unless it is told to take such characters (the UTF-8 form), which then
// count 2 bytes each. Text set by the program is not limited; the data
// exchange checks it.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

#include <functional>

namespace nubora::fw {

// What an edit does with a typed character that has no CP932 code.
enum class UncodedCharacters {
    Refuse,  // refuses it, as every edit does by default
    // takes it, counting 2 bytes against the limit; a control character,
    // a line or paragraph separator, a lone surrogate or a noncharacter
    // without a code stays refused
    Take,
};

// Called with the characters without a CP932 code (each once, in order) of
// an input refused for holding them, while such characters are refused.
using UncodedRefusalHandler = std::function<void(const QString& characters)>;

// A control text measured against a byte limit.
struct ControlTextMeasure {
    int length = 0;             // CP932 bytes; a line break (LF or U+2029) 2, a character without a code 2
    int uncoded = 0;            // characters without a code that a UTF-8 form takes
    int unacceptable = 0;       // characters without a code that no form takes
    QString uncodedCharacters;  // the distinct ones of `uncoded`, in order
};
ControlTextMeasure MeasureControlText(const QString& text);

// Judges an edit of a QLineEdit, its parent, against the edit's text before:
// refuses one that takes the text past `limit` bytes by MeasureControlText
// (0: no limit) and makes it longer, or that adds a character without a
// CP932 code (also one replacing another), in the Take policy one that no
// form takes. So deleting from a text the program set always works. A text
// the program sets with setText is accepted as it is; the data exchange
// checks it.
class Cp932Validator final : public QValidator {
public:
    explicit Cp932Validator(int limit, QObject* parent = nullptr) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int& pos) const override;
    int Limit() const { return limit_; }

    UncodedCharacters uncoded = UncodedCharacters::Refuse;
    UncodedRefusalHandler onRefusal;
    // The edit's text as last accepted or set, which an input is judged against.
    QString previous;
    // True while the edit handles the user's input: only then is a refusal
    // told (the program's paste or insert is judged too, silently).
    bool userInput = false;

private:
    int limit_;
};

// A single-line edit with a byte limit.
class Cp932LineEdit final : public QLineEdit {
public:
    explicit Cp932LineEdit(int limitBytes = 0, QWidget* parent = nullptr);
    int LimitBytes() const { return validator_->Limit(); }
    void SetLimitBytes(int limitBytes);
    void SetUncodedCharacters(UncodedCharacters policy) { validator_->uncoded = policy; }
    void SetUncodedRefusalHandler(UncodedRefusalHandler handler) { validator_->onRefusal = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Runs `handle` with the validator told that the input is the user's.
    template <typename Handle>
    void AsUserInput(Handle handle);

    Cp932Validator* validator_;
};

// A multi-line edit with a byte limit; a line break counts 2 bytes (CR LF).
class Cp932TextEdit final : public QPlainTextEdit {
public:
    explicit Cp932TextEdit(int limitBytes = 0, QWidget* parent = nullptr);
    int LimitBytes() const { return limit_; }
    void SetLimitBytes(int limitBytes) { limit_ = limitBytes; }
    void SetUncodedCharacters(UncodedCharacters policy) { uncoded_ = policy; }
    void SetUncodedRefusalHandler(UncodedRefusalHandler handler) { onRefusal_ = std::move(handler); }

    // True when `insertion` may replace the current selection; a refusal
    // for characters without a code is also told to the refusal handler.
    bool CanInsert(const QString& insertion) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int limit_;
    UncodedCharacters uncoded_ = UncodedCharacters::Refuse;
    UncodedRefusalHandler onRefusal_;
};

}  // namespace nubora::fw

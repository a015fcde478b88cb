// Edit controls for CP932 members. Each refuses an input (a typed character,
// an input-method commit, a paste or a drop) that would take its text past
// its limit in CP932 bytes, or that holds a character without a CP932 code.
// Text set by the program is not limited; the data exchange checks it.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

namespace nubora::fw {

// Accepts a text of at most `limit` CP932 bytes (0: no limit) whose every
// character has a CP932 code.
class Cp932Validator final : public QValidator {
public:
    explicit Cp932Validator(int limit, QObject* parent = nullptr) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int& pos) const override;
    int Limit() const { return limit_; }

private:
    int limit_;
};

// A single-line edit with a byte limit.
class Cp932LineEdit final : public QLineEdit {
public:
    explicit Cp932LineEdit(int limitBytes = 0, QWidget* parent = nullptr);
    int LimitBytes() const { return validator_->Limit(); }
    void SetLimitBytes(int limitBytes);

private:
    Cp932Validator* validator_;
};

// A multi-line edit with a byte limit; a line break counts 2 bytes (CR LF).
class Cp932TextEdit final : public QPlainTextEdit {
public:
    explicit Cp932TextEdit(int limitBytes = 0, QWidget* parent = nullptr);
    int LimitBytes() const { return limit_; }
    void SetLimitBytes(int limitBytes) { limit_ = limitBytes; }

    // True when `insertion` may replace the current selection.
    bool CanInsert(const QString& insertion) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int limit_;
};

// CP932 length of a control text in which every line break (LF or U+2029)
// counts as CR LF; nothing when a character has no code.
std::optional<int> Cp932ControlLength(const QString& text);

}  // namespace nubora::fw

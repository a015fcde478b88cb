// Message boxes. Every question, warning, error and notice of the program is
// one of four box types, shown through the current message service
// (services.h): the real one shows a QMessageBox, tests script the answers.
#pragma once

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

namespace nubora::fw {

enum class BoxType {
    Question,  // Yes and No, Yes the default; information icon
    Warning,   // OK; exclamation icon
    Error,     // OK; error icon
    Notice,    // OK; information icon
};

enum class Answer { Ok, Yes, No };

struct MessageBoxRequest {
    QWidget* owner;  // the asking window; null for a box without owner
    QString caption;
    QString text;
    BoxType type;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box and waits for the answer: Yes or No for a question, Ok otherwise.
    virtual Answer Show(const MessageBoxRequest& request) = 0;
};

// The platform's message box, with Qt's standard buttons (translated when a
// translator for them is installed).
class QtMessageService final : public MessageService {
public:
    Answer Show(const MessageBoxRequest& request) override;
};

// Builds, without showing it, the box that QtMessageService shows.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxRequest& request);

// Writes every box to the trace (trace.h) instead of showing it and answers
// No to questions: for runs that must not block on a box.
class TraceMessageService final : public MessageService {
public:
    Answer Show(const MessageBoxRequest& request) override;
};

// A short name of each type: "question", "warning", "error", "notice".
QString BoxTypeName(BoxType type);

}  // namespace nubora::fw

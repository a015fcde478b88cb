// What the three link dialogs share: a small modal dialog with a prompt, one
// single-line CP932 edit with a byte limit, "挿入" (OK, the default button)
// and "ｷｬﾝｾﾙ". Every opening starts with an empty field; OK with an empty
// field does nothing; a value that fails the dialog's check is reported and
// the dialog stays open; Cancel and Esc close it with nothing taken.
#pragma once

#include "nubora/framework/dialog.h"

#include <QRect>

#include <string>

namespace nubora {

// The template of one link dialog; rectangles in dialog units.
struct LinkDialogTemplate {
    int templateId;
    const char* title;   // UTF-8
    QSize size;          // client area
    const char* prompt;  // UTF-8
    QRect promptRect;
    int editId;
    QRect editRect;
    int limitBytes;    // of the edit, CP932 bytes
    QRect insertRect;  // "挿入"
    QRect cancelRect;  // "ｷｬﾝｾﾙ"
};

class LinkDialog : public fw::Dialog {
public:
    // "挿入" and Enter: takes the value; empty: stays open silently; failing
    // its check: reports and stays open with the caret at the field's start;
    // otherwise ends with QDialog::Accepted.
    void OnInsert();

protected:
    // `value` is the subclass's member that the edit exchanges with; it must
    // outlive the dialog (it is a member of the subclass).
    LinkDialog(const LinkDialogTemplate& layout, std::string& value);

    // 0 when `value` (not empty) may be inserted; otherwise the id of the
    // message that reports it.
    virtual int CheckValue(const std::string& value) const = 0;

    void OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    void showEvent(QShowEvent* event) override;
    void accept() override;

private:
    // Every opening: the field empty and focused.
    void OnOpen();

    const LinkDialogTemplate& layout_;
    std::string& value_;
};

}  // namespace nubora

#include "nubora/input/mail_dialog.h"

#include "nubora/framework/cp932_edit.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/validation.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

#include <QLabel>

namespace nubora {
namespace {

namespace id = ctl::mail;
namespace msg = res::str;

// Template rectangles in dialog units.
constexpr QRect kToRect(65, 56, 217, 17);
constexpr QRect kSubjectRect(65, 78, 217, 17);
constexpr QRect kBodyRect(65, 100, 217, 110);

}  // namespace

MailDialog::MailDialog(ScreenHost& host)
    : InputScreenDialog(host, res::dlg::kMail, QStringLiteral("Eメール用コード入力画面"), ScreenId::Mail,
                        res::bmp::kMailBackground)
{
}

void MailDialog::CreateFields()
{
    AddControl(id::kTo, new fw::Cp932LineEdit(FieldLimitBytes(EntryField::To)), kToRect);
    AddControl(id::kSubject, new fw::Cp932LineEdit(FieldLimitBytes(EntryField::Subject)), kSubjectRect);
    auto* bodyEdit = AddControl(id::kBody, new fw::Cp932TextEdit(FieldLimitBytes(EntryField::Body)), kBodyRect);
    bodyEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    bodyEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bodyEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bodyEdit->setTabChangesFocus(true);
    // The template's labels stay invisible: background 201 shows them.
    const struct {
        const char* text;
        QRect rect;
    } labels[] = {{"宛先", {8, 59, 55, 10}}, {"件名", {8, 81, 55, 10}}, {"本文", {8, 103, 55, 10}}};
    for (const auto& l : labels) {
        auto* label = new QLabel(QString::fromUtf8(l.text), this);
        label->setGeometry(Units().ToPixels(l.rect));
        label->hide();
    }
    for (int field : {id::kTo, id::kSubject, id::kBody}) {
        OnTextChanged(field, [this] {
            if (!host_.State().codeSettings.autoAdjust)
                UpdateGauge();
        });
    }
    AddFocusCheck(
        id::kTo, [this] { return CheckChars(to, MailToChars); }, msg::kBadMailToChars);
}

void MailDialog::FocusFirstField()
{
    if (QWidget* first = Control(id::kTo))
        first->setFocus(Qt::OtherFocusReason);
}

void MailDialog::DoDataExchange(fw::DataExchange& exchange)
{
    InputScreenDialog::DoDataExchange(exchange);
    exchange.Text(id::kTo, to, FieldLimitBytes(EntryField::To));
    exchange.Text(id::kSubject, subject, FieldLimitBytes(EntryField::Subject));
    exchange.Text(id::kBody, body, FieldLimitBytes(EntryField::Body));
}

MailEntry MailDialog::Entry() const { return {to, subject, body}; }

void MailDialog::SetEntry(const MailEntry& entry)
{
    to = entry.to;
    subject = entry.subject;
    body = entry.body;
}

bool MailDialog::IsAllEmpty() const { return to.empty() && subject.empty() && body.empty(); }

void MailDialog::ClearEntries()
{
    to.clear();
    subject.clear();
    body.clear();
}

std::string MailDialog::BuildPayload() const
{
    if (host_.State().codeSettings.form == PayloadForm::Standard)
        return MailtoUriPayload(Entry());
    return MailPayload(Entry());
}

std::string MailDialog::BuildInputSummary() const { return MailSummary(Entry()); }

bool MailDialog::ValidateAll(bool recipientRequired)
{
    const std::optional<CheckFailure> failure = CheckMailEntry(Entry(), recipientRequired, FieldLimits::LeftToControls);
    if (!failure)
        return true;
    // Only the recipient has a rule besides its limit.
    ReportCheckFailure(id::kTo, failure->messageId);
    return false;
}

bool MailDialog::RunButton(int buttonId)
{
    if (buttonId != ctl::input::kSettings && buttonId != ctl::input::kConfirm)
        return InputScreenDialog::RunButton(buttonId);
    // The frame's handlers call ValidateAll(); here it must not require the
    // recipient.
    recipientRequired_ = false;
    InputScreenDialog::RunButton(buttonId);
    recipientRequired_ = true;
    return true;
}

fw::FileDialogRequest MailDialog::DataFileRequest() const
{
    return {QStringLiteral("Eメール用データファイル(*.eqr)|*.eqr||"), QStringLiteral("eqr"),
            fw::InitialFolder(QStringLiteral("CSV"))};
}

DataFileStatus MailDialog::SaveDataFile(const std::string& path) const { return SaveMailFile(path, Entry()); }

DataFileStatus MailDialog::OpenDataFile(const std::string& path)
{
    MailEntry entry;
    const DataFileStatus status = OpenMailFile(path, entry);
    if (status == DataFileStatus::Ok)
        SetEntry(entry);
    return status;
}

bool MailDialog::LosesTrailingBackslash() const { return nubora::LosesTrailingBackslash(Entry()); }

}  // namespace nubora

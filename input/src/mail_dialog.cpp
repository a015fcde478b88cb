#include "nubora/input/mail_dialog.h"

#include "nubora/framework/cp932_edit.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/validation.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

namespace nubora {
namespace {

namespace id = ctl::mail;
namespace msg = res::str;

// The fields' places and labels, in screen order: recipient, subject, body.
const auto& [kToField, kSubjectField, kBodyField] = res::labels::kMailFields;

int ControlOf(EntryField field)
{
    switch (field) {
    case EntryField::Subject: return id::kSubject;
    case EntryField::Body: return id::kBody;
    default: return id::kTo;
    }
}

}  // namespace

MailDialog::MailDialog(ScreenHost& host)
    : InputScreenDialog(host, res::dlg::kMail, QStringLiteral("Eメール用コード入力画面"), ScreenId::Mail,
                        res::bmp::kMailBackground)
{
}

void MailDialog::CreateFields()
{
    AddField(kToField, new fw::Cp932LineEdit(FieldLimitBytes(EntryField::To)));
    AddField(kSubjectField, new fw::Cp932LineEdit(FieldLimitBytes(EntryField::Subject)));
    auto* bodyEdit = AddField(kBodyField, new fw::Cp932TextEdit(FieldLimitBytes(EntryField::Body)));
    bodyEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    bodyEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bodyEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bodyEdit->setTabChangesFocus(true);
    for (int field : {id::kTo, id::kSubject, id::kBody}) {
        OnTextChanged(field, [this] {
            if (!host_.State().codeSettings.autoAdjust)
                UpdateGauge();
        });
    }
    AddFocusCheck(
        id::kTo, [this] { return CheckChars(to, charset, MailToChars); }, msg::kBadMailToChars);
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

MailEntry MailDialog::Entry() const { return {to, subject, body, charset}; }

std::vector<InputScreenDialog::EntryMember> MailDialog::EntryMembers()
{
    return {{id::kTo, &to}, {id::kSubject, &subject}, {id::kBody, &body}};
}

void MailDialog::SetEntry(const MailEntry& entry)
{
    to = entry.to;
    subject = entry.subject;
    body = entry.body;
    charset = entry.charset;
}

std::vector<std::string> MailDialog::Entries() const { return {to, subject, body}; }

bool MailDialog::IsAllEmpty() const { return to.empty() && subject.empty() && body.empty(); }

void MailDialog::ClearEntries()
{
    to.clear();
    subject.clear();
    body.clear();
    charset = text::TextCharset::Cp932;
}

std::string MailDialog::BuildPayload() const { return MailCodePayload(Entry(), host_.State().codeSettings.form); }

std::string MailDialog::BuildInputSummary() const { return MailSummary(Entry()); }

bool MailDialog::ValidateAll(bool recipientRequired)
{
    const Result<void, CheckFailure> checked = CheckMailEntry(Entry(), recipientRequired, FieldLimits::LeftToControls);
    if (checked)
        return true;
    ReportCheckFailure(ControlOf(checked.Error().field), checked.Error());
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

Result<void, DataFileStatus> MailDialog::SaveDataFile(const std::string& path) const
{
    return SaveMailFile(path, Entry());
}

Result<void, DataFileStatus> MailDialog::OpenDataFile(const std::string& path)
{
    const Result<MailEntry, DataFileStatus> entry = OpenMailFile(path);
    if (!entry)
        return Fail(entry.Error());
    SetEntry(*entry);
    return {};
}

bool MailDialog::LosesTrailingBackslash() const { return nubora::LosesTrailingBackslash(Entry()); }

void MailDialog::PlaceCode(const CodeEntry& entry) { SetEntry(entry.mail); }

}  // namespace nubora

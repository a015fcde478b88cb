#include "nubora/input/address_book_dialog.h"

#include "nubora/framework/cp932_edit.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/validation.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

namespace nubora {
namespace {

namespace id = ctl::addressBook;
namespace msg = res::str;

// The entry field behind each control; the controls, their places and
// labels are the screen's label table (res::labels::kAddressBookFields).
constexpr struct {
    int id;
    EntryField field;
} kFields[] = {
    {id::kName, EntryField::Name},       {id::kReading, EntryField::Reading}, {id::kTel1, EntryField::Tel1},
    {id::kTel2, EntryField::Tel2},       {id::kMail1, EntryField::Mail1},     {id::kMail2, EntryField::Mail2},
    {id::kAddress, EntryField::Address}, {id::kMemo, EntryField::Memo},
};

int LimitOf(int controlId)
{
    for (const auto& f : kFields) {
        if (f.id == controlId)
            return FieldLimitBytes(f.field);
    }
    return 0;
}

// The control of a field the shared checks name.
int ControlOf(EntryField field)
{
    switch (field) {
    case EntryField::Name: return id::kName;
    case EntryField::Reading: return id::kReading;
    case EntryField::Tel1: return id::kTel1;
    case EntryField::Tel2: return id::kTel2;
    case EntryField::Mail1: return id::kMail1;
    case EntryField::Mail2: return id::kMail2;
    case EntryField::Address: return id::kAddress;
    default: return id::kMemo;
    }
}

}  // namespace

AddressBookDialog::AddressBookDialog(ScreenHost& host)
    : InputScreenDialog(host, res::dlg::kAddressBook, QStringLiteral("アドレス帳用コード入力画面"),
                        ScreenId::AddressBook, res::bmp::kAddressBookBackground)
{
}

void AddressBookDialog::CreateFields()
{
    for (const res::labels::FieldLabel& f : res::labels::kAddressBookFields) {
        AddField(f, new fw::Cp932LineEdit(LimitOf(f.controlId)));
        OnTextChanged(f.controlId, [this] {
            if (!host_.State().codeSettings.autoAdjust)
                UpdateGauge();
        });
    }
    AddFocusCheck(
        id::kTel1, [this] { return CheckChars(tel1, charset, TelChars); }, msg::kBadTelChars);
    AddFocusCheck(
        id::kTel2, [this] { return CheckChars(tel2, charset, TelChars); }, msg::kBadTelChars);
    AddFocusCheck(
        id::kMail1, [this] { return CheckChars(mail1, charset, MailChars); }, msg::kBadMailChars);
    AddFocusCheck(
        id::kMail2, [this] { return CheckChars(mail2, charset, MailChars); }, msg::kBadMailChars);
    AddFocusCheck(
        id::kReading, [this] { return CheckReadingChars(reading, charset); }, msg::kBadReadingChars);
}

void AddressBookDialog::FocusFirstField()
{
    if (QWidget* first = Control(id::kName))
        first->setFocus(Qt::OtherFocusReason);
}

void AddressBookDialog::DoDataExchange(fw::DataExchange& exchange)
{
    InputScreenDialog::DoDataExchange(exchange);
    exchange.Text(id::kName, name, LimitOf(id::kName));
    exchange.Text(id::kReading, reading, LimitOf(id::kReading));
    exchange.Text(id::kTel1, tel1, LimitOf(id::kTel1));
    exchange.Text(id::kTel2, tel2, LimitOf(id::kTel2));
    exchange.Text(id::kMail1, mail1, LimitOf(id::kMail1));
    exchange.Text(id::kMail2, mail2, LimitOf(id::kMail2));
    exchange.Text(id::kAddress, address, LimitOf(id::kAddress));
    exchange.Text(id::kMemo, memo, LimitOf(id::kMemo));
}

AddressBookEntry AddressBookDialog::Entry() const
{
    return {name, reading, tel1, tel2, mail1, mail2, address, memo, charset};
}

std::vector<InputScreenDialog::EntryMember> AddressBookDialog::EntryMembers()
{
    return {{id::kName, &name},   {id::kReading, &reading}, {id::kTel1, &tel1},       {id::kTel2, &tel2},
            {id::kMail1, &mail1}, {id::kMail2, &mail2},     {id::kAddress, &address}, {id::kMemo, &memo}};
}

void AddressBookDialog::SetEntry(const AddressBookEntry& entry)
{
    name = entry.name;
    reading = entry.reading;
    tel1 = entry.tel1;
    tel2 = entry.tel2;
    mail1 = entry.mail1;
    mail2 = entry.mail2;
    address = entry.address;
    memo = entry.memo;
    charset = entry.charset;
}

std::vector<std::string> AddressBookDialog::Entries() const
{
    return {name, reading, tel1, tel2, mail1, mail2, address, memo};
}

bool AddressBookDialog::IsAllEmpty() const
{
    return name.empty() && reading.empty() && tel1.empty() && tel2.empty() && mail1.empty() && mail2.empty() &&
           address.empty() && memo.empty();
}

void AddressBookDialog::ClearEntries()
{
    for (std::string* entry : {&name, &reading, &memo, &mail2, &mail1, &address, &tel1, &tel2})
        entry->clear();
    charset = text::TextCharset::Cp932;
}

std::string AddressBookDialog::BuildPayload() const
{
    return AddressBookCodePayload(Entry(), host_.State().codeSettings.form);
}

std::string AddressBookDialog::BuildInputSummary() const { return AddressBookSummary(Entry()); }

bool AddressBookDialog::ValidateAll()
{
    const Result<void, CheckFailure> checked = CheckAddressBookEntry(Entry(), FieldLimits::LeftToControls);
    if (checked)
        return true;
    ReportCheckFailure(ControlOf(checked.Error().field), checked.Error());
    return false;
}

fw::FileDialogRequest AddressBookDialog::DataFileRequest() const
{
    return {QStringLiteral("アドレス帳用データファイル(*.aqr)|*.aqr||"), QStringLiteral("aqr"),
            fw::InitialFolder(QStringLiteral("CSV"))};
}

Result<void, DataFileStatus> AddressBookDialog::SaveDataFile(const std::string& path) const
{
    return SaveAddressBookFile(path, Entry());
}

Result<void, DataFileStatus> AddressBookDialog::OpenDataFile(const std::string& path)
{
    const Result<AddressBookEntry, DataFileStatus> entry = OpenAddressBookFile(path);
    if (!entry)
        return Fail(entry.Error());
    SetEntry(*entry);
    return {};
}

bool AddressBookDialog::LosesTrailingBackslash() const { return nubora::LosesTrailingBackslash(Entry()); }

void AddressBookDialog::PlaceCode(const CodeEntry& entry) { SetEntry(entry.contact); }

}  // namespace nubora

#include "nubora/input/free_text_dialog.h"

#include "nubora/framework/cp932_edit.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/picture_button.h"
#include "nubora/resources/resource_ids.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace nubora {
namespace {

namespace id = ctl::freeText;
namespace b = res::bmp;

// The link buttons in client pixels with their pictures, in hover order.
constexpr struct {
    int id;
    QRect rect;
    const char* caption;
    res::ButtonPictures pictures;
} kLinkButtons[] = {
    {id::kTelLink, {10, 140, 82, 23}, "ＴＥＬリンク", {b::kTelLinkNormal, b::kTelLinkPressed, b::kTelLinkFocused}},
    {id::kNaviLink, {10, 170, 82, 23}, "ナビリンク", {b::kNaviLinkNormal, b::kNaviLinkPressed, b::kNaviLinkFocused}},
    {id::kOneSegLink,
     {10, 200, 82, 23},
     "ワンセグリンク",
     {b::kOneSegLinkNormal, b::kOneSegLinkPressed, b::kOneSegLinkFocused}},
};

bool IsEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

FreeTextDialog::FreeTextDialog(ScreenHost& host)
    : InputScreenDialog(host, res::dlg::kFreeText, QStringLiteral("フリーテキスト用コード入力画面"), ScreenId::FreeText,
                        res::bmp::kFreeTextBackground)
{
}

void FreeTextDialog::CreateFields()
{
    auto* edit = AddField(res::labels::kFreeTextFields[0], new fw::Cp932TextEdit(0));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true);
    OnTextChanged(id::kText, [this] {
        if (!host_.State().codeSettings.autoAdjust)
            UpdateGauge();
    });
    CreateLinkButtons();
}

void FreeTextDialog::CreateLinkButtons()
{
    for (const auto& l : kLinkButtons) {
        res::AddPictureButton(*this, l.id, l.caption, l.rect, l.pictures);
        OnClicked(l.id, [this, buttonId = l.id] { RunButton(buttonId); });
    }
    // The one-seg link is made hidden and never shown.
    ShowControl(id::kOneSegLink, false);
}

void FreeTextDialog::FocusFirstField()
{
    if (QWidget* first = Control(id::kText))
        first->setFocus(Qt::OtherFocusReason);
}

void FreeTextDialog::DoDataExchange(fw::DataExchange& exchange)
{
    InputScreenDialog::DoDataExchange(exchange);
    exchange.Text(id::kText, text);
}

void FreeTextDialog::ClearEntries()
{
    text.clear();
    charset = text::TextCharset::Cp932;
}

std::string FreeTextDialog::BuildPayload() const
{
    return FreeTextCodePayload(text, charset, host_.State().codeSettings.form);
}

bool FreeTextDialog::ValidateAll()
{
    if (!checkText_)
        return true;
    const Result<void, CheckFailure> checked = CheckFreeText(text, charset);
    if (checked)
        return true;
    ReportCheckFailure(id::kText, checked.Error());
    return false;
}

bool FreeTextDialog::RunButton(int buttonId)
{
    switch (buttonId) {
    case id::kTelLink: OnTelLink(); return true;
    case id::kNaviLink: OnNaviLink(); return true;
    case id::kOneSegLink: OnOneSegLink(); return true;
    case ctl::input::kSettings:
    case ctl::input::kConfirm:
        // The frame's handlers call ValidateAll(); settings and confirm of
        // this screen work with an empty text.
        checkText_ = false;
        InputScreenDialog::RunButton(buttonId);
        checkText_ = true;
        return true;
    default: return InputScreenDialog::RunButton(buttonId);
    }
}

void FreeTextDialog::OnTelLink() { AddLink(LinkKind::Tel); }

void FreeTextDialog::OnNaviLink() { AddLink(LinkKind::Navi); }

void FreeTextDialog::OnOneSegLink() { AddLink(LinkKind::OneSeg); }

void FreeTextDialog::AddLink(LinkKind kind)
{
    if (!UpdateData(fw::Exchange::FromControls))
        return;
    const std::optional<std::string> value = host_.AskForLink(kind, this);
    if (!value)
        return;
    AppendLink(text, charset, kind, *value);
    auto* edit = ControlAs<fw::Cp932TextEdit>(id::kText);
    if (!edit)
        return;
    edit->setFocus(Qt::OtherFocusReason);
    UpdateData(fw::Exchange::ToControls);
    if (!host_.State().codeSettings.autoAdjust)
        UpdateGauge();
    // Select all, then drop the selection: the caret at the end, in view.
    edit->selectAll();
    edit->moveCursor(QTextCursor::End);
    edit->ensureCursorVisible();
}

bool FreeTextDialog::PreTranslateMessage(QObject* target, QEvent* event)
{
    if (IsEnter(event) && FocusedControlId() == id::kText) {
        suppressFocusCheck = false;
        return false;  // the text types a line break
    }
    if (event->type() == QEvent::MouseMove) {
        // The link buttons come first in the hover order; the hidden one-seg
        // button takes the focus under the pointer too.
        constexpr int kLinkHoverOrder[] = {id::kTelLink, id::kNaviLink, id::kOneSegLink};
        suppressFocusCheck = true;
        if (FocusButtonAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint(), kLinkHoverOrder) != 0)
            return true;
        suppressFocusCheck = false;
    }
    return InputScreenDialog::PreTranslateMessage(target, event);
}

fw::FileDialogRequest FreeTextDialog::DataFileRequest() const
{
    return {QStringLiteral("フリーテキスト用データファイル(*.fqr)|*.fqr||"), QStringLiteral("fqr"),
            fw::InitialFolder(QStringLiteral("CSV"))};
}

Result<void, DataFileStatus> FreeTextDialog::SaveDataFile(const std::string& path) const
{
    return SaveFreeTextFile(path, text, charset);
}

Result<void, DataFileStatus> FreeTextDialog::OpenDataFile(const std::string& path)
{
    Result<FreeTextEntry, DataFileStatus> opened = OpenFreeTextEntry(path);
    if (!opened)
        return Fail(opened.Error());
    FreeTextEntry entry = std::move(opened).Value();
    text = std::move(entry.text);
    charset = entry.charset;
    return {};
}

bool FreeTextDialog::LosesTrailingBackslash() const { return nubora::LosesTrailingBackslash(text, charset); }

void FreeTextDialog::PlaceCode(const CodeEntry& entry)
{
    text = entry.text;
    charset = entry.charset;
}

}  // namespace nubora

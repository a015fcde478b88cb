#include "nubora/input/link_dialog.h"

#include "nubora/framework/cp932_edit.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/messages.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace nubora {

LinkDialog::LinkDialog(const LinkDialogTemplate& layout, std::string& value)
    : fw::Dialog(layout.templateId), layout_(layout), value_(value)
{
    // A caption bar without a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QString::fromUtf8(layout.title));
}

void LinkDialog::OnInitDialog()
{
    QSize client = Units().ToPixels(QRect(QPoint(0, 0), layout_.size)).size();
    auto* prompt = new QLabel(QString::fromUtf8(layout_.prompt), this);
    // The prompt keeps its place but grows to the width its text takes in
    // the dialog font; the dialog grows only if even that is not enough.
    QRect promptRect = Units().ToPixels(layout_.promptRect);
    promptRect.setWidth(std::max(promptRect.width(), prompt->sizeHint().width()));
    prompt->setGeometry(promptRect);
    client.setWidth(std::max(client.width(), promptRect.right() + 1));
    setFixedSize(client);
    prompt->setBuddy(AddControl(layout_.editId, new fw::Cp932LineEdit(layout_.limitBytes), layout_.editRect));
    SetAccessibleName(layout_.editId, prompt->text());
    auto* insert = AddControl(ctl::kOk, new QPushButton(QStringLiteral("挿入")), layout_.insertRect);
    insert->setDefault(true);
    insert->setAutoDefault(true);
    AddControl(ctl::kCancel, new QPushButton(QStringLiteral("ｷｬﾝｾﾙ")), layout_.cancelRect);
    OnClicked(ctl::kOk, [this] { OnInsert(); });
    OnClicked(ctl::kCancel, [this] { reject(); });
}

void LinkDialog::DoDataExchange(fw::DataExchange& exchange)
{
    exchange.Text(layout_.editId, value_, layout_.limitBytes);
}

void LinkDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnOpen();
    fw::Dialog::showEvent(event);
}

void LinkDialog::OnOpen()
{
    value_.clear();
    UpdateData(fw::Exchange::ToControls);
    if (QWidget* edit = Control(layout_.editId))
        edit->setFocus(Qt::OtherFocusReason);
}

void LinkDialog::accept()
{
    // The default button (Enter) is 挿入.
    OnInsert();
}

void LinkDialog::OnInsert()
{
    if (!UpdateData(fw::Exchange::FromControls) || value_.empty())
        return;
    if (const int message = CheckValue(value_); message != 0) {
        ShowMessage(this, message);
        auto* edit = ControlAs<fw::Cp932LineEdit>(layout_.editId);
        if (edit)
            edit->setFocus(Qt::OtherFocusReason);
        UpdateData(fw::Exchange::ToControls);
        if (edit) {
            edit->deselect();
            edit->setCursorPosition(0);
        }
        return;
    }
    EndDialog(QDialog::Accepted);
}

}  // namespace nubora

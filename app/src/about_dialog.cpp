#include "nubora/app/about_dialog.h"

#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace nubora {

AboutDialog::AboutDialog(QWidget* parent) : fw::Dialog(res::dlg::kAbout, parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void AboutDialog::OnInitDialog()
{
    setWindowTitle(QStringLiteral("ヌボラのﾊﾞｰｼﾞｮﾝ情報"));
    const QRect client = Units().ToPixels(QRect(0, 0, 235, 55));
    SetClientSize(client.width(), client.height());

    constexpr int kIcon = 0xFFFF - 1;  // static controls of the template have no ids of their own
    constexpr int kName = 0xFFFF - 2;
    constexpr int kNote = 0xFFFF - 3;
    auto* icon = AddControl(kIcon, new QLabel, QRect(11, 14, 24, 24));
    const int side = std::min(icon->width(), icon->height());
    icon->setPixmap(QPixmap::fromImage(res::ProgramIconImage(side)));
    icon->setAlignment(Qt::AlignCenter);
    SetAccessibleName(kIcon, res::LoadString(res::str::kCaption));
    AddControl(kName, new QLabel(QStringLiteral("ヌボラ  バージョン %1").arg(QStringLiteral(NUBORA_VERSION))),
               QRect(42, 12, 126, 10));
    AddControl(kNote, new QLabel(QStringLiteral("QRコード作成ソフト")), QRect(42, 28, 126, 10));
    auto* ok = AddControl(ctl::kOk, new QPushButton(QStringLiteral("OK")), QRect(178, 8, 50, 14));
    ok->setDefault(true);
    OnClicked(ctl::kOk, [this] { EndDialog(QDialog::Accepted); });
}

}  // namespace nubora

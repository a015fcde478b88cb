#include "nubora/resources/artwork.h"

#include "artwork_kit.h"
#include "code_view_artwork.h"
#include "menu_artwork.h"
#include "nubora/resources/resource_ids.h"
#include "screen_artwork.h"
#include "text_screen_artwork.h"

#include <QGuiApplication>
#include <QPixmap>

namespace nubora::res {

using art::ButtonLook;
using art::FrameButtonKind;
using art::LinkButtonKind;
using art::MenuButtonKind;

namespace {

// The frame buttons of the input screens by bitmap id.
QImage FrameButtonBitmap(int id, qreal ratio)
{
    const struct {
        ButtonPictures ids;
        FrameButtonKind kind;
    } buttons[] = {
        {{bmp::kCreateCodeNormal, bmp::kCreateCodePressed, bmp::kCreateCodeFocused}, FrameButtonKind::CreateCode},
        {{bmp::kScreenExitNormal, bmp::kScreenExitPressed, bmp::kScreenExitFocused}, FrameButtonKind::Exit},
        {{bmp::kBackToMenuNormal, bmp::kBackToMenuPressed, bmp::kBackToMenuFocused}, FrameButtonKind::BackToMenu},
        {{bmp::kClearInputNormal, bmp::kClearInputPressed, bmp::kClearInputFocused}, FrameButtonKind::ClearInput},
        {{bmp::kSaveInputNormal, bmp::kSaveInputPressed, bmp::kSaveInputFocused}, FrameButtonKind::SaveInput},
        {{bmp::kOpenInputNormal, bmp::kOpenInputPressed, bmp::kOpenInputFocused}, FrameButtonKind::OpenInput},
        {{bmp::kSettingsNormal, bmp::kSettingsPressed, bmp::kSettingsFocused}, FrameButtonKind::Settings},
        {{bmp::kConfirmNormal, bmp::kConfirmPressed, bmp::kConfirmFocused}, FrameButtonKind::Confirm},
    };
    for (const auto& b : buttons) {
        if (id == b.ids.normal)
            return art::FrameButton(b.kind, ButtonLook::Normal, ratio);
        if (id == b.ids.pressed)
            return art::FrameButton(b.kind, ButtonLook::Pressed, ratio);
        if (id == b.ids.focused)
            return art::FrameButton(b.kind, ButtonLook::Focused, ratio);
    }
    return QImage();
}

// The free-text screen's link buttons by bitmap id.
QImage LinkButtonBitmap(int id, qreal ratio)
{
    const struct {
        ButtonPictures ids;
        LinkButtonKind kind;
    } buttons[] = {
        {{bmp::kTelLinkNormal, bmp::kTelLinkPressed, bmp::kTelLinkFocused}, LinkButtonKind::Tel},
        {{bmp::kNaviLinkNormal, bmp::kNaviLinkPressed, bmp::kNaviLinkFocused}, LinkButtonKind::Navi},
        {{bmp::kOneSegLinkNormal, bmp::kOneSegLinkPressed, bmp::kOneSegLinkFocused}, LinkButtonKind::OneSeg},
    };
    for (const auto& b : buttons) {
        if (id == b.ids.normal)
            return art::LinkButton(b.kind, ButtonLook::Normal, ratio);
        if (id == b.ids.pressed)
            return art::LinkButton(b.kind, ButtonLook::Pressed, ratio);
        if (id == b.ids.focused)
            return art::LinkButton(b.kind, ButtonLook::Focused, ratio);
    }
    return QImage();
}

}  // namespace

QImage LoadBitmap(int id, qreal devicePixelRatio)
{
    const qreal r = devicePixelRatio;
    if (QImage codeView = art::CodeViewBitmap(id, r); !codeView.isNull())
        return codeView;
    switch (id) {
    case bmp::kMenuBackground: return art::MenuBackground(r);
    case bmp::kAddressBookNormal: return art::MenuCard(MenuButtonKind::AddressBook, ButtonLook::Normal, r);
    case bmp::kAddressBookPressed: return art::MenuCard(MenuButtonKind::AddressBook, ButtonLook::Pressed, r);
    case bmp::kAddressBookFocused: return art::MenuCard(MenuButtonKind::AddressBook, ButtonLook::Focused, r);
    case bmp::kMailNormal: return art::MenuCard(MenuButtonKind::Mail, ButtonLook::Normal, r);
    case bmp::kMailPressed: return art::MenuCard(MenuButtonKind::Mail, ButtonLook::Pressed, r);
    case bmp::kMailFocused: return art::MenuCard(MenuButtonKind::Mail, ButtonLook::Focused, r);
    case bmp::kFreeTextNormal: return art::MenuCard(MenuButtonKind::FreeText, ButtonLook::Normal, r);
    case bmp::kFreeTextPressed: return art::MenuCard(MenuButtonKind::FreeText, ButtonLook::Pressed, r);
    case bmp::kFreeTextFocused: return art::MenuCard(MenuButtonKind::FreeText, ButtonLook::Focused, r);
    case bmp::kExitNormal: return art::MenuExitButton(ButtonLook::Normal, r);
    case bmp::kExitPressed: return art::MenuExitButton(ButtonLook::Pressed, r);
    case bmp::kExitFocused: return art::MenuExitButton(ButtonLook::Focused, r);
    case bmp::kAddressBookBackground: return art::AddressBookBackground(r);
    case bmp::kMailBackground: return art::MailBackground(r);
    case bmp::kFreeTextBackground: return art::FreeTextBackground(r);
    default: {
        QImage frame = FrameButtonBitmap(id, r);
        return frame.isNull() ? LinkButtonBitmap(id, r) : frame;
    }
    }
}

std::function<QImage(qreal)> BitmapSource(int id)
{
    return [id](qreal devicePixelRatio) { return LoadBitmap(id, devicePixelRatio); };
}

void PaintProgramIcon(QPainter& p, int size)
{
    using namespace art;
    Prepare(p);
    const qreal s = size;
    // A blue tile with a white symbol on it and an orange corner tab.
    QLinearGradient tile(0, 0, s, s);
    tile.setColorAt(0, kBrand);
    tile.setColorAt(1, kBrandDark);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawPath(Rounded(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.2));
    const QRectF plate(s * 0.17, s * 0.17, s * 0.66, s * 0.66);
    p.setBrush(Qt::white);
    p.drawPath(Rounded(plate, s * 0.06));
    const QRectF symbol = plate.adjusted(s * 0.07, s * 0.07, -s * 0.07, -s * 0.07);
    if (size >= 40) {
        DrawSymbolMotif(p, symbol, 21, 128u, kInk, Qt::white);
    } else {
        // Too small for data cells: the three finder patterns alone.
        const qreal m = symbol.width() / 15;
        DrawFinder(p, symbol.topLeft(), m, kInk, Qt::white);
        DrawFinder(p, symbol.topLeft() + QPointF(8 * m, 0), m, kInk, Qt::white);
        DrawFinder(p, symbol.topLeft() + QPointF(0, 8 * m), m, kInk, Qt::white);
        p.setBrush(kAccent);
        p.drawRect(QRectF(symbol.left() + 9 * m, symbol.top() + 9 * m, 5 * m, 5 * m));
    }
    if (size >= 40) {
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(s * 0.8, s * 0.8), s * 0.13, s * 0.13);
        p.setPen(QPen(Qt::white, s * 0.035, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygonF({QPointF(s * 0.74, s * 0.8), QPointF(s * 0.785, s * 0.845), QPointF(s * 0.865, s * 0.76)}));
    }
}

QImage ProgramIconImage(int size)
{
    QImage image = art::NewImage(size, size);
    QPainter p(&image);
    PaintProgramIcon(p, size);
    return image;
}

QIcon LoadProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

QImage ButtonCursorImage(qreal devicePixelRatio)
{
    using namespace art;
    QImage image = NewImage(32, 32, Qt::transparent, devicePixelRatio);
    QPainter p(&image);
    Prepare(p);
    // A pointing hand: the index finger up, the hot spot at its tip.
    QPainterPath hand;
    hand.moveTo(10.5, 3);
    hand.cubicTo(10.5, 1.2, 14.5, 1.2, 14.5, 3);
    hand.lineTo(14.5, 12);
    hand.cubicTo(14.5, 10.4, 18, 10.4, 18, 12.5);
    hand.cubicTo(18, 10.8, 21.5, 10.8, 21.5, 13.2);
    hand.cubicTo(21.5, 11.6, 25, 11.8, 25, 14.2);
    hand.lineTo(25, 21);
    hand.cubicTo(25, 25.5, 22.5, 28.5, 18.5, 28.5);
    hand.lineTo(14.5, 28.5);
    hand.cubicTo(11.5, 28.5, 10, 26.5, 8.5, 24);
    hand.lineTo(4.5, 17.5);
    hand.cubicTo(3.2, 15.4, 5.8, 13.6, 7.4, 15.4);
    hand.lineTo(10.5, 19);
    hand.closeSubpath();
    p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 13.5), QPointF(18, 17.5));
    p.drawLine(QPointF(21.5, 14), QPointF(21.5, 18));
    // A small blue cuff.
    p.setPen(Qt::NoPen);
    p.setBrush(kBrand);
    p.drawPath(Rounded(QRectF(12, 26.8, 11, 3.6), 1.4));
    return image;
}

QCursor LoadButtonCursor(qreal devicePixelRatio)
{
    // The hot spot is in logical pixels, except on X11, where Qt hands it to
    // the server as it is, beside the picture's device pixels.
    const qreal hotSpotScale = QGuiApplication::platformName() == QLatin1String("xcb") ? devicePixelRatio : 1;
    return QCursor(QPixmap::fromImage(ButtonCursorImage(devicePixelRatio)), qRound(12 * hotSpotScale),
                   qRound(2 * hotSpotScale));
}

}  // namespace nubora::res

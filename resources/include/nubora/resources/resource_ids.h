// Numbers of the dialog templates, bitmaps, icon and cursor.
#pragma once

namespace nubora::res {

// Dialog templates.
namespace dlg {
inline constexpr int kAbout = 100;
inline constexpr int kMainMenu = 102;
inline constexpr int kAddressBook = 129;
inline constexpr int kMail = 130;
inline constexpr int kFreeText = 131;
inline constexpr int kCodeView = 132;
inline constexpr int kTelLink = 147;
inline constexpr int kNaviLink = 148;
inline constexpr int kSettings = 196;
inline constexpr int kOneSegLink = 217;
}  // namespace dlg

inline constexpr int kProgramIcon = 128;
inline constexpr int kButtonCursor = 209;

// Bitmaps.
namespace bmp {
// Main menu: background, 500 x 350 pixels.
inline constexpr int kMenuBackground = 139;
// Main menu picture buttons, 131 x 191 pixels: normal, pressed, focused.
inline constexpr int kAddressBookNormal = 163;
inline constexpr int kAddressBookPressed = 165;
inline constexpr int kAddressBookFocused = 164;
inline constexpr int kMailNormal = 166;
inline constexpr int kMailPressed = 168;
inline constexpr int kMailFocused = 167;
inline constexpr int kFreeTextNormal = 169;
inline constexpr int kFreeTextPressed = 171;
inline constexpr int kFreeTextFocused = 170;
// Main menu exit button, 124 x 42 pixels.
inline constexpr int kExitNormal = 174;
inline constexpr int kExitPressed = 173;
inline constexpr int kExitFocused = 175;
// Buttons of the input screens' frame: normal, pressed, focused.
// 126 x 61 pixels.
inline constexpr int kCreateCodeNormal = 142;
inline constexpr int kCreateCodePressed = 149;
inline constexpr int kCreateCodeFocused = 148;
inline constexpr int kScreenExitNormal = 140;
inline constexpr int kScreenExitPressed = 153;
inline constexpr int kScreenExitFocused = 152;
inline constexpr int kBackToMenuNormal = 141;
inline constexpr int kBackToMenuPressed = 151;
inline constexpr int kBackToMenuFocused = 150;
// 75 x 47 pixels.
inline constexpr int kClearInputNormal = 143;
inline constexpr int kClearInputPressed = 156;
inline constexpr int kClearInputFocused = 157;
inline constexpr int kSaveInputNormal = 207;
inline constexpr int kSaveInputPressed = 203;
inline constexpr int kSaveInputFocused = 208;
inline constexpr int kOpenInputNormal = 204;
inline constexpr int kOpenInputPressed = 206;
inline constexpr int kOpenInputFocused = 205;
inline constexpr int kSettingsNormal = 193;
inline constexpr int kSettingsPressed = 195;
inline constexpr int kSettingsFocused = 194;
// 82 x 23 pixels.
inline constexpr int kConfirmNormal = 215;
inline constexpr int kConfirmPressed = 214;
inline constexpr int kConfirmFocused = 216;
// Link buttons of the free-text screen, 82 x 23 pixels.
inline constexpr int kTelLinkNormal = 162;
inline constexpr int kTelLinkPressed = 161;
inline constexpr int kTelLinkFocused = 160;
inline constexpr int kNaviLinkNormal = 185;
inline constexpr int kNaviLinkPressed = 184;
inline constexpr int kNaviLinkFocused = 186;
inline constexpr int kOneSegLinkNormal = 219;
inline constexpr int kOneSegLinkPressed = 221;
inline constexpr int kOneSegLinkFocused = 220;
// Buttons of the code view: normal, pressed, focused (back to the menu and
// exit share the input screens' pictures). 126 x 61 pixels.
inline constexpr int kSaveBmpNormal = 144;
inline constexpr int kSaveBmpPressed = 155;
inline constexpr int kSaveBmpFocused = 154;
inline constexpr int kBackNormal = 212;
inline constexpr int kBackPressed = 213;
inline constexpr int kBackFocused = 211;
// 75 x 47 pixels.
inline constexpr int kCopyNormal = 188;
inline constexpr int kCopyPressed = 190;
inline constexpr int kCopyFocused = 189;
inline constexpr int kPrintNormal = 191;
inline constexpr int kPrintPressed = 187;
inline constexpr int kPrintFocused = 192;
// Screen backgrounds, 600 x 600 pixels.
inline constexpr int kAddressBookBackground = 198;
inline constexpr int kCodeViewBackground = 199;
inline constexpr int kFreeTextBackground = 200;
inline constexpr int kMailBackground = 201;
}  // namespace bmp

// The three pictures of one button.
struct ButtonPictures {
    int normal;
    int pressed;
    int focused;
};

}  // namespace nubora::res

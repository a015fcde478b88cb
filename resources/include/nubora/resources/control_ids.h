// Control ids of the dialog templates. One id may mean different controls on
// different dialogs, so each dialog has its own namespace.
#pragma once

namespace nubora::ctl {

// Standard command buttons.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// Main menu (template 102).
namespace menu {
inline constexpr int kMailButton = 1000;
inline constexpr int kFreeTextButton = 1001;
inline constexpr int kAddressBookButton = 1002;
inline constexpr int kExitButton = 1012;
// Context-menu command that opens the about box.
inline constexpr int kAboutCommand = 0x0010;
}  // namespace menu

// The frame shared by the three input screens (templates 129, 130, 131).
namespace input {
inline constexpr int kCreateCode = 1001;
inline constexpr int kBackToMenu = 1002;
inline constexpr int kClearInput = 1011;
inline constexpr int kExit = 1012;
inline constexpr int kSettings = 1013;
inline constexpr int kSettingsSummary = 1027;
inline constexpr int kOpenInput = 1051;
inline constexpr int kSaveInput = 1054;
inline constexpr int kGauge = 1056;
inline constexpr int kConfirm = 1057;
// The payload form beside the summary, shown when it is not the legacy one.
inline constexpr int kFormSummary = 1071;
}  // namespace input

// Address-book screen (template 129).
namespace addressBook {
inline constexpr int kName = 1003;
inline constexpr int kTel1 = 1004;
inline constexpr int kReading = 1005;
inline constexpr int kTel2 = 1006;
inline constexpr int kMail1 = 1007;
inline constexpr int kMail2 = 1008;
inline constexpr int kAddress = 1009;
inline constexpr int kMemo = 1010;
}  // namespace addressBook

// E-mail screen (template 130).
namespace mail {
inline constexpr int kBody = 1000;
inline constexpr int kTo = 1009;
inline constexpr int kSubject = 1014;
}  // namespace mail

// Free-text screen (template 131).
namespace freeText {
inline constexpr int kText = 1000;
inline constexpr int kTelLink = 1024;
inline constexpr int kNaviLink = 1025;
inline constexpr int kOneSegLink = 1026;
}  // namespace freeText

// Code view (template 132).
namespace codeView {
inline constexpr int kInputSummary = 1004;
inline constexpr int kBack = 1005;
inline constexpr int kSaveBmp = 1006;
inline constexpr int kPrint = 1007;
inline constexpr int kCopy = 1008;
inline constexpr int kExit = 1012;
inline constexpr int kPicture = 1018;
inline constexpr int kInformation = 1027;
inline constexpr int kSymbolNumber = 1043;
inline constexpr int kSymbolSpinner = 1045;
inline constexpr int kBackToMenu = 1058;
// The read-back line and the advice on what readers do with the code.
inline constexpr int kCheckNotes = 1072;
}  // namespace codeView

// Settings dialog (template 196).
namespace settings {
inline constexpr int kAutomatic = 1033;
inline constexpr int kManual = 1034;
inline constexpr int kLevel = 1040;
inline constexpr int kCellSize = 1041;
inline constexpr int kVersion = 1042;
inline constexpr int kSplitCount = 1043;
inline constexpr int kPrintArea = 1044;
inline constexpr int kSplitSpinner = 1045;
// The payload form: 従来形式 or 標準形式.
inline constexpr int kPayloadForm = 1070;
}  // namespace settings

// Link dialogs (templates 147, 148, 217).
namespace links {
inline constexpr int kTelNumber = 1025;
inline constexpr int kNaviAddress = 1009;
inline constexpr int kOneSegParam = 1060;
}  // namespace links

}  // namespace nubora::ctl

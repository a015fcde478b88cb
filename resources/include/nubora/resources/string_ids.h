// Ids of the string table (string_table.h). Texts are loaded by these numbers.
#pragma once

namespace nubora::res::str {

inline constexpr int kAboutMenuItem = 101;
inline constexpr int kExitQuestion = 110;
inline constexpr int kExitDiscardEdits = 111;
inline constexpr int kExitDiscardUnsaved = 112;
inline constexpr int kBackToMenuQuestion = 113;
inline constexpr int kBackToMenuDiscardEdits = 114;
inline constexpr int kClearInputQuestion = 115;
inline constexpr int kAlreadyRunning = 120;
inline constexpr int kBadTelChars = 121;
inline constexpr int kBadMailChars = 122;
inline constexpr int kBadMailToChars = 123;
inline constexpr int kEmptyMailTo = 124;
inline constexpr int kEmptyText = 125;
inline constexpr int kCaption = 126;
inline constexpr int kDataTooLong = 127;
inline constexpr int kEncodeFailed = 128;
inline constexpr int kCopiedToClipboard = 129;
inline constexpr int kFileOpenFailed = 130;
inline constexpr int kFileReadFailed = 131;
inline constexpr int kWrongFileKind = 132;
inline constexpr int kBadReadingChars = 133;
inline constexpr int kCapacityQueryFailed = 134;
inline constexpr int kBackToMenuDiscardUnsaved = 135;
inline constexpr int kSplitImpossible = 136;
inline constexpr int kFileInUse = 137;
inline constexpr int kBadOneSegChars = 138;
inline constexpr int kProTitle = 139;
inline constexpr int kTrailingBackslashQuestion = 140;
inline constexpr int kNoPrinter = 141;
inline constexpr int kReadBackFailed = 142;
inline constexpr int kReadBackPassed = 143;
inline constexpr int kCannotOpenNow = 144;
inline constexpr int kUnencodableChar = 145;
inline constexpr int kReplaceUnsavedQuestion = 146;
inline constexpr int kPictureUnreadable = 147;
inline constexpr int kPictureTooLarge = 148;
inline constexpr int kNoCodeInPicture = 149;
inline constexpr int kDamagedCode = 150;
inline constexpr int kSplitPartsMissing = 151;
inline constexpr int kSplitPartsMismatch = 152;
inline constexpr int kCodeReadFailed = 153;
inline constexpr int kCodeTextUnreadable = 154;
inline constexpr int kUncodedCharRefused = 155;
inline constexpr int kLegacyFormUncodedChars = 156;
// The sheets of labels from a CSV file (CSVから一括作成…).
inline constexpr int kSheetMenuItem = 157;
inline constexpr int kSheetDialogTitle = 158;
inline constexpr int kCsvUnknownColumn = 159;
inline constexpr int kCsvRepeatedColumn = 160;
inline constexpr int kCsvNoKind = 161;
inline constexpr int kCsvRowWidth = 162;
inline constexpr int kCsvBadCharacter = 163;
inline constexpr int kCsvUnreadable = 164;
inline constexpr int kCsvNoRows = 165;
inline constexpr int kSheetCancelled = 166;
inline constexpr int kSheetNothingMade = 167;
inline constexpr int kSheetSaved = 168;
// Opening a code read from a picture in an input screen.
inline constexpr int kCodeFieldsTooLong = 169;
inline constexpr int kChooseCodeQuestion = 170;
inline constexpr int kReadCodeMenuItem = 171;
inline constexpr int kReadCodeButton = 172;
inline constexpr int kClipboardHasNoPicture = 173;
// Reading a code from an area of the screen that the user drags out.
inline constexpr int kReadRegionMenuItem = 174;
inline constexpr int kReadRegionButton = 175;
inline constexpr int kRegionPickerName = 176;
inline constexpr int kScreenGrabUnsupported = 177;
inline constexpr int kScreenGrabFailed = 178;
// Printing sheets of labels from the sheet dialog.
inline constexpr int kSheetPrinted = 179;
inline constexpr int kSheetNothingPrinted = 180;
inline constexpr int kSheetPrinterFailed = 181;
// The paper of the chosen printer (%1) is not the labels' (%2), sizes in mm.
inline constexpr int kSheetPaperMismatch = 182;

}  // namespace nubora::res::str

// The labels that the background pictures paint beside the controls of the
// input screens and the code view, UTF-8 as painted. The pictures draw them
// from here and the screens name their controls with them, so that a screen
// reader says what the picture shows.
#pragma once

#include "nubora/resources/control_ids.h"
#include "nubora/resources/field_names.h"

#include <QRect>

namespace nubora::res::labels {

// An entry field: its control, the label painted left of it, and its
// template rectangle (dialog units), which the label stands level with.
struct FieldLabel {
    int controlId;
    const char* text;
    QRect templateRect;
};

// The entry fields of each input screen, in screen order.
inline constexpr FieldLabel kAddressBookFields[] = {
    {ctl::addressBook::kName, fields::kName, {65, 56, 162, 17}},
    {ctl::addressBook::kReading, fields::kReading, {65, 78, 162, 17}},
    {ctl::addressBook::kTel1, fields::kTel1, {65, 102, 162, 17}},
    {ctl::addressBook::kTel2, fields::kTel2, {65, 126, 162, 17}},
    {ctl::addressBook::kMail1, fields::kMail1, {65, 150, 217, 17}},
    {ctl::addressBook::kMail2, fields::kMail2, {65, 174, 217, 17}},
    {ctl::addressBook::kAddress, fields::kAddress, {65, 198, 217, 17}},
    {ctl::addressBook::kMemo, fields::kMemo, {65, 222, 217, 17}},
};
inline constexpr FieldLabel kMailFields[] = {
    {ctl::mail::kTo, fields::kTo, {65, 56, 217, 17}},
    {ctl::mail::kSubject, fields::kSubject, {65, 78, 217, 17}},
    {ctl::mail::kBody, fields::kBody, {65, 100, 217, 110}},
};
inline constexpr FieldLabel kFreeTextFields[] = {
    {ctl::freeText::kText, fields::kText, {65, 56, 217, 128}},
};

// The settings panel of the input screens: the heading over the summary box
// 1027 and a label level with each of its six lines.
inline constexpr const char* kSettingsHeading = "QRコード設定";
inline constexpr const char* kSummaryLineLabels[] = {"誤り訂正レベル", "セルサイズ",   "バージョン",
                                                     "印刷サイズ",     "コードサイズ", "コード分割数"};
// The capacity gauge 1056 has no label of its own; a screen reader names it so.
inline constexpr const char* kGaugeName = "データ容量";

// The code view: the headings over the picture 1018, the information box
// 1027 and the input summary 1004, a label level with each of the five
// information lines, and the label beside the symbol number 1043.
inline constexpr const char* kPictureHeading = "QRコード";
inline constexpr const char* kInformationHeading = "コード情報";
inline constexpr const char* kInformationLineLabels[] = {"誤り訂正レベル", "セルサイズ", "バージョン", "印刷サイズ",
                                                         "コードサイズ"};
inline constexpr const char* kSymbolNumber = "表示中のコード";
inline constexpr const char* kInputSummaryHeading = "入力データ";

}  // namespace nubora::res::labels

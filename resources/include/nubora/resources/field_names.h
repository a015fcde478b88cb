// The names of the input screens' entry fields as the screens label them
// (UTF-8), without any window: the pictures paint them, screen readers say
// them, and the messages about a code read back name its fields by them.
#pragma once

namespace nubora::res::fields {

inline constexpr const char* kName = "名前";
inline constexpr const char* kReading = "名前(ヨミ)";
inline constexpr const char* kTel1 = "電話番号1";
inline constexpr const char* kTel2 = "電話番号2";
inline constexpr const char* kMail1 = "Eメールアドレス1";
inline constexpr const char* kMail2 = "Eメールアドレス2";
inline constexpr const char* kAddress = "住所";
inline constexpr const char* kMemo = "メモ";
inline constexpr const char* kTo = "宛先";
inline constexpr const char* kSubject = "件名";
inline constexpr const char* kBody = "本文";
inline constexpr const char* kText = "テキスト";

}  // namespace nubora::res::fields

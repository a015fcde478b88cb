#include "nubora/resources/string_texts.h"

#include "nubora/text/cp932.h"

#include <algorithm>
#include <array>

namespace nubora::res {
namespace {

// "\n" in 129 is a line break; its two "%0.2f" are filled by the caller.
constexpr std::array kTable = std::to_array<StringEntry>({
    {101, "ヌボラ のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    {110, "ヌボラを終了します。よろしいですか？"},
    {111, "ヌボラを終了します。編集中のデータは破棄されます。よろしいですか？"},
    {112, "ヌボラを終了します。保存されていないデータは破棄されますがよろしいですか？"},
    {113, "メインメニューへ戻ります。よろしいですか？"},
    {114, "メインメニューへ戻ります。編集中のデータは破棄されます。よろしいですか？"},
    {115, "編集中のデータをクリアします。よろしいですか？"},
    {120, "「ヌボラ」は既に起動しています。"},
    {121, "電話番号に不正な文字が含まれています。"},
    {122, "Eメールアドレスに不正な文字が含まれています。"},
    {123, "宛先に不正な文字が含まれています。"},
    {124, "宛先を入力してください。"},
    {125, "データを入力してください。"},
    {126, "ヌボラ"},
    {127, "処理可能な最大文字列数を超えています。"},
    {128, "QRコードの作成に失敗しました。"},
    {129,
     "QRコードをクリップボードにコピーしました。\nコピーしたQRコードの最適な大きさは\n｢%0.2f×%0.2f｣(単位：mm)です。"},
    {130, "ファイルのオープンに失敗しました。"},
    {131, "ファイルの読み込みに失敗しました。"},
    {132, "専用のデータファイル以外は開けません。"},
    {133, "名前（ヨミ）に不正な文字が含まれています。"},
    {134, "QRコードの格納可能メッセージデータ容量の取得に失敗しました。"},
    {135, "メインメニューへ戻ります。保存されていないデータは破棄されますがよろしいですか？"},
    {136, "指定された分割数でコードを生成することが出来ません。"},
    {137, "他のアプリケーションがファイルを使用中のため開くことが出来ません。"},
    {138, "ワンセグリンク文字列に不正な文字が含まれています。"},
    {139, "ヌボラPro"},
    // A value ending in a single-byte backslash cannot be told from an
    // escaped comma in a data file; the save drops it once the user agrees.
    {140, "半角の「\\」で終わる項目は、末尾の「\\」を除いて保存されます。よろしいですか？"},
    {141, "印刷できるプリンターがありません。プリンターを設定してから印刷してください。"},
    // Every code is read back before it is shown; 142 when that fails, 143
    // beside the symbol when it passed.
    {142, "作成したQRコードを読み取って確認できなかったため、表示しません。設定を変えてもう一度お試しください。"},
    {143, "読み取り確認済み"},
    // A data file handed to the program while the code view or a dialog is
    // up. The code view closes only by its 戻る and メインへ buttons.
    {144, "コード表示画面は「戻る」か「メインへ」で離れ、ダイアログは閉じてから、もう一度ファイルを開いてください。"},
    // A NUL byte (from an opened data file, say) would end the payload early;
    // "%d" is the position of that character in its field.
    {145, "%d 文字目にQRコードに入れられない制御文字（NUL）があります。削除してください。"},
    // A data file handed to the program for a screen whose input is not
    // saved; %1 is the file's name.
    {146, "入力中のデータは保存されていません。「%1」を開いて置き換えますか？"},
    // Reading existing codes back from pictures. In 151, %1 names the missing
    // parts of a split as "2/4 と 4/4".
    {147, "画像として読み込めないファイルです。"},
    {148, "画像が大きすぎるため読み込めません。"},
    {149, "画像の中にQRコードが見つかりません。"},
    {150, "QRコードが見つかりましたが、傷んでいるため読み取れません。"},
    {151, "分割されたQRコードのうち %1 が見つかりません。"},
    {152, "分割されたQRコードの組み合わせが正しくありません。同じコードの部分だけを読み込んでください。"},
    {153, "QRコードの読み取りに失敗しました。"},
    {154, "QRコードの内容に、文字として読めないデータ（NULなど）が含まれています。"},
    // A field of the legacy form refuses a character without a Shift_JIS
    // code; told once per field. %1 names the characters.
    {155, "%1はShift_JISにない文字のため、従来形式では入力できません。設定で形式を標準形式にすると入力できます。"},
    // Creating a code in the legacy form from input holding such characters
    // (typed in the standard form); %1 names them. Nothing typed is lost.
    {156, "%1はShift_JISにない文字のため、従来形式のQRコードに入れられません。標準形式にするか削除してください。"},
    {157, "CSVから一括作成…"},
    {158, "CSVから一括作成"},
    {159, "CSVの見出しに、使えない列「%1」があります。"},
    {160, "CSVの見出しに、列「%1」が二つあります。"},
    {161,
     "CSVの見出しからデータの種類がわかりません。先頭の列を name（アドレス帳）、to（Eメール）または "
     "text（フリーテキスト）にしてください。"},
    {162, "項目が %1 個あり、見出しの %2 個と合いません。"},
    {163, "%1: Shift_JIS で表せない文字があるか、UTF-8 のテキストではありません。"},
    {164, "CSVの %1 行目が正しく読めません。"},
    {165, "CSVに見出しの次の行がありません。"},
    {166, "中止しました。ファイルは保存していません。"},
    {167, "1枚目のラベルも作れませんでした。作れなかった行の一覧をご覧ください。"},
    {168, "%1 枚のラベルを保存しました。"},
    // Opening a code read from a picture. In 169, %1 names the fields and %2
    // the field that took their text (メモ or 本文), itself named when it grew
    // past its limit.
    {169, "入力欄に入りきらない項目があります（%1）。内容は切らずに「%2」に入れました。確認してください。"},
    {170, "画像に複数のQRコードがあります。開くコードを選んでください。"},
    {171, "QRコードを読み込む(&R)..."},
    {172, "QRコード読込"},
    {173, "クリップボードに画像も画像ファイルもありません。"},
    {174, "画面から読み込む(&S)..."},
    {175, "画面から読込"},
    {176, "QRコードのある範囲をドラッグしてください（Esc・右クリックで中止）"},
    {177,
     "この画面環境（Wayland）では、ほかのウィンドウの内容を読み取ることが許されていません。"
     "スクリーンショットを撮ってから、Ctrl+Vで貼り付けるか、画像ファイルとして開いてください。"},
    {178,
     "画面の画像を取得できませんでした。"
     "スクリーンショットを撮ってから、Ctrl+Vで貼り付けるか、画像ファイルとして開いてください。"},
    // Printing sheets of labels.
    {179, "%1 枚のラベルを印刷しました。"},
    {180, "中止しました。何も印刷していません。"},
    {181, "プリンターに印刷できませんでした。プリンターの状態を確かめてください。"},
    {182,
     "プリンターの用紙（%1 mm）がラベルの用紙（%2 mm）と違うため、印刷しませんでした。"
     "印刷ダイアログで用紙を %2 mm にしてください。"},
});

}  // namespace

std::span<const StringEntry> StringTable() { return kTable; }

std::string_view StringText(int id)
{
    const auto it = std::ranges::find(kTable, id, &StringEntry::id);
    return it == kTable.end() ? std::string_view() : std::string_view(it->utf8);
}

std::string FilledStringText(int id, std::initializer_list<std::string_view> values)
{
    std::string text(StringText(id));
    int number = 0;
    for (const std::string_view value : values) {
        const std::string mark = "%" + std::to_string(++number);
        if (const size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), value);
    }
    return text;
}

std::string LoadStringBytes(int id)
{
    // Every text of the table has a CP932 code (checked by the tests).
    return text::Utf8ToCp932(StringText(id)).value_or(std::string());
}

}  // namespace nubora::res

// Reading codes back from pictures for the main menu: the pictures decoded
// on a worker thread while the window stays painted, with a busy cursor,
// and the one code to open chosen.
#pragma once

#include "nubora/logic/code_reader.h"
#include "nubora/logic/result.h"

#include <QImage>
#include <QStringList>

#include <optional>
#include <vector>

class QMimeData;
class QWidget;

namespace nubora {

// Where codes are read from: picture files (the parts of a split may lie in
// several), or one picture in memory.
struct CodeSource {
    QStringList paths;  // local files; empty when `picture` is used
    QImage picture;     // used when `paths` is empty
};

// True when the extension of `path` (in any case) names a picture format
// that Qt reads, or PDF.
bool IsPictureName(const QString& path);

// The source that `data` (the clipboard, a drop) holds: its local files, or
// else its picture; nothing when it holds neither.
std::optional<CodeSource> CodeSourceOf(const QMimeData& data);

// Every whole code of `source`, read on a worker thread: meanwhile the
// windows are painted but take no input, and the cursor is busy. Fails as
// ReadCodesInFiles (or FindSymbols and JoinCodes for a picture) does.
Result<std::vector<ReadCode>, ReadFailure> ReadCodesOffThread(const CodeSource& source);

// The index of the code to open among `codes` (two or more): asks over
// `over` with the start of each text (kChooseCodeQuestion); nothing when the
// user cancels. One code needs no question: 0.
std::optional<std::size_t> ChooseCode(const std::vector<ReadCode>& codes, QWidget* over);

}  // namespace nubora

// Reading codes back from pictures for the main menu: the pictures decoded
// on a worker thread while the window stays painted, with a busy cursor and
// Esc to cancel, and the one code to open chosen.
#pragma once

#include "nubora/logic/code_reader.h"
#include "nubora/logic/result.h"

#include <QImage>
#include <QStringList>

#include <optional>
#include <variant>
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

// The user cancelled a reading with Esc or by closing a window: nothing to
// report and nothing to open.
struct ReadCancelled {};

// Why ReadCodesOffThread gave no codes: the reading's own failure, or the
// user's cancel.
using OffThreadFailure = std::variant<ReadFailure, ReadCancelled>;

// True when `failure` is the user's cancel.
bool IsCancelled(const OffThreadFailure& failure);

// Every whole code of `source`, read on a worker thread: meanwhile the
// windows are painted and the cursor is busy. Esc, or a request to close a
// window, cancels: the call returns ReadCancelled at once, while the worker
// (which the decoder cannot interrupt) finishes on its own, stops before its
// next picture file, and its result is dropped. Every other click and key
// meanwhile is ignored. Fails as ReadCodesInFiles (or FindSymbols and
// JoinCodes for a picture) does.
Result<std::vector<ReadCode>, OffThreadFailure> ReadCodesOffThread(const CodeSource& source);

// Blocks until every worker left running by a cancel has ended, and frees
// them. Also runs by itself when the application object is destroyed, so
// that no worker outlives it.
void WaitForCancelledReadings();

// The index of the code to open among `codes` (two or more): asks over
// `over` with the start of each text (kChooseCodeQuestion); nothing when the
// user cancels. One code needs no question: 0.
std::optional<std::size_t> ChooseCode(const std::vector<ReadCode>& codes, QWidget* over);

}  // namespace nubora

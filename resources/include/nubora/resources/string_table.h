// The program's string table: every message and title, keyed by string id
// (string_ids.h). The texts are held as Unicode; StringBytes gives them in
// the program's character set, Shift-JIS (CP932).
#pragma once

#include <QString>

#include <span>
#include <string>

namespace nubora::res {

struct StringEntry {
    int id;
    const char* utf8;  // the text, UTF-8 encoded
};

// Every entry of the table, in ascending id order.
std::span<const StringEntry> StringTable();

// The text of string `id`; empty for an id the table does not hold.
QString LoadString(int id);

// The text of string `id` as CP932 bytes; empty for an unknown id.
std::string LoadStringBytes(int id);

}  // namespace nubora::res

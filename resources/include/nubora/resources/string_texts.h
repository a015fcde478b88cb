// The texts of the program's string table without any window: every message
// and title by string id (string_ids.h), as UTF-8 and as the program's
// character set, Shift-JIS (CP932). string_table.h adds them as QString.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace nubora::res {

struct StringEntry {
    int id;
    const char* utf8;  // the text, UTF-8 encoded
};

// Every entry of the table, in ascending id order.
std::span<const StringEntry> StringTable();

// The text of string `id` as UTF-8; empty for an id the table does not hold.
std::string_view StringText(int id);

// The text of string `id` as UTF-8 with its first "%1" replaced by the first
// of `values`, its first "%2" by the second, and so on; marks without a value
// stay as they are.
std::string FilledStringText(int id, std::initializer_list<std::string_view> values);

// The text of string `id` as CP932 bytes; empty for an unknown id.
std::string LoadStringBytes(int id);

}  // namespace nubora::res

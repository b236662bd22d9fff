#pragma once

#include <string>
#include <string_view>

// Decodes a DVB text field (EN 300 468 Annex A) to UTF-8 for display: an optional leading
// character-table selector picks the table, no selector means the default Latin table. Control
// codes are dropped; bytes a table cannot map become U+FFFD. Stored bytes are never changed:
// sorting and comparing stay on the raw bytes.
std::string DecodeDvbText(std::string_view bytes);

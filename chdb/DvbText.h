#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Decodes a DVB text field (EN 300 468 Annex A) to UTF-8 for display: an optional leading
// character-table selector picks the table, no selector means the default Latin table. Control
// codes are dropped; bytes a table cannot map become U+FFFD. Stored bytes are never changed:
// sorting and comparing stay on the raw bytes.
std::string DecodeDvbText(std::string_view bytes);

// The way back for text typed on the PC: encodes UTF-8 into the character table that
// `selector` names (0: the default table; the selector byte itself is not written). Text for
// the default table is expected decomposed, each letter followed by its combining mark, as
// DecodeDvbText gives it. Empty when a character has no code in that table, so that a typed
// name is never stored in a table the box would show it in wrongly.
std::optional<std::string> EncodeDvbText(std::string_view utf8, std::uint8_t selector);

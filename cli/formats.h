// Quoting for the machine-readable output forms.
#pragma once

#include <string>
#include <string_view>

namespace kestrum {

// Appends a CSV field: as it stands, or in double quotes with inner quotes
// doubled when it holds a comma, a quote, a carriage return or a line feed.
void appendCsvField(std::string& out, std::string_view field);

// Appends a JSON string literal. Valid UTF-8 passes through; control
// characters, quotes and backslashes are escaped, and a byte that is not part
// of valid UTF-8 (paths are bytes) is written as the code point of the same
// value, so the output is always valid JSON.
void appendJsonString(std::string& out, std::string_view text);

} // namespace kestrum

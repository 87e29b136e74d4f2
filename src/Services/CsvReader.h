// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Models/Result.h"

// Comma-separated text as RFC 4180 writes it: fields in double quotes may hold commas,
// doubled quotes and line breaks; records end with CRLF or LF. Stateless.
namespace CsvReader {

// One record of fields, and the line of the text it starts on (from 1).
struct Record {
    std::vector<std::string> fields;
    std::size_t line = 0;
};

// The records of `text`, fields exactly as written (spaces kept, quotes removed, doubled
// quotes made single); a UTF-8 byte order mark before the first field is dropped and a line
// break after the last record ends it. invalidValue, naming the line, for a quote inside an
// unquoted field, text after a closing quote, or a quote left open.
Result<std::vector<Record>> parse(std::string_view text);

}  // namespace CsvReader

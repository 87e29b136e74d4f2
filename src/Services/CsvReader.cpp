// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/CsvReader.h"

namespace CsvReader {

Result<std::vector<Record>> parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    const auto failure = [](std::size_t line, const std::string& what) {
        return Error{Error::Code::invalidValue, "line " + std::to_string(line) + ": " + what};
    };
    std::vector<Record> records;
    Record record;
    std::string field;
    std::size_t line = 1;
    record.line = 1;
    std::size_t i = 0;
    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record = {};
        record.line = line;
    };
    while (i < text.size()) {
        if (text[i] == '"' && field.empty()) {
            const std::size_t opened = line;
            ++i;
            for (;;) {
                if (i == text.size()) {
                    return failure(opened, "a quoted field is not closed");
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') {
                    ++line;
                }
                field.push_back(text[i++]);
            }
            // After the closing quote: a separator, a line break or the end.
            if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
                !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                return failure(line, "text after a closing quote");
            }
            if (i == text.size()) {
                break;
            }
        }
        const char c = text[i];
        if (c == ',') {
            endField();
            ++i;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += c == '\r' ? 2 : 1;
            ++line;
            endRecord();
        } else if (c == '"') {
            return failure(line, "a quote inside a field that does not start with one");
        } else {
            field.push_back(c);
            ++i;
        }
    }
    // Text after the last line break is a last record.
    if (!field.empty() || !record.fields.empty() || (!text.empty() && text.back() == '"')) {
        endField();
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace CsvReader

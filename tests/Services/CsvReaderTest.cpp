// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Services/CsvReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CsvRow {
    const char* name;
    std::string text;
    std::vector<std::vector<std::string>> records;  // empty with `error` set
    std::string error;
    std::vector<std::size_t> lines = {};  // the line each record starts on, when checked
};

class CsvReaderTest : public ::testing::TestWithParam<CsvRow> {};

TEST_P(CsvReaderTest, ReadsRecordsExactly) {
    const CsvRow& row = GetParam();
    const auto result = CsvReader::parse(row.text);
    if (!row.error.empty()) {
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().detail, row.error);
        return;
    }
    ASSERT_TRUE(result.ok()) << result.error().detail;
    std::vector<std::vector<std::string>> records;
    std::vector<std::size_t> lines;
    for (const auto& record : *result) {
        records.push_back(record.fields);
        lines.push_back(record.line);
    }
    EXPECT_EQ(records, row.records);
    if (!row.lines.empty()) {
        EXPECT_EQ(lines, row.lines);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , CsvReaderTest,
    ::testing::Values(
        CsvRow{"Plain", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}, ""},
        CsvRow{"NoFinalLineBreak", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}, ""},
        CsvRow{"SpacesKept", " a , b \n", {{" a ", " b "}}, ""},
        CsvRow{
            "QuotesCommasDoubledQuotes", "\"a,1\",\"say \"\"x\"\"\"\n", {{"a,1", "say \"x\""}}, ""},
        CsvRow{"LineBreaksInQuotes",
               "\"one\r\ntwo\",x\ny,z\n",
               {{"one\r\ntwo", "x"}, {"y", "z"}},
               "",
               {1, 3}},
        CsvRow{"EmptyFields", ",\"\"\n\"\",\n", {{"", ""}, {"", ""}}, ""},
        CsvRow{"ByteOrderMarkDropped", "\xEF\xBB\xBFpath,new name\n", {{"path", "new name"}}, ""},
        CsvRow{"LoneCarriageReturnKept", "a\rb,c\n", {{"a\rb", "c"}}, ""},
        CsvRow{"QuoteInsideUnquoted",
               "ab\"c\",d\n",
               {},
               "line 1: a quote inside a field that does not start with one"},
        CsvRow{"TextAfterClosingQuote", "x\n\"a\"b,c\n", {}, "line 2: text after a closing quote"},
        CsvRow{"QuoteLeftOpen", "x\n\"a,\nb\n", {}, "line 2: a quoted field is not closed"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace

// Tables of terms as spreadsheets and the program itself write them, read
// back as series, and the faults of tables that are no series.

#include "core/numbertext.h"
#include "core/termtable.h"
#include "core/waveforms.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Kind = tavelo::TableFault::Kind;

std::string tableFile(const std::string& name)
{
    std::ifstream file(std::string(TAVELO_TERMTABLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct GoodTable {
    const char* file;
    std::vector<double> A; // terms 1..k
    std::vector<double> Fi;
};

TEST(TermTable, ReadsTheNumbersATableShows)
{
    const GoodTable tables[] = {
        {"calc-ru.txt", {1, 0, 0.333333, 0, 0.2}, {0, 0, 0, 0, 0.5}},
        {"csv-ru.csv", {1, 0.5, -0.25}, {0, 1, 0.15}},
        {"own-copy.txt", {1, 0.5, 0.333333333333333}, {0, 1, 0}},
        {"one-column.txt", {1, 0.5, 0.25}, {0, 0, 0}},
    };
    for (const GoodTable& expected : tables) {
        SCOPED_TRACE(expected.file);
        const auto read = tavelo::readTermTable(tableFile(expected.file));
        ASSERT_TRUE(std::holds_alternative<tavelo::TermTable>(read));
        const tavelo::TermTable& table = std::get<tavelo::TermTable>(read);
        EXPECT_EQ(std::vector<double>(table.A.begin() + 1, table.A.end()), expected.A);
        EXPECT_EQ(std::vector<double>(table.Fi.begin() + 1, table.Fi.end()), expected.Fi);
    }
    const auto full = tavelo::readTermTable(tableFile("250-rows.txt"));
    ASSERT_TRUE(std::holds_alternative<tavelo::TermTable>(full));
    EXPECT_EQ(std::get<tavelo::TermTable>(full).A.size(), 251u);
}

struct BadTable {
    std::string text; // a file's name, or the text itself
    Kind kind;
    int row;
    int cell;
    std::string cellText;
};

TEST(TermTable, NamesTheFirstFaultyRowAndCell)
{
    const BadTable tables[] = {
        {"bad-cell.txt", Kind::NotANumber, 3, 1, "1,5x"},
        {"three-cells.txt", Kind::TooManyCells, 1, 0, ""},
        {"blank-row.txt", Kind::EmptyCell, 3, 1, ""},
        {"out-of-range.txt", Kind::OutOfRange, 1, 2, "1e999"},
        {"header-only.txt", Kind::NoRows, 0, 0, ""},
        {"251-rows.txt", Kind::TooManyRows, 251, 0, ""},
        {"", Kind::NoText, 0, 0, ""},
        {"1\t\n", Kind::EmptyCell, 1, 2, ""},
        {"1\t1,2,3\n", Kind::NotANumber, 1, 2, "1,2,3"},
        // A first row without a number is a header: these faults come after one.
        {"1\n0x10\n", Kind::NotANumber, 2, 1, "0x10"},
        {"1\n1e\n", Kind::NotANumber, 2, 1, "1e"},
        {"1\n&H10\n", Kind::NotANumber, 2, 1, "&H10"},
        {"1\n1 000\n", Kind::NotANumber, 2, 1, "1 000"},
        {"A\n", Kind::NoRows, 0, 0, ""},
        {"2\nabc\n", Kind::NotANumber, 2, 1, "abc"},
    };
    for (const BadTable& expected : tables) {
        SCOPED_TRACE(expected.text);
        const bool isFile = expected.text.find('.') != std::string::npos;
        const auto read = tavelo::readTermTable(isFile ? tableFile(expected.text) : expected.text);
        ASSERT_TRUE(std::holds_alternative<tavelo::TableFault>(read));
        const tavelo::TableFault& fault = std::get<tavelo::TableFault>(read);
        EXPECT_EQ(fault.kind, expected.kind);
        EXPECT_EQ(fault.row, expected.row);
        EXPECT_EQ(fault.cell, expected.cell);
        EXPECT_EQ(fault.text, expected.cellText);
    }
}

// The fields after a paste hold what the program writes; its copy of them
// pastes back as the same texts, for the classic waveforms and for random fields.
TEST(TermTable, OwnCopyPastesBackTheSameTexts)
{
    std::mt19937 random(7);
    std::vector<std::vector<std::string>> series;
    for (const tavelo::WaveformDefinition& definition : tavelo::classicWaveforms()) {
        std::vector<std::string> texts;
        for (int n = 1; n <= 250; ++n)
            texts.push_back(tavelo::RealToText(definition.amplitude(n), '.'));
        series.push_back(texts);
    }
    for (int i = 0; i < 20; ++i) {
        std::vector<std::string> texts;
        std::uniform_real_distribution<double> exponent(-30, 30);
        for (int n = 1; n <= 1 + i * 12; ++n)
            texts.push_back(tavelo::RealToText((random() % 2 ? 1 : -1) * std::pow(10.0, exponent(random)), '.'));
        series.push_back(texts);
    }
    for (const std::vector<std::string>& amplitudes : series) {
        const std::vector<std::string> phases(amplitudes.rbegin(), amplitudes.rend());
        const auto read = tavelo::readTermTable(tavelo::termTableText("Амплитуда\tФаза", amplitudes, phases));
        ASSERT_TRUE(std::holds_alternative<tavelo::TermTable>(read));
        const tavelo::TermTable& table = std::get<tavelo::TermTable>(read);
        ASSERT_EQ(table.A.size(), amplitudes.size() + 1);
        for (std::size_t n = 0; n < amplitudes.size(); ++n) {
            ASSERT_EQ(tavelo::RealToText(table.A[n + 1], '.'), amplitudes[n]);
            ASSERT_EQ(tavelo::RealToText(table.Fi[n + 1], '.'), phases[n]);
        }
    }
    // A field the table would read otherwise is copied as the value it holds.
    const std::vector<std::string> typed = {"1,5", "abc", "", " 0.5 ", "&H10", "2\t3"};
    const std::vector<std::string> zeros(typed.size(), "0");
    // Blanks anywhere in a field are ignored: "2\t3" holds 23.
    EXPECT_EQ(tavelo::termTableText("H", typed, zeros), "H\n1\t0\n0\t0\n0\t0\n 0.5 \t0\n16\t0\n23\t0\n");
}

} // namespace

TEST(TermTableSylk, GivesEveryValueAsTheNumberItsFieldHolds)
{
    const std::vector<std::string> amplitudes{"0.5", "1,5", "1e-3", "0.1", "1e400", "-0"};
    const std::vector<std::string> phases{"0", "2", "0.333333333333333", "abc", "1", "&HFF"};
    const std::string sylk = tavelo::termTableSylk("A; \"м\"\tFi", amplitudes, phases);
    EXPECT_EQ(sylk, "ID;PTAVELO\r\n"
                    "C;X1;Y1;K\"A;; \"\"м\"\"\"\r\n"
                    "C;X2;Y1;K\"Fi\"\r\n"
                    "C;X1;Y2;K0.5\r\nC;X2;Y2;K0\r\n"
                    "C;X1;Y3;K1\r\nC;X2;Y3;K2\r\n"          // a field "1,5" holds 1
                    "C;X1;Y4;K0.001\r\nC;X2;Y4;K0.333333333333333\r\n"
                    "C;X1;Y5;K0.1\r\nC;X2;Y5;K0\r\n"        // "abc" holds 0
                    "C;X1;Y6;K1.7976931348623157e+308\r\nC;X2;Y6;K1\r\n" // the largest double
                    "C;X1;Y7;K-0\r\nC;X2;Y7;K255\r\n"
                    "E\r\n");
}

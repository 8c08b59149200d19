#include "core/plotvalues.h"

#include "core/limitshape.h"
#include "core/plotparts.h"

#include <algorithm>
#include <charconv>

namespace tavelo {

namespace {

class NoCanvas : public PlotCanvas {
public:
    void firstPoint(float, float) override {}
    void nextPoint(const PlotColumn&) override {}
};

class RowCollector : public ColumnObserver {
public:
    RowCollector(const HarmonicParams& params, double W, PlotValueTable& table, const Shape* shape)
        : m_params(params)
        , m_W(W)
        , m_table(table)
        , m_shape(shape)
    {
    }

    bool wantsTerms() const override { return !m_table.terms.empty(); }

    void pointComputed(double x, double f, std::span<const double> terms) override
    {
        std::vector<double> row{(x * m_params.P) / m_W, f};
        for (const int n : m_table.terms)
            row.push_back(std::size_t(n) < terms.size() ? terms[std::size_t(n)] : 0.0);
        if (m_shape)
            row.push_back(shapeAt(m_shape->samples, fundamentalTimeAngle(m_params, x, m_W)));
        else if (m_table.limit)
            row.push_back(limitShape(*m_table.limit, fundamentalAngle(m_params, x, m_W), m_params.sinBasis));
        m_table.rows.push_back(std::move(row));
    }

private:
    const HarmonicParams& m_params;
    double m_W;
    PlotValueTable& m_table;
    const Shape* m_shape;
};

std::string numberText(double value, char decimalMark)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string number(buffer, result.ptr);
    std::replace(number.begin(), number.end(), '.', decimalMark);
    return number;
}

} // namespace

PlotValueTable plotValueTable(const HarmonicParams& params, double W, const PlotChoice& choice)
{
    PlotValueTable table;
    if (choice.terms) {
        for (std::size_t n = 1; n < params.A.size() && double(n) <= params.N; ++n) {
            if (params.A[n] != 0)
                table.terms.push_back(int(n));
        }
    }
    table.target = choice.limit && choice.shape;
    if (choice.limit && !choice.shape)
        table.limit = recognizeWaveform(params, choice.lastWaveform);
    RowCollector collector(params, W, table, table.target ? choice.shape.get() : nullptr);
    ColumnObserver* observers[] = {&collector};
    NoCanvas canvas;
    DrawColumns(params, W, 1, canvas, [](double) { return true; }, observers);
    return table;
}

std::string plotValueText(const PlotValueTable& table, const std::vector<std::string>& header, char separator,
                          char decimalMark)
{
    std::string text;
    const auto appendCell = [&text](const std::string& cell, bool first, char separator) {
        if (!first)
            text += separator;
        // Spreadsheets split at commas and semicolons alike unless told
        // otherwise: a cell that holds either is quoted, a decimal comma too.
        if (cell.find_first_of(",;\"") == std::string::npos) {
            text += cell;
            return;
        }
        text += '"';
        for (const char c : cell)
            text += c == '"' ? std::string("\"\"") : std::string(1, c);
        text += '"';
    };
    for (std::size_t i = 0; i < header.size(); ++i)
        appendCell(header[i], i == 0, separator);
    text += "\r\n";
    for (const std::vector<double>& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            appendCell(numberText(row[i], decimalMark), i == 0, separator);
        text += "\r\n";
    }
    return text;
}

} // namespace tavelo

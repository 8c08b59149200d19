#include "ui/operations/sumoperations.h"

#include "core/numbertext.h"
#include "core/series.h"
#include "core/shape.h"
#include "core/shapeanalysis.h"
#include "core/sumoperations.h"
#include "core/termcount.h"
#include "ui/series/seriesmodel.h"
#include "ui/terms/termwriter.h"
#include "ui/widgets/fieldtext.h"
#include "ui/widgets/messages.h"

#include <QInputDialog>

#include <algorithm>
#include <cmath>

namespace {

bool isExact(SumOperation operation)
{
    return operation == SumOperation::Invert || operation == SumOperation::ReverseTime
           || operation == SumOperation::KeepOdd || operation == SumOperation::KeepEven;
}

bool hasNonZero(const std::vector<double>& A, std::size_t N, bool odd)
{
    for (std::size_t n = odd ? 1 : 2; n <= N && n < A.size(); n += 2) {
        if (A[n] != 0)
            return true;
    }
    return false;
}

// Why no operation applies to a sum with these samples; empty when one may.
QString sumRefusal(const std::vector<double>& samples)
{
    if (!std::all_of(samples.begin(), samples.end(), [](double v) { return std::isfinite(v); }))
        return uncomputableSumRefusal();
    if (tavelo::largestMagnitude(samples) == 0)
        return zeroSumRefusal();
    return {};
}

double numberFromText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return tavelo::NumberFromText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace

SumOperations::SumOperations(SeriesModel* model, TermWriter* writer, QWidget* window, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_writer(writer)
    , m_window(window)
{
}

void SumOperations::choose(SumOperation operation)
{
    double value = 0;
    if (!operationQuestion(operation, 0).isEmpty()) {
        // Nothing is asked of a sum that no operation applies to.
        const std::vector<double> samples = tavelo::tabledPeriodSamples(m_model->read(), tavelo::kOperationSamples);
        if (const QString refusal = sumRefusal(samples); !refusal.isEmpty()) {
            showMessage(QMessageBox::Information, refusal, m_window);
            return;
        }
        const std::optional<double> answer = ask(operation, tavelo::largestMagnitude(samples));
        if (!answer)
            return;
        value = *answer;
    }
    if (const QString refusal = apply(operation, value); !refusal.isEmpty())
        showMessage(QMessageBox::Information, refusal, m_window);
}

std::optional<double> SumOperations::ask(SumOperation operation, double largest)
{
    QString offered;
    switch (operation) {
    case SumOperation::Clip:
        offered = RealToText(tavelo::RoundedToSignificant(largest / 2, 3));
        break;
    case SumOperation::Quantize:
        offered = WholeToText(m_levels);
        break;
    default:
        offered = WholeToText(m_holdSamples);
        break;
    }
    QInputDialog dialog(m_window);
    QString title = operationTitle(operation);
    title.chop(1); // the item's ellipsis
    dialog.setWindowTitle(title);
    dialog.setLabelText(operationQuestion(operation, largest));
    dialog.setTextValue(offered);
    dialog.setOkButtonText(QStringLiteral("ОК"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return numberFromText(dialog.textValue());
}

QString SumOperations::apply(SumOperation operation, double value)
{
    const std::vector<double> samples = tavelo::tabledPeriodSamples(m_model->read(), tavelo::kOperationSamples);
    if (const QString refusal = sumRefusal(samples); !refusal.isEmpty())
        return refusal;
    const double largest = tavelo::largestMagnitude(samples);
    return isExact(operation) ? applyToTerms(operation) : applyToShape(operation, value, samples, largest);
}

QString SumOperations::applyToTerms(SumOperation operation)
{
    // Every field, those beyond N too, so that raising N later adds terms
    // of the same result.
    std::vector<double> A(std::size_t(tavelo::kMaxTerms) + 1, 0.0);
    std::vector<double> Fi(A.size(), 0.0);
    for (int n = 1; n <= tavelo::kMaxTerms; ++n) {
        A[std::size_t(n)] = m_model->amplitude(n);
        Fi[std::size_t(n)] = m_model->phase(n);
    }
    const bool sinBasis = m_model->sinBasis();
    switch (operation) {
    case SumOperation::Invert:
        tavelo::invertPhases(Fi);
        break;
    case SumOperation::ReverseTime:
        tavelo::reversePhases(Fi, sinBasis);
        break;
    default: {
        const bool odd = operation == SumOperation::KeepOdd;
        const auto N = static_cast<std::size_t>(m_model->termCount());
        if (!hasNonZero(A, N, odd))
            return parityRefusal(odd, true);
        if (!hasNonZero(A, N, !odd))
            return parityRefusal(odd, false);
        tavelo::keepParity(A, odd);
        break;
    }
    }
    tavelo::HarmonicParams result = m_model->read();
    std::copy_n(A.begin(), result.A.size(), result.A.begin());
    std::copy_n(Fi.begin(), result.Fi.size(), result.Fi.begin());
    tavelo::Shape shape{tavelo::tabledPeriodSamples(result, tavelo::kOperationSamples)};
    tavelo::ShapeTerms terms{.A = std::move(A), .Fi = std::move(Fi)};
    const auto [lowest, highest] = std::minmax_element(shape.samples.begin(), shape.samples.end());
    terms.lowest = *lowest;
    terms.highest = *highest;
    const ShapeSource source{ShapeSource::Kind::Operation, tavelo::kOperationSamples, std::nullopt,
                             {operationNote(operation, 0)}};
    m_writer->writeOperationResult(operationStepName(operation, 0), shape, terms, source, true);
    return {};
}

QString SumOperations::applyToShape(SumOperation operation, double value, const std::vector<double>& samples,
                                    double largest)
{
    tavelo::Shape result;
    switch (operation) {
    case SumOperation::HalfWaveRectify:
        result.samples = tavelo::halfWaveRectified(samples);
        break;
    case SumOperation::FullWaveRectify:
        result.samples = tavelo::fullWaveRectified(samples);
        break;
    case SumOperation::Clip:
        if (!(value > 0) || value >= largest)
            return clipLevelRefusal(value, largest);
        result.samples = tavelo::clipped(samples, value);
        break;
    case SumOperation::Quantize:
        if (value != std::floor(value) || value < tavelo::kMinQuantizeLevels || value > tavelo::kMaxQuantizeLevels)
            return wholeNumberRefusal(operation, tavelo::kMinQuantizeLevels, tavelo::kMaxQuantizeLevels);
        m_levels = static_cast<int>(value);
        result.samples = tavelo::quantized(samples, m_levels);
        break;
    default:
        if (value != std::floor(value) || value < tavelo::kMinHoldSamples || value > tavelo::kMaxHoldSamples)
            return wholeNumberRefusal(operation, tavelo::kMinHoldSamples, tavelo::kMaxHoldSamples);
        m_holdSamples = static_cast<int>(value);
        result.samples = tavelo::sampledAndHeld(samples, m_holdSamples);
        break;
    }
    const tavelo::ShapeTerms terms = tavelo::analyseShape(result.samples, m_model->sinBasis());
    // A result that stays within the arithmetic's noise of one value (a sum
    // held at its zeros) has no terms.
    if (terms.highest - terms.lowest <= 1e-9 * largest)
        return constantResultRefusal();
    ShapeSource source{ShapeSource::Kind::Operation, tavelo::kOperationSamples, std::nullopt,
                       {operationNote(operation, value)}};
    if (terms.meanMatters())
        source.droppedMean = terms.mean;
    m_writer->writeOperationResult(operationStepName(operation, value), result, terms, source, false);
    return {};
}

#pragma once

#include <QString>

// The operations on the sum that the plot's menu offers, in its order.
enum class SumOperation {
    HalfWaveRectify,
    FullWaveRectify,
    Clip,
    Invert,
    ReverseTime,
    KeepOdd,
    KeepEven,
    Quantize,
    SampleAndHold,
};

inline constexpr SumOperation kSumOperations[] = {
    SumOperation::HalfWaveRectify, SumOperation::FullWaveRectify, SumOperation::Clip,
    SumOperation::Invert,          SumOperation::ReverseTime,     SumOperation::KeepOdd,
    SumOperation::KeepEven,        SumOperation::Quantize,        SumOperation::SampleAndHold,
};

// The operation's item in the menu: «Квантовать…».
QString operationTitle(SumOperation operation);

// What an operation asks for before it works: the dialog's label, given the
// sum's largest magnitude; empty for one that asks nothing.
QString operationQuestion(SumOperation operation, double largest);

// The step of the series' history and the line in the plot's corner that say
// what was done, with the value asked for.
QString operationStepName(SumOperation operation, double value);
QString operationNote(SumOperation operation, double value);

// Why an operation was not applied.
QString zeroSumRefusal();
QString uncomputableSumRefusal();
QString clipLevelRefusal(double level, double largest);
QString wholeNumberRefusal(SumOperation operation, int lowest, int highest);
QString parityRefusal(bool odd, bool noneLeft);
QString constantResultRefusal();

#pragma once

#include "ui/series/shapesource.h"

#include <QObject>

#include <random>

class PlotControl;
class SeriesModel;

namespace tavelo {
enum class Waveform;
struct Shape;
struct ShapeTerms;
struct TermTable;
}

// Writes a whole series of a kind the user asked for into the fields, as
// typing would, each one step of the series' history, and asks for its plot
// as «График» does. A series of the user's takes a task's place.
class TermWriter : public QObject {
    Q_OBJECT

public:
    TermWriter(SeriesModel* model, PlotControl* plot, QObject* parent);

    // The terms, basis, spectrum scale and largest visible coordinate of a
    // classic waveform; N is raised from 1, since one term shows no shape.
    void writeWaveform(tavelo::Waveform waveform);
    // A random initial phase for each term 1..N, from [0, 2) in units of pi
    // with three decimals; the amplitudes stay.
    void writeRandomPhases();
    // A table's terms 1..k as the whole series, with N = k and the terms
    // beyond k zero; the largest visible coordinate is raised to show the sum.
    void writeTable(const tavelo::TermTable& table);
    // The terms that make up one period of a shape, in the basis chosen, in
    // all the fields; N is raised from 1, H and the largest visible
    // coordinate to show the largest term and the shape, which is shown with
    // the plot as the target of the sum.
    void writeShape(const tavelo::Shape& shape, ShapeSource::Kind source);
    // The same with the shape's terms found already, as a recording's are.
    void writeShape(const tavelo::Shape& shape, const tavelo::ShapeTerms& terms, ShapeSource source);
    // The terms of what an operation made of the sum, in all the fields, as
    // a step of this name, with the result shown as the target. N stays as
    // it is where the terms are exact; raised from 1 where they are a
    // shape's, as for any shape.
    void writeOperationResult(const QString& stepName, const tavelo::Shape& result, const tavelo::ShapeTerms& terms,
                              ShapeSource source, bool exactTerms);

private:
    void writeShapeStep(const QString& stepName, const tavelo::Shape& shape, const tavelo::ShapeTerms& terms,
                        ShapeSource source, int termCount);

    SeriesModel* m_model;
    PlotControl* m_plot;
    std::mt19937 m_random{std::random_device{}()};
};

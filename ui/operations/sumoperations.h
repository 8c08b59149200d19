#pragma once

#include "ui/operations/operationtexts.h"

#include <QObject>
#include <QString>

#include <optional>

class SeriesModel;
class TermWriter;
class QWidget;

// Does to the sum as the fields hold it what a circuit does to a wave, and
// writes the terms of the result as one step of the series' history, with
// the result shown as the target and a line in the plot's corner saying what
// was done. Inverting, reversing time and keeping the odd or even terms are
// exact on the terms; the others work on one period sampled finely and find
// the result's terms by the shape analysis. The plot follows.
class SumOperations : public QObject {
    Q_OBJECT

public:
    SumOperations(SeriesModel* model, TermWriter* writer, QWidget* window, QObject* parent);

    // Asks for the level or the count where the operation needs one, applies
    // it, and says in a message why, where it cannot apply.
    void choose(SumOperation operation);
    // Applies the operation with the value asked for (metres or a count; not
    // read by those that ask nothing). Returns why it was not applied, with
    // nothing changed; empty when it was.
    QString apply(SumOperation operation, double value = 0);

private:
    // The value typed into the operation's dialog; nothing when it was closed.
    std::optional<double> ask(SumOperation operation, double largest);
    QString applyToTerms(SumOperation operation);
    QString applyToShape(SumOperation operation, double value, const std::vector<double>& samples, double largest);

    SeriesModel* m_model;
    TermWriter* m_writer;
    QWidget* m_window;
    // What each dialog was last answered with, offered the next time.
    int m_levels = 8;
    int m_holdSamples = 16;
};

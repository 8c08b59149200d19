#pragma once

#include <QLabel>

// A label that takes the size of its caption, growing to the right.
class AutoSizeLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
};

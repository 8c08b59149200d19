#pragma once

#include "ui/widgets/columnmark.h"

#include <QColor>
#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPointF>
#include <QTimer>

#include <optional>

// A drawing area that keeps what was drawn on it: every operation paints into
// a backing image, so covering, uncovering and minimising lose nothing.
// Coordinates are in the box's own scale unit, with the origin at the top-left
// corner of the area inside the border and y growing downwards.
class PictureBox : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(double pixelsPerUnit READ pixelsPerUnit WRITE setPixelsPerUnit)

public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    // 1 for a scale in pixels, 1/15 for twips.
    double pixelsPerUnit() const { return m_pixelsPerUnit; }
    void setPixelsPerUnit(double pixelsPerUnit) { m_pixelsPerUnit = pixelsPerUnit; }
    // How wide a line is drawn, in pixels: 1, more in an enlarged window.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);

    // The drawing area inside the border, and the outer size, in scale units.
    double ScaleWidth() const;
    double ScaleHeight() const;
    double Width() const;
    double Height() const;

    // Erases what was drawn; child widgets stay.
    void Cls();
    // Sets one point and makes it the current point.
    void PSet(float x, float y);
    // A segment from the current point to (x, y), which becomes current.
    void Line(float x, float y);
    void Line(float x1, float y1, float x2, float y2);
    // Many segments in one pen, as a plot's parts come column by column.
    void drawLines(const QList<QLineF>& lines, const QPen& pen);
    // Text with its top-left corner at (x, y) and a white ground behind it,
    // so that it reads over whatever is drawn there.
    void drawText(float x, float y, const QString& text, const QFont& font, const QColor& color);

    // A thin vertical line over the drawing at x, which is not part of it:
    // neither the image nor the picture holds it. Empty: no line.
    void setMarker(std::optional<double> x);
    std::optional<double> marker() const { return m_marker.column(); }
    // A thin frame round the column of the drawing at x, a few pixels wide,
    // which is not part of it either. Empty: no frame.
    void setHighlight(std::optional<double> x);
    std::optional<double> highlight() const { return m_highlight.column(); }

    // What is drawn, in device pixels of the drawing area.
    const QImage& image();
    // Puts back what was drawn, as image() gave it.
    void setImage(const QImage& image);
    // What the area shows inside its border: the drawing with the child
    // widgets on it (the zero line of the plot), at the screen's pixel ratio.
    QImage picture();
    // Puts that picture on the clipboard.
    void copyToClipboard();

    // Has a screen reader say `text` now, if the area has the focus: what the
    // area has just come to show (a plot's result, a point of the plot).
    void announce(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF toPixels(float x, float y) const;
    void drawSegment(QPointF from, QPointF to);
    void ensureImage();
    // Kept open between drawing operations, which come by the hundred during
    // a plot; closed before anything else touches the image.
    QPainter& imagePainter();
    // Where the one-pixel copy `pixel` of a line goes that makes it wider.
    static QPointF across(const QLineF& line, int pixel);
    void endPainting();
    void scheduleRepaint();
    // What was drawn since the last repaint, in widget coordinates.
    QRect changedArea() const;
    void noteChanged(const QRectF& pixels);

    static constexpr qint64 kFrameMilliseconds = 16;
    static constexpr int kBandDeviceLines = 64;

    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    double m_pixelsPerUnit = 1.0;
    double m_lineWidth = 1.0;
    int m_linePixels = 1;
    QImage m_image;
    QPainter m_painter;
    QPointF m_current;
    QRectF m_changed; // in pixels of the drawing area
    QTimer m_repaintTimer;
    QElapsedTimer m_lastRepaint;
    ColumnMark m_marker{ColumnMark::Look::Line, 1};
    ColumnMark m_highlight{ColumnMark::Look::Frame, 3};
};

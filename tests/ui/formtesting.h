#pragma once

#include "ui/form1.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace formtesting {

// A started window, as the program opens it.
inline std::unique_ptr<Form1> startedForm()
{
    auto form = std::make_unique<Form1>();
    form->Form_Load();
    return form;
}

// Runs `act` on the next modal window (a message box) as soon as it is open.
inline void onNextModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

inline void closeNextModal()
{
    onNextModal([](QWidget* modal) { modal->close(); });
}

inline bool isColor(const QImage& image, int x, int y, QColor color)
{
    return image.valid(x, y) && QColor(image.pixel(x, y)) == color;
}

// Rows of column x that hold the given colour.
inline QList<int> rowsOf(const QImage& image, int x, QColor color)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (isColor(image, x, y, color))
            rows.append(y);
    }
    return rows;
}

inline const QColor kCurveBlue{0, 0, 255};
inline const QColor kBarOlive{128, 128, 0};

} // namespace formtesting

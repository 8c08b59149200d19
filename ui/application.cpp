#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

void setUpApplication()
{
    // The icon lives in a static library, whose resources are not registered by themselves.
    Q_INIT_RESOURCE(icons);
    QCoreApplication::setApplicationName(QStringLiteral("Tavelo"));
    // The window is a classic dialog design: etched frames, sunken drawing
    // areas and plain scroll bars. The classic style draws them with lines,
    // where Fusion scales pixmaps and fills through a thread pool, which made
    // every keystroke's repaint take two to three times as long.
    QApplication::setStyle(QStringLiteral("Windows"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavelo.png")));

    // The window is designed in "MS Sans Serif" and a small dialog font. A
    // narrow sans-serif face with Cyrillic glyphs stands in for both, so that
    // every caption fits its control; DejaVu Sans is the fallback.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QApplication::setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

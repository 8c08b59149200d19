#include "ui/window/application.h"

#include "ui/widgets/pictureboxaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFontDatabase>

#include <algorithm>
#endif

namespace {

void useDesignFont()
{
#ifdef Q_OS_WIN
    // Windows draws its "MS Sans Serif" itself, and maps it to Microsoft Sans
    // Serif. Where a system has neither, nor Tahoma, the Liberation Sans that
    // comes with the program stands in.
    const QStringList systemFaces{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                                  QStringLiteral("Tahoma")};
    if (std::none_of(systemFaces.begin(), systemFaces.end(), &QFontDatabase::hasFamily)) {
        const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
        for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
            QFontDatabase::addApplicationFont(fonts.filePath(file));
    }
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), systemFaces.mid(1) << QStringLiteral("Liberation Sans"));
#else
    // The window is designed in "MS Sans Serif" and a small dialog font. A
    // narrow sans-serif face with Cyrillic glyphs stands in for both, so that
    // every caption fits its control; DejaVu Sans is the fallback.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
#endif
}

} // namespace

void setUpApplication()
{
    // The icon lives in a static library, whose resources are not registered by themselves.
    Q_INIT_RESOURCE(icons);
    QCoreApplication::setApplicationName(QStringLiteral("Tavelo"));
    // The settings live in the user's configuration folder as Tavelo/Tavelo.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("Tavelo"));

    // Every text of the window is Russian, so Qt's own texts (the menus of
    // fields and scroll bars, dialog buttons, accessible actions) are too,
    // whatever the user's locale. Without the translation Qt's built-in
    // English texts remain and the program works all the same.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    else
        delete qtTexts;
    // The window is a classic dialog design: etched frames, sunken drawing
    // areas and plain scroll bars. The classic style draws them with lines,
    // where Fusion scales pixmaps and fills through a thread pool, which made
    // every keystroke's repaint take two to three times as long.
    QApplication::setStyle(QStringLiteral("Windows"));
    QAccessible::installFactory(&PictureBoxAccessible::create);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavelo.png")));

    useDesignFont();
    QApplication::setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

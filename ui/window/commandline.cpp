#include "ui/window/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

struct Options {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Показать эту справку и выйти.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Показать версию программы и выйти.")};

    Options()
    {
        parser.setApplicationDescription(
            QStringLiteral("Tavelo — негармонические колебания как сумма гармонических: ряд Фурье до 250 "
                           "слагаемых, его график и спектр."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(QStringLiteral("ФАЙЛ"),
                                     QStringLiteral("Урок (.tavelo), таблица (.csv, .tsv, .txt) или звук (.wav), "
                                                    "который откроется после запуска."),
                                     QStringLiteral("[ФАЙЛ]"));
    }
};

void print(FILE* stream, const QString& text)
{
#ifdef Q_OS_WIN
    // A window program has no console of its own: the answer goes to the
    // console it was started from, in its own characters, where there is one.
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS);
    if (attached) {
        const HANDLE console = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
        DWORD written = 0;
        if (WriteConsoleW(console, text.utf16(), DWORD(text.size()), &written, nullptr))
            return;
    }
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

std::optional<int> CommandLine::answerWithoutWindow(int argc, char* argv[])
{
    // A console application object reads the arguments as the system hands
    // them over and needs no display.
    QCoreApplication console(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVELO_VERSION));
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    Options options;
    if (!options.parser.parse(QCoreApplication::arguments())) {
        print(stderr, QStringLiteral("tavelo: %1\nСправка: tavelo --help\n").arg(options.parser.errorText()));
        return 2;
    }
    if (options.parser.isSet(options.help)) {
        print(stdout, options.parser.helpText());
        return 0;
    }
    if (options.parser.isSet(options.version)) {
        print(stdout, QStringLiteral("Tavelo %1\n").arg(QStringLiteral(TAVELO_VERSION)));
        return 0;
    }
    if (options.parser.positionalArguments().size() > 1) {
        print(stderr, QStringLiteral("tavelo: откройте один файл, а не %1.\nСправка: tavelo --help\n")
                          .arg(options.parser.positionalArguments().size()));
        return 2;
    }
    return std::nullopt;
}

QString CommandLine::fileToOpen()
{
    Options options;
    options.parser.parse(QCoreApplication::arguments());
    const QStringList files = options.parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

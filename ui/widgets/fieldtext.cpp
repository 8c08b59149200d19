#include "ui/widgets/fieldtext.h"

#include "core/numbertext.h"

#include <QLineEdit>

#include <array>

double NumberFromField(const QLineEdit* field)
{
    // Field texts are short and mostly plain ASCII: those are read without
    // an allocation, since a plot and every keystroke read hundreds of them.
    const QString text = field->text();
    std::array<char, 32> ascii;
    if (text.size() <= qsizetype(ascii.size())) {
        qsizetype length = 0;
        for (const QChar c : text) {
            if (c.unicode() >= 0x80)
                break;
            ascii[static_cast<std::size_t>(length++)] = static_cast<char>(c.unicode());
        }
        if (length == text.size())
            return tavelo::NumberFromText(std::string_view(ascii.data(), static_cast<std::size_t>(length)));
    }
    const QByteArray utf8 = text.toUtf8();
    return tavelo::NumberFromText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString WholeToText(long long n)
{
    return QString::fromStdString(tavelo::WholeToText(n));
}

QString CountToText(long long count, const QString& one, const QString& few, const QString& many)
{
    const long long lastTwo = count % 100;
    const long long last = count % 10;
    const QString& word = last == 1 && lastTwo != 11                                  ? one
                          : last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14) ? few
                                                                                     : many;
    return WholeToText(count) + QLatin1Char(' ') + word;
}

QString WholeToLabelText(long long n)
{
    return QString::fromStdString(tavelo::WholeToLabelText(n));
}

QString RealToText(double v)
{
    return QString::fromStdString(tavelo::RealToText(v, '.'));
}

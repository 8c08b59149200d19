#include "ui/sound/soundtexts.h"

#include "core/numbertext.h"
#include "core/recordinganalysis.h"
#include "ui/sound/sounddevices.h"
#include "ui/widgets/fieldtext.h"

#include <cmath>

QString soundFailureText(const SoundFailure& failure, SoundDirection direction)
{
    const bool playing = direction == SoundDirection::Playing;
    const QString what = playing ? QStringLiteral("Звук не удалось воспроизвести: ")
                                 : QStringLiteral("Звук не удалось записать: ");
    using Kind = SoundFailure::Kind;
    switch (failure.kind) {
    case Kind::NoLibrary:
        return what + QStringLiteral("не установлена библиотека звуковой службы PulseAudio (пакет libpulse0).");
    case Kind::NoServer:
        return what
               + (playing ? QStringLiteral("на компьютере не работает звуковая служба (PulseAudio или PipeWire), "
                                           "через которую программы выводят звук.")
                          : QStringLiteral("на компьютере не работает звуковая служба (PulseAudio или PipeWire), "
                                           "через которую программы записывают звук."));
    case Kind::NoDevice:
        return what
               + (playing ? QStringLiteral("не найдено устройства вывода звука (динамиков или наушников).")
                          : QStringLiteral("не найдено устройства записи звука (микрофона)."));
    case Kind::DeviceBusy:
        return what
               + (playing ? QStringLiteral("устройство вывода звука занято другой программой.")
                          : QStringLiteral("устройство записи звука занято другой программой."));
    case Kind::Other:
    case Kind::None:
        break;
    }
    return what + QStringLiteral("звуковая служба сообщила об ошибке (%1).").arg(failure.detail);
}

QString termsNotHeardText(int sampleRate, int termsLeftOut)
{
    return QStringLiteral(" Звук: слагаемых, частота которых не ниже половины частоты дискретизации "
                          "(%1 Гц), не слышно; пропущено %2.")
        .arg(WholeToText(sampleRate / 2), WholeToText(termsLeftOut));
}

QString playingStreamName()
{
    return QStringLiteral("Сумма гармонических слагаемых");
}

QString recordingStreamName()
{
    return QStringLiteral("Запись звука");
}

QString recordingText()
{
    return QStringLiteral("Идёт запись…");
}

QString recordingFaultText(tavelo::RecordingFault fault)
{
    switch (fault) {
    case tavelo::RecordingFault::TooQuiet:
        return QStringLiteral("Звук слишком тихий: в записи нет ничего громче −50 дБ от наибольшего уровня. "
                              "Поднесите микрофон ближе к источнику звука или увеличьте уровень записи "
                              "в настройках звука и запишите снова.");
    case tavelo::RecordingFault::TooLoud:
        return QStringLiteral("Звук слишком громкий: больше 1 % записи упирается в наибольший уровень, "
                              "и форма звука искажена. Отодвиньте микрофон или уменьшите уровень записи "
                              "в настройках звука и запишите снова.");
    case tavelo::RecordingFault::NoPitch:
        break;
    }
    return QStringLiteral("В записи нет периодического звука: ни одну десятую долю секунды в ней не держится "
                          "основной тон от 50 до 2000 Гц. Спойте или сыграйте ровную ноту (например, тяните "
                          "гласную «а») и запишите снова.");
}

namespace {

// To a tenth of a hertz where it is not whole.
QString hertzText(double hertz)
{
    return RealToText(tavelo::RoundedToDecimals(hertz, 1)) + QStringLiteral(" Гц");
}

} // namespace

QString recordedText(double fundamental, double signalToNoise)
{
    return QStringLiteral("Записано: основной тон %1, отношение сигнал/шум %2 дБ.")
        .arg(hertzText(fundamental), WholeToText(std::llround(signalToNoise)));
}

QString recordedPitchText(double fundamental)
{
    return QStringLiteral("Как записано: ") + hertzText(fundamental);
}

QString termAloneText(int n)
{
    return QStringLiteral("Звучит гармоника %1").arg(n);
}

QString sumWithoutTermText(int n)
{
    return QStringLiteral("Звучит сумма без гармоники %1").arg(n);
}

QString silentTermText(int n)
{
    return QStringLiteral("Амплитуда гармоники %1 равна нулю: звучать нечему").arg(n);
}

QString silentSumWithoutTermText(int n)
{
    return QStringLiteral("Без гармоники %1 сумма равна нулю: звучать нечему").arg(n);
}

QString inaudibleTermText(int n, double hertz)
{
    return QStringLiteral("Гармоника %1 звучала бы на частоте %2 Гц, выше того, что может воспроизвести звуковая "
                          "карта. Выберите тон пониже")
        .arg(n)
        .arg(qRound(hertz));
}

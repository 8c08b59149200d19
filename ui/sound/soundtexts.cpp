#include "ui/sound/soundtexts.h"

#include "ui/sound/sounddevices.h"
#include "ui/widgets/fieldtext.h"

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

#include "ui/series/steptexts.h"

#include "ui/series/termfieldcolumn.h"
#include "ui/widgets/textfield.h"

#include <QScrollBar>

QString typingStepName(const SeriesFields::Controls& fields, const QWidget* typed)
{
    if (!typed)
        return {};
    if (typed == fields.Counti)
        return QStringLiteral("изменение N");
    if (typed == fields.Hei)
        return QStringLiteral("изменение H");
    if (typed == fields.Amax)
        return QStringLiteral("изменение максимальной видимой координаты");
    if (typed == fields.Tmax)
        return QStringLiteral("изменение количества периодов");
    if (typed == fields.amplitudes->fieldOnShow())
        return QStringLiteral("изменение амплитуды %1").arg(fields.amplitudes->scrollBar()->value());
    if (typed == fields.phases->fieldOnShow())
        return QStringLiteral("изменение фазы %1").arg(fields.phases->scrollBar()->value());
    return {};
}

QString basisStepName(bool sinBasis)
{
    return sinBasis ? QStringLiteral("выбор SIN") : QStringLiteral("выбор COS");
}

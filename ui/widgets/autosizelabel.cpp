#include "ui/widgets/autosizelabel.h"

void AutoSizeLabel::setCaption(const QString& caption)
{
    setText(caption);
    adjustSize();
}

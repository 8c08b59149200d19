#include "ui/terms/termclipboard.h"

#include "core/shape.h"
#include "core/termtable.h"
#include "ui/terms/termtexts.h"
#include "ui/terms/termwriter.h"
#include "ui/widgets/messages.h"
#include "ui/series/seriesmodel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <string>
#include <vector>

TermClipboard::TermClipboard(SeriesModel* model, TermWriter* writer, QWidget* messageParent)
    : QObject(messageParent)
    , m_model(model)
    , m_writer(writer)
    , m_messageParent(messageParent)
{
}

void TermClipboard::copyTerms()
{
    const int terms = m_model->termCount();
    std::vector<std::string> amplitudes;
    std::vector<std::string> phases;
    for (int i = 1; i <= terms; ++i) {
        amplitudes.push_back(m_model->amplitudeText(i).toStdString());
        phases.push_back(m_model->phaseText(i).toStdString());
    }
    const std::string header = termTableHeader().toStdString();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(tavelo::termTableText(header, amplitudes, phases)));
    // Spreadsheets read the plain text in their locale, so a Russian one
    // takes "0.5" for text; in SYLK a number is a number in every locale.
    const std::string sylk = tavelo::termTableSylk(header, amplitudes, phases);
    data->setData(QStringLiteral("application/x-openoffice-sylk;windows_formatname=\"Sylk\""),
                  QByteArray(sylk.data(), qsizetype(sylk.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

namespace {

QByteArray clipboardText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text().toUtf8() : QByteArray();
}

} // namespace

void TermClipboard::pasteTerms()
{
    pasteTable(clipboardText(), true);
}

void TermClipboard::pasteShape()
{
    pasteTable(clipboardText(), false);
}

void TermClipboard::pasteTable(const QByteArray& text, bool terms, const QString& source)
{
    if (!terms) {
        const auto shape = tavelo::readShapeTable(std::string_view(text.constData(), std::size_t(text.size())));
        if (const auto* fault = std::get_if<tavelo::TableFault>(&shape)) {
            showMessage(QMessageBox::Warning, source + tableFaultMessage(*fault, TableContent::Shape), m_messageParent);
            return;
        }
        m_writer->writeShape(std::get<tavelo::Shape>(shape), ShapeSource::Kind::Pasted);
        return;
    }
    const auto table = tavelo::readTermTable(std::string_view(text.constData(), std::size_t(text.size())));
    if (const auto* fault = std::get_if<tavelo::TableFault>(&table)) {
        showMessage(QMessageBox::Warning, source + tableFaultMessage(*fault, TableContent::Terms), m_messageParent);
        return;
    }
    m_writer->writeTable(std::get<tavelo::TermTable>(table));
}


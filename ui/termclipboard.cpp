#include "ui/termclipboard.h"

#include "core/numbertext.h"
#include "core/termcount.h"
#include "core/termtable.h"
#include "ui/fieldtext.h"
#include "ui/form1.h"
#include "ui/messages.h"
#include "ui/termwriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <string>
#include <vector>

TermClipboard::TermClipboard(Form1* form, TermWriter* writer)
    : QObject(form)
    , m_form(form)
    , m_writer(writer)
{
}

void TermClipboard::copyTerms()
{
    const int terms = tavelo::termsToRead(NumberFromField(m_form->controls().Counti));
    std::vector<std::string> amplitudes;
    std::vector<std::string> phases;
    for (int i = 1; i <= terms; ++i) {
        amplitudes.push_back(m_form->AAA(i)->text().toStdString());
        phases.push_back(m_form->FFF(i)->text().toStdString());
    }
    const std::string table = tavelo::termTableText(termTableHeader().toStdString(), amplitudes, phases);
    QGuiApplication::clipboard()->setText(QString::fromStdString(table));
}

void TermClipboard::pasteTerms()
{
    // The item is disabled while a plot runs; its key does nothing then either.
    if (m_form->isPlotRunning())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QByteArray text = data && data->hasText() ? data->text().toUtf8() : QByteArray();
    const auto table = tavelo::readTermTable(std::string_view(text.constData(), std::size_t(text.size())));
    if (const auto* fault = std::get_if<tavelo::TermTableFault>(&table)) {
        showMessage(QMessageBox::Warning, termTableFaultMessage(*fault), m_form);
        return;
    }
    m_writer->writeTable(std::get<tavelo::TermTable>(table));
}

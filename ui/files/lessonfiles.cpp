#include "ui/files/lessonfiles.h"

#include "core/celltable.h"
#include "core/lessonfile.h"
#include "core/plotvalues.h"
#include "core/termtable.h"
#include "ui/files/filetexts.h"
#include "ui/files/lessonstate.h"
#include "ui/files/soundfile.h"
#include "ui/plot/partsplotter.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"
#include "ui/sound/plotsound.h"
#include "ui/sound/soundrecording.h"
#include "ui/tasks/tasktexts.h"
#include "ui/terms/termclipboard.h"
#include "ui/widgets/messages.h"
#include "ui/widgets/picturebox.h"
#include "ui/window/picturemenus.h"

#include <QAction>
#include <QBuffer>
#include <QApplication>
#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The file a drag brings, where it brings one file of this computer's.
QString draggedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

const QString kFolderKey = QStringLiteral("files/folder");

QString shownName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

LessonFiles::LessonFiles(SeriesModel* model, PlotControl* plot, PlotSound* sound, PartsPlotter* parts,
                         PictureMenus* menus, TermClipboard* tables, SoundRecording* recording, PictureBox* plotArea,
                         PictureBox* spectrumArea, QWidget* window)
    : QObject(window)
    , m_model(model)
    , m_plot(plot)
    , m_sound(sound)
    , m_parts(parts)
    , m_menus(menus)
    , m_tables(tables)
    , m_recording(recording)
    , m_plotArea(plotArea)
    , m_window(window)
{
    const auto windowAction = [this, window](const QString& text, const QKeySequence& key) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        return action;
    };
    m_openAction = windowAction(QStringLiteral("Открыть…"), QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_openAction, &QAction::triggered, this, &LessonFiles::chooseAndOpen);
    m_saveAction = windowAction(QStringLiteral("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_saveAction, &QAction::triggered, this, &LessonFiles::save);
    m_saveAsAction = windowAction(QStringLiteral("Сохранить как…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(m_saveAsAction, &QAction::triggered, this, &LessonFiles::saveAs);
    m_saveTaskAction = new QAction(QStringLiteral("Сохранить как задание…"), this);
    connect(m_saveTaskAction, &QAction::triggered, this, &LessonFiles::saveTask);
    m_savePictureAction = new QAction(QStringLiteral("Сохранить рисунок…"), this);
    connect(m_savePictureAction, &QAction::triggered, this, &LessonFiles::savePicture);
    m_saveValuesAction = new QAction(QStringLiteral("Сохранить значения…"), this);
    connect(m_saveValuesAction, &QAction::triggered, this, &LessonFiles::saveValues);
    for (PictureBox* area : {plotArea, spectrumArea}) {
        auto* files = new QMenu(QStringLiteral("Файл"), area);
        files->addActions({m_openAction, m_saveAction, m_saveAsAction, m_saveTaskAction});
        files->addSeparator();
        files->addActions({m_savePictureAction, m_saveValuesAction});
        auto* separator = new QAction(area);
        separator->setSeparator(true);
        area->insertActions(area->actions().value(0), {files->menuAction(), separator});
    }
    // Drags go to the field or area under the pointer (a field takes text
    // dropped on it); a file is the window's wherever it is dropped.
    window->setAcceptDrops(true);
    qApp->installEventFilter(this);
    // A file asked for during a plot opens once the plot has ended.
    connect(m_plot, &PlotControl::runningChanged, this, [this](bool running) {
        if (!running && !m_pending.isEmpty())
            openNow(std::exchange(m_pending, QString()));
    });
}

bool LessonFiles::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = draggedFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        open(path);
    return true;
}

void LessonFiles::open(const QString& path)
{
    if (m_plot->isRunning()) {
        m_pending = path;
        return;
    }
    openNow(path);
}

void LessonFiles::openNow(const QString& path)
{
    const QFileInfo info(path);
    const QString name = shownName(path);
    if (info.isDir())
        return refuse(folderMessage(name));
    if (!info.exists())
        return refuse(missingFileMessage(name));
    if (info.size() > qint64(tavelo::kLessonMaxBytes))
        return refuse(tooLargeMessage(name));
    const QString suffix = info.suffix().toLower();
    const bool table = suffix == u"csv" || suffix == u"tsv" || suffix == u"txt";
    const bool sound = suffix == u"wav";
    if (suffix != u"tavelo" && !table && !sound)
        return refuse(unknownKindMessage(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(readFailedMessage(name, file.errorString()));
    // Read to one byte past the limit, in case the file grew since it was looked at.
    const QByteArray bytes = file.read(qint64(tavelo::kLessonMaxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(readFailedMessage(name, file.errorString()));
    rememberFolder(path);
    if (sound) {
        const SoundFileSamples read = readSoundFile(bytes);
        if (!read.fault.isEmpty())
            return refuse(soundFaultMessage(name, read.fault));
        m_recording->analyse(read.samples, read.sampleRate, tableSourceText(name));
        return;
    }
    if (table) {
        const std::string text = tavelo::commaSeparatedAsTabs({bytes.constData(), std::size_t(bytes.size())});
        m_tables->pasteTable(QByteArray::fromStdString(text), tavelo::namesTerms(text), tableSourceText(name));
        return;
    }
    if (openLesson(path, bytes))
        m_plotArea->announce(openedText(name));
}

bool LessonFiles::openLesson(const QString& path, const QByteArray& bytes)
{
    const auto read = tavelo::readLesson({bytes.constData(), std::size_t(bytes.size())});
    if (const auto* fault = std::get_if<tavelo::LessonFault>(&read)) {
        refuse(lessonFaultMessage(shownName(path), *fault));
        return false;
    }
    const tavelo::Lesson& lesson = std::get<tavelo::Lesson>(read);
    SeriesState state = stateOf(lesson, m_model->state());
    if (lesson.task) {
        // A teacher's task: its target and words, the terms the student's to find.
        const QString words = QString::fromStdString(lesson.task->words);
        state.task = TaskState();
        state.task->teacherWords = words;
        state.target.source = {ShapeSource::Kind::Task, int(state.target.shape->samples.size()), std::nullopt,
                               {teacherTaskText(words)}};
        state.limitShown = true;
    }
    m_model->change({lesson.task ? QStringLiteral("открытие задания") : QStringLiteral("открытие файла"), true},
                    [&] { m_model->writeState(state); });
    const LessonView view = viewOf(lesson);
    m_sound->setPitch(view.pitch);
    m_menus->setPitch(view.pitch);
    m_menus->termsAction()->setChecked(view.termsShown);
    m_parts->setShowsTerms(view.termsShown);
    setPath(path);
    m_plot->request();
    return true;
}

bool LessonFiles::saveTo(const QString& path)
{
    const LessonView view{m_sound->pitch(), m_menus->termsAction()->isChecked()};
    if (!write(path, tavelo::writeLesson(lessonOf(m_model->state(), view))))
        return false;
    setPath(path);
    m_plotArea->announce(savedText(shownName(path)));
    // The file's name stands in the plot's corner: a plot on show is drawn
    // again to show it, and none is drawn where none was.
    if (m_model->plotShown())
        m_plot->request();
    return true;
}

bool LessonFiles::saveTaskTo(const QString& path, const QString& words)
{
    if (!m_model->target().shape) {
        refuse(noTargetMessage());
        return false;
    }
    const LessonView view{m_sound->pitch(), false};
    tavelo::Lesson task = lessonOf(m_model->state(), view);
    // The answer stays with the teacher.
    for (std::size_t n = 1; n < task.A.size(); ++n)
        task.A[n] = task.Fi[n] = "0";
    task.waveform.reset();
    task.limitShown = true;
    task.target->source = "task";
    task.target->notes = {teacherTaskText(words).toStdString()};
    task.task = tavelo::Lesson::Task{words.trimmed().toStdString()};
    if (!write(path, tavelo::writeLesson(task)))
        return false;
    m_plotArea->announce(savedText(shownName(path)));
    return true;
}

bool LessonFiles::savePictureTo(const QString& path)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_plotArea->picture().save(&buffer, "PNG");
    if (!write(path, png.toStdString()))
        return false;
    m_plotArea->announce(savedText(shownName(path)));
    return true;
}

bool LessonFiles::saveValuesTo(const QString& path)
{
    const tavelo::HarmonicParams params = m_model->read();
    const tavelo::PlotChoice choice{.terms = m_menus->termsAction()->isChecked(),
                                    .limit = m_model->limitShown(),
                                    .lastWaveform = m_model->lastWaveform(),
                                    .shape = m_model->target().shape};
    const tavelo::PlotValueTable table = tavelo::plotValueTable(params, m_plotArea->ScaleWidth(), choice);
    std::vector<std::string> header;
    for (const QString& name : valueColumnNames(table.terms, table.limit.has_value(), table.target))
        header.push_back(name.toStdString());
    // Spreadsheets read a decimal comma where cells are separated by semicolons.
    const char decimalMark = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    const char separator = decimalMark == ',' ? ';' : ',';
    if (!write(path, tavelo::plotValueText(table, header, separator, decimalMark)))
        return false;
    m_plotArea->announce(savedText(shownName(path)));
    return true;
}

bool LessonFiles::write(const QString& path, const std::string& text)
{
    // The new text goes to a file beside the old one, which takes its place
    // only when it is written whole.
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly)
                       && file.write(text.data(), qint64(text.size())) == qint64(text.size()) && file.commit();
    if (!saved) {
        refuse(saveFailedMessage(shownName(path), file.errorString()));
        return false;
    }
    rememberFolder(path);
    return true;
}

void LessonFiles::chooseAndOpen()
{
    const QString path = QFileDialog::getOpenFileName(m_window, openDialogTitle(), folder(), openFilter());
    if (!path.isEmpty())
        open(path);
}

void LessonFiles::save()
{
    if (m_path.isEmpty())
        saveAs();
    else
        saveTo(m_path);
}

void LessonFiles::saveAs()
{
    const QString path = chooseSavePath(saveDialogTitle(), m_path.isEmpty() ? QStringLiteral("урок.tavelo") : m_path);
    if (!path.isEmpty())
        saveTo(path);
}

void LessonFiles::saveTask()
{
    if (!m_model->target().shape)
        return refuse(noTargetMessage());
    bool given = false;
    const QString words = QInputDialog::getText(m_window, saveTaskDialogTitle(), taskWordsQuestion(),
                                                QLineEdit::Normal, QString(), &given);
    if (!given)
        return;
    const QString path = chooseSavePath(saveTaskDialogTitle(), QStringLiteral("задание.tavelo"));
    if (!path.isEmpty())
        saveTaskTo(path, words);
}

void LessonFiles::savePicture()
{
    const QString path = chooseSavePath(savePictureDialogTitle(), QStringLiteral("график.png"), pictureFilter());
    if (!path.isEmpty())
        savePictureTo(path);
}

void LessonFiles::saveValues()
{
    const QString path = chooseSavePath(saveValuesDialogTitle(), QStringLiteral("значения.csv"), valuesFilter());
    if (!path.isEmpty())
        saveValuesTo(path);
}

QString LessonFiles::chooseSavePath(const QString& title, const QString& suggestedName, const QString& filter)
{
    const QString start = QFileInfo(suggestedName).isAbsolute() ? suggestedName : QDir(folder()).filePath(suggestedName);
    QString path = QFileDialog::getSaveFileName(m_window, title, start, filter.isEmpty() ? lessonFilter() : filter);
    // The suffix of the name suggested, where the user typed none.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QFileInfo(suggestedName).suffix();
    return path;
}

void LessonFiles::setPath(const QString& path)
{
    m_path = QFileInfo(path).absoluteFilePath();
    m_parts->setFileName(shownName(path));
}

QString LessonFiles::folder() const
{
    const QString remembered = QSettings().value(kFolderKey).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    // The user's documents, or the home folder where there is no such folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void LessonFiles::rememberFolder(const QString& path)
{
    QSettings().setValue(kFolderKey, QFileInfo(path).absolutePath());
}

void LessonFiles::refuse(const QString& message)
{
    showMessage(QMessageBox::Warning, message, m_window);
}

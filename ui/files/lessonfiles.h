#pragma once

#include <QObject>
#include <QString>

#include <string>

class PartsPlotter;
class PictureBox;
class PictureMenus;
class PlotControl;
class PlotSound;
class QAction;
class QWidget;
class SeriesModel;
class SoundRecording;
class TermClipboard;

// The lesson kept in a file and opened again: «Открыть…» (Ctrl+O),
// «Сохранить» (Ctrl+S) and «Сохранить как…» (Ctrl+Shift+S), in a «Файл»
// submenu at the top of both drawing areas' menus. A lesson file gives back
// the fields as typed, the target, the parts shown and the pitch; opening it
// is one step of the series' history. A table (.csv, .tsv, .txt) opens as a
// table pasted would, a sound (.wav) as a sound recorded would. Saving writes a new file and puts it in the old one's
// place only when it is whole, so a failed save leaves the old file as it
// was. The file's name stands in the plot's corner. A file dropped anywhere
// on the window opens too.
class LessonFiles : public QObject {
    Q_OBJECT

public:
    LessonFiles(SeriesModel* model, PlotControl* plot, PlotSound* sound, PartsPlotter* parts, PictureMenus* menus,
                TermClipboard* tables, SoundRecording* recording, PictureBox* plotArea, PictureBox* spectrumArea,
                QWidget* window);

    QAction* openAction() const { return m_openAction; }
    QAction* saveAction() const { return m_saveAction; }
    QAction* saveAsAction() const { return m_saveAsAction; }
    QAction* saveTaskAction() const { return m_saveTaskAction; }
    QAction* savePictureAction() const { return m_savePictureAction; }
    QAction* saveValuesAction() const { return m_saveValuesAction; }

    // Opens the file; what cannot be opened is said in a message, and
    // nothing changes. During a plot the file opens when the plot ends.
    void open(const QString& path);
    // Saves the lesson to the file; a failure is said in a message.
    bool saveTo(const QString& path);
    // Saves a teacher's task: the target shown with the teacher's words, and
    // no terms. Without a target there is nothing to save, which is said.
    bool saveTaskTo(const QString& path, const QString& words);
    // The plot area as drawn, as a PNG picture at the window's scale.
    bool savePictureTo(const QString& path);
    // The plot's values column by column for a report (CSV in the user's
    // locale: a decimal comma goes with semicolons between the cells).
    bool saveValuesTo(const QString& path);
    // The lesson's file, once opened or saved.
    QString path() const { return m_path; }

    void chooseAndOpen();
    void save();
    void saveAs();
    void saveTask();
    void savePicture();
    void saveValues();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openNow(const QString& path);
    bool openLesson(const QString& path, const QByteArray& bytes);
    bool write(const QString& path, const std::string& text);
    QString chooseSavePath(const QString& title, const QString& suggestedName, const QString& filter = {});
    void setPath(const QString& path);
    QString folder() const;
    void rememberFolder(const QString& path);
    void refuse(const QString& message);

    SeriesModel* m_model;
    PlotControl* m_plot;
    PlotSound* m_sound;
    PartsPlotter* m_parts;
    PictureMenus* m_menus;
    TermClipboard* m_tables;
    SoundRecording* m_recording;
    PictureBox* m_plotArea;
    QWidget* m_window;
    QAction* m_openAction;
    QAction* m_saveAction;
    QAction* m_saveAsAction;
    QAction* m_saveTaskAction;
    QAction* m_savePictureAction;
    QAction* m_saveValuesAction;
    QString m_path;
    QString m_pending;
};

#include "ui/window/additions.h"

#include "ui/files/lessonfiles.h"
#include "ui/operations/sumoperations.h"
#include "ui/plot/formulaview.h"
#include "ui/plot/partsplotter.h"
#include "ui/plot/plotcursor.h"
#include "ui/plot/plotreader.h"
#include "ui/plot/plottexts.h"
#include "ui/plot/shapedrawing.h"
#include "ui/plot/targetkeeper.h"
#include "ui/sound/graphtrace.h"
#include "ui/sound/plotsound.h"
#include "ui/sound/sounddevices.h"
#include "ui/sound/soundplayer.h"
#include "ui/sound/soundrecording.h"
#include "ui/sound/soundtexts.h"
#include "ui/sound/termsound.h"
#include "ui/tasks/tasksession.h"
#include "ui/terms/amplitudebarcontrol.h"
#include "ui/terms/termclipboard.h"
#include "ui/terms/termwriter.h"
#include "ui/widgets/picturebox.h"
#include "ui/window/historyactions.h"
#include "ui/window/keyshelp.h"
#include "ui/window/picturemenus.h"
#include "ui/window/windowzoom.h"
#include "ui/plot/plotcontrol.h"
#include "ui/series/seriesmodel.h"

#include <QPushButton>

namespace {

void connectTasks(const Additions& additions, SeriesModel* model, PlotCursor* cursor, GraphTrace* trace)
{
    PictureMenus* menus = additions.menus;
    TaskSession* tasks = additions.tasks;
    QObject::connect(menus, &PictureMenus::taskLevelChosen, tasks, qOverload<int>(&TaskSession::start));
    QObject::connect(menus, &PictureMenus::taskCheckRequested, tasks, &TaskSession::check);
    QObject::connect(menus, &PictureMenus::taskAnswerRequested, tasks, &TaskSession::showAnswer);
    QObject::connect(menus, &PictureMenus::taskTargetRequested, tasks, &TaskSession::playTarget);
    QObject::connect(menus, &PictureMenus::taskEndRequested, tasks, &TaskSession::end);
    QObject::connect(model, &SeriesModel::taskChanged, menus, [menus, model] {
        menus->setTaskOn(model->task().has_value(), !model->task() || !model->task()->isTeachers());
    });
    // The cursor reads the target beside the sum, and the trace plays it after the sum.
    cursor->setTarget([tasks, cursor](int x) {
        const tavelo::PlotReadout& readout = cursor->readout();
        return tasks->targetAt(x, readout.W(), readout.P());
    });
    trace->setTarget([tasks, cursor] {
        const tavelo::PlotReadout& readout = cursor->readout();
        std::vector<double> columns;
        for (int x = 0; tasks->isOn() && x <= readout.lastColumn(); ++x)
            columns.push_back(tasks->targetAt(x, readout.W(), readout.P()).value_or(0));
        return columns;
    });
}

// The formula and the kept sum: neither is a step of the series' history.
void connectView(const Additions& additions, const DesignedControls& controls, SeriesModel* model, PlotControl* plot,
                 QWidget* window)
{
    PictureMenus* menus = additions.menus;
    auto* formula = new FormulaView(controls.plotArea, controls.spectrumArea, model, plot, additions.partsPlotter,
                                    window);
    QObject::connect(menus, &PictureMenus::formulaToggled, formula, &FormulaView::setShown);
    QObject::connect(menus, &PictureMenus::formulaToggled, plot, &PlotControl::request);
    QObject::connect(menus, &PictureMenus::copyFormulaRequested, formula, &FormulaView::copy);
    auto* keeper = new TargetKeeper(model, plot, window, window);
    QObject::connect(menus, &PictureMenus::keepSumRequested, keeper, &TargetKeeper::keep);
    QObject::connect(menus, &PictureMenus::removeTargetRequested, keeper, &TargetKeeper::remove);
    QObject::connect(model, &SeriesModel::targetChanged, menus,
                     [menus, model] { menus->setHasTarget(model->target().shape != nullptr); });
}

} // namespace

Additions createAdditions(const DesignedControls& controls, SeriesModel* model, PlotControl* plot, QWidget* window)
{
    PictureBox* plotArea = controls.plotArea;
    Additions additions;
    additions.menus = new PictureMenus(plotArea, controls.spectrumArea, plot, window);
    additions.history = new HistoryActions(model, plot, plotArea, controls.spectrumArea, window);
    additions.partsPlotter = new PartsPlotter(plotArea, model, window);
    PictureMenus* menus = additions.menus;
    PartsPlotter* partsPlotter = additions.partsPlotter;
    auto* termWriter = new TermWriter(model, plot, window);
    auto* termClipboard = new TermClipboard(model, termWriter, controls.spectrumArea);
    auto* cursor = new PlotCursor(plotArea, plot, window);
    auto* sound = new PlotSound(model, plotArea, SoundDevices::platform(), window);
    auto* drawing = new ShapeDrawing(plotArea, model, plot, window);
    additions.barControl = new AmplitudeBarControl(controls.spectrumArea, model, plot, window);
    auto* trace = new GraphTrace(plotArea, plot, cursor, sound->player(), window);
    additions.tasks = new TaskSession(model, plot, sound, window);
    auto* recording = new SoundRecording(model, plot, plotArea, sound->player(), SoundDevices::platform(), window);

    QObject::connect(menus, &PictureMenus::waveformChosen, termWriter, &TermWriter::writeWaveform);
    QObject::connect(menus, &PictureMenus::randomPhasesRequested, termWriter, &TermWriter::writeRandomPhases);
    QObject::connect(menus, &PictureMenus::listenRequested, sound, &PlotSound::toggle);
    QObject::connect(menus, &PictureMenus::pitchChosen, sound, &PlotSound::setPitch);
    QObject::connect(menus, &PictureMenus::traceRequested, trace, &GraphTrace::toggle);
    QObject::connect(cursor, &PlotCursor::movedByKey, trace, &GraphTrace::playColumn);
    auto* reader = new PlotReader(plotArea, plot, cursor, model, window);
    QObject::connect(reader, &PlotReader::traceSecondsChosen, trace, &GraphTrace::setSeconds);
    // Esc presses «Отмена», which silences the trace as well.
    QObject::connect(controls.cancel, &QPushButton::clicked, trace, &GraphTrace::stopHere);
    QObject::connect(sound->player(), &SoundPlayer::playingChanged, menus, &PictureMenus::setSoundPlaying);
    QObject::connect(menus, &PictureMenus::drawShapeRequested, drawing, &ShapeDrawing::start);
    QObject::connect(drawing, &ShapeDrawing::shapeDrawn, termWriter, [termWriter](const tavelo::Shape& shape) {
        termWriter->writeShape(shape, ShapeSource::Kind::Drawn);
    });
    QObject::connect(menus, &PictureMenus::pasteShapeRequested, termClipboard, &TermClipboard::pasteShape);
    QObject::connect(menus, &PictureMenus::recordRequested, recording, &SoundRecording::start);
    QObject::connect(recording, &SoundRecording::recordingChanged, menus, &PictureMenus::setRecording);
    // A recorded sound's terms play at the recorded pitch.
    QObject::connect(recording, &SoundRecording::soundAnalysed, termWriter,
                     [menus, termWriter, sound](const tavelo::RecordedSound& recorded, int samples) {
                         menus->setRecordedPitch(recorded.fundamental);
                         sound->setPitch(recorded.fundamental);
                         termWriter->writeShape(recorded.period, recorded.terms,
                                                {ShapeSource::Kind::Recorded, samples, std::nullopt,
                                                 {recordedText(recorded.fundamental, recorded.signalToNoise)}});
                     });
    connectTasks(additions, model, cursor, trace);
    auto* operations = new SumOperations(model, termWriter, window, window);
    QObject::connect(menus, &PictureMenus::operationChosen, operations, &SumOperations::choose);
    auto* termSound = new TermSound(additions.barControl, model, sound, controls.spectrumArea, window);
    QObject::connect(menus, &PictureMenus::termAloneRequested, termSound, &TermSound::playAlone);
    QObject::connect(menus, &PictureMenus::sumWithoutTermRequested, termSound, &TermSound::playWithout);
    QObject::connect(menus, &PictureMenus::copyTermsRequested, termClipboard, &TermClipboard::copyTerms);
    QObject::connect(menus, &PictureMenus::pasteTermsRequested, termClipboard, &TermClipboard::pasteTerms);
    // Ticking a part plots again; during a plot it waits for the next one.
    QObject::connect(menus, &PictureMenus::termsToggled, partsPlotter, &PartsPlotter::setShowsTerms);
    QObject::connect(menus, &PictureMenus::limitToggled, model, &SeriesModel::setLimitShown);
    QObject::connect(model, &SeriesModel::limitShownChanged, menus, &PictureMenus::setLimitShown);
    QObject::connect(menus, &PictureMenus::termsToggled, plot, &PlotControl::request);
    QObject::connect(menus, &PictureMenus::limitToggled, plot, &PlotControl::request);
    connectView(additions, controls, model, plot, window);
    new KeysHelp(window);
    additions.zoom = new WindowZoom(window, plotArea, plot, controls.redrawSpectrum, window);
    WindowZoom* zoom = additions.zoom;
    QObject::connect(menus, &PictureMenus::largerRequested, zoom, &WindowZoom::larger);
    QObject::connect(menus, &PictureMenus::smallerRequested, zoom, &WindowZoom::smaller);
    QObject::connect(menus, &PictureMenus::originalSizeRequested, zoom, &WindowZoom::original);
    QObject::connect(menus, &PictureMenus::fullScreenRequested, zoom, [menus, zoom] {
        zoom->toggleFullScreen();
        menus->fullScreenAction()->setChecked(zoom->isFullScreen());
    });
    // Last, so that «Файл» stands above the history's items.
    additions.files = new LessonFiles(model, plot, sound, partsPlotter, menus, termClipboard, recording, plotArea,
                                      controls.spectrumArea, window);
    return additions;
}
